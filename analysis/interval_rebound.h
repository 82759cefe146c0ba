#pragma once
// The interval rebound selection: for a target draw, tally how often each
// interval 1..I separated a drawn value from its previous draw among the
// draws just before the target, order the intervals from the least to the
// most frequent, and bet on the values whose current gap equals the least
// frequent intervals. Back-tested over every draw of the history.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/selection_frame.h"

namespace tavrin::analysis {

inline constexpr int kMaxIntervalCount = 20;

struct IntervalSettings {
  AttributeKind kind = AttributeKind::Number;
  int intervals = 5;  // I, 1..20
  int picks = 2;      // K, 1..V
};

// The message for settings the window refuses, or nothing when they are fine.
std::optional<std::string> IntervalSettingsError(const IntervalSettings& settings);

// The items of comqishu ("1" .. "20") and of comcodenum ("1" .. V).
std::vector<std::string> IntervalCountItems();
std::vector<std::string> IntervalPickItems(AttributeKind kind);

// The intervals 1..I ordered by the exchange sort of the window, ascending by
// count; counts[i - 1] is the count of interval i. Not stable on purpose:
// counts 1, 1, 0 give 3, 2, 1.
std::vector<int> OrderIntervals(std::span<const int> counts);

struct IntervalProposal {
  std::vector<int> counts;  // of intervals 1..I
  std::vector<int> order;   // the intervals, least frequent first
  std::vector<int> chosen;  // values in bet-list order
  std::string betList;
  std::string text;  // edtcurcode

  bool operator==(const IntervalProposal&) const = default;
};

// The proposal for target index 0..N (N: the draw after the newest). Throws
// std::invalid_argument for refused settings or a target out of range;
// nothing is proposed for a history without draws.
std::optional<IntervalProposal> ProposeInterval(const DrawHistory& history, const IntervalSettings& settings,
                                                std::size_t target, const AttributeTables& names);

// 历史统计: every row, the tally, the summary and both charts. The history
// is the one loaded for settings.kind.
SelectionHistory IntervalHistory(const DrawHistory& history, const IntervalSettings& settings,
                                 const AttributeTables& names);

// What the command-line tool prints: the title row, one line per draw, the
// summary and the proposal text (empty without draws).
std::vector<std::string> IntervalReport(const DrawHistory& history, const IntervalSettings& settings,
                                        std::size_t target, const AttributeTables& names);

}  // namespace tavrin::analysis
