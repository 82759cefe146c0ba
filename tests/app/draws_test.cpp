#include <gtest/gtest.h>

#include "tests/support/core_support.h"
#include "trend/draw_history.h"

using namespace tavrin;

TEST(DrawHistoryLoad, MapsFieldSevenByKindOldestFirst) {
  const DrawSnapshot s = test::SnapshotOf({{"2001001", 12}, {"2001002", 13}, {"2001003", 36}});
  const DrawHistory z = LoadDrawHistory(s, AttributeKind::Zodiac);
  ASSERT_TRUE(z.complete());
  ASSERT_EQ(z.entries.size(), 3u);
  EXPECT_EQ(z.entries[0].issue, 2001001);
  EXPECT_EQ(z.entries[0].value, 12);
  EXPECT_EQ(z.entries[1].value, 1);
  EXPECT_EQ(z.entries[2].value, 12);
  const DrawHistory n = LoadDrawHistory(s, AttributeKind::Season);
  EXPECT_EQ(n.entries[2].number, 36);
  EXPECT_EQ(n.entries[2].value, 4);
}

TEST(DrawHistoryLoad, NumbersOutsideTheRangeHaveNoValue) {
  const DrawSnapshot s = test::SnapshotOf({{"2001001", 37}, {"2001002", std::nullopt}, {"2001003", 0}});
  const DrawHistory h = LoadDrawHistory(s, AttributeKind::Number);
  ASSERT_TRUE(h.complete());
  EXPECT_EQ(h.entries[0].number, 37);
  EXPECT_FALSE(h.entries[0].value);
  EXPECT_EQ(h.entries[1].number, 0);  // an empty field reads as 0
  EXPECT_FALSE(h.entries[1].value);
  EXPECT_FALSE(h.entries[2].value);
}

TEST(DrawHistoryLoad, StopsAtTheFirstIssueThatIsNotANumber) {
  const DrawSnapshot s = test::SnapshotOf({{"2001001", 1}, {"20a1002", 2}, {"2001003", 3}});
  const DrawHistory h = LoadDrawHistory(s, AttributeKind::Number);
  EXPECT_EQ(h.rowCount, 3u);
  ASSERT_EQ(h.entries.size(), 1u);
  ASSERT_TRUE(h.error);
  EXPECT_NE(h.error->find("20a1002"), std::string::npos);
  EXPECT_THROW(LoadCompleteDrawHistory(s, AttributeKind::Number), std::runtime_error);
}

TEST(DrawHistoryLoad, ALotteryWithoutAColumnSevenCannotBeRead) {
  const DrawSnapshot s = test::SnapshotOf({{"2001001", 1}}, 3);
  const DrawHistory h = LoadDrawHistory(s, AttributeKind::Number);
  EXPECT_TRUE(h.entries.empty());
  EXPECT_TRUE(h.error);
  // Without draws there is nothing to complain about.
  EXPECT_TRUE(LoadDrawHistory(test::SnapshotOf({}, 3), AttributeKind::Number).complete());
}

TEST(IssueText, ConvertsLikeTheWindowsDo) {
  EXPECT_EQ(IssueToInt("2001001"), 2001001);
  EXPECT_EQ(IssueToInt(" 999 "), 999);
  EXPECT_EQ(IssueToInt("-5"), -5);
  for (const char* bad : {"", " ", "2001 001", "x", "99999999999", "1.5"})
    EXPECT_THROW(IssueToInt(bad), std::runtime_error) << bad;
}
