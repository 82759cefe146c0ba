#include "mode/backtest.h"

#include <limits>
#include <stdexcept>

#include "mode/backtest_engine.h"
#include "plans/plan_tables.h"

namespace tavrin::mode {

using detail::Wide;

const char* const kLimitsFailure = "第一天投入已经超出中奖金额，无法投注！";
const char* const kOutOfRange = "数值太大，超出计算范围！";

namespace {

bool Fits(Wide v) { return v >= std::numeric_limits<Money>::min() && v <= std::numeric_limits<Money>::max(); }

// Smallest m >= 1 with m * a >= b, or 0 when it exceeds the largest multiple.
Money SmallestMultiple(Wide a, Wide b) {
  if (a > 0) {
    const Wide m = b <= 0 ? 1 : (b + a - 1) / a;
    return m <= kMaxMultiplier ? static_cast<Money>(m) : 0;
  }
  if (a == 0) return b <= 0 ? 1 : 0;
  return a >= b ? 1 : 0;  // m * a only falls as m grows
}

// The rate test (100 × net) div total >= R, with total > 0 and the division
// truncating toward zero, is linear in m: m × a >= factor × cum + offset.
// For R >= 1 the net must be positive and the test is 100 net >= R total;
// for R <= 0 a negative net passes while 100 net > (R − 1) total.
struct RateTest {
  Wide a, factor, offset;
};

RateTest RateTestOf(Money unit, Money prize, Money rate) {
  const Wide r = rate;
  if (rate >= 1) return {Wide{100} * prize - (100 + r) * unit, 100 + r, 0};
  return {Wide{100} * prize - (99 + r) * unit, 99 + r, 1};
}

void CheckInputs(const ModeInputs& in) {
  if (in.unitCost < 1) throw std::invalid_argument("unit cost below 1");
  if (in.planLength < 1 || in.planLength > kMaxPlanLength) throw std::invalid_argument("plan length out of range");
  if (in.wait < 0) throw std::invalid_argument("negative waiting draws");
}

}  // namespace

namespace detail {

PlanCache::PlanCache(const ModeInputs& in, int length, std::size_t budgetRows)
    : unit_(in.unitCost),
      prize_(in.prize),
      stakeLimit_(in.stakeLimit),
      outlayLimit_(in.outlayLimit),
      length_(length),
      budgetRows_(budgetRows) {
  const RateTest t = RateTestOf(in.unitCost, in.prize, in.rate);
  a_ = t.a;
  factor_ = t.factor;
  offset_ = t.offset;
  nodeFor(0);
}

std::int32_t PlanCache::nodeFor(Money carried) {
  const auto found = byCarried_.find(carried);
  if (found != byCarried_.end()) return found->second;
  if (nodes_.size() > 1 && rows_ + static_cast<std::size_t>(length_) > budgetRows_) {
    nodes_.resize(1);
    PlanNode& root = nodes_.front();
    std::fill(root.afterLoss.begin(), root.afterLoss.end(), -1);
    std::fill(root.afterWin.begin(), root.afterWin.end(), -1);
    byCarried_.clear();
    byCarried_.emplace(0, 0);
    rows_ = root.rows.size();
    ++drops_;
  }
  const auto index = static_cast<std::int32_t>(nodes_.size());
  nodes_.emplace_back();
  build(nodes_.back(), carried);
  rows_ += nodes_.back().rows.size();
  byCarried_.emplace(carried, index);
  return index;
}

std::int32_t PlanCache::follow(std::int32_t from, std::vector<std::int32_t> PlanNode::*links, std::size_t at,
                               Money carried) {
  const std::int32_t known = (nodes_[static_cast<std::size_t>(from)].*links)[at];
  if (known >= 0) return known;
  const std::uint64_t drops = drops_;
  const std::int32_t next = nodeFor(carried);
  if (drops == drops_) (nodes_[static_cast<std::size_t>(from)].*links)[at] = next;
  return next;
}

std::int32_t PlanCache::afterLoss(std::int32_t node, int planLength) {
  const PlanNode& p = nodes_[static_cast<std::size_t>(node)];
  return follow(node, &PlanNode::afterLoss, static_cast<std::size_t>(planLength),
                p.rows[static_cast<std::size_t>(planLength - 1)].total);
}

std::int32_t PlanCache::afterWin(std::int32_t node, int period) {
  const PlanNode& p = nodes_[static_cast<std::size_t>(node)];
  return follow(node, &PlanNode::afterWin, static_cast<std::size_t>(period),
                -p.rows[static_cast<std::size_t>(period - 1)].net);
}

void PlanCache::build(PlanNode& node, Money carried) const {
  node.rows.reserve(static_cast<std::size_t>(length_));
  node.usable.reserve(static_cast<std::size_t>(length_) + 1);
  node.usable.push_back(0);
  Wide cum = carried;
  int usable = 0;
  for (int j = 1; j <= length_; ++j) {
    const Money m = SmallestMultiple(a_, factor_ * cum + offset_);
    if (m == 0) {
      // The period stays all zero, which passes the limits unless a limit
      // is negative; only period 1 can leave the usable length at 0.
      const bool zeroPasses = 0 <= stakeLimit_ && 0 <= outlayLimit_;
      node.failAt = j;
      node.failure = (j == 1 && !zeroPasses) ? PlanFailure::Limits : PlanFailure::Multiplier;
      break;
    }
    const Wide stake = m * unit_;
    const Wide total = cum + stake;
    const Wide prize = m * prize_;
    const Wide net = prize - total;
    const Wide rate = net * 100 / total;
    if (!Fits(stake) || !Fits(total) || !Fits(prize) || !Fits(net) || !Fits(rate)) {
      node.failAt = j;
      node.failure = PlanFailure::Range;
      break;
    }
    const PlanRow r{j,
                    m,
                    static_cast<Money>(stake),
                    static_cast<Money>(total),
                    static_cast<Money>(prize),
                    static_cast<Money>(net),
                    static_cast<Money>(rate)};
    if (r.stake <= stakeLimit_ && r.total <= outlayLimit_) usable = j;
    if (usable == 0) {
      node.failAt = j;
      node.failure = PlanFailure::Limits;
      break;
    }
    node.rows.push_back(r);
    node.usable.push_back(usable);
    cum = total;
  }
  node.afterLoss.assign(node.rows.size() + 1, -1);
  node.afterWin.assign(node.rows.size() + 1, -1);
}

std::vector<std::int32_t> ObservationTable(const MarkIndex& marks, int interval, int count) {
  const std::int32_t n = marks.hitCount();
  const std::int32_t* P = marks.positions();
  std::vector<std::int32_t> run(static_cast<std::size_t>(n) + 1, 0);
  for (std::int32_t j = 1; j <= n; ++j)
    run[static_cast<std::size_t>(j)] = P[j] - P[j - 1] >= interval ? run[static_cast<std::size_t>(j - 1)] + 1 : 0;
  std::vector<std::int32_t> table(static_cast<std::size_t>(n) + 2, n + 1);
  for (std::int32_t j = n; j >= 1; --j)
    table[static_cast<std::size_t>(j)] =
        run[static_cast<std::size_t>(j)] >= count ? j : table[static_cast<std::size_t>(j) + 1];
  table[0] = table[1];
  return table;
}

std::vector<std::int32_t> WaitTable(const MarkIndex& marks, int wait) {
  const std::int32_t n = marks.hitCount();
  const std::int32_t* P = marks.positions();
  std::vector<std::int32_t> table(static_cast<std::size_t>(n) + 1, n + 1);
  for (std::int32_t j = n; j >= 0; --j) {
    const bool quiet = static_cast<std::int64_t>(P[j + 1]) - P[j] > wait;
    table[static_cast<std::size_t>(j)] = quiet ? j : (j < n ? table[static_cast<std::size_t>(j) + 1] : n + 1);
  }
  return table;
}

}  // namespace detail

ModePlan BuildPlan(const ModeInputs& in, Money carriedLoss) {
  CheckInputs(in);
  if (carriedLoss < 0) throw std::invalid_argument("negative carried loss");
  detail::PlanCache cache(in, in.planLength);
  const detail::PlanNode& node = cache.at(cache.nodeFor(carriedLoss));
  ModePlan plan;
  plan.rows = node.rows;
  plan.usable = node.usable.back();
  plan.failure = node.failure;
  plan.failedPeriod = node.failure == PlanFailure::None ? 0 : node.failAt;
  return plan;
}

MarkIndex::MarkIndex(std::span<const DrawMark> marks) {
  if (marks.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() - 2))
    throw std::length_error("too many draws");
  draws_ = static_cast<std::int32_t>(marks.size());
  positions_.reserve(marks.size() / 4 + 2);
  positions_.push_back(0);
  for (std::int32_t t = 1; t <= draws_; ++t)
    if (marks[static_cast<std::size_t>(t - 1)].hit()) positions_.push_back(t);
  hits_ = static_cast<std::int32_t>(positions_.size()) - 1;
  positions_.push_back(draws_ + 1);
}

std::string FailureMessage(PlanFailure failure, bool rowsKept) {
  switch (failure) {
    case PlanFailure::None:
      return {};
    case PlanFailure::Limits:
      // The first run's plan failing is the settings' own fault; it is only
      // reported once a carried loss has made the plan fail.
      return rowsKept ? kLimitsFailure : std::string();
    case PlanFailure::Multiplier:
      return plans::kTooManyMultiples;
    case PlanFailure::Range:
      return kOutOfRange;
  }
  return {};
}

BacktestResult RunBacktest(const ModeInputs& in, std::span<const DrawMark> marks) {
  return RunBacktest(in, MarkIndex(marks));
}

BacktestResult RunBacktest(const ModeInputs& in, const MarkIndex& marks) {
  if (marks.drawCount() == 0) throw ModeRefused(kGenerateCodesFirst);
  CheckInputs(in);
  detail::PlanCache plans(in, in.planLength);
  const detail::ScanFinder find(marks, in.interval, in.wait);
  const detail::WalkSetup setup{in.planLength, in.count, in.wait, in.carriedLoss};
  BacktestResult result;
  // Every run but the last ends at a hit of its own: one allocation holds
  // them all, and only the pages written are ever touched.
  result.rows.reserve(static_cast<std::size_t>(marks.hitCount()) + 1);
  const detail::WalkTotals t = detail::Walk(marks, plans, find, setup, [&](const PlanRow& r, bool cut) {
    result.rows.push_back({r, cut});
  });
  result.total = t.total;
  result.failure = t.failure;
  result.message = FailureMessage(t.failure, t.rowsKept);
  return result;
}

std::array<std::string, 7> RunRowTexts(const RunRow& r) {
  // The run table holds 32-bit cells: larger figures show truncated.
  const auto cell = [](Money v) { return std::to_string(static_cast<std::int32_t>(v)); };
  const PlanRow& p = r.row;
  return {cell(p.period), cell(p.multiple), cell(p.stake), cell(p.total), cell(p.prize), cell(p.net), cell(p.rate)};
}

std::string TotalText(Money total) { return std::to_string(total); }

}  // namespace tavrin::mode
