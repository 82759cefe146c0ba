#include "store/draw_line.h"

#include <gtest/gtest.h>

#include <string>

using namespace tavrin;
using namespace tavrin::store;

namespace {

struct LineCase {
  const char* what;
  std::string line;
  int picks;
  // Either the row stored (issue, numbers, date) or a part of the refusal.
  std::string issue;
  std::vector<std::optional<int>> numbers;
  std::string date;
  std::string refusal;
};

}  // namespace

// Every line either imports as exactly the row the readers read back, or is
// refused with a message that shows what is wrong, control characters
// included.
TEST(DrawLines, ImportExactlyWhatTheReadersRead) {
  const LineCase cases[] = {
      {"the export format", "2001001 05 12 36 ", 3, "2001001", {5, 12, 36}, "", ""},
      {"tabs and a date", "2001002\t1 2 3 2001-01-02", 3, "2001002", {1, 2, 3}, "2001-01-02", ""},
      {"slashes", "9 1 2 3 2008/1/2", 3, "9", {1, 2, 3}, "2008/1/2", ""},
      {"dots", "9 1 2 3 2008.12.31", 3, "9", {1, 2, 3}, "2008.12.31", ""},
      {"Chinese", "9 1 2 3 2008年1月2日", 3, "9", {1, 2, 3}, "2008年1月2日", ""},
      {"digits only", "9 1 2 3 20080229", 3, "9", {1, 2, 3}, "20080229", ""},
      {"too few numbers", "2001001 05 12", 3, "", {}, "", "实有3项"},
      {"an eighth number is not a date", "2001001 01 02 03 04 05 06 07 08", 7, "", {}, "", "'08' 不是开奖日期"},
      {"too many fields", "2001001 05 12 36 2001-01-02 x", 3, "", {}, "", "实有6项"},
      {"an issue of eight digits", "20010011 1 2 3", 3, "", {}, "", "超过7位"},
      {"an issue of letters", "abc 1 2 3", 3, "", {}, "", "期号 'abc' 不是有效的整数值"},
      {"a number of letters", "2001001 1 x 3", 3, "", {}, "", "'x' 不是有效的整数值"},
      {"a number beyond 32 bits", "2001001 1 4294967303 3", 3, "", {}, "", "'4294967303' 不是有效的整数值"},
      {"a vertical tab", "\v200110 01 02 03", 3, "", {}, "", "\\x0B"},
      {"a form feed", "200110\f 01 02 03", 3, "", {}, "", "\\x0C"},
      {"a NUL",
       std::string("2001\0"
                   "10 01 02 03",
                   16),
       3,
       "",
       {},
       "",
       "\\x00"},
      {"a word for a date", "9 1 2 3 notadate!!", 3, "", {}, "", "不是开奖日期"},
      {"no such day", "9 1 2 3 2009-02-29", 3, "", {}, "", "不是开奖日期"},
      {"a month alone", "9 1 2 3 01年4月", 3, "", {}, "", "不是开奖日期"},
      {"a date of eleven characters", "9 1 2 3 2008年12月31日", 3, "", {}, "", "超过10个字符"},
      {"a date with a control character", "9 1 2 3 2008-01\x01-02", 3, "", {}, "", "\\x01"},
  };
  for (const LineCase& c : cases) {
    if (c.refusal.empty()) {
      const DrawRecord r = ParseDrawLine(c.line, c.picks);
      EXPECT_EQ(r.issue, c.issue) << c.what;
      EXPECT_EQ(r.numbers, c.numbers) << c.what;
      EXPECT_EQ(r.date, c.date) << c.what;
      continue;
    }
    try {
      ParseDrawLine(c.line, c.picks);
      ADD_FAILURE() << c.what << ": imported";
    } catch (const DrawLineError& e) {
      EXPECT_NE(std::string(e.what()).find(c.refusal), std::string::npos) << c.what << ": " << e.what();
    }
  }
}

TEST(DrawLines, MessagesShowLongLinesShortAndControlBytesVisibly) {
  EXPECT_EQ(VisibleText("ab\x01\x7F"
                        "c"),
            "ab\\x01\\x7Fc");
  EXPECT_EQ(VisibleText(std::string(100000, 'x'), 5), "xxxxx…");
  EXPECT_EQ(VisibleText("南粤\xff风采", 10), "南粤\\xFF风采");
}
