#pragma once
// The machinery under the back-test, shared by 分析 and the settings search:
// plans kept per carried loss, the hit tables that replace the draw-by-draw
// scans, and the walk itself. Not for use outside mode/.

#include <climits>
#include <deque>
#include <unordered_map>

#include "mode/backtest.h"

namespace tavrin::mode::detail {

__extension__ using Wide = __int128;

// The plan for one carried loss, as long as the longest plan asked for. A
// plan of length L is the first L periods of a longer one, so one node
// serves every plan length.
struct PlanNode {
  std::vector<PlanRow> rows;
  std::vector<std::int32_t> usable;  // usable[L] for L = 0..rows.size()
  int failAt = INT_MAX;              // period of the failure
  PlanFailure failure = PlanFailure::None;
  // The node carried into the next run after a loss with plan length L, and
  // after a win in period k with a negative net; -1 until first needed.
  std::vector<std::int32_t> afterLoss, afterWin;
};

// The plans of one back-test or one search thread, built when a carried loss
// first occurs and reused while it recurs. Not shared between threads. When
// the rows kept pass the budget, every plan but the one without carried
// loss is dropped: long plans whose carried loss changes at every run would
// otherwise keep a plan per run.
inline constexpr std::size_t kPlanCacheRows = std::size_t{1} << 18;

class PlanCache {
 public:
  PlanCache(const ModeInputs& in, int length, std::size_t budgetRows = kPlanCacheRows);
  std::int32_t root() const { return 0; }
  const PlanNode& at(std::int32_t node) const { return nodes_[static_cast<std::size_t>(node)]; }
  std::int32_t afterLoss(std::int32_t node, int planLength);
  std::int32_t afterWin(std::int32_t node, int period);
  // The plan for a carried loss. May drop every other plan (see above), so
  // a node taken before is gone unless it is the root.
  std::int32_t nodeFor(Money carried);

 private:
  void build(PlanNode& node, Money carried) const;
  // The node `from` links to after a carried loss, remembered when the
  // cache kept it.
  std::int32_t follow(std::int32_t from, std::vector<std::int32_t> PlanNode::*links, std::size_t at, Money carried);

  Wide unit_, prize_, a_, factor_, offset_;
  Money stakeLimit_, outlayLimit_;
  int length_;
  std::size_t budgetRows_;
  std::size_t rows_ = 0;
  std::uint64_t drops_ = 0;
  std::deque<PlanNode> nodes_;
  std::unordered_map<Money, std::int32_t> byCarried_;
};

// First hit index j >= i + count whose run of observed gaps (each at least
// the interval) is count long: table[i + count]; hitCount + 1 when none.
std::vector<std::int32_t> ObservationTable(const MarkIndex& marks, int interval, int count);
// First hit index j >= i after which `wait` draws pass without a hit:
// table[i]; hitCount + 1 when none.
std::vector<std::int32_t> WaitTable(const MarkIndex& marks, int wait);

// Where the observation and the waiting of a run end, found in the tables:
// O(1) a run, for the search, which runs many back-tests over one history.
class TableFinder {
 public:
  TableFinder(const MarkIndex& marks, const std::int32_t* observe, const std::int32_t* waiting)
      : n_(marks.hitCount()), observe_(observe), waiting_(waiting) {}
  // The hit that completes `count` observed gaps after hit i; > n when none.
  std::int64_t observed(std::int64_t i, int count) const {
    const std::int64_t from = i + count;
    return from > n_ ? n_ + 1 : observe_[from];
  }
  // The first hit j >= i followed by the waiting draws; > n when none.
  std::int64_t waited(std::int64_t i) const { return waiting_[i]; }

 private:
  std::int64_t n_;
  const std::int32_t* observe_;
  const std::int32_t* waiting_;
};

// The same by walking the hit list. A back-test only moves forward, so one
// back-test walks the list once: cheaper than building tables for it.
class ScanFinder {
 public:
  ScanFinder(const MarkIndex& marks, int interval, int wait)
      : n_(marks.hitCount()), P_(marks.positions()), interval_(interval), wait_(wait) {}
  std::int64_t observed(std::int64_t i, int count) const {
    std::int64_t run = 0;
    for (std::int64_t j = i + 1; j <= n_; ++j) {
      run = P_[j] - P_[j - 1] >= interval_ ? run + 1 : 0;
      if (run >= count) return j;
    }
    return n_ + 1;
  }
  std::int64_t waited(std::int64_t i) const {
    for (std::int64_t j = i; j <= n_; ++j)
      if (static_cast<std::int64_t>(P_[j + 1]) - P_[j] > wait_) return j;
    return n_ + 1;
  }

 private:
  std::int64_t n_;
  const std::int32_t* P_;
  int interval_;
  int wait_;
};

struct WalkSetup {
  int planLength;
  int count;
  int wait;
  bool carriedLoss;
};

struct WalkTotals {
  Money total = 0;
  PlanFailure failure = PlanFailure::None;
  bool rowsKept = false;
};

// The back-test over the hits the finder gives. onRow(row, cutShort) sees
// every kept row in order.
template <class Finder, class OnRow>
WalkTotals Walk(const MarkIndex& marks, PlanCache& plans, const Finder& find, const WalkSetup& s, OnRow&& onRow) {
  WalkTotals out;
  const std::int32_t* P = marks.positions();
  const std::int64_t n = marks.hitCount();
  const std::int64_t N = marks.drawCount();
  const int L = s.planLength;
  Wide all = 0, kept = 0;  // the plain sum, and the sum the carried-loss rule keeps
  std::int64_t i = 0;      // the last hit looked at; 0 is the start
  bool observe = s.count > 0;
  std::int32_t node = plans.root();
  while (N > 0) {
    const PlanNode& plan = plans.at(node);
    if (plan.failAt <= L) {
      out.failure = plan.failure;
      break;
    }
    const std::int64_t usable = plan.usable[static_cast<std::size_t>(L)];
    if (observe) {
      i = find.observed(i, s.count);
      if (i > n) break;
    }
    const std::int64_t j = find.waited(i);
    if (j > n) break;
    const std::int64_t last = static_cast<std::int64_t>(P[j]) + s.wait;
    if (last >= N) break;  // no draw left to bet on
    const std::int64_t k = P[j + 1] - last;
    std::int32_t next = plans.root();
    if (k <= usable) {
      if (j + 1 > n) break;  // the history ends while the run could go on
      const PlanRow& r = plan.rows[static_cast<std::size_t>(k - 1)];
      onRow(r, false);
      out.rowsKept = true;
      all += r.net;
      if (r.net >= 0) kept += r.net;
      if (s.carriedLoss && r.net < 0) next = plans.afterWin(node, static_cast<int>(k));
      observe = s.count > 0;
    } else {
      PlanRow r = plan.rows[static_cast<std::size_t>(usable - 1)];
      r.net = -r.total;
      const bool cut = L > usable;
      onRow(r, cut);
      out.rowsKept = true;
      all += r.net;
      if (r.net >= 0 || cut) kept += r.net;
      if (s.carriedLoss && r.net < 0 && !cut) next = plans.afterLoss(node, L);
      observe = false;  // the observation stays complete: wait after the next hit
      if (j + 1 > n) break;
    }
    i = j + 1;
    if (P[i] >= N) break;
    node = next;
  }
  const Wide sum = (out.failure == PlanFailure::None && s.carriedLoss) ? kept : all;
  constexpr Wide kMax = INT64_MAX;
  constexpr Wide kMin = INT64_MIN;
  out.total = static_cast<Money>(sum > kMax ? kMax : (sum < kMin ? kMin : sum));
  return out;
}

}  // namespace tavrin::mode::detail
