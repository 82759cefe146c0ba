// The fast back-test against the literal one on random histories, code
// lists and settings: plans per carried loss, hit tables and the closed-form
// multiple must change nothing.

#include <gtest/gtest.h>

#include "mode/backtest.h"
#include "mode/backtest_engine.h"
#include "mode/bet_codes.h"
#include "tests/mode/literal_backtest.h"
#include "tests/mode/mode_fixtures.h"

namespace tavrin::mode {
namespace {

struct Picker {
  std::mt19937_64 rng;
  Money in(Money lo, Money hi) { return std::uniform_int_distribution<Money>(lo, hi)(rng); }
  bool chance(double p) { return std::bernoulli_distribution(p)(rng); }
  // An index drawn with the given weights.
  int pick(std::initializer_list<double> weights) { return std::discrete_distribution<int>(weights)(rng); }
};

// Settings of every kind. The literal plan tries every multiple up to the
// one it needs, so large multiples are left mostly to the plan test.
ModeInputs RandomInputs(Picker& p, int maxPlan) {
  ModeInputs in;
  in.unitCost = 2 * (p.chance(0.8) ? p.in(1, 150) : p.in(1, 3000));
  switch (p.pick({30, 20, 5, 20, 5, 20})) {
    case 0:
      in.prize = 1000;
      break;
    case 1:
      in.prize = p.in(0, 5000);
      break;
    case 2:
      in.prize = p.in(-200, 200);
      break;
    case 3:
      in.prize = p.in(1, 1'000'000'000'000);  // figures beyond 32 bits
      break;
    case 4:
      in.unitCost = 2 * p.in(1, 3);
      in.prize = p.in(100'000'000'000'000'000, INT64_MAX);  // rates beyond 64 bits
      break;
    default:
      in.prize = in.unitCost * p.in(2, 40);
  }
  switch (p.pick({40, 25, 5, 30})) {
    case 0:
      in.rate = 10;
      break;
    case 1:
      in.rate = p.in(-300, 300);
      break;
    case 2:
      in.rate = p.in(-5'000'000, -100);
      break;
    default:
      in.rate = p.in(0, 60);
  }
  const auto limit = [&]() -> Money {
    switch (p.pick({35, 25, 3, 15, 22})) {
      case 0:
        return 1000000;
      case 1:
        return p.in(0, 20000);
      case 2:
        return p.chance(0.5) ? -1 : 0;
      case 3:
        return INT64_MAX;
      default:
        return p.in(0, 5'000'000);
    }
  };
  in.stakeLimit = limit();
  in.outlayLimit = limit();
  in.planLength = static_cast<int>(p.in(1, maxPlan));
  in.interval = static_cast<int>(p.in(-1, 8));
  in.count = static_cast<int>(p.in(-1, 5));
  in.wait = static_cast<int>(p.in(0, 10));
  in.carriedLoss = p.chance(0.6);
  return in;
}

std::string Describe(const ModeInputs& in) {
  return "R=" + std::to_string(in.rate) + " U=" + std::to_string(in.unitCost) + " W=" + std::to_string(in.prize) +
         " SL=" + std::to_string(in.stakeLimit) + " OL=" + std::to_string(in.outlayLimit) +
         " L=" + std::to_string(in.planLength) + " iv=" + std::to_string(in.interval) +
         " c=" + std::to_string(in.count) + " w=" + std::to_string(in.wait) +
         " carried=" + std::to_string(in.carriedLoss);
}

TEST(BacktestOracle, PlansEqualTheMultiplierScan) {
  Picker p{std::mt19937_64(515)};
  int failures[4] = {};
  for (int i = 0; i < 3000; ++i) {
    ModeInputs in = RandomInputs(p, 40);
    // Carried losses of every size, so that multiples run up to the limit.
    const Money carried = p.chance(0.3) ? 0 : p.in(0, p.chance(0.5) ? 100'000 : 50'000'000'000);
    const ModePlan fast = BuildPlan(in, carried);
    const literal::Plan slow = literal::BuildPlan(in, carried);
    ASSERT_EQ(fast.failure, slow.failure) << Describe(in) << " C=" << carried;
    ++failures[static_cast<int>(fast.failure)];
    if (fast.failure != PlanFailure::None) continue;
    ASSERT_EQ(fast.rows, slow.rows) << Describe(in) << " C=" << carried;
    ASSERT_EQ(fast.usable, slow.usable) << Describe(in) << " C=" << carried;
  }
  for (int f = 0; f < 4; ++f) EXPECT_GT(failures[f], 25) << "failure kind " << f;
}

TEST(BacktestOracle, EqualsTheLiteralWalkOnRandomHistories) {
  Picker p{std::mt19937_64(20240612)};
  const double hitRates[] = {0.03, 0.1, 0.25, 0.5, 0.9};
  int failures[4] = {}, cutShort = 0, carriedRows = 0, truncated = 0, rows = 0;
  for (int i = 0; i < 2500; ++i) {
    const ModeInputs in = RandomInputs(p, 30);
    std::vector<DrawMark> marks;
    if (i % 7 == 0) {
      // A real code list against real draw values.
      DrawHistory h;
      for (int d = 0; d < p.in(1, 300); ++d) {
        const int v = static_cast<int>(p.in(1, 36));
        h.entries.push_back({d + 1, v, v});
      }
      marks = BuildMarks(h, GenerateCodes(0, p.in(1, 6), p.rng()), 0);
    } else {
      marks = test::RandomMarks(p.rng, static_cast<int>(p.in(1, 300)), hitRates[i % 5]);
    }
    const BacktestResult fast = RunBacktest(in, marks);
    const BacktestResult slow = literal::Backtest(in, marks);
    ASSERT_EQ(fast, slow) << "case " << i << ": " << Describe(in);
    ++failures[static_cast<int>(fast.failure)];
    for (std::size_t k = 0; k < fast.rows.size(); ++k) {
      const RunRow& r = fast.rows[k];
      ++rows;
      if (r.cutShort) ++cutShort;
      if (k > 0 && fast.rows[k - 1].row.net < 0 && !fast.rows[k - 1].cutShort && in.carriedLoss) ++carriedRows;
      if (r.row.prize != static_cast<std::int32_t>(r.row.prize) || r.row.rate != static_cast<std::int32_t>(r.row.rate))
        ++truncated;
    }
  }
  // The sample reaches every rule.
  for (int f = 0; f < 4; ++f) EXPECT_GT(failures[f], 50) << "failure kind " << f;
  EXPECT_GT(rows, 5000);
  EXPECT_GT(cutShort, 150);
  EXPECT_GT(carriedRows, 400);
  EXPECT_GT(truncated, 1000);
}

// A cache that may keep one plan besides the one without carried loss must
// still give every plan right after dropping the others.
TEST(BacktestOracle, PlanCacheOverItsBudgetDropsPlansAndGivesTheSame) {
  Picker p{std::mt19937_64(99)};
  int dropsNeeded = 0;
  for (int i = 0; i < 1500; ++i) {
    ModeInputs in = RandomInputs(p, 30);
    in.carriedLoss = true;
    const auto marks = test::RandomMarks(p.rng, static_cast<int>(p.in(1, 300)), 0.3);
    const MarkIndex index(marks);
    detail::PlanCache plans(in, in.planLength, static_cast<std::size_t>(in.planLength));
    const detail::ScanFinder find(index, in.interval, in.wait);
    BacktestResult fast;
    const detail::WalkTotals t =
        detail::Walk(index, plans, find, {in.planLength, in.count, in.wait, true}, [&](const PlanRow& r, bool cut) {
          fast.rows.push_back({r, cut});
        });
    fast.total = t.total;
    fast.failure = t.failure;
    fast.message = FailureMessage(t.failure, t.rowsKept);
    const BacktestResult slow = literal::Backtest(in, marks);
    ASSERT_EQ(fast, slow) << "case " << i << ": " << Describe(in);
    // Two carried losses in a row need a second plan besides the root's.
    for (std::size_t k = 1; k < fast.rows.size(); ++k)
      if (fast.rows[k - 1].row.net < 0 && !fast.rows[k - 1].cutShort && fast.rows[k].row.net < 0 &&
          !fast.rows[k].cutShort)
        ++dropsNeeded;
  }
  EXPECT_GT(dropsNeeded, 200);
}

}  // namespace
}  // namespace tavrin::mode
