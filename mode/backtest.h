#pragma once
// The back-test of the betting mode (分析): the staking plan of a run, the
// walk over the draw marks, the run table grdtozi and the total result. Plain
// values in and out, no shared state: it runs on any thread.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "mode/draw_marks.h"
#include "mode/mode_settings.h"

namespace tavrin::mode {

// One period of a staking plan, and the run table's row of a run.
struct PlanRow {
  Money period = 0;    // 1..L
  Money multiple = 0;  // m
  Money stake = 0;     // m × U
  Money total = 0;     // outlay of the run up to this period, carried loss included
  Money prize = 0;     // m × W
  Money net = 0;       // prize − total
  Money rate = 0;      // net × 100 div total
  bool operator==(const PlanRow&) const = default;
};

// Why a plan could not be built. Limits: period 1 already exceeds a limit.
// Multiplier: no multiple up to kMaxMultiplier reaches the rate. Range: a
// figure of the plan does not fit in 64 bits.
enum class PlanFailure { None, Limits, Multiplier, Range };

extern const char* const kLimitsFailure;  // "第一天投入已经超出中奖金额，无法投注！"
extern const char* const kOutOfRange;     // "数值太大，超出计算范围！"

struct ModePlan {
  std::vector<PlanRow> rows;  // the periods before a failure, else all L
  int usable = 0;             // the last period within both limits
  PlanFailure failure = PlanFailure::None;
  int failedPeriod = 0;
};

// The plan of one run with the given carried loss: for every period the
// least multiple whose win returns the rate on all the run has spent.
ModePlan BuildPlan(const ModeInputs& in, Money carriedLoss);

// The hits of a mark list, prepared once for any number of back-tests.
class MarkIndex {
 public:
  explicit MarkIndex(std::span<const DrawMark> marks);
  std::int32_t drawCount() const { return draws_; }
  std::int32_t hitCount() const { return hits_; }
  // position(0) is 0, position(1..hitCount) the hits (1-based draw
  // positions), position(hitCount + 1) is drawCount + 1.
  std::int32_t position(std::int32_t i) const { return positions_[static_cast<std::size_t>(i)]; }
  const std::int32_t* positions() const { return positions_.data(); }

 private:
  std::vector<std::int32_t> positions_;
  std::int32_t draws_ = 0;
  std::int32_t hits_ = 0;
};

struct RunRow {
  PlanRow row;            // the plan row where the run ended; a loss has net −total
  bool cutShort = false;  // a loss whose usable length was shorter than the plan
  bool operator==(const RunRow&) const = default;
};

struct BacktestResult {
  std::vector<RunRow> rows;  // the runs kept, oldest first
  Money total = 0;           // 总体赢余
  PlanFailure failure = PlanFailure::None;
  // What 分析 shows in a message box when the back-test is not quiet; empty
  // when nothing is to be shown (a limit failure of the very first run).
  std::string message;
  bool operator==(const BacktestResult&) const = default;
};

// The message of a plan failure; rowsKept tells whether a run row already
// exists, without which the limit failure stays silent.
std::string FailureMessage(PlanFailure failure, bool rowsKept);

// 分析 over the marks. Throws ModeRefused(kGenerateCodesFirst) when there
// is no mark, and std::invalid_argument for inputs ReadInputs never gives.
BacktestResult RunBacktest(const ModeInputs& in, std::span<const DrawMark> marks);
BacktestResult RunBacktest(const ModeInputs& in, const MarkIndex& marks);

// grdtozi: the titles, and a row's seven values as the grid shows them,
// truncated to 32 bits.
inline constexpr std::array<const char*, 7> kRunTitles{"投注时间", "投注倍数",   "当期投注",     "当期总投入",
                                                       "当期中奖", "当期净利润", "当期利润率(%)"};
std::array<std::string, 7> RunRowTexts(const RunRow& r);
// edtallwin's text.
std::string TotalText(Money total);

}  // namespace tavrin::mode
