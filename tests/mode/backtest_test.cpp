#include "mode/backtest.h"

#include <gtest/gtest.h>

#include "tests/mode/mode_fixtures.h"

namespace tavrin::mode {
namespace {

using test::ExampleInputs;
using test::Marks;

PlanRow Row(Money period, Money multiple, Money stake, Money total, Money prize, Money net, Money rate) {
  return {period, multiple, stake, total, prize, net, rate};
}

TEST(ModePlan, DefaultPlanRows) {
  const ModePlan plan = BuildPlan(ExampleInputs(8, 1, 1, 0, true), 0);
  EXPECT_EQ(plan.failure, PlanFailure::None);
  EXPECT_EQ(plan.usable, 8);
  const std::vector<PlanRow> expected{
      Row(1, 1, 200, 200, 1000, 800, 400), Row(2, 1, 200, 400, 1000, 600, 150),  Row(3, 1, 200, 600, 1000, 400, 66),
      Row(4, 1, 200, 800, 1000, 200, 25),  Row(5, 2, 400, 1200, 2000, 800, 66),  Row(6, 2, 400, 1600, 2000, 400, 25),
      Row(7, 3, 600, 2200, 3000, 800, 36), Row(8, 4, 800, 3000, 4000, 1000, 33),
  };
  EXPECT_EQ(plan.rows, expected);
}

TEST(ModePlan, UsableLengthStopsAtTheFirstLimitExceeded) {
  ModeInputs in = ExampleInputs(8, 1, 1, 0, true);
  in.outlayLimit = 1600;  // period 6 reaches it exactly
  in.stakeLimit = 1000;
  EXPECT_EQ(BuildPlan(in, 0).usable, 6);
  in.stakeLimit = 399;  // period 5 stakes 400
  EXPECT_EQ(BuildPlan(in, 0).usable, 4);
}

TEST(Backtest, SixteenDrawsWithWaitingRestartedByAHit) {
  const auto marks = Marks(16, {2, 3, 7, 13, 15});
  for (bool carried : {true, false}) {
    const BacktestResult r = RunBacktest(ExampleInputs(3, 2, 1, 1, carried), marks);
    const std::vector<RunRow> expected{{Row(3, 1, 200, 600, 1000, 400, 66), false},
                                       {Row(1, 1, 200, 200, 1000, 800, 400), false}};
    EXPECT_EQ(r.rows, expected);
    EXPECT_EQ(r.total, 1200);
    EXPECT_EQ(r.failure, PlanFailure::None);
    EXPECT_EQ(r.message, "");
  }
}

TEST(Backtest, CarriedLossesRaiseTheNextPlansAndLeaveTheTotal) {
  const auto marks = Marks(14, {2, 7, 12});
  const BacktestResult on = RunBacktest(ExampleInputs(2, 1, 1, 0, true), marks);
  const std::vector<RunRow> carried{{Row(2, 1, 200, 400, 1000, -400, 150), false},
                                    {Row(2, 1, 200, 800, 1000, -800, 25), false},
                                    {Row(2, 2, 400, 1600, 2000, -1600, 25), false}};
  EXPECT_EQ(on.rows, carried);
  EXPECT_EQ(on.total, 0);  // every loss was carried on

  const BacktestResult off = RunBacktest(ExampleInputs(2, 1, 1, 0, false), marks);
  const RunRow plain{Row(2, 1, 200, 400, 1000, -400, 150), false};
  EXPECT_EQ(off.rows, std::vector<RunRow>(3, plain));
  EXPECT_EQ(off.total, -1200);
}

TEST(Backtest, CutShortLossesCountAndAreNotCarried) {
  // A stake limit of 200 leaves one usable period of a two-period plan.
  ModeInputs in = ExampleInputs(2, 1, 1, 0, true);
  in.stakeLimit = 200;
  in.outlayLimit = 200;
  const BacktestResult r = RunBacktest(in, Marks(14, {2, 7, 12}));
  const RunRow lost{Row(1, 1, 200, 200, 1000, -200, 400), true};
  EXPECT_EQ(r.rows, std::vector<RunRow>(3, lost));
  EXPECT_EQ(r.total, -600);
}

TEST(Backtest, LimitExceededByTheFirstRunIsSilent) {
  ModeInputs in = ExampleInputs(2, 1, 1, 0, true);
  in.stakeLimit = 100;
  const BacktestResult r = RunBacktest(in, Marks(14, {2, 7, 12}));
  EXPECT_TRUE(r.rows.empty());
  EXPECT_EQ(r.failure, PlanFailure::Limits);
  EXPECT_EQ(r.message, "");
  EXPECT_EQ(r.total, 0);
}

TEST(Backtest, LimitExceededAfterACarriedLossIsReportedAndSummedPlainly) {
  // The second run carries 400, so its first period totals 600 > 500.
  ModeInputs in = ExampleInputs(2, 1, 1, 0, true);
  in.outlayLimit = 500;
  const BacktestResult r = RunBacktest(in, Marks(14, {2, 7, 12}));
  EXPECT_EQ(r.rows, (std::vector<RunRow>{{Row(2, 1, 200, 400, 1000, -400, 150), false}}));
  EXPECT_EQ(r.failure, PlanFailure::Limits);
  EXPECT_EQ(r.message, "第一天投入已经超出中奖金额，无法投注！");
  EXPECT_EQ(r.total, -400);
}

TEST(Backtest, UnreachableRateFailsBeforeAnyRow) {
  ModeInputs in = ExampleInputs(2, 1, 1, 0, true);
  in.rate = 1000000;
  const BacktestResult r = RunBacktest(in, Marks(14, {2, 7, 12}));
  EXPECT_TRUE(r.rows.empty());
  EXPECT_EQ(r.failure, PlanFailure::Multiplier);
  EXPECT_EQ(r.message, "所需倍数太大，无法投注！");
  // The plan is built before the observation: no hit at all fails the same.
  EXPECT_EQ(RunBacktest(in, Marks(5, {})).failure, PlanFailure::Multiplier);
}

TEST(Backtest, FiguresBeyondSixtyFourBitsFailTheRun) {
  ModeInputs in = ExampleInputs(1, 1, 1, 0, true);
  in.unitCost = 2;
  in.prize = 9'000'000'000'000'000'000;  // the rate, 100 × net / 2, is too large
  const BacktestResult r = RunBacktest(in, Marks(3, {1, 2}));
  EXPECT_EQ(r.failure, PlanFailure::Range);
  EXPECT_EQ(r.message, "数值太大，超出计算范围！");
}

TEST(Backtest, NoHitKeepsNoRow) {
  const BacktestResult r = RunBacktest(ExampleInputs(5, 1, 1, 0, true), Marks(30, {}));
  EXPECT_TRUE(r.rows.empty());
  EXPECT_EQ(r.total, 0);
  EXPECT_EQ(r.failure, PlanFailure::None);
}

TEST(Backtest, NoMarksAsksForCodes) {
  try {
    RunBacktest(ExampleInputs(5, 1, 1, 0, true), std::vector<DrawMark>{});
    FAIL();
  } catch (const ModeRefused& e) {
    EXPECT_STREQ(e.what(), "请生成号码！");
  }
}

TEST(Backtest, RunTableShowsThirtyTwoBitsAndTheTotalSixtyFour) {
  ModeInputs in = ExampleInputs(1, 1, 1, 0, true);
  in.prize = 10'000'000'000;
  const BacktestResult r = RunBacktest(in, Marks(3, {1, 2}));
  ASSERT_EQ(r.rows.size(), 1u);
  EXPECT_EQ(r.rows[0].row, Row(1, 1, 200, 200, 10'000'000'000, 9'999'999'800, 4'999'999'900));
  EXPECT_EQ(RunRowTexts(r.rows[0]),
            (std::array<std::string, 7>{"1", "1", "200", "200", "1410065408", "1410065208", "705032604"}));
  EXPECT_EQ(TotalText(r.total), "9999999800");
  EXPECT_STREQ(kRunTitles[0], "投注时间");
  EXPECT_STREQ(kRunTitles[6], "当期利润率(%)");
}

}  // namespace
}  // namespace tavrin::mode
