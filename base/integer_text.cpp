#include "base/integer_text.h"

#include <limits>

namespace tavrin {

namespace {
bool Blank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

std::string ConversionMessage(std::string_view text) {
  std::string m;
  m.reserve(text.size() + 32);
  m.append("'").append(text).append("' 不是有效的整数值");
  return m;
}

std::optional<std::int64_t> ParseInteger(std::string_view text) {
  std::size_t i = 0, end = text.size();
  while (i < end && Blank(text[i])) ++i;
  while (end > i && Blank(text[end - 1])) --end;
  bool negative = false;
  if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == end) return std::nullopt;
  // Accumulated as a negative value, whose range holds the smallest integer.
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  std::int64_t v = 0;
  for (; i < end; ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    const int digit = c - '0';
    if (v < (kMin + digit) / 10) return std::nullopt;
    v = v * 10 - digit;
  }
  if (negative) return v;
  if (v == kMin) return std::nullopt;
  return -v;
}

std::int64_t ToInteger(std::string_view text) {
  if (auto v = ParseInteger(text)) return *v;
  throw ConversionError(ConversionMessage(text));
}

std::int32_t ToInt32(std::string_view text) {
  const auto v = ParseInteger(text);
  if (!v || *v < std::numeric_limits<std::int32_t>::min() || *v > std::numeric_limits<std::int32_t>::max())
    throw ConversionError(ConversionMessage(text));
  return static_cast<std::int32_t>(*v);
}

}  // namespace tavrin
