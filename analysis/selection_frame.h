#pragma once
// What the interval rebound and affinity windows share: the history grid of
// four texts per draw, the hit tally, the summary line, the two bar charts
// and the proposal text. Each rule fills in the bet list and the hits of its
// rows; everything the user reads is assembled here, so the windows and the
// command-line tool show the same texts.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "trend/attributes.h"
#include "trend/draw_history.h"

namespace tavrin::analysis {

// Values per draw: one number per draw, so a proposal hits 0 or 1 times.
inline constexpr int kValuesPerDraw = 1;

inline constexpr std::array<const char*, 4> kSelectionTitles = {"记录期号", "开奖号码", "投注号码", "中奖个数"};
inline constexpr const char* kHitChartSeriesTitle = "中奖个数";
inline constexpr const char* kTallyChartSeriesTitle = "各中奖号码数出现次数";
inline constexpr const char* kProposalSeparator = "期推荐投注号码：";

// The four cells of a history row: issue, drawn value, bet list, hits.
using SelectionRow = std::array<std::string, 4>;

// One bar series: a label and a value per bar, in the order drawn.
struct BarData {
  std::vector<std::string> labels;
  std::vector<int> values;

  bool operator==(const BarData&) const = default;
};

// The result of 历史统计.
struct SelectionHistory {
  std::vector<SelectionRow> rows;               // one per draw, oldest first
  std::array<int, kValuesPerDraw + 1> tally{};  // rows with 0 and 1 hits
  std::string summary;                          // the line of mem
  std::size_t firstPlottedRow = 0;              // row of hitChart's first bar
  BarData hitChart;                             // chthistory
  BarData tallyChart;                           // chtcishu: bars "0" and "1"

  bool operator==(const SelectionHistory&) const = default;
};

// A value in a bet list: "%.2d" and one space for numbers ("05 "), the bare
// name for the groupings, so that names run together ("春秋").
std::string BetListText(AttributeKind kind, std::span<const int> values, const AttributeTables& names);

// The drawn-value cell: the number as a plain decimal ("5"), or the name of
// its value. A number outside 1..36 has no value and shows bare ("37").
std::string DrawnValueText(AttributeKind kind, const DrawEntry& entry, const AttributeTables& names);

// The items of comcurqi: every issue, oldest first, then the newest issue
// plus 1; none for a history without draws. The increment is taken in 64
// bits, so the largest issue does not wrap round to a negative one.
std::vector<std::string> TargetItems(const DrawHistory& history);

// Item `target` of comcurqi (0 ≤ target ≤ N, N ≥ 1).
std::string TargetItemText(const DrawHistory& history, std::size_t target);

// The text of edtcurcode: the target's item, "期推荐投注号码：", the bet list.
std::string ProposalText(const std::string& targetItem, const std::string& betList);

// The line of mem. Its figures are max and min of the hits over the rows that
// count; with no such row both read 0.
std::string SummaryText(std::span<const int> countedHits);

// "1" .. "last", the items of the count combos.
std::vector<std::string> CountItems(int last);

// A grid row, or the title row, as one line with tab-separated cells.
std::string TitleLine();
std::string RowLine(const SelectionRow& row);

// How the two windows differ in the shared frame.
struct FrameShape {
  bool rowZeroShowsHits = true;      // hits cell of row 0: "0", or empty
  bool summaryCountsRowZero = true;  // summary over rows 0.., or 1..
  std::size_t firstPlottedRow = 0;   // chthistory starts at this row
};

// Assembles the frame from a rule's bet lists and hits, one per draw (entry
// 0 is row 0's, which has no bet and is left out of the tally).
SelectionHistory AssembleSelectionHistory(const DrawHistory& history, AttributeKind kind, const AttributeTables& names,
                                          const FrameShape& shape, std::vector<std::string> betLists,
                                          const std::vector<int>& hits);

}  // namespace tavrin::analysis
