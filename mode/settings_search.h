#pragma once
// The settings search (搜索): every observation count (interval mode only),
// waiting draws and plan length of the window's lists, a quiet back-test for
// each, and the first combination with the highest total. It runs on the
// caller's thread and spreads the back-tests over more threads; the choice
// and every figure are those of trying the combinations one by one in order.

#include <atomic>
#include <functional>
#include <optional>
#include <span>

#include "mode/backtest.h"
#include "mode/mode_settings.h"

namespace tavrin::mode {

// Only a total above this ever becomes the best.
inline constexpr Money kSearchFloor = -10000000;

// How many leading items of each list are tried; the window tries them all.
struct SearchSpace {
  int counts = kCountList.count;  // comsepnum, in interval mode
  int waits = kWaitList.count;    // comtozisep
  int plans = kPlanList.count;    // comtozirep
};

// The number of combinations, which is pb's maximum: 25500 in interval mode,
// 2550 without.
int SearchSize(const ModeSettings& s, const SearchSpace& space = {});

// One combination tried, in the order of the search.
struct SearchStep {
  int step = 0;  // 1..SearchSize
  int countIndex = 0;
  int waitIndex = 0;
  int planIndex = 0;
  Money total = 0;
};

struct SearchOptions {
  unsigned threads = 0;  // 0: every core
  // Checked before every combination; a stopped search still applies the
  // best combination found so far.
  const std::atomic<bool>* stop = nullptr;
  // Called on the caller's thread for each combination, in order. A window
  // passes the figures on to its own thread and shows some of them.
  std::function<void(const SearchStep&)> progress;
  SearchSpace space;
};

struct SearchResult {
  // The items chosen: (0, 0, 0) when no total rose above kSearchFloor.
  int countIndex = 0;
  int waitIndex = 0;
  int planIndex = 0;
  std::optional<Money> bestTotal;  // none when no total rose above kSearchFloor
  int steps = 0;                   // combinations tried
  bool stopped = false;
  // The settings with the chosen items selected and 总体赢余 filled in, and
  // the back-test of the choice as 分析 shows it.
  ModeSettings settings;
  BacktestResult backtest;
};

// Reads the settings it does not vary once, as ReadInputs does (and throws
// as it does); throws ModeRefused(kGenerateCodesFirst) without marks.
SearchResult SearchSettings(const ModeSettings& s, std::span<const DrawMark> marks, const SearchOptions& options = {});

}  // namespace tavrin::mode
