#include "plans/plan_tables.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace tavrin::plans {

namespace {

// Wide enough that no product or sum of two 64-bit values overflows.
__extension__ using Wide = __int128;

constexpr Wide kMin = std::numeric_limits<Money>::min();
constexpr Wide kMax = std::numeric_limits<Money>::max();

Money Narrow(Wide v) {
  if (v < kMin || v > kMax) throw PlanRefused("数值太大，超出计算范围！");
  return static_cast<Money>(v);
}

// Floor and ceiling of a / b for b != 0.
Wide FloorDiv(Wide a, Wide b) {
  Wide q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}
Wide CeilDiv(Wide a, Wide b) {
  Wide q = a / b;
  if ((a % b != 0) && ((a < 0) == (b < 0))) ++q;
  return q;
}

// The multiples m in 1..kMaxMultiple with m * gain >= need all lie in one
// interval; narrows [lo, hi] to the ones that also satisfy this constraint.
void Constrain(Wide gain, Wide need, Wide& lo, Wide& hi) {
  if (gain > 0) {
    lo = std::max(lo, CeilDiv(need, gain));
  } else if (gain < 0) {
    hi = std::min(hi, FloorDiv(need, gain));
  } else if (need > 0) {
    hi = 0;  // the net profit never reaches the target
  }
}

Money Rate(Wide net, Wide total) { return total == 0 ? 0 : Narrow(net * 100 / total); }

PlanRow MakeRow(Money draw, Money multiple, Money bets, Wide stake, Wide before, Money prizeOfOne) {
  PlanRow r;
  r.draw = draw;
  r.multiple = multiple;
  r.bets = bets;
  const Wide total = before + stake;
  const Wide prize = static_cast<Wide>(multiple) * prizeOfOne;
  const Wide net = prize - total;
  r.stake = Narrow(stake);
  r.total = Narrow(total);
  r.prize = Narrow(prize);
  r.net = Narrow(net);
  r.rate = Rate(net, total);
  return r;
}

void CheckDraws(Money draws) {
  if (draws <= 0) throw PlanRefused("投注期数必须大于0！");
  if (draws > kMaxDraws) throw PlanRefused("投注期数太大，最多" + std::to_string(kMaxDraws) + "期！");
}

}  // namespace

const char* const kTooManyMultiples = "所需倍数太大，无法投注！";

std::optional<Money> Multiplier(Money outlay, Money unit, Money prize, Money profit) {
  // m*prize - (outlay + m*unit) >= profit  <=>  m*(prize - unit) >= profit + outlay
  Wide lo = 1, hi = kMaxMultiple;
  Constrain(static_cast<Wide>(prize) - unit, static_cast<Wide>(profit) + outlay, lo, hi);
  if (lo > hi) return std::nullopt;
  return static_cast<Money>(lo);
}

int ColumnCount(PlanKind kind) { return kind == PlanKind::Variable ? 8 : 7; }

const std::vector<std::string>& ColumnTitles(PlanKind kind) {
  static const std::vector<std::string> seven = {"投注期号", "投注倍数",   "当期投注",     "当期总投入",
                                                 "当期中奖", "当期净利润", "当期利润率(%)"};
  static const std::vector<std::string> eight = {"投注期号",   "投注倍数", "当期注数",   "当期投注",
                                                 "当期总投入", "当期中奖", "当期净利润", "当期利润率(%)"};
  return kind == PlanKind::Variable ? eight : seven;
}

std::vector<Money> RowCells(PlanKind kind, const PlanRow& r) {
  if (kind == PlanKind::Variable) return {r.draw, r.multiple, r.bets, r.stake, r.total, r.prize, r.net, r.rate};
  return {r.draw, r.multiple, r.stake, r.total, r.prize, r.net, r.rate};
}

PlanRow RowFromCells(PlanKind kind, const std::vector<Money>& c) {
  if (c.size() != static_cast<std::size_t>(ColumnCount(kind))) throw std::invalid_argument("plan row of wrong width");
  PlanRow r;
  std::size_t i = 0;
  r.draw = c[i++];
  r.multiple = c[i++];
  if (kind == PlanKind::Variable) r.bets = c[i++];
  r.stake = c[i++];
  r.total = c[i++];
  r.prize = c[i++];
  r.net = c[i++];
  r.rate = c[i++];
  return r;
}

Money AverageNet(const PlanTable& table, Money divisor) {
  if (divisor == 0) return 0;
  Wide sum = 0;
  for (const PlanRow& r : table.rows) sum += r.net;
  return Narrow(sum / divisor);
}

Money AverageNet(const PlanTable& table) { return AverageNet(table, static_cast<Money>(table.rows.size())); }

std::string AverageText(Money average) { return "平均每期净利润为:" + std::to_string(average); }

PlanTable FixedPlan(const PlanInputs& in) {
  CheckDraws(in.draws);
  PlanTable t;
  t.kind = PlanKind::Fixed;
  t.rows.reserve(static_cast<std::size_t>(std::min<Money>(in.draws, 4096)));
  Wide outlay = in.loss;
  for (Money d = 1; d <= in.draws; ++d) {
    const auto m = Multiplier(Narrow(outlay), in.unit, in.prize, in.profit);
    if (!m) throw PlanRefused(kTooManyMultiples);
    t.rows.push_back(MakeRow(d, *m, 0, static_cast<Wide>(*m) * in.unit, outlay, in.prize));
    outlay = t.rows.back().total;
  }
  return t;
}

Money StageLength(Money draws, Money stages) {
  if (stages <= 0) throw PlanRefused("阶段次数必须大于0！");
  return draws / stages + (draws % stages != 0 ? 1 : 0);
}

PlanTable StagePlan(const PlanInputs& in, Money stages) {
  CheckDraws(in.draws);
  const Money length = StageLength(in.draws, stages);
  PlanTable t;
  t.kind = PlanKind::Stage;
  t.rows.reserve(static_cast<std::size_t>(std::min<Money>(in.draws, 4096)));
  Wide outlay = in.loss;
  for (Money first = 1; first <= in.draws; first += length) {
    const Money count = std::min(length, in.draws - first + 1);
    // A win in the j-th draw of the stage nets m*(W - j*U) - T0. That is
    // linear in j, so the stage passes exactly when its first and last
    // draws do.
    const Wide need = static_cast<Wide>(in.profit) + outlay;
    Wide lo = 1, hi = kMaxMultiple;
    Constrain(static_cast<Wide>(in.prize) - in.unit, need, lo, hi);
    Constrain(static_cast<Wide>(in.prize) - static_cast<Wide>(count) * in.unit, need, lo, hi);
    if (lo > hi) throw PlanRefused(kTooManyMultiples);
    const auto m = static_cast<Money>(lo);
    for (Money j = first; j < first + count; ++j) {
      t.rows.push_back(MakeRow(j, m, 0, static_cast<Wide>(m) * in.unit, outlay, in.prize));
      outlay = t.rows.back().total;
    }
  }
  return t;
}

VariablePlan::VariablePlan(PlanTable loaded) : table_(std::move(loaded)) { table_.kind = PlanKind::Variable; }

const PlanRow& VariablePlan::add(Money bets, Money loss, Money profit, Money prize, Money draws,
                                 const std::string& drawsText) {
  if (static_cast<Wide>(table_.rows.size()) >= draws)
    throw PlanRefused("投资期限已满" + (drawsText.empty() ? std::to_string(draws) : drawsText) + "天!");
  const Money unit = Narrow(static_cast<Wide>(bets) * 2);
  const Money outlay = table_.rows.empty() ? loss : table_.rows.back().total;
  const auto m = Multiplier(outlay, unit, prize, profit);
  if (!m) throw PlanRefused(kTooManyMultiples);
  const auto n = static_cast<Money>(table_.rows.size()) + 1;
  table_.rows.push_back(MakeRow(n, *m, bets, static_cast<Wide>(*m) * unit, outlay, prize));
  return table_.rows.back();
}

}  // namespace tavrin::plans
