#include "mode/mode_settings.h"

#include <gtest/gtest.h>

#include <functional>

#include "plans/plan_tables.h"

namespace tavrin::mode {
namespace {

TEST(ModeSettings, WindowStartsWithItsDefaults) {
  const ModeSettings s;
  EXPECT_EQ(s.betForm, 0);
  EXPECT_EQ(s.interval, "1");
  EXPECT_EQ(s.count, "1");
  EXPECT_EQ(s.wait, "0");
  EXPECT_EQ(s.plan, "1");
  EXPECT_EQ(s.stakeLimit, "1000000");
  EXPECT_EQ(s.outlayLimit, "1000000");
  EXPECT_EQ(s.codeCount, "100");
  EXPECT_EQ(s.prize, "1000");
  EXPECT_EQ(s.rate, "10");
  EXPECT_EQ(s.allWin, "");
  EXPECT_TRUE(s.carriedLoss);
  EXPECT_TRUE(s.intervalMode);

  ModeInputs expected;
  expected.rate = 10;
  expected.unitCost = 200;
  expected.prize = 1000;
  expected.stakeLimit = 1000000;
  expected.outlayLimit = 1000000;
  expected.planLength = 1;
  expected.interval = 1;
  expected.count = 1;
  expected.wait = 0;
  expected.carriedLoss = true;
  EXPECT_EQ(ReadInputs(s), expected);
}

TEST(ModeSettings, ClearResetsTheGroupWithLowerLimitsAndKeepsFormAndTotal) {
  ModeSettings s;
  s.betForm = 3;
  s.interval = "7";
  s.count = "4";
  s.wait = "12";
  s.plan = "30";
  s.stakeLimit = "5";
  s.outlayLimit = "6";
  s.codeCount = "7";
  s.prize = "8";
  s.rate = "9";
  s.allWin = "-1200";
  s.carriedLoss = false;
  s.intervalMode = false;
  ClearSettings(s);

  ModeSettings expected;
  expected.betForm = 3;
  expected.allWin = "-1200";
  expected.stakeLimit = "10000";
  expected.outlayLimit = "100000";
  EXPECT_EQ(s, expected);
}

TEST(ModeSettings, IntervalModeOffStartsAfterAnyHitAndOnKeepsValues) {
  ModeSettings s;
  s.interval = "9";
  s.count = "3";
  SetIntervalMode(s, false);
  EXPECT_FALSE(s.intervalMode);
  EXPECT_EQ(s.interval, "1");
  EXPECT_EQ(s.count, "1");
  s.interval = "5";  // typed while on again
  SetIntervalMode(s, true);
  EXPECT_EQ(s.interval, "5");
  EXPECT_EQ(s.count, "1");

  // Off, the observation is interval 1 and count 1 whatever the texts hold.
  s.intervalMode = false;
  s.interval = "abc";
  s.count = "8";
  const ModeInputs in = ReadInputs(s);
  EXPECT_EQ(in.interval, 1);
  EXPECT_EQ(in.count, 1);
}

TEST(ModeSettings, SelectingTheSameFormIsNoChange) {
  ModeSettings s;
  EXPECT_FALSE(SelectBetForm(s, 0));
  EXPECT_TRUE(SelectBetForm(s, 2));
  EXPECT_EQ(s.betForm, 2);
}

struct CountCase {
  int form;
  Money n;
  const char* message;  // nullptr: accepted
};

class CodeCountCheck : public ::testing::TestWithParam<CountCase> {};

TEST_P(CodeCountCheck, GivesTheFormsMessage) {
  const CountCase& c = GetParam();
  const auto refusal = CodeCountRefusal(c.form, c.n);
  if (c.message == nullptr)
    EXPECT_FALSE(refusal) << *refusal;
  else
    EXPECT_EQ(refusal, std::optional<std::string>(c.message));
}

INSTANTIATE_TEST_SUITE_P(Limits, CodeCountCheck,
                         ::testing::Values(CountCase{0, 1000, nullptr},
                                           CountCase{0, 1001, "请请输入1到1000的直选注数！"},
                                           CountCase{3, 120, nullptr}, CountCase{3, 121, "请请输入1到120的组选6注数！"},
                                           CountCase{1, 210, nullptr}, CountCase{1, 211, "请请输入1到210的组选注数！"},
                                           CountCase{2, 90, nullptr}, CountCase{2, 91, "请请输入1到90的组选3注数！"},
                                           CountCase{0, 1, nullptr}, CountCase{0, 0, "请请输入1到1000的直选注数！"},
                                           CountCase{3, -4, "请请输入1到120的组选6注数！"}));

TEST(ModeSettings, OnlyTheDirectFormCanBePlayed) {
  EXPECT_FALSE(BetFormRefusal(0));
  for (int form = 1; form <= 3; ++form) {
    const auto refusal = BetFormRefusal(form);
    ASSERT_TRUE(refusal);
    EXPECT_NE(refusal->find(BetFormText(form)), std::string::npos);
  }
}

struct InputCase {
  const char* what;
  std::function<void(ModeSettings&)> change;
  const char* message;
};

class RefusedInputs : public ::testing::TestWithParam<InputCase> {};

// Every refusal comes before anything is computed, with its own text.
TEST_P(RefusedInputs, AreRefusedWithAMessage) {
  const InputCase& c = GetParam();
  ModeSettings s;
  c.change(s);
  try {
    ReadInputs(s);
    FAIL() << c.what << " was accepted";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), c.message) << c.what;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, RefusedInputs,
    ::testing::Values(
        InputCase{"no codes", [](ModeSettings& s) { s.codeCount = "0"; }, "单倍注数必须大于0！"},
        InputCase{"negative codes", [](ModeSettings& s) { s.codeCount = "-3"; }, "单倍注数必须大于0！"},
        InputCase{"unit cost beyond 64 bits", [](ModeSettings& s) { s.codeCount = "4611686018427387904"; },
                  "单倍注数太大，无法计算！"},
        InputCase{"plan of no period", [](ModeSettings& s) { s.plan = "0"; }, "连续投入期数必须大于0！"},
        InputCase{"plan too long", [](ModeSettings& s) { s.plan = "10001"; }, "连续投入期数太大，最多10000期！"},
        InputCase{"waiting back in time", [](ModeSettings& s) { s.wait = "-1"; }, "中出后间隔期数不能小于0！"},
        InputCase{"group form", [](ModeSettings& s) { s.betForm = 2; },
                  "投注方式“组选3”需要三位号码，每期只开出一个号码的彩票只能用直选！"},
        InputCase{"rate not a number", [](ModeSettings& s) { s.rate = "abc"; }, "'abc' 不是有效的整数值"},
        InputCase{"empty limit", [](ModeSettings& s) { s.stakeLimit = ""; }, "'' 不是有效的整数值"},
        InputCase{"interval beyond 32 bits", [](ModeSettings& s) { s.interval = "2147483648"; },
                  "'2147483648' 不是有效的整数值"}),
    [](const ::testing::TestParamInfo<InputCase>& info) { return "Case" + std::to_string(info.index); });

TEST(ModeSettings, TypedComboValuesCount) {
  ModeSettings s;
  s.plan = " 60 ";  // beyond the list, typed
  s.wait = "07";
  const ModeInputs in = ReadInputs(s);
  EXPECT_EQ(in.planLength, 60);
  EXPECT_EQ(in.wait, 7);
}

TEST(ModeSettings, ItemIndexesOfComboTexts) {
  EXPECT_EQ(ItemIndexOf(kWaitList, "0"), 0);
  EXPECT_EQ(ItemIndexOf(kWaitList, "07"), 7);
  EXPECT_EQ(ItemIndexOf(kWaitList, "50"), 50);
  EXPECT_EQ(ItemIndexOf(kWaitList, "51"), -1);
  EXPECT_EQ(ItemIndexOf(kPlanList, "0"), -1);
  EXPECT_EQ(ItemIndexOf(kPlanList, "50"), 49);
  EXPECT_EQ(ItemIndexOf(kIntervalList, "100"), 99);
  EXPECT_EQ(ItemIndexOf(kCountList, "x"), -1);
  EXPECT_EQ(ItemText(kPlanList, 49), "50");
  EXPECT_EQ(ItemText(kWaitList, 0), "0");
}

}  // namespace
}  // namespace tavrin::mode
