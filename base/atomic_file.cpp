#include "base/atomic_file.h"

#include <QDir>
#include <QSaveFile>
#include <stdexcept>

namespace tavrin {

std::optional<QString> WriteFileAtomically(const QString& path, const QByteArray& bytes) {
  QSaveFile f(path);
  auto failed = [&](const char* what) {
    return QString::fromUtf8(what) + QDir::toNativeSeparators(path) + QStringLiteral("：") + f.errorString();
  };
  if (!f.open(QIODevice::WriteOnly)) return failed("无法创建文件 ");
  if (f.write(bytes) != bytes.size()) {
    const QString m = failed("无法写入文件 ");
    f.cancelWriting();
    return m;
  }
  if (!f.commit()) return failed("无法写入文件 ");
  return std::nullopt;
}

void SaveFileAtomically(const QString& path, const QByteArray& bytes) {
  if (auto error = WriteFileAtomically(path, bytes)) throw std::runtime_error(error->toStdString());
}

}  // namespace tavrin
