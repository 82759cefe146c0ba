#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "mode/bet_codes.h"
#include "mode/draw_marks.h"
#include "tests/mode/mode_fixtures.h"

namespace tavrin::mode {
namespace {

using test::Marks;

TEST(GenerateCodes, DefaultListIsSortedWithSequenceFromTheTop) {
  const std::vector<BetCode> codes = GenerateCodes(0, 100, 42);
  ASSERT_EQ(codes.size(), 100u);
  for (std::size_t i = 0; i < codes.size(); ++i) {
    EXPECT_EQ(codes[i].sequence, static_cast<int>(i) + 1);
    EXPECT_GE(codes[i].digits[0], 0);
    EXPECT_LE(codes[i].digits[0], 9);
    if (i > 0) {
      EXPECT_LE(codes[i - 1].digits[0], codes[i].digits[0]);
    }
  }
  EXPECT_EQ(GenerateCodes(0, 100, 42), codes);  // the seed decides the list
  EXPECT_NE(GenerateCodes(0, 100, 43), codes);
}

TEST(GenerateCodes, DigitsAreUniform) {
  std::map<int, int> seen;
  for (std::uint64_t seed = 1; seed <= 100; ++seed)
    for (const BetCode& c : GenerateCodes(0, 1000, seed)) ++seen[c.digits[0]];
  ASSERT_EQ(seen.size(), 10u);
  for (const auto& [digit, times] : seen) EXPECT_NEAR(times, 10000, 400) << digit;
}

TEST(GenerateCodes, RefusesCountsAndGroupFormsBeforeDrawing) {
  EXPECT_THROW(
      {
        try {
          GenerateCodes(0, 1001, 1);
        } catch (const ModeRefused& e) {
          EXPECT_STREQ(e.what(), "请请输入1到1000的直选注数！");
          throw;
        }
      },
      ModeRefused);
  EXPECT_THROW(GenerateCodes(0, 0, 1), ModeRefused);
  // Form 2 could never accept a candidate with one digit; none of the group
  // forms may hang or pretend.
  for (int form = 1; form <= 3; ++form) EXPECT_THROW(GenerateCodes(form, 10, 1), ModeRefused) << form;
  EXPECT_EQ(GenerateCodes(0, 1000, 5).size(), 1000u);
}

TEST(CodeGrid, TitlesAndRows) {
  EXPECT_EQ(CodeGridTitles(), (std::vector<std::string>{"序号", "号码1"}));
  EXPECT_EQ(CodeGridRow(BetCode{7, {3}}), (std::vector<std::string>{"7", "3"}));
  EXPECT_EQ(CodeText(BetCode{0, {0}}), "0");
}

DrawHistory HistoryOf(const std::vector<std::optional<int>>& values) {
  DrawHistory h;
  int issue = 2024001;
  for (const auto& v : values) h.entries.push_back({issue++, v.value_or(0), v});
  h.rowCount = h.entries.size();
  return h;
}

TEST(BuildMarks, HitsAreZeroAndMissesCountFromTheLastHit) {
  // Codes 3, 5, 5: a draw hit by two codes is a hit like any other; 0 is
  // never drawn, a value above 9 and a draw without value are never hit.
  const std::vector<BetCode> codes{{1, {0}}, {2, {3}}, {3, {5}}, {4, {5}}};
  const DrawHistory h = HistoryOf({12, 3, 7, std::nullopt, 5, 5, 36, 1});
  const std::vector<DrawMark> marks = BuildMarks(h, codes, 0);
  std::vector<std::int64_t> got;
  for (const DrawMark& m : marks) got.push_back(m.mark);
  EXPECT_EQ(got, (std::vector<std::int64_t>{1, 0, 1, 2, 0, 0, 1, 2}));
  EXPECT_EQ(marks.front().issue, 2024001);
  EXPECT_EQ(marks.back().issue, 2024008);
  EXPECT_EQ(MarkText(marks[1]), "●");
  EXPECT_EQ(MarkText(marks[3]), "2");
}

TEST(BuildMarks, HistoryWithoutHitsCountsUpFromOne) {
  const std::vector<DrawMark> marks = BuildMarks(HistoryOf({20, 21, 22, 23}), {{1, {1}}}, 0);
  std::vector<std::int64_t> got;
  for (const DrawMark& m : marks) got.push_back(m.mark);
  EXPECT_EQ(got, (std::vector<std::int64_t>{1, 2, 3, 4}));
  EXPECT_FALSE(IntervalRunStatistics(marks));
}

TEST(BuildMarks, RefusesGroupFormsAndPartlyLoadedHistories) {
  EXPECT_THROW(BuildMarks(HistoryOf({1}), {{1, {1}}}, 3), ModeRefused);
  DrawHistory broken = HistoryOf({1, 2});
  broken.error = "'x' 不是有效的整数值";
  EXPECT_THROW(BuildMarks(broken, {{1, {1}}}, 0), std::runtime_error);
}

struct StatisticsCase {
  const char* what;
  std::vector<DrawMark> marks;
  std::vector<std::int64_t> gaps;
  std::vector<IntervalRun> rows;
};

class IntervalStatistics : public ::testing::TestWithParam<StatisticsCase> {};

TEST_P(IntervalStatistics, GapsAndRows) {
  const StatisticsCase& c = GetParam();
  EXPECT_EQ(HitGaps(c.marks), c.gaps) << c.what;
  EXPECT_EQ(IntervalRunStatistics(c.marks), std::optional(c.rows)) << c.what;
}

// The open tail is the gap the next draw would close: N - p + 1.
INSTANTIATE_TEST_SUITE_P(
    Examples, IntervalStatistics,
    ::testing::Values(
        StatisticsCase{"hits 2, 7, 12 of 14", Marks(14, {2, 7, 12}), {2, 5, 5, 3}, {{4, 2, 1}, {5, 2, 1}}},
        StatisticsCase{"hits 1, 3, 4, 9, 10, 15 of 16",
                       Marks(16, {1, 3, 4, 9, 10, 15}),
                       {1, 2, 1, 5, 1, 5, 2},
                       {{2, 1, 2}, {3, 1, 2}, {4, 1, 2}, {5, 1, 2}}},
        StatisticsCase{"last draw a hit: no tail", Marks(6, {3, 4, 6}), {3, 1, 2}, {{2, 1, 1}, {3, 1, 1}}},
        StatisticsCase{"every stretch reaches the end", Marks(5, {2, 4}), {2, 2, 2}, {}}),
    [](const ::testing::TestParamInfo<StatisticsCase>& info) { return "Case" + std::to_string(info.index); });

// The statistics counted the plain way: every threshold, a walk of the list.
std::vector<IntervalRun> CountedPlainly(const std::vector<DrawMark>& marks) {
  const std::vector<std::int64_t> gaps = HitGaps(marks);
  std::int64_t limit = 0;
  for (const DrawMark& m : marks) limit = std::max(limit, m.mark);
  ++limit;
  std::map<std::pair<std::int64_t, std::int64_t>, std::int64_t> count;
  for (std::int64_t m = 1; m <= limit; ++m) {
    std::int64_t run = 0;
    for (std::int64_t g : gaps) {
      if (g >= m) {
        ++run;
      } else {
        if (run > 0) ++count[{m, run}];
        run = 0;
      }
    }
  }
  std::vector<IntervalRun> rows;
  for (const auto& [key, times] : count) rows.push_back({key.first, key.second, times});
  return rows;
}

TEST(IntervalStatistics, EqualThePlainCountOnRandomHistories) {
  std::mt19937_64 rng(6202);
  const double rates[] = {0.02, 0.1, 0.3, 0.7, 0.97};
  for (int i = 0; i < 600; ++i) {
    const int n = std::uniform_int_distribution<int>(1, 400)(rng);
    const std::vector<DrawMark> marks = test::RandomMarks(rng, n, rates[i % 5]);
    const auto rows = IntervalRunStatistics(marks);
    if (HitGaps(marks).empty()) {
      EXPECT_FALSE(rows);
      continue;
    }
    ASSERT_TRUE(rows);
    ASSERT_EQ(*rows, CountedPlainly(marks)) << "case " << i;
  }
}

}  // namespace
}  // namespace tavrin::mode
