#pragma once
// The information files 附属/flash.txt and 附属/about.txt: one enciphered
// GBK text per line, written as hex under the program's fixed key.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <string_view>

namespace tavrin {

// The key every information line is enciphered with.
inline constexpr std::string_view kInfoKey = "Tv";

// One line of an information file for text. Throws when text has characters
// that GBK cannot hold, so that no line is written that reads back wrong.
QByteArray EncipherInfoLine(const QString& text);
// The text of one line; throws the cipher's error for a line that is not hex.
QString DecipherInfoLine(const QByteArray& line);

// Reads an information file line by line.
class InfoFile {
 public:
  // Throws when the file cannot be opened.
  explicit InfoFile(const QString& path);
  // The next line deciphered; past the last line, the empty text.
  QString next();
  // Reads the next line and drops it unread.
  void skip();

 private:
  QByteArray rawLine();
  QFile file_;
};

}  // namespace tavrin
