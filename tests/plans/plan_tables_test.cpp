#include "plans/plan_tables.h"

#include <gtest/gtest.h>

#include <random>

namespace tavrin::plans {
namespace {

__extension__ using Wide = __int128;

// The rule as users understand it: try 1, 2, 3, ... up to the limit.
std::optional<Money> ScanMultiplier(Money outlay, Money unit, Money prize, Money profit) {
  for (Wide m = 1; m <= kMaxMultiple; ++m)
    if (m * prize - (outlay + m * unit) >= profit) return static_cast<Money>(m);
  return std::nullopt;
}

TEST(Multiplier, EqualsTheScanOverRandomInputs) {
  std::mt19937_64 rng(20240305);
  auto pick = [&](Money lo, Money hi) { return std::uniform_int_distribution<Money>(lo, hi)(rng); };
  int found = 0, failed = 0, prizeNotAboveUnit = 0;
  for (int i = 0; i < 20000; ++i) {
    // Mostly realistic inputs, with W <= u, negative and huge values mixed in.
    const Money scale = (i % 5 == 0) ? 1'000'000'000'000LL : (i % 3 == 0 ? 100000 : 2000);
    const Money outlay = pick(-scale, scale * 4);
    const Money unit = pick(-50, i % 7 == 0 ? 3000 : 200);
    const Money prize = pick(-100, i % 11 == 0 ? 200 : 5000);
    const Money profit = pick(-scale / 2, scale);
    const auto expected = ScanMultiplier(outlay, unit, prize, profit);
    ASSERT_EQ(Multiplier(outlay, unit, prize, profit), expected)
        << "T=" << outlay << " u=" << unit << " W=" << prize << " P=" << profit;
    expected ? ++found : ++failed;
    if (prize <= unit) ++prizeNotAboveUnit;
  }
  // The sample reaches every branch of the rule.
  EXPECT_GT(found, 1000);
  EXPECT_GT(failed, 1000);
  EXPECT_GT(prizeNotAboveUnit, 500);
}

struct RuleCase {
  const char* what;
  Money outlay, unit, prize, profit;
  std::optional<Money> multiple;
};

class MultiplierCases : public ::testing::TestWithParam<RuleCase> {};

TEST_P(MultiplierCases, Give) {
  const RuleCase& c = GetParam();
  EXPECT_EQ(Multiplier(c.outlay, c.unit, c.prize, c.profit), c.multiple) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Rule, MultiplierCases,
                         ::testing::Values(RuleCase{"net exactly P is accepted", 0, 16, 1000, 984, 1},
                                           RuleCase{"one unit short of P takes the next multiple", 0, 16, 1000, 985, 2},
                                           RuleCase{"draw 62 of the default plan", 976, 16, 1000, 10, 2},
                                           RuleCase{"needs 10163 multiples", 0, 16, 1000, 10'000'000, std::nullopt},
                                           RuleCase{"exactly 10000 multiples", 0, 16, 1000, 9'840'000, 10000},
                                           RuleCase{"one more than 10000", 0, 16, 1000, 9'840'001, std::nullopt},
                                           RuleCase{"W <= u: m = 1 when W - u - A >= P", -30, 20, 10, 20, 1},
                                           RuleCase{"W <= u: fails otherwise", -30, 20, 10, 21, std::nullopt},
                                           RuleCase{"W == u with nothing to recover", 0, 16, 16, 0, 1},
                                           RuleCase{"W == u with a loss", 1, 16, 16, 0, std::nullopt},
                                           RuleCase{"negative profit accepts less", 2000, 16, 1000, -1100, 1},
                                           RuleCase{"values near the 64-bit limits do not wrap", 0,
                                                    -9'000'000'000'000'000'000LL, 9'000'000'000'000'000'000LL,
                                                    9'000'000'000'000'000'000LL, 1}));

TEST(ParseInteger, AcceptsWholeNumbersOnly) {
  EXPECT_EQ(ParseInteger("80"), 80);
  EXPECT_EQ(ParseInteger(" -5 "), -5);
  EXPECT_EQ(ParseInteger("+7"), 7);
  EXPECT_EQ(ParseInteger("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(ParseInteger("-9223372036854775808"), INT64_MIN);
  for (const char* bad : {"", " ", "-", "1.5", "1e3", "12a", "9223372036854775808", "0x10", "１"})
    EXPECT_EQ(ParseInteger(bad), std::nullopt) << bad;
  try {
    ToInteger("abc");
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'abc' 不是有效的整数值");
  }
}

// The same rows in the layout of the grid.
std::vector<Money> Cells(const PlanTable& t, std::size_t row) { return RowCells(t.kind, t.rows.at(row)); }

TEST(FixedPlan, DefaultInputsGiveTheKnownTable) {
  const PlanTable t = FixedPlan({});
  ASSERT_EQ(t.rows.size(), 80u);
  EXPECT_EQ(Cells(t, 0), (std::vector<Money>{1, 1, 16, 16, 1000, 984, 6150}));
  EXPECT_EQ(Cells(t, 60), (std::vector<Money>{61, 1, 16, 976, 1000, 24, 2}));
  EXPECT_EQ(Cells(t, 61), (std::vector<Money>{62, 2, 32, 1008, 2000, 992, 98}));
  EXPECT_EQ(Cells(t, 79), (std::vector<Money>{80, 2, 32, 1584, 2000, 416, 26}));
  EXPECT_EQ(AverageNet(t), 551);
  EXPECT_EQ(AverageText(AverageNet(t)), "平均每期净利润为:551");
}

TEST(FixedPlan, MultipleNeverFallsAndOutlayRunsOn) {
  const PlanTable t = FixedPlan({100, 50, 30, 700, 150});
  Money before = 100;
  for (std::size_t i = 0; i < t.rows.size(); ++i) {
    const PlanRow& r = t.rows[i];
    EXPECT_EQ(r.total, before + r.stake);
    EXPECT_GE(r.net, 50);
    if (i > 0) {
      EXPECT_GE(r.multiple, t.rows[i - 1].multiple);
    }
    before = r.total;
  }
}

TEST(FixedPlan, OneDrawAveragesItsOwnNet) {
  const PlanTable t = FixedPlan({0, 10, 16, 1000, 1});
  ASSERT_EQ(t.rows.size(), 1u);
  EXPECT_EQ(AverageNet(t), t.rows[0].net);
}

TEST(FixedPlan, RateTruncatesTowardZeroAndIsZeroWithoutOutlay) {
  // A negative loss makes the first total negative: -5 net over -... truncates toward zero.
  const PlanTable t = FixedPlan({-20, -100, 16, 10, 3});
  EXPECT_EQ(t.rows[0].total, -4);
  EXPECT_EQ(t.rows[0].net, 14);
  EXPECT_EQ(t.rows[0].rate, -350);
  // A stake of 0 with no loss leaves no outlay at all.
  const PlanTable z = FixedPlan({0, 10, 0, 1000, 2});
  EXPECT_EQ(z.rows[0].total, 0);
  EXPECT_EQ(z.rows[0].rate, 0);
}

struct Refusal {
  const char* what;
  bool stage;
  PlanInputs in;
  Money stages;
  const char* message;
};

class PlanRefusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(PlanRefusals, AreToldPlainly) {
  const Refusal& c = GetParam();
  try {
    if (c.stage)
      StagePlan(c.in, c.stages);
    else
      FixedPlan(c.in);
    FAIL() << c.what;
  } catch (const PlanRefused& e) {
    EXPECT_STREQ(e.what(), c.message) << c.what;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Plans, PlanRefusals,
    ::testing::Values(
        Refusal{"fixed: no draws", false, {0, 10, 16, 1000, 0}, 0, "投注期数必须大于0！"},
        Refusal{"fixed: negative draws", false, {0, 10, 16, 1000, -3}, 0, "投注期数必须大于0！"},
        Refusal{"fixed: too long", false, {0, 10, 0, 1000, kMaxDraws + 1}, 0, "投注期数太大，最多1000000期！"},
        Refusal{"fixed: 10163 multiples", false, {0, 10'000'000, 16, 1000, 80}, 0, "所需倍数太大，无法投注！"},
        Refusal{"fixed: W <= U with a loss", false, {5, 0, 16, 16, 80}, 0, "所需倍数太大，无法投注！"},
        Refusal{"fixed: totals past 64 bits",
                false,
                {0, 0, 4'000'000'000'000'000'000LL, 9'000'000'000'000'000'000LL, 3},
                0,
                "数值太大，超出计算范围！"},
        Refusal{"stage: zero stages", true, {}, 0, "阶段次数必须大于0！"},
        Refusal{"stage: negative stages", true, {}, -2, "阶段次数必须大于0！"},
        Refusal{"stage: no draws", true, {0, 10, 16, 1000, 0}, 10, "投注期数必须大于0！"},
        Refusal{"stage: one stage over 80 draws", true, {}, 1, "所需倍数太大，无法投注！"},
        Refusal{"stage: L*U >= W with A + P > W - L*U", true, {0, 10, 100, 1000, 20}, 2, "所需倍数太大，无法投注！"}));

// The stage plan as users read it: per stage, try m = 1, 2, ... and walk its
// draws, rejecting m at the first draw that nets less than P.
std::optional<PlanTable> ScanStagePlan(const PlanInputs& in, Money stages) {
  PlanTable t;
  t.kind = PlanKind::Stage;
  const Money length = in.draws / stages + (in.draws % stages ? 1 : 0);
  Wide outlay = in.loss;
  for (Money k = 1; k <= stages; ++k) {
    const Money first = (k - 1) * length + 1;
    if (first > in.draws) break;
    bool passed = false;
    for (Wide m = 1; m <= kMaxMultiple && !passed; ++m) {
      std::vector<PlanRow> rows;
      Wide total = outlay;
      passed = true;
      for (Money j = first; j < first + length && j <= in.draws; ++j) {
        const Wide net = m * in.prize - (total + m * in.unit);
        if (net < in.profit) {
          passed = false;
          break;
        }
        total += m * in.unit;
        PlanRow r;
        r.draw = j;
        r.multiple = static_cast<Money>(m);
        r.stake = static_cast<Money>(m * in.unit);
        r.total = static_cast<Money>(total);
        r.prize = static_cast<Money>(m * in.prize);
        r.net = static_cast<Money>(net);
        r.rate = total == 0 ? 0 : static_cast<Money>(net * 100 / total);
        rows.push_back(r);
      }
      if (passed) {
        t.rows.insert(t.rows.end(), rows.begin(), rows.end());
        outlay = total;
      }
    }
    if (!passed) return std::nullopt;
  }
  return t;
}

bool SameRows(const PlanTable& a, const PlanTable& b) {
  if (a.rows.size() != b.rows.size()) return false;
  for (std::size_t i = 0; i < a.rows.size(); ++i)
    if (RowCells(PlanKind::Stage, a.rows[i]) != RowCells(PlanKind::Stage, b.rows[i])) return false;
  return true;
}

TEST(StagePlan, DefaultInputsGiveTheKnownTable) {
  const PlanTable t = StagePlan({}, 10);
  ASSERT_EQ(t.rows.size(), 80u);
  EXPECT_EQ(Cells(t, 55), (std::vector<Money>{56, 1, 16, 896, 1000, 104, 11}));
  EXPECT_EQ(Cells(t, 56), (std::vector<Money>{57, 2, 32, 928, 2000, 1072, 115}));
  EXPECT_EQ(Cells(t, 63), (std::vector<Money>{64, 2, 32, 1152, 2000, 848, 73}));
  EXPECT_EQ(Cells(t, 79), (std::vector<Money>{80, 2, 32, 1664, 2000, 336, 20}));
  EXPECT_EQ(AverageNet(t), 592);
}

TEST(StagePlan, AsManyStagesAsDrawsOrMoreIsTheFixedPlan) {
  const PlanInputs in{};
  const PlanTable fixed = FixedPlan(in);
  for (Money s : {80, 81, 500}) EXPECT_TRUE(SameRows(StagePlan(in, s), fixed)) << s;
}

TEST(StagePlan, UnevenStagesRoundTheLengthUp) {
  EXPECT_EQ(StageLength(80, 30), 3);
  EXPECT_EQ(StageLength(80, 10), 8);
  const PlanTable t = StagePlan({}, 30);
  ASSERT_EQ(t.rows.size(), 80u);
  // Stage 27 holds draws 79 and 80 only, under one multiple.
  EXPECT_EQ(t.rows[78].multiple, t.rows[79].multiple);
  // Multiples change only where a stage of 3 begins.
  for (std::size_t i = 1; i < t.rows.size(); ++i)
    if (t.rows[i].multiple != t.rows[i - 1].multiple) {
      EXPECT_EQ(i % 3, 0u) << "draw " << i + 1;
    }
  EXPECT_TRUE(SameRows(t, *ScanStagePlan({}, 30)));
}

TEST(StagePlan, EqualsTheLiteralScanOverRandomInputs) {
  std::mt19937_64 rng(7);
  auto pick = [&](Money lo, Money hi) { return std::uniform_int_distribution<Money>(lo, hi)(rng); };
  int built = 0, refused = 0;
  for (int i = 0; i < 1500; ++i) {
    // Negative stakes too: then the first draw of a stage is the one that decides.
    const PlanInputs in{pick(-500, 3000), pick(-200, 400), pick(-20, 60), pick(-50, 3000), pick(1, 60)};
    const Money stages = pick(1, 70);
    const auto expected = ScanStagePlan(in, stages);
    std::optional<PlanTable> got;
    try {
      got = StagePlan(in, stages);
    } catch (const PlanRefused& e) {
      EXPECT_STREQ(e.what(), kTooManyMultiples);
    }
    ASSERT_EQ(got.has_value(), expected.has_value()) << "case " << i;
    if (got) {
      ASSERT_TRUE(SameRows(*got, *expected)) << "case " << i;
      ++built;
    } else {
      ++refused;
    }
  }
  EXPECT_GT(built, 200);
  EXPECT_GT(refused, 50);
}

TEST(VariablePlan, WorkedExampleAndRunningOutlay) {
  VariablePlan plan;
  plan.add(8, 0, 10, 1000, 80, "80");
  EXPECT_EQ(RowCells(PlanKind::Variable, plan.table().rows[0]), (std::vector<Money>{1, 1, 8, 16, 16, 1000, 984, 6150}));
  EXPECT_EQ(AverageNet(plan.table()), 984);
  // The loss counts for the first row only.
  plan.add(20, 5000, 10, 1000, 80, "80");
  EXPECT_EQ(RowCells(PlanKind::Variable, plan.table().rows[1]),
            (std::vector<Money>{2, 1, 20, 40, 56, 1000, 944, 1685}));
  EXPECT_EQ(AverageNet(plan.table()), 964);
}

TEST(VariablePlan, AFailedAddLeavesThePlanAsItWas) {
  VariablePlan plan;
  plan.add(8, 0, 10, 1000, 80, "80");
  // 500 bets cost 1000 a multiple: nothing can reach the profit.
  try {
    plan.add(500, 0, 10, 1000, 80, "80");
    FAIL();
  } catch (const PlanRefused& e) {
    EXPECT_STREQ(e.what(), kTooManyMultiples);
  }
  ASSERT_EQ(plan.size(), 1u);
  const PlanRow& r = plan.add(8, 0, 10, 1000, 80, "80");
  EXPECT_EQ(r.draw, 2);
  EXPECT_EQ(r.total, 32);
}

TEST(VariablePlan, StopsAtThePlanLengthAndGoesOnFromALoadedTable) {
  VariablePlan plan;
  for (int i = 0; i < 3; ++i) plan.add(8, 0, 10, 1000, 3, "3");
  try {
    plan.add(8, 0, 10, 1000, 3, "3");
    FAIL();
  } catch (const PlanRefused& e) {
    EXPECT_STREQ(e.what(), "投资期限已满3天!");
  }
  VariablePlan loaded(plan.table());
  const PlanRow& next = loaded.add(8, 0, 10, 1000, 80, "80");
  EXPECT_EQ(next.draw, 4);
  EXPECT_EQ(next.total, plan.table().rows.back().total + next.stake);
}

TEST(VariablePlan, HighBetCountsOnlyEverTakeOneMultiple) {
  VariablePlan plan;
  const PlanRow& r = plan.add(500, -20, 10, 1000, 80, "80");  // 1000 - 1000 + 20 >= 10
  EXPECT_EQ(r.multiple, 1);
}

}  // namespace
}  // namespace tavrin::plans
