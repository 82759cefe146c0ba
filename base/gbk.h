#pragma once
// The program's text files (plans, investment mode files, information files,
// downloaded pages) are in GBK, the Chinese code page. One encoder and one
// decoder with one rule: a character GBK cannot hold, or bytes that are not
// GBK, are an error naming the place; nothing is ever written or read as "?"
// or as a replacement character.

#include <QByteArray>
#include <QString>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tavrin {

struct GbkError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Throws GbkError "GBK 无法表示文字“X”：text" for the first character that
// GBK cannot hold.
QByteArray ToGbk(const QString& text);
// Throws GbkError "第N个字符处不是有效的GBK文字" when the bytes do not decode.
QString FromGbk(QByteArrayView bytes);
// True when the bytes decode as GBK without an error.
bool IsGbk(QByteArrayView bytes);

// A text file the user hands the program: UTF-8 when it is valid UTF-8 (a
// byte-order mark is dropped), else GBK when it decodes cleanly; anything
// else throws GbkError rather than keep replacement characters.
QString DecodeUserText(QByteArrayView bytes);

// The same over UTF-8 strings, for the core's file lines.
std::string Utf8ToGbk(std::string_view utf8);
std::string GbkToUtf8(std::string_view gbk);

}  // namespace tavrin
