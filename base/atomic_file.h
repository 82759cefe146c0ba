#pragma once
// The one way the program writes a file the user keeps: the bytes go to a
// temporary file beside the target, which replaces the target only when
// every byte was written. A failed write leaves the previous file as it was.

#include <QByteArray>
#include <QString>
#include <optional>

namespace tavrin {

// Nothing on success, else the error in the user's words, naming the file:
// "无法创建文件 PATH：reason" or "无法写入文件 PATH：reason".
std::optional<QString> WriteFileAtomically(const QString& path, const QByteArray& bytes);

// The same, throwing std::runtime_error with that text.
void SaveFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace tavrin
