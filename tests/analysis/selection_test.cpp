#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <stdexcept>

#include "analysis/affinity.h"
#include "analysis/interval_rebound.h"
#include "tests/analysis/selection_oracle.h"
#include "tests/support/core_support.h"

using namespace tavrin;
using namespace tavrin::analysis;

namespace {

const AttributeTables& Names() { return FilledAttributeTables(); }

constexpr AttributeKind kKinds[] = {AttributeKind::Number, AttributeKind::Zodiac, AttributeKind::Season,
                                    AttributeKind::Direction};

// The history a window loads from draws with these field-7 numbers, issues
// 2001001 upwards.
DrawHistory Load(AttributeKind kind, const std::vector<int>& numbers, int firstIssue = 2001001) {
  DrawSnapshot s;
  s.numberColumns = 7;
  s.rows = test::MakeDraws(numbers, firstIssue);
  return LoadCompleteDrawHistory(s, kind);
}

// Numbers of the four seasons, for histories written as seasons.
constexpr int kSpring = 1, kSummer = 10, kAutumn = 19, kWinter = 28;

template <typename T>
std::string CaseName(const ::testing::TestParamInfo<T>& info) {
  std::string n = info.param.name;
  for (char& ch : n)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return n;
}

}  // namespace

// ---- shared texts ---------------------------------------------------------

struct TextCase {
  const char* name;
  AttributeKind kind;
  std::vector<int> values;  // for the bet list
  const char* betList;
  int number;  // for the drawn-value cell
  const char* drawn;
};

class SelectionTexts : public ::testing::TestWithParam<TextCase> {};

TEST_P(SelectionTexts, BetListAndDrawnValue) {
  const TextCase& c = GetParam();
  EXPECT_EQ(BetListText(c.kind, c.values, Names()), c.betList);
  const DrawHistory h = Load(c.kind, {c.number});
  EXPECT_EQ(DrawnValueText(c.kind, h.entries[0], Names()), c.drawn);
}

INSTANTIATE_TEST_SUITE_P(Cases, SelectionTexts,
                         ::testing::Values(TextCase{"number", AttributeKind::Number, {1, 12, 36}, "01 12 36 ", 5, "5"},
                                           TextCase{"zodiac", AttributeKind::Zodiac, {1, 12}, "鼠猪", 13, "鼠"},
                                           TextCase{"season", AttributeKind::Season, {3, 1}, "秋春", 28, "冬"},
                                           TextCase{"direction", AttributeKind::Direction, {4}, "北", 20, "北"},
                                           TextCase{"empty", AttributeKind::Number, {}, "", 36, "36"},
                                           // A number outside 1..36 has no value and shows bare.
                                           TextCase{"out of range number", AttributeKind::Number, {}, "", 37, "37"},
                                           TextCase{"out of range season", AttributeKind::Season, {}, "", 0, "0"}),
                         CaseName<TextCase>);

TEST(TargetItems, IssuesThenTheNextOne) {
  const DrawHistory h = Load(AttributeKind::Number, {3, 4}, 2003155);
  EXPECT_EQ(TargetItems(h), (std::vector<std::string>{"2003155", "2003156", "2003157"}));
  EXPECT_EQ(TargetItemText(h, 0), "2003155");
  EXPECT_EQ(TargetItemText(h, 2), "2003157");
  EXPECT_THROW(TargetItemText(h, 3), std::invalid_argument);
  EXPECT_TRUE(TargetItems(DrawHistory{}).empty());
  // The largest issue does not wrap round to a negative next issue.
  EXPECT_EQ(TargetItems(Load(AttributeKind::Number, {3}, INT_MAX)).back(), "2147483648");
}

TEST(SelectionCombos, ItemsByKindAndDrawCount) {
  EXPECT_EQ(IntervalCountItems().size(), 20u);
  EXPECT_EQ(IntervalCountItems().back(), "20");
  const std::pair<AttributeKind, std::size_t> sizes[] = {{AttributeKind::Number, 36},
                                                         {AttributeKind::Zodiac, 12},
                                                         {AttributeKind::Season, 4},
                                                         {AttributeKind::Direction, 4}};
  for (auto [kind, v] : sizes) {
    EXPECT_EQ(IntervalPickItems(kind), CountItems(static_cast<int>(v)));
    EXPECT_EQ(AffinityPickItems(kind).size(), kind == AttributeKind::Number ? 20u : v);
  }
  EXPECT_EQ(StageItems(3), (std::vector<std::string>{"全部期数", "1", "2", "3"}));
  EXPECT_EQ(StageItems(0), (std::vector<std::string>{"全部期数"}));
}

// ---- interval rebound -----------------------------------------------------

struct OrderCase {
  const char* name;
  std::vector<int> counts;
  std::vector<int> order;
};

class IntervalOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(IntervalOrder, ExchangeSortAscending) { EXPECT_EQ(OrderIntervals(GetParam().counts), GetParam().order); }

INSTANTIATE_TEST_SUITE_P(Cases, IntervalOrder,
                         ::testing::Values(OrderCase{"ties_110", {1, 1, 0}, {3, 2, 1}},
                                           OrderCase{"ties_20102", {2, 0, 1, 0, 2}, {2, 4, 3, 1, 5}},
                                           OrderCase{"all_zero_keeps_order", {0, 0, 0, 0, 0}, {1, 2, 3, 4, 5}},
                                           OrderCase{"distinct", {3, 1, 2}, {2, 3, 1}}, OrderCase{"one", {4}, {1}}),
                         CaseName<OrderCase>);

struct IntervalCase {
  const char* name;
  AttributeKind kind;
  std::vector<int> numbers;
  int intervals, picks;
  std::size_t target;
  std::vector<int> order;
  const char* text;
};

class IntervalProposalCase : public ::testing::TestWithParam<IntervalCase> {};

TEST_P(IntervalProposalCase, OrderAndText) {
  const IntervalCase& c = GetParam();
  const DrawHistory h = Load(c.kind, c.numbers);
  const auto p = ProposeInterval(h, {c.kind, c.intervals, c.picks}, c.target, Names());
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->order, c.order);
  EXPECT_EQ(p->text, c.text);
  EXPECT_EQ(*p, oracle::IntervalProposal(h, c.kind, c.intervals, c.picks, static_cast<int>(c.target), Names()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntervalProposalCase,
    ::testing::Values(
        // The oldest issue: nothing to look at, every value has gap 1.
        IntervalCase{"oldest number",
                     AttributeKind::Number,
                     {5, 7, 9},
                     5,
                     2,
                     0,
                     {1, 2, 3, 4, 5},
                     "2001001期推荐投注号码：01 02 "},
        IntervalCase{"oldest zodiac",
                     AttributeKind::Zodiac,
                     {5, 7, 9},
                     5,
                     3,
                     0,
                     {1, 2, 3, 4, 5},
                     "2001001期推荐投注号码：鼠牛虎"},
        IntervalCase{
            "oldest season", AttributeKind::Season, {5}, 5, 2, 0, {1, 2, 3, 4, 5}, "2001001期推荐投注号码：春夏"},
        IntervalCase{
            "oldest direction", AttributeKind::Direction, {5}, 1, 4, 0, {1}, "2001001期推荐投注号码：东南西北"},
        // Counts 1, 1, 0: the gap-3 value first, then gap 2, then gap 1.
        IntervalCase{"tie order",
                     AttributeKind::Number,
                     {1, 2, 3, 10, 10, 20, 10, 30},
                     3,
                     3,
                     8,
                     {3, 2, 1},
                     "2001009期推荐投注号码：20 10 30 "},
        IntervalCase{"pick count cuts",
                     AttributeKind::Number,
                     {1, 2, 3, 10, 10, 20, 10, 30},
                     3,
                     2,
                     8,
                     {3, 2, 1},
                     "2001009期推荐投注号码：20 10 "},
        // All counts 0: gap 1 comes first, then gap 2; the list is not sorted.
        IntervalCase{"all counts zero",
                     AttributeKind::Number,
                     {1, 2, 3, 4, 5, 6},
                     2,
                     2,
                     6,
                     {1, 2},
                     "2001007期推荐投注号码：06 05 "},
        // Values never drawn have gap target + 1 = 4: within reach of I = 5 ...
        IntervalCase{"never drawn within reach",
                     AttributeKind::Number,
                     {7, 7, 7, 7, 7},
                     5,
                     2,
                     3,
                     {2, 3, 4, 5, 1},
                     "2001004期推荐投注号码：01 02 "},
        // ... but not of I = 3; the first draw counted as interval 1.
        IntervalCase{"never drawn out of reach",
                     AttributeKind::Number,
                     {7, 7, 7, 7, 7},
                     3,
                     2,
                     3,
                     {2, 3, 1},
                     "2001004期推荐投注号码：07 "},
        // Draws of 37 have no value: they add no interval and have no gap.
        IntervalCase{"draws without a value",
                     AttributeKind::Number,
                     {37, 37, 5},
                     3,
                     2,
                     3,
                     {1, 2, 3},
                     "2001004期推荐投注号码：05 "},
        // Season names run together, in the order of the intervals.
        IntervalCase{"season names",
                     AttributeKind::Season,
                     {kSpring, kSummer, kAutumn, kWinter, kSpring},
                     5,
                     2,
                     5,
                     {5, 2, 3, 1, 4},
                     "2001006期推荐投注号码：冬秋"}),
    CaseName<IntervalCase>);

TEST(IntervalHistory, FirstRowsLookAtShorterWindows) {
  const DrawHistory h = Load(AttributeKind::Number, {1, 2, 3, 10, 10, 20, 10, 30});
  const SelectionHistory s = IntervalHistory(h, {AttributeKind::Number, 3, 2}, Names());
  ASSERT_EQ(s.rows.size(), 8u);
  // Row 0 has no bet but shows 0 hits.
  EXPECT_EQ(s.rows[0], (SelectionRow{"2001001", "1", "", "0"}));
  // Row 1 sees one draw, the first, at interval 1; the never drawn values
  // have gap 2.
  EXPECT_EQ(s.rows[1], (SelectionRow{"2001002", "2", "02 03 ", "1"}));
  EXPECT_EQ(s.rows[2], (SelectionRow{"2001003", "3", "03 04 ", "1"}));
  EXPECT_EQ(s.rows[3], (SelectionRow{"2001004", "10", "03 02 ", "0"}));
  // Row 0 is plotted but not tallied.
  EXPECT_EQ(s.tally[0] + s.tally[1], 7);
  EXPECT_EQ(s.tallyChart, (BarData{{"0", "1"}, {s.tally[0], s.tally[1]}}));
  EXPECT_EQ(s.firstPlottedRow, 0u);
  ASSERT_EQ(s.hitChart.labels.size(), 8u);
  EXPECT_EQ(s.hitChart.labels[0], "2001001");
  EXPECT_EQ(s.hitChart.values[0], 0);
  EXPECT_EQ(s.hitChart.values[1], 1);
  EXPECT_EQ(s.summary, "最大中奖号码数为1个，最小中奖号码数为0个");
}

TEST(IntervalReport, TheLinesOfTheCommandLineTool) {
  const DrawHistory h = Load(AttributeKind::Number, {1, 2, 3});
  EXPECT_EQ(IntervalReport(h, IntervalSettings{}, 3, Names()),
            (std::vector<std::string>{"记录期号\t开奖号码\t投注号码\t中奖个数", "2001001\t1\t\t0",
                                      "2001002\t2\t02 03 \t1", "2001003\t3\t03 04 \t1",
                                      "最大中奖号码数为1个，最小中奖号码数为0个", "2001004期推荐投注号码：04 05 "}));
}

// ---- affinity ---------------------------------------------------------------

struct RankCase {
  const char* name;
  std::vector<int> totals;
  std::vector<int> values;
};

class AffinityRanking : public ::testing::TestWithParam<RankCase> {};

TEST_P(AffinityRanking, ExchangeSortDescending) {
  const std::vector<AffinityTotal> ranking = RankTotals(GetParam().totals);
  std::vector<int> values;
  for (const AffinityTotal& t : ranking) {
    values.push_back(t.value);
    EXPECT_EQ(t.total, GetParam().totals[static_cast<std::size_t>(t.value - 1)]);
  }
  EXPECT_EQ(values, GetParam().values);
}

INSTANTIATE_TEST_SUITE_P(Cases, AffinityRanking,
                         ::testing::Values(RankCase{"ties_112", {1, 1, 2}, {3, 2, 1}},
                                           RankCase{"ties_0110", {0, 1, 1, 0}, {2, 3, 1, 4}},
                                           RankCase{"all_zero_keeps_order", {0, 0, 0, 0}, {1, 2, 3, 4}},
                                           RankCase{"distinct", {1, 3, 2}, {2, 3, 1}}),
                         CaseName<RankCase>);

TEST(AffinityRanking, TabcodeListsEveryValueByIndex) {
  EXPECT_EQ(TabcodeText(RankTotals(std::vector<int>{1, 1, 2})), "各亲密数字总次数3:2次 2:1次 1:1次 ");
  EXPECT_EQ(TabcodeText({}), "各亲密数字总次数");
}

// 春 at draws 0, 2, 5 and 7: the target 8 looks back from draw 5.
const std::vector<int> kSeasons = {kSpring, kSummer, kSpring, kAutumn, kAutumn, kSpring, kWinter, kSpring};

struct AffinityCase {
  const char* name;
  std::vector<int> numbers;
  int stages, picks;
  std::size_t target;
  const char* text;
  const char* tabcode;
};

class AffinityProposalCase : public ::testing::TestWithParam<AffinityCase> {};

TEST_P(AffinityProposalCase, TextAndTabcode) {
  const AffinityCase& c = GetParam();
  const DrawHistory h = Load(AttributeKind::Season, c.numbers);
  const auto p = ProposeAffinity(h, {AttributeKind::Season, c.stages, c.picks}, c.target, Names());
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->text, c.text);
  EXPECT_EQ(p->tabcode, c.tabcode);
  EXPECT_EQ(*p,
            oracle::AffinityProposal(h, AttributeKind::Season, c.stages, c.picks, static_cast<int>(c.target), Names()));
}

INSTANTIATE_TEST_SUITE_P(Cases, AffinityProposalCase,
                         ::testing::Values(
                             // Fewer than 7 earlier draws of 春: draws 1..6 are counted.
                             AffinityCase{"default stages", kSeasons, 7, 2, 8, "2001009期推荐投注号码：春秋",
                                          "各亲密数字总次数1:2次 3:2次 2:1次 4:1次 "},
                             // 全部期数 looks back without limit.
                             AffinityCase{"all stages", kSeasons, 0, 2, 8, "2001009期推荐投注号码：春秋",
                                          "各亲密数字总次数1:2次 3:2次 2:1次 4:1次 "},
                             // The 2nd latest draw of 春 (draw 2) stops the walk: draws 4..6.
                             AffinityCase{"two stages", kSeasons, 2, 3, 8, "2001009期推荐投注号码：春秋冬",
                                          "各亲密数字总次数1:1次 3:1次 4:1次 2:0次 "},
                             AffinityCase{"three stages", kSeasons, 3, 2, 8, "2001009期推荐投注号码：春秋",
                                          "各亲密数字总次数1:2次 3:2次 4:1次 2:0次 "},
                             // One stage counts nothing: the smallest values.
                             AffinityCase{"one stage", kSeasons, 1, 2, 8, "2001009期推荐投注号码：春夏",
                                          "各亲密数字总次数1:0次 2:0次 3:0次 4:0次 "},
                             // The latest earlier 春 is the draw right before: draw 2 itself counts.
                             AffinityCase{"previous draw counted",
                                          {kSummer, kSpring, kSpring},
                                          7,
                                          1,
                                          3,
                                          "2001004期推荐投注号码：春",
                                          "各亲密数字总次数1:2次 2:0次 3:0次 4:0次 "},
                             // The one draw counted has no value (the number 0).
                             AffinityCase{"draw without a value",
                                          {kSpring, 0, kSpring},
                                          7,
                                          2,
                                          3,
                                          "2001004期推荐投注号码：春夏",
                                          "各亲密数字总次数1:0次 2:0次 3:0次 4:0次 "},
                             AffinityCase{"value not drawn before",
                                          {kSummer, kSpring},
                                          7,
                                          2,
                                          2,
                                          "2001003期推荐投注号码：春夏",
                                          "各亲密数字总次数1:0次 2:0次 3:0次 4:0次 "},
                             // No draw before the oldest issue: nothing is proposed.
                             AffinityCase{"oldest issue", kSeasons, 7, 2, 0, "2001001期推荐投注号码：",
                                          "各亲密数字总次数"}),
                         CaseName<AffinityCase>);

struct StretchCase {
  int stages;
  std::vector<std::pair<int, int>> totals;  // number, total
  const char* betList;                      // 05 and the first number counted once
};

class AffinityStretch : public ::testing::TestWithParam<StretchCase> {};

// 05 at every even draw 0..16 and at draw 17, another number at each odd
// draw: 11 at 1, 12 at 3, 13 at 5, ... The target 18 looks back from 05.
TEST_P(AffinityStretch, RunsFromTheLatestToTwoAfterTheSthLatest) {
  std::vector<int> numbers;
  for (int k = 0; k < 18; ++k) numbers.push_back(k % 2 == 0 || k == 17 ? 5 : 11 + k / 2);
  const DrawHistory h = Load(AttributeKind::Number, numbers);
  const auto p = ProposeAffinity(h, {AttributeKind::Number, GetParam().stages, 2}, 18, Names());
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->betList, GetParam().betList);
  for (auto [number, total] : GetParam().totals) {
    int found = -1;
    for (const AffinityTotal& t : p->ranking)
      if (t.value == number) found = t.total;
    EXPECT_EQ(found, total) << "number " << number;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, AffinityStretch,
                         ::testing::Values(
                             // The 7th latest earlier 05 is draw 4: draws 6..17.
                             StretchCase{7, {{5, 7}, {11, 0}, {12, 0}, {13, 0}, {14, 1}, {18, 1}}, "05 14 "},
                             StretchCase{8, {{5, 8}, {11, 0}, {12, 0}, {13, 1}}, "05 13 "},
                             StretchCase{9, {{5, 9}, {11, 0}, {12, 1}, {13, 1}}, "05 12 "},
                             // Fewer earlier draws than stages: down to draw 1.
                             StretchCase{10, {{5, 9}, {11, 1}, {12, 1}}, "05 11 "},
                             StretchCase{0, {{5, 9}, {11, 1}, {12, 1}}, "05 11 "}),
                         [](const auto& info) { return "stages_" + std::to_string(info.param.stages); });

TEST(AffinityHistory, RowZeroLeftOutAndChartFromRowSPlusOne) {
  const DrawHistory h = Load(AttributeKind::Season, kSeasons);
  const SelectionHistory s = AffinityHistory(h, {AttributeKind::Season, 2, 2}, Names());
  const std::vector<SelectionRow> rows = {{"2001001", "春", "", ""},      {"2001002", "夏", "春夏", "1"},
                                          {"2001003", "春", "春夏", "1"}, {"2001004", "秋", "春夏", "0"},
                                          {"2001005", "秋", "春夏", "0"}, {"2001006", "春", "夏秋", "0"},
                                          {"2001007", "冬", "春秋", "0"}, {"2001008", "春", "春夏", "1"}};
  EXPECT_EQ(s.rows, rows);
  EXPECT_EQ(s.tally, (std::array<int, 2>{4, 3}));
  EXPECT_EQ(s.tallyChart, (BarData{{"0", "1"}, {4, 3}}));
  EXPECT_EQ(s.summary, "最大中奖号码数为1个，最小中奖号码数为0个");
  EXPECT_EQ(s.firstPlottedRow, 3u);
  EXPECT_EQ(s.hitChart, (BarData{{"2001004", "2001005", "2001006", "2001007", "2001008"}, {0, 0, 0, 0, 1}}));
}

TEST(AffinityHistory, ChartStart) {
  const DrawHistory h = Load(AttributeKind::Season, kSeasons);
  for (auto [stages, first] : std::vector<std::pair<int, std::size_t>>{{0, 1}, {1, 2}, {6, 7}, {7, 8}, {20000, 8}}) {
    const SelectionHistory s = AffinityHistory(h, {AttributeKind::Season, stages, 2}, Names());
    EXPECT_EQ(s.firstPlottedRow, first) << stages;
    EXPECT_EQ(s.hitChart.labels.size(), 8 - first) << stages;
  }
}

TEST(AffinityReport, TheLinesOfTheCommandLineTool) {
  const DrawHistory h = Load(AttributeKind::Number, {1, 2, 3});
  const std::vector<std::string> lines = AffinityReport(h, AffinitySettings{}, 3, Names());
  std::string tabcode = "各亲密数字总次数";
  for (int x = 1; x <= 36; ++x) tabcode += std::to_string(x) + ":0次 ";
  EXPECT_EQ(lines, (std::vector<std::string>{"记录期号\t开奖号码\t投注号码\t中奖个数", "2001001\t1\t\t",
                                             "2001002\t2\t01 02 \t1", "2001003\t3\t01 02 \t0",
                                             "最大中奖号码数为1个，最小中奖号码数为0个",
                                             "2001004期推荐投注号码：01 02 ", tabcode}));
}

// ---- both windows -----------------------------------------------------------

TEST(SelectionHistory, WithoutDrawsEverythingIsEmpty) {
  const DrawHistory empty;
  const std::string zero = "最大中奖号码数为0个，最小中奖号码数为0个";
  for (const SelectionHistory& s :
       {IntervalHistory(empty, IntervalSettings{}, Names()), AffinityHistory(empty, AffinitySettings{}, Names())}) {
    EXPECT_TRUE(s.rows.empty());
    EXPECT_EQ(s.hitChart, BarData{});
    EXPECT_EQ(s.tallyChart, BarData{});
    EXPECT_EQ(s.summary, zero);
  }
  EXPECT_FALSE(ProposeInterval(empty, IntervalSettings{}, 0, Names()).has_value());
  EXPECT_FALSE(ProposeAffinity(empty, AffinitySettings{}, 0, Names()).has_value());
  const std::string title = "记录期号\t开奖号码\t投注号码\t中奖个数";
  EXPECT_EQ(IntervalReport(empty, IntervalSettings{}, 0, Names()), (std::vector<std::string>{title, zero, ""}));
  EXPECT_EQ(AffinityReport(empty, AffinitySettings{}, 0, Names()), (std::vector<std::string>{title, zero, "", ""}));
}

struct SummaryCase {
  const char* name;
  std::vector<int> numbers;
  const char* interval;
  const char* affinity;
};

class SelectionSummary : public ::testing::TestWithParam<SummaryCase> {};

// The interval window counts row 0 (always 0 hits), affinity starts at row 1;
// with no row to count both read 0 and 0.
TEST_P(SelectionSummary, OverTheRowsThatCount) {
  const DrawHistory h = Load(AttributeKind::Number, GetParam().numbers);
  EXPECT_EQ(IntervalHistory(h, IntervalSettings{}, Names()).summary, GetParam().interval);
  EXPECT_EQ(AffinityHistory(h, AffinitySettings{}, Names()).summary, GetParam().affinity);
}

INSTANTIATE_TEST_SUITE_P(Cases, SelectionSummary,
                         ::testing::Values(SummaryCase{"no_draws",
                                                       {},
                                                       "最大中奖号码数为0个，最小中奖号码数为0个",
                                                       "最大中奖号码数为0个，最小中奖号码数为0个"},
                                           SummaryCase{"one_draw",
                                                       {9},
                                                       "最大中奖号码数为0个，最小中奖号码数为0个",
                                                       "最大中奖号码数为0个，最小中奖号码数为0个"},
                                           SummaryCase{"two_draws_hit",
                                                       {1, 2},
                                                       "最大中奖号码数为1个，最小中奖号码数为0个",
                                                       "最大中奖号码数为1个，最小中奖号码数为1个"}),
                         CaseName<SummaryCase>);

TEST(SelectionSettings, RefusedValues) {
  const DrawHistory h = Load(AttributeKind::Number, {1, 2, 3});
  for (AttributeKind kind : kKinds) {
    const int v = ValueCountOf(kind);
    for (IntervalSettings s : {IntervalSettings{kind, 0, 2}, IntervalSettings{kind, 21, 2},
                               IntervalSettings{kind, 5, 0}, IntervalSettings{kind, 5, v + 1}}) {
      EXPECT_TRUE(IntervalSettingsError(s).has_value());
      EXPECT_THROW(IntervalHistory(h, s, Names()), std::invalid_argument);
      EXPECT_THROW(ProposeInterval(h, s, 0, Names()), std::invalid_argument);
    }
    for (AffinitySettings s :
         {AffinitySettings{kind, -1, 2}, AffinitySettings{kind, 7, 0}, AffinitySettings{kind, 7, v + 1}}) {
      EXPECT_TRUE(AffinitySettingsError(s).has_value());
      EXPECT_THROW(AffinityHistory(h, s, Names()), std::invalid_argument);
      EXPECT_THROW(ProposeAffinity(h, s, 1, Names()), std::invalid_argument);
    }
    EXPECT_FALSE(IntervalSettingsError({kind, 20, v}).has_value());
    EXPECT_FALSE(AffinitySettingsError({kind, 0, v}).has_value());
  }
  EXPECT_EQ(*IntervalSettingsError({AttributeKind::Zodiac, 5, 13}), "选号个数必须在1到12之间");
  EXPECT_EQ(*IntervalSettingsError({AttributeKind::Number, 21, 2}), "间隔期数必须在1到20之间");
  EXPECT_EQ(*AffinitySettingsError({AttributeKind::Season, 7, 5}), "投注号码数必须在1到4之间");
  EXPECT_THROW(ProposeInterval(h, IntervalSettings{}, 4, Names()), std::invalid_argument);
  EXPECT_THROW(ProposeAffinity(h, AffinitySettings{}, 4, Names()), std::invalid_argument);
}

// ---- against the literal rules ----------------------------------------------

namespace {

// Draws from a pool of a few numbers, so that values repeat at short
// intervals and ties are common; now and then a number outside 1..36.
std::vector<int> RandomNumbers(std::mt19937& rng, int n) {
  const int poolSizes[] = {2, 3, 6, 12, 36};
  const int size = poolSizes[rng() % 5];
  std::vector<int> pool;
  for (int i = 0; i < size; ++i) pool.push_back(1 + static_cast<int>(rng() % 36));
  std::vector<int> numbers;
  for (int k = 0; k < n; ++k) {
    const unsigned r = rng() % 100;
    numbers.push_back(r < 2 ? 37 : r < 3 ? 0 : pool[rng() % pool.size()]);
  }
  return numbers;
}

void ExpectIntervalAgrees(const DrawHistory& h, AttributeKind kind, int I, int K) {
  const IntervalSettings settings{kind, I, K};
  ASSERT_EQ(IntervalHistory(h, settings, Names()), oracle::IntervalHistory(h, kind, I, K, Names()))
      << "kind " << int(kind) << " I " << I << " K " << K << " N " << h.entries.size();
  for (std::size_t p = 0; p <= h.entries.size() && !h.entries.empty(); ++p)
    ASSERT_EQ(*ProposeInterval(h, settings, p, Names()),
              oracle::IntervalProposal(h, kind, I, K, static_cast<int>(p), Names()))
        << "kind " << int(kind) << " I " << I << " K " << K << " target " << p;
}

void ExpectAffinityAgrees(const DrawHistory& h, AttributeKind kind, int S, int K) {
  const AffinitySettings settings{kind, S, K};
  ASSERT_EQ(AffinityHistory(h, settings, Names()), oracle::AffinityHistory(h, kind, S, K, Names()))
      << "kind " << int(kind) << " S " << S << " K " << K << " N " << h.entries.size();
  for (std::size_t p = 0; p <= h.entries.size() && !h.entries.empty(); ++p)
    ASSERT_EQ(*ProposeAffinity(h, settings, p, Names()),
              oracle::AffinityProposal(h, kind, S, K, static_cast<int>(p), Names()))
        << "kind " << int(kind) << " S " << S << " K " << K << " target " << p;
}

}  // namespace

// Every kind, every interval count, every pick count and every stage count
// on short histories.
TEST(SelectionOracle, EverySettingOnShortHistories) {
  std::mt19937 rng(14);
  for (int round = 0; round < 12; ++round) {
    const std::vector<int> numbers = RandomNumbers(rng, static_cast<int>(rng() % 40));
    for (AttributeKind kind : kKinds) {
      const DrawHistory h = Load(kind, numbers);
      const int v = ValueCountOf(kind);
      for (int I = 1; I <= kMaxIntervalCount; ++I) ExpectIntervalAgrees(h, kind, I, 1 + (I + round) % v);
      for (int K = 1; K <= v; ++K) ExpectIntervalAgrees(h, kind, 1 + (K + round) % kMaxIntervalCount, K);
      for (int S = 0; S <= static_cast<int>(numbers.size()) + 1; ++S)
        ExpectAffinityAgrees(h, kind, S, 1 + (S + round) % v);
      for (int K = 1; K <= v; ++K) ExpectAffinityAgrees(h, kind, (K + round) % 9, K);
    }
  }
}

// Longer histories with settings drawn at random.
TEST(SelectionOracle, RandomSettingsOnLongerHistories) {
  std::mt19937 rng(41);
  for (int round = 0; round < 150; ++round) {
    const std::vector<int> numbers = RandomNumbers(rng, 1 + static_cast<int>(rng() % 250));
    const AttributeKind kind = kKinds[rng() % 4];
    const DrawHistory h = Load(kind, numbers);
    const int v = ValueCountOf(kind);
    const int n = static_cast<int>(numbers.size());
    ExpectIntervalAgrees(h, kind, 1 + static_cast<int>(rng() % kMaxIntervalCount), 1 + static_cast<int>(rng() % v));
    ExpectAffinityAgrees(h, kind, static_cast<int>(rng() % (n + 2)), 1 + static_cast<int>(rng() % v));
  }
}
