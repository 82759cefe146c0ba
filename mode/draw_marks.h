#pragma once
// The draw marks of the investment mode: for every draw, whether the code
// list hit it and how many draws have passed since the last hit; their grid
// grdsep and the interval run statistics of grdsepmode.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "mode/bet_codes.h"
#include "trend/draw_history.h"

namespace tavrin::mode {

struct DrawMark {
  std::int64_t issue = 0;
  // 0 for a hit, else the draws since the last hit counting this one (the
  // first draws before any hit count from the start: 1, 2, ..).
  std::int64_t mark = 0;
  bool hit() const { return mark == 0; }
  bool operator==(const DrawMark&) const = default;
};

// The marks of the history's draws, oldest first, tested against the codes
// with the bet form. Throws ModeRefused for a group form, and the history's
// own conversion error when it was not loaded whole.
std::vector<DrawMark> BuildMarks(const DrawHistory& history, const std::vector<BetCode>& codes, int form);

// The marks of a hit pattern, for callers that know the hits already.
std::vector<DrawMark> MarksOfHits(const std::vector<bool>& hits, std::int64_t firstIssue = 1);

// grdsep: titles "记录期号", "中奖间隔"; a row shows the issue and "●" for a
// hit or the mark.
inline constexpr std::array<const char*, 2> kMarkTitles{"记录期号", "中奖间隔"};
inline constexpr const char* kHitSign = "●";
std::string MarkText(const DrawMark& m);

// grdsepmode: one row per (interval m, run length c) that occurred: how many
// times a stretch of exactly c gaps of at least m draws between hits was
// ended by a shorter gap. The draws after the last hit count as the gap the
// next draw would close.
struct IntervalRun {
  std::int64_t interval = 0;
  std::int64_t length = 0;
  std::int64_t times = 0;
  bool operator==(const IntervalRun&) const = default;
};
inline constexpr std::array<const char*, 3> kIntervalRunTitles{"间隔", "连续", "次数"};

// The gaps between hits (the first from the start), and the open tail when
// the last draw is not a hit; empty when there is no hit.
std::vector<std::int64_t> HitGaps(std::span<const DrawMark> marks);

// The rows ordered by interval, then run length; nothing when no draw is a
// hit, in which case the window leaves grdsepmode as it was.
std::optional<std::vector<IntervalRun>> IntervalRunStatistics(std::span<const DrawMark> marks);

}  // namespace tavrin::mode
