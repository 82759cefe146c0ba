#pragma once
// The affinity selection: for a target draw, take the value v of the draw
// before it, walk back through the earlier draws of v, count how often each
// value was drawn in the stretch those draws delimit, and bet on the values
// counted most often. Back-tested over every draw of the history.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/selection_frame.h"

namespace tavrin::analysis {

inline constexpr const char* kTabcodeTitle = "各亲密数字总次数";
inline constexpr const char* kAllStagesText = "全部期数";

struct AffinitySettings {
  AttributeKind kind = AttributeKind::Number;
  int stages = 7;  // S: 0 for "全部期数", a look-back without limit
  int picks = 2;   // K, 1..V
};

// The message for settings the window refuses, or nothing when they are fine.
std::optional<std::string> AffinitySettingsError(const AffinitySettings& settings);

// The items of comselnum ("1" .. "20" for numbers, else "1" .. V) and of
// comjieduanqi ("全部期数", then "1" .. N): item index S is stage count S.
std::vector<std::string> AffinityPickItems(AttributeKind kind);
std::vector<std::string> StageItems(std::size_t drawCount);

struct AffinityTotal {
  int value = 0;
  int total = 0;

  bool operator==(const AffinityTotal&) const = default;
};

// The values 1..V ranked by the exchange sort of the window, descending by
// total; totals[x - 1] is the total of value x. Not stable on purpose:
// totals 0, 1, 1, 0 rank 2, 3, 1, 4.
std::vector<AffinityTotal> RankTotals(std::span<const int> totals);

// The text of tabcode: the title, then "value:total次 " per ranked entry.
std::string TabcodeText(std::span<const AffinityTotal> ranking);

struct AffinityProposal {
  std::vector<AffinityTotal> ranking;  // every value, in rank order; empty at target 0
  std::vector<int> chosen;             // ascending
  std::string betList;
  std::string text;  // edtcurcode
  std::string tabcode;

  bool operator==(const AffinityProposal&) const = default;
};

// The proposal for target index 0..N (N: the draw after the newest). The
// target 0 has no draw before it and proposes nothing. Throws
// std::invalid_argument for refused settings or a target out of range;
// nothing is proposed for a history without draws.
std::optional<AffinityProposal> ProposeAffinity(const DrawHistory& history, const AffinitySettings& settings,
                                                std::size_t target, const AttributeTables& names);

// 历史统计: every row, the tally, the summary over rows 1.., and both charts,
// the upper one from row S + 1. The history is the one loaded for
// settings.kind.
SelectionHistory AffinityHistory(const DrawHistory& history, const AffinitySettings& settings,
                                 const AttributeTables& names);

// What the command-line tool prints: the title row, one line per draw, the
// summary, the proposal text and the tabcode text (both empty without draws).
std::vector<std::string> AffinityReport(const DrawHistory& history, const AffinitySettings& settings,
                                        std::size_t target, const AttributeTables& names);

}  // namespace tavrin::analysis
