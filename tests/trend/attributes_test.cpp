#include "trend/attributes.h"

#include <gtest/gtest.h>

#include <map>

using namespace tavrin;

struct AttributeCase {
  int n;
  std::optional<int> zodiac, season, direction;
};

class AttributeRules : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(AttributeRules, MapNumberToEachGrouping) {
  const AttributeCase c = GetParam();
  EXPECT_EQ(ZodiacOf(c.n), c.zodiac);
  EXPECT_EQ(SeasonOf(c.n), c.season);
  EXPECT_EQ(DirectionOf(c.n), c.direction);
  EXPECT_EQ(AttributeOf(AttributeKind::Zodiac, c.n), c.zodiac);
  EXPECT_EQ(AttributeOf(AttributeKind::Season, c.n), c.season);
  EXPECT_EQ(AttributeOf(AttributeKind::Direction, c.n), c.direction);
  EXPECT_EQ(AttributeOf(AttributeKind::Number, c.n), c.zodiac ? std::optional<int>(c.n) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, AttributeRules,
    ::testing::Values(AttributeCase{1, 1, 1, 1}, AttributeCase{9, 9, 1, 1}, AttributeCase{10, 10, 2, 2},
                      AttributeCase{12, 12, 2, 2}, AttributeCase{13, 1, 2, 1}, AttributeCase{17, 5, 2, 1},
                      AttributeCase{18, 6, 2, 2}, AttributeCase{19, 7, 3, 3}, AttributeCase{20, 8, 3, 4},
                      AttributeCase{24, 12, 3, 4}, AttributeCase{25, 1, 3, 3}, AttributeCase{27, 3, 3, 3},
                      AttributeCase{28, 4, 4, 4}, AttributeCase{35, 11, 4, 3}, AttributeCase{36, 12, 4, 4},
                      // Outside 1..36 there is no value to index with.
                      AttributeCase{0, {}, {}, {}}, AttributeCase{37, {}, {}, {}}, AttributeCase{-5, {}, {}, {}}));

TEST(AttributeRules, EveryValueHasItsShareOfTheNumbers) {
  for (AttributeKind k :
       {AttributeKind::Number, AttributeKind::Zodiac, AttributeKind::Season, AttributeKind::Direction}) {
    std::map<int, int> members;
    for (int n = 1; n <= 36; ++n) ++members[*AttributeOf(k, n)];
    const int v = ValueCountOf(k);
    ASSERT_EQ(static_cast<int>(members.size()), v);
    EXPECT_EQ(members.begin()->first, 1);
    EXPECT_EQ(members.rbegin()->first, v);
    for (auto [value, count] : members) EXPECT_EQ(count, 36 / v) << "kind " << int(k) << " value " << value;
  }
}

TEST(AttributeTables, EmptyUntilFilledThenTheTwentyNames) {
  AttributeTables t;
  EXPECT_EQ(t.Name(AttributeKind::Zodiac, 1), "");
  EXPECT_EQ(t.Name(AttributeKind::Season, 4), "");
  t.Fill();
  EXPECT_EQ(t.Name(AttributeKind::Zodiac, 1), "鼠");
  EXPECT_EQ(t.Name(AttributeKind::Zodiac, 12), "猪");
  EXPECT_EQ(t.Name(AttributeKind::Season, 1), "春");
  EXPECT_EQ(t.Name(AttributeKind::Season, 4), "冬");
  EXPECT_EQ(t.Name(AttributeKind::Direction, 1), "东");
  EXPECT_EQ(t.Name(AttributeKind::Direction, 4), "北");
  EXPECT_EQ(t.Name(AttributeKind::Number, 5), "");
  // No read outside the tables.
  EXPECT_EQ(t.Name(AttributeKind::Zodiac, 0), "");
  EXPECT_EQ(t.Name(AttributeKind::Zodiac, 13), "");
  EXPECT_EQ(t.Name(AttributeKind::Season, 5), "");
}

TEST(AttributeKinds, IndexTextsAndCounts) {
  EXPECT_EQ(AttributeKindFromIndex(0), AttributeKind::Number);
  EXPECT_EQ(AttributeKindFromIndex(1), AttributeKind::Zodiac);
  EXPECT_EQ(AttributeKindFromIndex(2), AttributeKind::Season);
  EXPECT_EQ(AttributeKindFromIndex(3), AttributeKind::Direction);
  EXPECT_STREQ(AttributeKindText(AttributeKind::Zodiac), "生肖");
  EXPECT_EQ(ValueCountOf(AttributeKind::Number), 36);
  EXPECT_EQ(ValueCountOf(AttributeKind::Zodiac), 12);
}
