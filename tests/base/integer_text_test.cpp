#include "base/integer_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace tavrin;

TEST(IntegerText, OneConversionForEveryReader) {
  const struct {
    std::string text;
    std::optional<std::int64_t> value;
  } cases[] = {
      {"0", 0},
      {"2001001", 2001001},
      {" 999 ", 999},
      {"\t7\t", 7},
      {"+7", 7},
      {"-5", -5},
      {"007", 7},
      {"9223372036854775807", INT64_MAX},
      {"-9223372036854775808", INT64_MIN},
      {"9223372036854775808", std::nullopt},
      {"-9223372036854775809", std::nullopt},
      {"", std::nullopt},
      {" ", std::nullopt},
      {"-", std::nullopt},
      {"1.5", std::nullopt},
      {"1e3", std::nullopt},
      {"0x10", std::nullopt},
      {"2001 001", std::nullopt},
      {"12a", std::nullopt},
      {"１", std::nullopt},  // a full-width digit
      // Control characters are not blanks: a stored issue holding one would
      // read differently in every window.
      {"\v200110", std::nullopt},
      {"200110\f", std::nullopt},
      {std::string("2001\0"
                   "10",
                   7),
       std::nullopt},
      {"\r12", std::nullopt},
      {"12\n", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseInteger(c.text), c.value) << '"' << c.text << '"';
}

TEST(IntegerText, RefusalsUseTheSystemsMessage) {
  try {
    ToInteger("abc");
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'abc' 不是有效的整数值");
  }
  EXPECT_EQ(ToInt32("2147483647"), 2147483647);
  EXPECT_EQ(ToInt32("-2147483648"), -2147483647 - 1);
  for (const char* bad : {"2147483648", "4294967303", "99999999999", "x"}) {
    try {
      ToInt32(bad);
      ADD_FAILURE() << bad;
    } catch (const ConversionError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("'") + bad + "' 不是有效的整数值");
    }
  }
}
