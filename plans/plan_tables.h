#pragma once
// The staking plans: the multiplier rule and the fixed, stage and variable
// plan tables. Plain C++; all money is whole units in signed 64 bits.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/integer_text.h"

namespace tavrin::plans {

using Money = std::int64_t;

// The largest multiple a plan may ask for.
inline constexpr Money kMaxMultiple = 10000;
// Longer plans are refused: nobody bets for thousands of years, and the
// table of such a plan would not fit in memory.
inline constexpr Money kMaxDraws = 1000000;

// Input the plan cannot be built from. The window shows the text in a plain
// message box and nothing changes.
struct PlanRefused : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Inputs are converted by the program's one integer conversion.
using ::tavrin::ConversionError;
using ::tavrin::ConversionMessage;
using ::tavrin::ParseInteger;
using ::tavrin::ToInteger;

extern const char* const kTooManyMultiples;  // "所需倍数太大，无法投注！"

// The smallest m in 1..kMaxMultiple with m*prize - (outlay + m*unit) >= profit,
// or nothing when there is none. outlay is what was spent before the draw,
// carried-in loss included; unit is the stake of one multiple.
std::optional<Money> Multiplier(Money outlay, Money unit, Money prize, Money profit);

// Columns of a plan row. Fixed and stage plans have 7 (no bets column),
// the variable plan 8.
struct PlanRow {
  Money draw = 0;
  Money multiple = 0;
  Money bets = 0;   // variable plan only
  Money stake = 0;  // of the draw
  Money total = 0;  // outlay after the draw
  Money prize = 0;  // if the draw wins
  Money net = 0;    // prize - total
  Money rate = 0;   // net * 100 / total, 0 when total is 0
};

enum class PlanKind { Fixed, Stage, Variable };

int ColumnCount(PlanKind kind);
// Column titles in order.
const std::vector<std::string>& ColumnTitles(PlanKind kind);
// Row as its cells in column order (7 or 8 values), and back.
std::vector<Money> RowCells(PlanKind kind, const PlanRow& row);
PlanRow RowFromCells(PlanKind kind, const std::vector<Money>& cells);

struct PlanTable {
  PlanKind kind = PlanKind::Fixed;
  std::vector<PlanRow> rows;
};

// Sum of the net profits over the rows, divided by divisor (truncating);
// 0 when divisor is 0.
Money AverageNet(const PlanTable& table, Money divisor);
Money AverageNet(const PlanTable& table);  // over the rows themselves
// "平均每期净利润为:" followed by the value.
std::string AverageText(Money average);

struct PlanInputs {
  Money loss = 0;      // A, carried in
  Money profit = 10;   // P, wanted
  Money unit = 16;     // U, outlay of one multiple
  Money prize = 1000;  // W, prize of one winning multiple
  Money draws = 80;    // D
};

// Both throw PlanRefused on a plan length or stage count that is not
// positive, and with kTooManyMultiples when some draw cannot be covered.
PlanTable FixedPlan(const PlanInputs& in);
PlanTable StagePlan(const PlanInputs& in, Money stages);
// Draws per stage: D div S, rounded up.
Money StageLength(Money draws, Money stages);

// The variable plan, built one draw at a time. A failed add leaves the plan
// as it was, so the user can go on with other inputs.
class VariablePlan {
 public:
  VariablePlan() { table_.kind = PlanKind::Variable; }
  explicit VariablePlan(PlanTable loaded);

  // Adds the row of the next draw with `bets` bets at 2 units a bet. loss is
  // used by the first row only; later rows start from the previous total.
  // Throws PlanRefused with "投资期限已满" + draws + "天!" when the plan holds
  // `draws` rows already, or with kTooManyMultiples.
  const PlanRow& add(Money bets, Money loss, Money profit, Money prize, Money draws, const std::string& drawsText);

  const PlanTable& table() const { return table_; }
  std::size_t size() const { return table_.rows.size(); }

 private:
  PlanTable table_;
};

}  // namespace tavrin::plans
