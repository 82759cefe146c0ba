#include "trend/trend_table.h"

#include <gtest/gtest.h>

#include "tests/support/core_support.h"

using namespace tavrin;

namespace {

TrendTable tableOf(AttributeKind kind, const std::vector<std::pair<std::string, std::optional<int>>>& rows,
                   int columns = 7) {
  return TrendTable(kind, LoadDrawHistory(test::SnapshotOf(rows, columns), kind), FilledAttributeTables());
}

// The columns of a row that carry a dot.
std::vector<int> dotColumns(const TrendTable& t, int row) {
  std::vector<int> cols;
  for (int c = 0; c < t.columnCount(); ++c)
    if (t.dot(row, c)) cols.push_back(c);
  return cols;
}

struct DrawCase {
  AttributeKind kind;
  int number;
  int dotColumn;  // 0: no dot at all
  const char* numberText;
};

void PrintTo(const DrawCase& c, std::ostream* os) { *os << "kind " << int(c.kind) << " number " << c.number; }

std::string DrawCaseName(const ::testing::TestParamInfo<DrawCase>& info) {
  const char* const kinds[] = {"Number", "Zodiac", "Season", "Direction"};
  return std::string(kinds[static_cast<int>(info.param.kind)]) + "_" + std::to_string(info.param.number);
}

class TrendDrawRow : public ::testing::TestWithParam<DrawCase> {};

}  // namespace

TEST_P(TrendDrawRow, DotColumnAndColumnOneText) {
  const DrawCase c = GetParam();
  const TrendTable t = tableOf(c.kind, {{"2001001", c.number}});
  ASSERT_EQ(t.rowCount(), 2);
  EXPECT_EQ(t.text(1, 0), "2001001");
  EXPECT_EQ(t.text(1, 1), c.numberText);
  const std::vector<int> dots = dotColumns(t, 1);
  if (c.dotColumn == 0) {
    EXPECT_TRUE(dots.empty());
  } else {
    EXPECT_EQ(dots, std::vector<int>{c.dotColumn});
    EXPECT_EQ(t.text(1, c.dotColumn), "●");
  }
  // Only the drawn value's column shows anything among the value columns.
  for (int col = 2; col < t.columnCount(); ++col) {
    if (col == c.dotColumn) continue;
    EXPECT_EQ(t.text(1, col), "") << "column " << col;
  }
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, TrendDrawRow,
    ::testing::Values(
        // Numbers: column k + 2, the number as stored.
        DrawCase{AttributeKind::Number, 1, 3, "1"}, DrawCase{AttributeKind::Number, 5, 7, "5"},
        DrawCase{AttributeKind::Number, 12, 14, "12"}, DrawCase{AttributeKind::Number, 36, 38, "36"},
        DrawCase{AttributeKind::Number, 37, 0, "37"}, DrawCase{AttributeKind::Number, 0, 0, "0"},
        // Zodiac signs: 1, 13 and 25 all under 鼠.
        DrawCase{AttributeKind::Zodiac, 1, 3, "01   鼠"}, DrawCase{AttributeKind::Zodiac, 12, 14, "12   猪"},
        DrawCase{AttributeKind::Zodiac, 13, 3, "13   鼠"}, DrawCase{AttributeKind::Zodiac, 25, 3, "25   鼠"},
        DrawCase{AttributeKind::Zodiac, 5, 7, "05   龙"}, DrawCase{AttributeKind::Zodiac, 36, 14, "36   猪"},
        DrawCase{AttributeKind::Zodiac, 37, 0, "37"},
        // Seasons.
        DrawCase{AttributeKind::Season, 9, 3, "09   春"}, DrawCase{AttributeKind::Season, 10, 4, "10   夏"},
        DrawCase{AttributeKind::Season, 27, 5, "27   秋"}, DrawCase{AttributeKind::Season, 36, 6, "36   冬"},
        DrawCase{AttributeKind::Season, 0, 0, "00"},
        // Directions.
        DrawCase{AttributeKind::Direction, 17, 3, "17   东"}, DrawCase{AttributeKind::Direction, 18, 4, "18   南"},
        DrawCase{AttributeKind::Direction, 19, 5, "19   西"}, DrawCase{AttributeKind::Direction, 20, 6, "20   北"},
        DrawCase{AttributeKind::Direction, 36, 6, "36   北"}, DrawCase{AttributeKind::Direction, 37, 0, "37"}),
    DrawCaseName);

TEST(TrendTable, TitleRowPerKind) {
  struct Case {
    AttributeKind kind;
    int columns;
    const char *first, *last;
  };
  for (const Case& c : {Case{AttributeKind::Number, 40, "1", "36"}, Case{AttributeKind::Zodiac, 16, "鼠", "猪"},
                        Case{AttributeKind::Season, 8, "春", "冬"}, Case{AttributeKind::Direction, 8, "东", "北"}}) {
    const TrendTable t = tableOf(c.kind, {});
    ASSERT_EQ(t.columnCount(), c.columns);
    EXPECT_EQ(t.text(0, 0), "记录期号");
    EXPECT_EQ(t.text(0, 1), "开奖号码");
    EXPECT_EQ(t.text(0, 2), "");
    EXPECT_EQ(t.text(0, 3), c.first);
    EXPECT_EQ(t.text(0, c.columns - 2), c.last);
    EXPECT_EQ(t.text(0, c.columns - 1), "");
    EXPECT_EQ(t.fill(0), TrendFill::Text);
    EXPECT_EQ(t.fill(1), TrendFill::Text);
    EXPECT_EQ(t.fill(2), TrendFill::Separator);
    EXPECT_EQ(t.fill(3), TrendFill::Value);
    EXPECT_EQ(t.fill(c.columns - 2), TrendFill::Value);
    EXPECT_EQ(t.fill(c.columns - 1), TrendFill::Separator);
  }
  // The number titles carry no leading zero but are centred as two digits.
  const TrendTable n = tableOf(AttributeKind::Number, {});
  EXPECT_EQ(n.text(0, 11), "9");
  EXPECT_STREQ(n.layoutText(0, 11), "00");
}

TEST(TrendTable, NewestDrawInRowOne) {
  const TrendTable t = tableOf(AttributeKind::Number, {{"2001001", 4}, {"2001002", 5}, {"2001003", 6}});
  ASSERT_EQ(t.rowCount(), 4);
  EXPECT_EQ(t.text(1, 0), "2001003");
  EXPECT_EQ(t.text(2, 0), "2001002");
  EXPECT_EQ(t.text(3, 0), "2001001");
  EXPECT_EQ(dotColumns(t, 1), std::vector<int>{8});
  EXPECT_EQ(dotColumns(t, 3), std::vector<int>{6});
  // Outside the grid nothing is read.
  EXPECT_EQ(t.entryAt(0), nullptr);
  EXPECT_EQ(t.entryAt(4), nullptr);
  EXPECT_EQ(t.text(4, 0), "");
  EXPECT_FALSE(t.dot(4, 6));
}

TEST(TrendTable, AnEmptyLotteryHasTheTitleRowOnly) {
  const TrendTable t = tableOf(AttributeKind::Zodiac, {});
  EXPECT_EQ(t.rowCount(), 1);
  EXPECT_EQ(TrendTableText(t), "记录期号\t开奖号码\t鼠\t牛\t虎\t兔\t龙\t蛇\t马\t羊\t猴\t鸡\t狗\t猪\n");
}

TEST(TrendTable, DrawsFromTheOneThatDidNotConvertOnStayBlank) {
  // Issues in text order: the bad one stops the load, it and the newer draw
  // keep their rows but show nothing.
  const TrendTable t =
      tableOf(AttributeKind::Season, {{"2001001", 1}, {"2001002", 10}, {"20x1003", 19}, {"2001004", 28}});
  ASSERT_EQ(t.rowCount(), 5);
  for (int row : {1, 2}) {
    for (int c = 0; c < t.columnCount(); ++c) EXPECT_EQ(t.text(row, c), "") << row << "," << c;
    EXPECT_TRUE(dotColumns(t, row).empty());
  }
  EXPECT_EQ(t.text(3, 0), "2001002");
  EXPECT_EQ(dotColumns(t, 3), std::vector<int>{4});
  EXPECT_EQ(t.text(4, 1), "01   春");

  // Without a field 7 no draw loads at all.
  const TrendTable none = tableOf(AttributeKind::Number, {{"2001001", 1}, {"2001002", 2}}, 3);
  EXPECT_EQ(none.rowCount(), 3);
  EXPECT_EQ(none.text(1, 0), "");
  EXPECT_EQ(none.text(2, 0), "");
}

TEST(TrendLayout, ColumnWidthsFollowTheClientWidth) {
  struct Case {
    AttributeKind kind;
    int clientWidth, valueWidth;
  };
  for (const Case& c : {Case{AttributeKind::Number, 1148, 25}, Case{AttributeKind::Zodiac, 1148, 75},
                        Case{AttributeKind::Season, 1148, 225}, Case{AttributeKind::Direction, 1148, 225},
                        // Integer division: 35 spare pixels are not a column more.
                        Case{AttributeKind::Number, 1183, 25}, Case{AttributeKind::Number, 1184, 26},
                        Case{AttributeKind::Zodiac, 1920, 139},
                        // A grid narrower than the fixed columns has no room, never a negative width.
                        Case{AttributeKind::Number, 248, 0}, Case{AttributeKind::Season, 100, 0}}) {
    EXPECT_EQ(ValueColumnWidth(c.clientWidth, ValueCountOf(c.kind)), c.valueWidth)
        << int(c.kind) << " at " << c.clientWidth;
  }
  const std::vector<int> w = TrendColumnWidths(1148, 4);
  EXPECT_EQ(w, (std::vector<int>{70, 130, 8, 225, 225, 225, 225, 8}));
  EXPECT_EQ(TrendColumnWidths(1148, 36).size(), 40u);
}

TEST(TrendLayout, CentringRuleTruncatesTowardZero) {
  struct Case {
    int cw, ch, tw, th, dx, dy;
  };
  for (const Case& c : {Case{70, 24, 49, 13, 11, 6}, Case{25, 24, 14, 13, 6, 6}, Case{25, 23, 14, 14, 6, 5},
                        // A text wider than its cell starts left of the cell's edge.
                        Case{25, 24, 30, 13, -1, 6}, Case{8, 24, 11, 30, 0, -2}, Case{0, 0, 0, 0, 1, 1}}) {
    const TrendOffset o = CentreOffset(c.cw, c.ch, c.tw, c.th);
    EXPECT_EQ(o.dx, c.dx) << c.cw << " " << c.tw;
    EXPECT_EQ(o.dy, c.dy) << c.ch << " " << c.th;
  }
}

TEST(TrendLayout, LayoutTexts) {
  const TrendTable n = tableOf(AttributeKind::Number, {{"2001001", 3}});
  const TrendTable z = tableOf(AttributeKind::Zodiac, {{"2001001", 3}});
  for (const TrendTable* t : {&n, &z}) {
    EXPECT_STREQ(t->layoutText(0, 0), "记录期号");
    EXPECT_STREQ(t->layoutText(1, 0), "2001001");
    EXPECT_STREQ(t->layoutText(0, 1), "开奖号码");
    EXPECT_STREQ(t->layoutText(0, 2), "");
    EXPECT_STREQ(t->layoutText(0, 3), "00");
    EXPECT_STREQ(t->layoutText(1, 4), "●");
    EXPECT_STREQ(t->layoutText(1, t->columnCount() - 1), "");
  }
  // The grouping's column 1 is centred as six digits wide.
  EXPECT_STREQ(n.layoutText(1, 1), "00");
  EXPECT_STREQ(z.layoutText(1, 1), "000000");
}

TEST(TrendTableText, TabSeparatedNewestFirstWithoutSeparators) {
  const TrendTable t = tableOf(AttributeKind::Direction, {{"2001001", 18}, {"2001002", 37}, {"2001003", 35}});
  EXPECT_EQ(TrendTableText(t),
            "记录期号\t开奖号码\t东\t南\t西\t北\n"
            "2001003\t35   西\t\t\t●\t\n"
            "2001002\t37\t\t\t\t\n"
            "2001001\t18   南\t\t●\t\t\n");
}
