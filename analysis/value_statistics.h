#pragma once
// The per-value statistics of the skew and rebound analyses: an eight-column
// table of texts, exactly as the windows show it, its three sorts, and the
// four chart series read back from the texts.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "trend/attributes.h"
#include "trend/draw_history.h"

namespace tavrin::analysis {

// Skew rates a value by its current omission; rebound by the cold spell that
// preceded two or three quick returns.
enum class StatisticsMode { Skew, Rebound };

// The sort buttons: 0 none (value order), 1 by chase value, 2 by current (or
// previous) omission, 3 by actual hits.
enum class SortMode { None = 0, ChaseValue = 1, Omission = 2, ActualHits = 3 };

inline constexpr int kColumnCount = 8;

// Column indexes of the table.
enum Column : int {
  kColValue = 0,
  kColPeriod = 1,
  kColTheoreticalHits = 2,
  kColActualHits = 3,
  kColLongestOmission = 4,
  kColOmission = 5,
  kColColdMultiple = 6,
  kColChaseValue = 7,
};

using StatisticsRow = std::array<std::string, kColumnCount>;

struct StatisticsTable {
  AttributeKind kind = AttributeKind::Number;
  StatisticsMode mode = StatisticsMode::Skew;
  std::array<std::string, kColumnCount> titles;
  std::vector<StatisticsRow> rows;  // one per value, in the order shown
};

// "%.1f" of num / den, a half rounded away from zero (9/4 → "2.3"), computed
// exactly in integers so that no binary fraction tips a half the wrong way.
// den must not be 0.
std::string FormatOneDecimal(std::int64_t num, std::int64_t den);

// The chase value (om · 100 · d² · N) div (V² · hits) in 64 bits; 0 for a
// value never drawn, whose quotient would divide by zero.
std::int64_t ChaseValue(std::int64_t omission, std::int64_t drawCount, int valueCount, std::int64_t hits);

// The titles of the eight columns for a grouping and mode.
std::array<std::string, kColumnCount> ColumnTitles(AttributeKind kind, StatisticsMode mode);

// The table for every value 1..ValueCountOf(kind) over history (oldest
// first), in value order. Draws without a value under the grouping (numbers
// outside 1..36) count as draws but as nobody's hit. names gives the names
// of the zodiac signs, seasons and directions.
StatisticsTable BuildStatisticsTable(const DrawHistory& history, AttributeKind kind, StatisticsMode mode,
                                     const AttributeTables& names);

// Reorders the rows by the exchange sort of the windows: for each position i,
// for each later j, the two rows change places when the condition holds.
// Not stable on purpose: users compare the order with earlier runs.
void SortStatisticsTable(StatisticsTable& table, SortMode mode);

// BuildStatisticsTable followed by SortStatisticsTable.
StatisticsTable AnalyseHistory(const DrawHistory& history, AttributeKind kind, StatisticsMode mode, SortMode sort,
                               const AttributeTables& names);

// The four chart series, read back from the table texts in row order:
// 0 chase value, 1 current (previous) omission, 2 actual hits, 3 longest
// omission; labels are the column-0 texts.
struct ChartSeriesData {
  std::vector<std::string> labels;
  std::array<std::vector<double>, 4> values;
};
ChartSeriesData ChartFromTable(const StatisticsTable& table);

// The legend titles of the four series.
std::array<std::string, 4> SeriesTitles(StatisticsMode mode);

}  // namespace tavrin::analysis
