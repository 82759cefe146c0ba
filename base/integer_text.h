#pragma once
// The one text-to-integer conversion of the program. Every reader of typed or
// stored numbers goes through it, so that what one part accepts the others
// read back the same way, and a refusal always reads
// "'abc' 不是有效的整数值".

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tavrin {

// A text that is not a whole number in range; what() is the message above.
struct ConversionError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// "'" + text + "' 不是有效的整数值".
std::string ConversionMessage(std::string_view text);

// Decimal digits with an optional sign; blanks (space, tab) around them are
// allowed, nothing else: no control characters, no fractions, no exponent,
// no full-width digits. Nothing when the text is not such a number or does
// not fit in 64 bits.
std::optional<std::int64_t> ParseInteger(std::string_view text);

// The same, throwing ConversionError.
std::int64_t ToInteger(std::string_view text);

// A whole number that must fit in 32 bits (issues, draw numbers); throws
// ConversionError otherwise.
std::int32_t ToInt32(std::string_view text);

}  // namespace tavrin
