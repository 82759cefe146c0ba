#include "base/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tavrin {

QByteArray ToGbk(const QString& text) {
  QStringEncoder enc("GBK");
  QByteArray out = enc.encode(text);
  if (!enc.hasError()) return out;
  // Find the character to name; one at a time only on this rare path.
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    QStringEncoder one("GBK");
    const QByteArray bytes = one.encode(text.mid(i, n));  // the encoding runs on conversion
    if (one.hasError()) throw GbkError(("GBK 无法表示文字“" + text.mid(i, n) + "”：" + text).toStdString());
    i += n - 1;
  }
  throw GbkError(("GBK 无法表示文字：" + text).toStdString());
}

QString FromGbk(QByteArrayView bytes) {
  // Stateless: a lead byte cut off at the end is an error, not kept for later.
  QStringDecoder dec("GBK", QStringDecoder::Flag::Stateless);
  QString out = dec.decode(bytes);
  if (!dec.hasError()) return out;
  const qsizetype at = out.indexOf(QChar(QChar::ReplacementCharacter));
  throw GbkError(QStringLiteral("第%1个字符处不是有效的GBK文字").arg(at < 0 ? out.size() + 1 : at + 1).toStdString());
}

bool IsGbk(QByteArrayView bytes) {
  QStringDecoder dec("GBK", QStringDecoder::Flag::Stateless);
  const QString text = dec.decode(bytes);  // the decoding runs on conversion
  return !dec.hasError();
}

QString DecodeUserText(QByteArrayView bytes) {
  if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  if (IsGbk(bytes)) return FromGbk(bytes);
  throw GbkError("文件既不是有效的UTF-8文字，也不是有效的GBK文字");
}

std::string Utf8ToGbk(std::string_view utf8) {
  return ToGbk(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))).toStdString();
}

std::string GbkToUtf8(std::string_view gbk) {
  return FromGbk(QByteArrayView(gbk.data(), static_cast<qsizetype>(gbk.size()))).toUtf8().toStdString();
}

}  // namespace tavrin
