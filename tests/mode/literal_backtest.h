#pragma once
// The back-test and the settings search written the plain way, step by step
// as the mode is explained to users: the plan rebuilt for every run with the
// multiple found by trying 1, 2, 3, .., the history walked draw by draw, and
// every combination of the search tried in turn, one after the other. Slow
// on purpose; the fast code must give exactly what this gives.

#include <string>
#include <vector>

#include "mode/backtest.h"
#include "mode/settings_search.h"

namespace tavrin::mode::literal {

__extension__ using Wide = __int128;

struct Plan {
  std::vector<PlanRow> rows;  // L rows, zero until filled
  int usable = 0;
  PlanFailure failure = PlanFailure::None;
};

inline bool Fits(Wide v) { return v >= INT64_MIN && v <= INT64_MAX; }

inline Plan BuildPlan(const ModeInputs& in, Money carried) {
  Plan p;
  p.rows.assign(static_cast<std::size_t>(in.planLength), PlanRow{});
  Wide cum = carried;
  for (int j = 1; j <= in.planLength; ++j) {
    PlanRow& row = p.rows[static_cast<std::size_t>(j - 1)];
    bool found = false;
    for (Money m = 1; m <= kMaxMultiplier; ++m) {
      const Wide stake = Wide{m} * in.unitCost;
      const Wide total = cum + stake;
      const Wide prize = Wide{m} * in.prize;
      const Wide net = prize - total;
      const Wide rate = net * 100 / total;
      if (rate >= in.rate) {
        if (!Fits(stake) || !Fits(total) || !Fits(prize) || !Fits(net) || !Fits(rate)) {
          p.failure = PlanFailure::Range;
          return p;
        }
        row = {j,
               m,
               static_cast<Money>(stake),
               static_cast<Money>(total),
               static_cast<Money>(prize),
               static_cast<Money>(net),
               static_cast<Money>(rate)};
        cum += stake;
        found = true;
        break;
      }
    }
    if (row.stake <= in.stakeLimit && row.total <= in.outlayLimit) p.usable = j;
    if (p.usable == 0) {
      p.failure = PlanFailure::Limits;
      return p;
    }
    if (!found) {
      p.failure = PlanFailure::Multiplier;
      return p;
    }
  }
  return p;
}

inline BacktestResult Backtest(const ModeInputs& in, const std::vector<DrawMark>& marks) {
  const auto N = static_cast<std::int64_t>(marks.size());
  const auto hit = [&](std::int64_t t) { return t >= 1 && t <= N && marks[static_cast<std::size_t>(t - 1)].hit(); };
  BacktestResult out;
  std::vector<RunRow>& rows = out.rows;
  std::int64_t pos = 1, last = 0, obs = 0;
  bool failed = false;
  while (pos <= N) {
    Money carried = 0;
    if (in.carriedLoss && !rows.empty() && rows.back().row.net < 0 && !rows.back().cutShort)
      carried = -rows.back().row.net;
    const Plan plan = literal::BuildPlan(in, carried);
    if (plan.failure != PlanFailure::None) {
      failed = true;
      out.failure = plan.failure;
      break;
    }
    bool ended = false;
    while (obs < in.count) {
      std::int64_t t = pos;
      while (t <= N && !hit(t)) ++t;
      if (t > N) {
        ended = true;
        break;
      }
      obs = (t - last >= in.interval) ? obs + 1 : 0;
      last = t;
      pos = t + 1;
    }
    if (ended || pos > N) break;
    for (std::int64_t k = 1; k <= in.wait;) {
      if (last + k > N) {
        ended = true;
        break;
      }
      if (hit(last + k)) {
        last += k;
        k = 1;
        continue;
      }
      ++k;
    }
    if (ended) break;
    last += in.wait;
    pos = last + 1;
    if (pos > N) break;
    std::int64_t k = 1;
    while (last + k <= N && !hit(last + k)) ++k;
    if (k <= plan.usable) {
      if (last + k > N) break;
      rows.push_back({plan.rows[static_cast<std::size_t>(k - 1)], false});
      last += k;
      pos = last + 1;
      obs = 0;
    } else {
      PlanRow r = plan.rows[static_cast<std::size_t>(plan.usable - 1)];
      r.net = -r.total;
      rows.push_back({r, in.planLength > plan.usable});
      last += k;
      pos = last + 1;
    }
    if (last >= N) break;
  }
  Wide sum = 0;
  for (const RunRow& r : rows)
    if (failed || !in.carriedLoss || r.row.net >= 0 || r.cutShort) sum += r.row.net;
  out.total = static_cast<Money>(sum > INT64_MAX ? INT64_MAX : (sum < INT64_MIN ? INT64_MIN : sum));
  switch (out.failure) {
    case PlanFailure::None:
      break;
    case PlanFailure::Limits:
      if (!rows.empty()) out.message = "第一天投入已经超出中奖金额，无法投注！";
      break;
    case PlanFailure::Multiplier:
      out.message = "所需倍数太大，无法投注！";
      break;
    case PlanFailure::Range:
      out.message = "数值太大，超出计算范围！";
      break;
  }
  return out;
}

struct Choice {
  int countIndex = 0, waitIndex = 0, planIndex = 0;
  std::optional<Money> bestTotal;
  int steps = 0;
  BacktestResult backtest;
};

// The search over the first `steps` combinations (all by default).
inline Choice Search(const ModeInputs& base, bool intervalMode, const std::vector<DrawMark>& marks,
                     const SearchSpace& space = {}, int steps = -1) {
  Choice c;
  Money best = kSearchFloor;
  const int counts = intervalMode ? space.counts : 1;
  for (int a = 0; a < counts; ++a)
    for (int b = 0; b < space.waits; ++b)
      for (int p = 0; p < space.plans; ++p) {
        if (steps >= 0 && c.steps == steps) goto done;
        ModeInputs in = base;
        in.count = intervalMode ? a + 1 : 1;
        in.wait = b;
        in.planLength = p + 1;
        const Money v = Backtest(in, marks).total;
        ++c.steps;
        if (v > best) {
          best = v;
          c.bestTotal = v;
          c.countIndex = a;
          c.waitIndex = b;
          c.planIndex = p;
        }
      }
done:
  ModeInputs in = base;
  in.count = intervalMode ? c.countIndex + 1 : 1;
  in.wait = c.waitIndex;
  in.planLength = c.planIndex + 1;
  c.backtest = Backtest(in, marks);
  return c;
}

}  // namespace tavrin::mode::literal
