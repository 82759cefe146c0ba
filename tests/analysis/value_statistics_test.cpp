#include "analysis/value_statistics.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

using namespace tavrin;
using namespace tavrin::analysis;

namespace {

const AttributeTables& Names() { return FilledAttributeTables(); }

// A history of n draws, every one the filler number, with hit numbers placed
// at the given positions (0 the oldest).
DrawHistory History(AttributeKind kind, int n, int filler, const std::vector<std::pair<int, int>>& placed) {
  DrawHistory h;
  h.rowCount = static_cast<std::size_t>(n);
  for (int p = 0; p < n; ++p) {
    DrawEntry e;
    e.issue = 2001001 + p;
    e.number = filler;
    h.entries.push_back(e);
  }
  for (auto [pos, number] : placed) h.entries[static_cast<std::size_t>(pos)].number = number;
  for (DrawEntry& e : h.entries) e.value = AttributeOf(kind, e.number);
  return h;
}

DrawHistory HitsAt(AttributeKind kind, int n, int filler, int number, const std::vector<int>& positions) {
  std::vector<std::pair<int, int>> placed;
  for (int p : positions) placed.emplace_back(p, number);
  return History(kind, n, filler, placed);
}

StatisticsRow Row(const std::vector<std::string>& cells) {
  StatisticsRow r;
  for (std::size_t i = 0; i < r.size() && i < cells.size(); ++i) r[i] = cells[i];
  return r;
}

// The table built by walking the history once per value, newest draw first,
// exactly as the windows were first written: the oracle for the one-pass build.
StatisticsTable LiteralTable(const DrawHistory& h, AttributeKind kind, StatisticsMode mode) {
  const int V = ValueCountOf(kind);
  const int d = 1;
  const long long N = static_cast<long long>(h.entries.size());
  StatisticsTable t;
  t.kind = kind;
  t.mode = mode;
  t.titles = ColumnTitles(kind, mode);
  for (int k = 1; k <= V; ++k) {
    StatisticsRow row;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2d", k);
    row[0] = kind == AttributeKind::Number ? buf : Names().Name(kind, k);
    row[1] = FormatOneDecimal(V, d);
    row[2] = FormatOneDecimal(N * d, V);
    for (int c = 3; c <= 7; ++c) row[static_cast<std::size_t>(c)] = "0";
    long long hits = 0, longest = 0, previous = N - 1;
    long long g[5] = {0, 0, 0, 0, 0};
    const double P = static_cast<double>(V) / d;
    for (long long p = N - 1; p >= 0; --p) {
      if (h.entries[static_cast<std::size_t>(p)].value != std::optional<int>(k)) continue;
      ++hits;
      if (mode == StatisticsMode::Skew) {
        if (hits == 1) {
          row[5] = std::to_string(N - 1 - p);
          row[6] = FormatOneDecimal((N - 1 - p) * d, V);
        }
      } else {
        if (hits <= 4) g[hits] = previous - p;
        long long spell = -1;
        if (hits == 3 && g[1] <= 1.5 * P && g[2] <= P && g[3] >= 3 * P) spell = g[3];
        if (hits == 4 && g[1] <= 1.5 * P && g[2] <= P && g[3] <= P && g[4] >= 3 * P) spell = g[4];
        if (spell >= 0) {
          row[5] = std::to_string(spell);
          row[6] = FormatOneDecimal(spell * d, V);
        }
      }
      const long long span = previous - p;
      if (span > longest) longest = span;
      previous = p;
    }
    row[4] = std::to_string(longest);
    row[3] = std::to_string(hits);
    const long long om = std::stoll(row[5]);
    row[7] = std::to_string(hits ? om * 100 * d * d * N / (1LL * V * V * hits) : 0) + "%";
    t.rows.push_back(row);
  }
  return t;
}

std::vector<std::string> Cells(const StatisticsTable& t, int c) {
  std::vector<std::string> out;
  for (const auto& r : t.rows) out.push_back(r[static_cast<std::size_t>(c)]);
  return out;
}

const StatisticsRow& RowOf(const StatisticsTable& t, const std::string& value) {
  for (const auto& r : t.rows)
    if (r[0] == value) return r;
  throw std::runtime_error("no row " + value);
}

}  // namespace

// ---- formats --------------------------------------------------------------

struct DecimalCase {
  std::int64_t num, den;
  const char* text;
};

class OneDecimal : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(OneDecimal, HalvesRoundAwayFromZero) {
  const DecimalCase c = GetParam();
  EXPECT_EQ(FormatOneDecimal(c.num, c.den), c.text) << c.num << "/" << c.den;
}

INSTANTIATE_TEST_SUITE_P(Cases, OneDecimal,
                         ::testing::Values(DecimalCase{1001, 4, "250.3"}, DecimalCase{3, 4, "0.8"},
                                           DecimalCase{9, 4, "2.3"}, DecimalCase{9, 36, "0.3"},
                                           DecimalCase{120, 36, "3.3"}, DecimalCase{1, 20, "0.1"},
                                           DecimalCase{1, 21, "0.0"}, DecimalCase{0, 36, "0.0"},
                                           DecimalCase{36, 1, "36.0"}, DecimalCase{20000, 36, "555.6"},
                                           DecimalCase{-3, 4, "-0.8"}));

TEST(ChaseValue, SixtyFourBitsAndNoDivisionByZero) {
  // 19999 · 100 · 20000 is far beyond 32 bits.
  EXPECT_EQ(ChaseValue(19999, 20000, 36, 1), 30862654);
  EXPECT_EQ(ChaseValue(120, 200, 36, 5), 370);  // 370.37 truncated
  EXPECT_EQ(ChaseValue(5, 100, 36, 0), 0);
}

// ---- the skew table -------------------------------------------------------

TEST(SkewTable, SeasonWorkedExample) {
  // N = 10, 春 at positions 1, 5 and 6; the other draws are 夏 (number 10).
  const DrawHistory h = HitsAt(AttributeKind::Season, 10, 10, 3, {1, 5, 6});
  const StatisticsTable t = BuildStatisticsTable(h, AttributeKind::Season, StatisticsMode::Skew, Names());
  ASSERT_EQ(t.rows.size(), 4u);
  EXPECT_EQ(t.titles[0], "待选季节");
  EXPECT_EQ(t.rows[0], Row({"春", "4.0", "2.5", "3", "4", "3", "0.8", "62%"}));
  // 夏 is drawn in the newest draw; 秋 and 冬 never.
  EXPECT_EQ(t.rows[1], Row({"夏", "4.0", "2.5", "7", "3", "0", "0.0", "0%"}));
  EXPECT_EQ(t.rows[2], Row({"秋", "4.0", "2.5", "0", "0", "0", "0", "0%"}));
}

TEST(SkewTable, ValueInTheNewestDrawHasNoOmission) {
  // 05 is drawn often and long ago, and once more in the newest draw.
  const DrawHistory h = HitsAt(AttributeKind::Number, 500, 2, 5, {0, 10, 40, 499});
  const StatisticsTable t = BuildStatisticsTable(h, AttributeKind::Number, StatisticsMode::Skew, Names());
  EXPECT_EQ(RowOf(t, "05"), Row({"05", "36.0", "13.9", "4", "459", "0", "0.0", "0%"}));
}

TEST(SkewTable, TheoreticalHitsRoundHalfAway) {
  const DrawHistory h = HitsAt(AttributeKind::Direction, 1001, 1, 2, {});
  const StatisticsTable t = BuildStatisticsTable(h, AttributeKind::Direction, StatisticsMode::Skew, Names());
  EXPECT_EQ(t.rows[0][kColTheoreticalHits], "250.3");
  EXPECT_EQ(t.rows[0][kColValue], "东");
}

TEST(SkewTable, LongOmissionNeedsSixtyFourBits) {
  const DrawHistory h = HitsAt(AttributeKind::Number, 20000, 2, 1, {0});
  const StatisticsTable t = BuildStatisticsTable(h, AttributeKind::Number, StatisticsMode::Skew, Names());
  EXPECT_EQ(t.rows[0], Row({"01", "36.0", "555.6", "1", "19999", "19999", "555.5", "30862654%"}));
}

TEST(SkewTable, NumbersOutsideTheRangeAreDrawsButNobodysHit) {
  // 0 and 37 were typed in; they lengthen the omissions but hit nothing.
  const DrawHistory h = History(AttributeKind::Number, 6, 0, {{1, 7}, {5, 37}});
  const StatisticsTable t = BuildStatisticsTable(h, AttributeKind::Number, StatisticsMode::Skew, Names());
  ASSERT_EQ(t.rows.size(), 36u);
  EXPECT_EQ(t.rows[6], Row({"07", "36.0", "0.2", "1", "4", "4", "0.1", "1%"}));
  for (const auto& r : t.rows)
    if (r[0] != "07") {
      EXPECT_EQ(r[kColActualHits], "0") << r[0];
    }
}

TEST(StatisticsTable, EmptyHistoryStillGivesEveryRow) {
  const DrawHistory empty;
  for (AttributeKind kind :
       {AttributeKind::Number, AttributeKind::Zodiac, AttributeKind::Season, AttributeKind::Direction}) {
    for (StatisticsMode mode : {StatisticsMode::Skew, StatisticsMode::Rebound}) {
      for (SortMode sort : {SortMode::None, SortMode::ChaseValue, SortMode::Omission, SortMode::ActualHits}) {
        const StatisticsTable t = AnalyseHistory(empty, kind, mode, sort, Names());
        ASSERT_EQ(static_cast<int>(t.rows.size()), ValueCountOf(kind));
        for (const auto& r : t.rows) {
          EXPECT_EQ(r[kColTheoreticalHits], "0.0");
          EXPECT_EQ(Row({r[0], r[1], "0.0", "0", "0", "0", "0", "0%"}), r);
        }
        const ChartSeriesData c = ChartFromTable(t);
        EXPECT_EQ(c.labels.size(), t.rows.size());
        EXPECT_EQ(c.values[0], std::vector<double>(t.rows.size(), 0.0));
      }
    }
  }
  EXPECT_EQ(AnalyseHistory(empty, AttributeKind::Zodiac, StatisticsMode::Skew, SortMode::None, Names()).rows[11][0],
            "猪");
}

TEST(StatisticsTable, OnePassMatchesTheWalkPerValue) {
  std::mt19937 rng(4);
  for (int round = 0; round < 40; ++round) {
    // Short histories give rebounds and never-drawn values; a few numbers
    // are out of range.
    const int n = static_cast<int>(rng() % 400);
    const auto kind = static_cast<AttributeKind>(rng() % 4);
    DrawHistory h;
    const int hot = 1 + static_cast<int>(rng() % 36);
    for (int p = 0; p < n; ++p) {
      DrawEntry e;
      e.issue = 2001001 + p;
      const unsigned r = rng() % 100;
      e.number = r < 2 ? 37 : r < 30 ? hot : 1 + static_cast<int>(rng() % 36);
      e.value = AttributeOf(kind, e.number);
      h.entries.push_back(e);
    }
    for (StatisticsMode mode : {StatisticsMode::Skew, StatisticsMode::Rebound}) {
      const StatisticsTable t = BuildStatisticsTable(h, kind, mode, Names());
      const StatisticsTable oracle = LiteralTable(h, kind, mode);
      ASSERT_EQ(t.rows, oracle.rows) << "round " << round << " mode " << int(mode);
      EXPECT_EQ(t.titles, oracle.titles);
    }
    // Hits and longest omission do not depend on the mode.
    const auto skew = BuildStatisticsTable(h, kind, StatisticsMode::Skew, Names());
    const auto rebound = BuildStatisticsTable(h, kind, StatisticsMode::Rebound, Names());
    EXPECT_EQ(Cells(skew, kColActualHits), Cells(rebound, kColActualHits));
    EXPECT_EQ(Cells(skew, kColLongestOmission), Cells(rebound, kColLongestOmission));
  }
}

// ---- the rebound table ----------------------------------------------------

struct ReboundCase {
  const char* name;
  AttributeKind kind;
  int number;                  // the value tested is the number's value
  std::vector<int> positions;  // its draws in a history of 200
  StatisticsRow expected;      // columns 3 to 7 matter; 0 to 2 are filled in
};

class ReboundTable : public ::testing::TestWithParam<ReboundCase> {};

TEST_P(ReboundTable, PreviousOmissionColdMultipleAndChase) {
  const ReboundCase& c = GetParam();
  const int filler = c.kind == AttributeKind::Number ? 2 : 14;  // 02, or 牛 / 夏 / 南
  const DrawHistory h = HitsAt(c.kind, 200, filler, c.number, c.positions);
  const StatisticsTable t = BuildStatisticsTable(h, c.kind, StatisticsMode::Rebound, Names());
  const int value = *AttributeOf(c.kind, c.number);
  const StatisticsRow& r = t.rows[static_cast<std::size_t>(value - 1)];
  for (int col = kColActualHits; col <= kColChaseValue; ++col)
    EXPECT_EQ(r[static_cast<std::size_t>(col)], c.expected[static_cast<std::size_t>(col)])
        << c.name << ", column " << col;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReboundTable,
    ::testing::Values(
        // g1 10, g2 20, g3 120, two older hits: the third-hit test finds 120.
        ReboundCase{"third hit",
                    AttributeKind::Number,
                    7,
                    {189, 169, 49, 20, 5},
                    Row({"", "", "", "5", "120", "120", "3.3", "370%"})},
        // g1 55 is not quick: nothing found.
        ReboundCase{
            "g1 55", AttributeKind::Number, 7, {144, 124, 4, 2, 1}, Row({"", "", "", "5", "120", "0", "0", "0%"})},
        // g1 54 is exactly 1.5 periods and still counts.
        ReboundCase{
            "g1 54", AttributeKind::Number, 7, {145, 125, 5}, Row({"", "", "", "3", "120", "120", "3.3", "617%"})},
        // Gaps 10, 20, 30, 110: the fourth-hit test finds 110.
        ReboundCase{"fourth hit",
                    AttributeKind::Number,
                    7,
                    {189, 169, 139, 29},
                    Row({"", "", "", "4", "110", "110", "3.1", "424%"})},
        // g3 108 exactly is cold enough; 107 is not.
        ReboundCase{
            "g3 108", AttributeKind::Number, 7, {189, 169, 61}, Row({"", "", "", "3", "108", "108", "3.0", "555%"})},
        ReboundCase{"g3 107", AttributeKind::Number, 7, {189, 169, 62}, Row({"", "", "", "3", "107", "0", "0", "0%"})},
        // g2 36 exactly is still quick; 37 is not.
        ReboundCase{
            "g2 36", AttributeKind::Number, 7, {189, 153, 45}, Row({"", "", "", "3", "108", "108", "3.0", "555%"})},
        ReboundCase{"g2 37", AttributeKind::Number, 7, {189, 152, 44}, Row({"", "", "", "3", "108", "0", "0", "0%"})},
        // Two draws are no rebound however cold the stretch before them.
        ReboundCase{"two hits", AttributeKind::Number, 7, {199, 190}, Row({"", "", "", "2", "9", "0", "0", "0%"})},
        // Zodiac thresholds are 18, 12 and 36: 鼠 (numbers 1, 13, 25).
        ReboundCase{"zodiac 36",
                    AttributeKind::Zodiac,
                    13,
                    {181, 169, 133},
                    Row({"", "", "", "3", "36", "36", "3.0", "1666%"})},
        ReboundCase{
            "zodiac 35", AttributeKind::Zodiac, 13, {181, 169, 134}, Row({"", "", "", "3", "35", "0", "0", "0%"})}),
    [](const auto& info) {
      std::string n = info.param.name;
      for (char& ch : n)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return n;
    });

// ---- sorts ----------------------------------------------------------------

struct SortCase {
  const char* name;
  SortMode mode;
  int column;
  std::vector<std::string> keys;      // for values 01, 02, ... in that column
  std::vector<std::string> expected;  // column 0 after sorting
};

class ExchangeSort : public ::testing::TestWithParam<SortCase> {};

TEST_P(ExchangeSort, OrderOfEqualKeysIsTheExchangeSorts) {
  const SortCase& c = GetParam();
  StatisticsTable t;
  for (std::size_t i = 0; i < c.keys.size(); ++i) {
    char label[16];
    std::snprintf(label, sizeof label, "%.2d", static_cast<int>(i) + 1);
    StatisticsRow r = Row({label, "36.0", "1.0", "0", "0", "0", "0", "0%"});
    r[static_cast<std::size_t>(c.column)] = c.keys[i];
    t.rows.push_back(r);
  }
  SortStatisticsTable(t, c.mode);
  EXPECT_EQ(Cells(t, kColValue), c.expected) << c.name;
  // Whole rows move: the key stays with its value.
  for (const auto& r : t.rows)
    EXPECT_EQ(r[static_cast<std::size_t>(c.column)], c.keys[static_cast<std::size_t>(std::stoi(r[0]) - 1)]);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExchangeSort,
    ::testing::Values(
        // A stable sort would give 04, 02, 03, 01.
        SortCase{"omission", SortMode::Omission, kColOmission, {"1", "2", "2", "3"}, {"04", "03", "02", "01"}},
        SortCase{"hits", SortMode::ActualHits, kColActualHits, {"3", "2", "2", "1"}, {"04", "03", "02", "01"}},
        // Numbers, not texts: "5%" would sort above "20%" as text.
        SortCase{"chase", SortMode::ChaseValue, kColChaseValue, {"5%", "100%", "20%", "0%"}, {"02", "03", "01", "04"}},
        SortCase{
            "omission digits", SortMode::Omission, kColOmission, {"9", "10", "120", "0"}, {"03", "02", "01", "04"}},
        SortCase{
            "hits ascending", SortMode::ActualHits, kColActualHits, {"80", "9", "100", "76"}, {"02", "04", "01", "03"}},
        // Equal keys are never exchanged.
        SortCase{"equal omissions stay", SortMode::Omission, kColOmission, {"2", "2", "1"}, {"01", "02", "03"}},
        SortCase{"equal hits stay", SortMode::ActualHits, kColActualHits, {"1", "1", "2"}, {"01", "02", "03"}},
        SortCase{"none", SortMode::None, kColOmission, {"1", "3", "2"}, {"01", "02", "03"}}),
    [](const auto& info) {
      std::string n = info.param.name;
      for (char& ch : n)
        if (ch == ' ') ch = '_';
      return n;
    });

TEST(ExchangeSort, ReboundsFirstByTheirSpell) {
  // 07 has spell 120, 09 spell 108; every other value is 0.
  const DrawHistory h =
      History(AttributeKind::Number, 200, 2, {{189, 7}, {169, 7}, {49, 7}, {190, 9}, {170, 9}, {62, 9}, {195, 2}});
  const StatisticsTable t =
      AnalyseHistory(h, AttributeKind::Number, StatisticsMode::Rebound, SortMode::Omission, Names());
  EXPECT_EQ(t.rows[0][kColValue], "07");
  EXPECT_EQ(t.rows[1][kColValue], "09");
  EXPECT_EQ(t.rows[2][kColOmission], "0");
}

TEST(Chart, SeriesReadBackFromTheTexts) {
  const DrawHistory h = HitsAt(AttributeKind::Season, 10, 10, 3, {1, 5, 6});
  const StatisticsTable t = BuildStatisticsTable(h, AttributeKind::Season, StatisticsMode::Skew, Names());
  const ChartSeriesData c = ChartFromTable(t);
  EXPECT_EQ(c.labels, (std::vector<std::string>{"春", "夏", "秋", "冬"}));
  EXPECT_EQ(c.values[0], (std::vector<double>{62, 0, 0, 0}));  // chase value without "%"
  EXPECT_EQ(c.values[1], (std::vector<double>{3, 0, 0, 0}));
  EXPECT_EQ(c.values[2], (std::vector<double>{3, 7, 0, 0}));
  EXPECT_EQ(c.values[3], (std::vector<double>{4, 3, 0, 0}));
  EXPECT_EQ(SeriesTitles(StatisticsMode::Skew)[1], "目前遗漏");
  EXPECT_EQ(SeriesTitles(StatisticsMode::Rebound)[1], "前次遗漏");
}
