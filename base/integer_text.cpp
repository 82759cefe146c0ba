#include "base/integer_text.h"

#include <charconv>
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
  if (i == end || text[i] < '0' || text[i] > '9') return std::nullopt;
  // Digits only from here: from_chars on an unsigned value takes no sign.
  std::uint64_t magnitude = 0;
  const char* first = text.data() + i;
  const char* last = text.data() + end;
  const auto [stop, error] = std::from_chars(first, last, magnitude);
  if (error != std::errc() || stop != last) return std::nullopt;
  constexpr std::uint64_t kMaxPositive = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  if (!negative) {
    if (magnitude > kMaxPositive) return std::nullopt;
    return static_cast<std::int64_t>(magnitude);
  }
  if (magnitude > kMaxPositive + 1) return std::nullopt;
  return magnitude == kMaxPositive + 1 ? std::numeric_limits<std::int64_t>::min()
                                       : -static_cast<std::int64_t>(magnitude);
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
