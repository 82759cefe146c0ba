#include "auxiliary/info_text.h"

#include <QDir>
#include <stdexcept>

#include "auxiliary/Des.h"
#include "base/gbk.h"

namespace tavrin {

QByteArray EncipherInfoLine(const QString& text) {
  const QByteArray bytes = ToGbk(text);
  const std::string hex =
      des::EncipherHex(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), kInfoKey);
  return QByteArray::fromStdString(hex);
}

QString DecipherInfoLine(const QByteArray& line) {
  const std::string bytes =
      des::DecipherHex(std::string_view(line.constData(), static_cast<std::size_t>(line.size())), kInfoKey);
  return FromGbk(QByteArray::fromStdString(bytes));
}

InfoFile::InfoFile(const QString& path) : file_(path) {
  if (!file_.open(QIODevice::ReadOnly))
    throw std::runtime_error(
        ("无法打开文件：" + QDir::toNativeSeparators(path) + "\n" + file_.errorString()).toStdString());
}

QByteArray InfoFile::rawLine() {
  QByteArray line = file_.readLine();
  while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
  return line;
}

QString InfoFile::next() { return DecipherInfoLine(rawLine()); }

void InfoFile::skip() { rawLine(); }

}  // namespace tavrin
