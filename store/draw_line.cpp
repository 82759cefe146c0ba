#include "store/draw_line.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "base/integer_text.h"

namespace tavrin::store {

namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }

// Length of the UTF-8 sequence starting at s[i], or 0 when it is not one.
std::size_t Utf8Length(std::string_view s, std::size_t i) {
  const auto c = static_cast<unsigned char>(s[i]);
  std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return 0;
  return n;
}

std::size_t Characters(std::string_view s) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t n = Utf8Length(s, i);
    i += n ? n : 1;
    ++count;
  }
  return count;
}

std::string Hex(unsigned char c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "\\x%02X", c);
  return buf;
}

// The first character of a field that no reader takes, named; empty when
// there is none.
std::string ControlProblem(std::string_view field) {
  for (unsigned char c : field)
    if (c < 0x20 || c == 0x7F) return "含有不可见的控制字符 " + Hex(c);
  return {};
}

bool Digits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

bool ValidDate(int y, int m, int d) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (y < 1 || m < 1 || m > 12 || d < 1) return false;
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return d <= kDays[m - 1] + (m == 2 && leap ? 1 : 0);
}

// Splits s at the separator (UTF-8 text) into exactly parts pieces of digits.
bool SplitDigits(std::string_view s, std::string_view sep, std::vector<std::string_view>& out, std::size_t parts) {
  out.clear();
  std::size_t start = 0;
  while (out.size() + 1 < parts) {
    const std::size_t at = s.find(sep, start);
    if (at == std::string_view::npos) return false;
    out.push_back(s.substr(start, at - start));
    start = at + sep.size();
  }
  out.push_back(s.substr(start));
  for (std::string_view p : out)
    if (!Digits(p) || p.size() > 4) return false;
  return true;
}

bool LooksLikeDate(std::string_view s) {
  std::vector<std::string_view> p;
  auto check = [&](std::size_t yearDigits) {
    if (p[0].size() != yearDigits || p[1].size() > 2 || p[2].size() > 2) return false;
    return ValidDate(static_cast<int>(ToInteger(p[0])), static_cast<int>(ToInteger(p[1])),
                     static_cast<int>(ToInteger(p[2])));
  };
  if (s.size() == 8 && Digits(s)) {
    p = {s.substr(0, 4), s.substr(4, 2), s.substr(6, 2)};
    return check(4);
  }
  for (std::string_view sep : {std::string_view("-"), std::string_view("/"), std::string_view(".")})
    if (SplitDigits(s, sep, p, 3)) return check(4);
  // 2008年1月2日: the three parts end in 年, 月 and 日.
  if (s.size() > 3 && s.substr(s.size() - 3) == "日") {
    std::string_view body = s.substr(0, s.size() - 3);
    const std::size_t y = body.find("年");
    const std::size_t m = body.find("月");
    if (y == std::string_view::npos || m == std::string_view::npos || m < y) return false;
    p = {body.substr(0, y), body.substr(y + 3, m - y - 3), body.substr(m + 3)};
    for (std::string_view part : p)
      if (!Digits(part)) return false;
    return check(4);
  }
  return false;
}

}  // namespace

std::string VisibleText(std::string_view text, std::size_t maxChars) {
  std::string out;
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (chars == maxChars) {
      out += "…";
      break;
    }
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t n = Utf8Length(text, i);
    if (n == 0 || c < 0x20 || c == 0x7F) {
      out += c == '\t' ? std::string(" ") : Hex(c);
      ++i;
    } else {
      out.append(text.substr(i, n));
      i += n;
    }
    ++chars;
  }
  return out;
}

DrawRecord ParseDrawLine(std::string_view line, int picks) {
  std::vector<std::string_view> f;
  for (std::size_t i = 0; i < line.size();) {
    while (i < line.size() && Blank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !Blank(line[i])) ++i;
    if (i > start) f.push_back(line.substr(start, i - start));
  }
  if (f.size() != static_cast<std::size_t>(picks) + 1 && f.size() != static_cast<std::size_t>(picks) + 2)
    throw DrawLineError("应有期号、" + std::to_string(picks) + "个号码和可选的开奖日期，实有" +
                        std::to_string(f.size()) + "项");
  for (std::string_view field : f)
    if (const std::string problem = ControlProblem(field); !problem.empty())
      throw DrawLineError("“" + VisibleText(field, 20) + "”" + problem);
  DrawRecord r;
  if (Characters(f[0]) > 7) throw DrawLineError("期号 '" + VisibleText(f[0], 20) + "' 超过7位");
  // Seven characters always fit in 32 bits: the readers take what passes here.
  if (!ParseInteger(f[0])) throw DrawLineError("期号 " + ConversionMessage(VisibleText(f[0], 20)));
  r.issue = std::string(f[0]);
  for (int k = 1; k <= picks; ++k) {
    const std::string_view n = f[static_cast<std::size_t>(k)];
    const auto v = ParseInteger(n);
    if (!v || *v < INT32_MIN || *v > INT32_MAX) throw DrawLineError(ConversionMessage(VisibleText(n, 20)));
    r.numbers.push_back(static_cast<int>(*v));
  }
  if (f.size() == static_cast<std::size_t>(picks) + 2) {
    const std::string_view date = f.back();
    if (Characters(date) > 10) throw DrawLineError("开奖日期 '" + VisibleText(date, 20) + "' 超过10个字符");
    if (!LooksLikeDate(date))
      throw DrawLineError("'" + VisibleText(date, 20) +
                          "' 不是开奖日期（可写作 2008-01-02、2008/1/2、2008.1.2、2008年1月2日 或 20080102）");
    r.date = std::string(date);
  }
  return r;
}

}  // namespace tavrin::store
