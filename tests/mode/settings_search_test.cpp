#include "mode/settings_search.h"

#include <gtest/gtest.h>

#include "tests/mode/literal_backtest.h"
#include "tests/mode/mode_fixtures.h"

namespace tavrin::mode {
namespace {

// Hits every `every` draws from the first: the gaps are all alike.
std::vector<DrawMark> Regular(int n, int every) {
  std::vector<bool> hits(static_cast<std::size_t>(n));
  for (int t = every; t <= n; t += every) hits[static_cast<std::size_t>(t - 1)] = true;
  return MarksOfHits(hits);
}

void ExpectSameChoice(const SearchResult& fast, const literal::Choice& slow, const std::string& what) {
  EXPECT_EQ(fast.countIndex, slow.countIndex) << what;
  EXPECT_EQ(fast.waitIndex, slow.waitIndex) << what;
  EXPECT_EQ(fast.planIndex, slow.planIndex) << what;
  EXPECT_EQ(fast.bestTotal, slow.bestTotal) << what;
  EXPECT_EQ(fast.steps, slow.steps) << what;
  EXPECT_EQ(fast.backtest, slow.backtest) << what;
  EXPECT_EQ(fast.settings.allWin, TotalText(slow.backtest.total)) << what;
}

TEST(SettingsSearch, ProgressMaximaFollowIntervalMode) {
  ModeSettings s;
  EXPECT_EQ(SearchSize(s), 25500);
  SetIntervalMode(s, false);
  EXPECT_EQ(SearchSize(s), 2550);

  s.count = "1";
  int last = 0;
  SearchOptions o;
  o.progress = [&](const SearchStep& step) {
    EXPECT_EQ(step.step, last + 1);
    EXPECT_EQ(step.countIndex, 0);
    last = step.step;
  };
  const SearchResult r = SearchSettings(s, Regular(300, 3), o);
  EXPECT_EQ(last, 2550);
  EXPECT_EQ(r.steps, 2550);
  EXPECT_FALSE(r.stopped);
  EXPECT_EQ(r.settings.count, "1");
}

TEST(SettingsSearch, FirstOfEqualTotalsWins) {
  // Hits every third draw. Waiting two draws always bets right on the next
  // hit and wins in period 1, so every plan length gives the same best
  // total: the shortest plan is chosen. (A large prize keeps the plans short
  // of the largest multiple, and the literal search quick.)
  const auto marks = Regular(90, 3);
  ModeSettings s;
  s.prize = "100000";
  const SearchResult r = SearchSettings(s, marks);
  EXPECT_EQ(r.countIndex, 0);
  EXPECT_EQ(r.waitIndex, 2);
  EXPECT_EQ(r.planIndex, 0);
  EXPECT_EQ(r.settings.count, "1");
  EXPECT_EQ(r.settings.wait, "2");
  EXPECT_EQ(r.settings.plan, "1");
  EXPECT_EQ(r.bestTotal, 15 * (100000 - 200));
  ModeInputs longer = ReadInputs(r.settings);
  longer.planLength = 50;
  EXPECT_EQ(RunBacktest(longer, marks).total, *r.bestTotal);  // the tie
  ExpectSameChoice(r, literal::Search(ReadInputs(s), true, marks), "regular hits");
}

TEST(SettingsSearch, NoTotalAboveTheFloorEndsAtTheFirstItems) {
  // No prize and a stake of 20000000 a run: every combination loses more
  // than 10000000.
  ModeSettings s;
  s.prize = "0";
  s.codeCount = "10000000";
  s.rate = "-1000000000";
  s.stakeLimit = s.outlayLimit = "1000000000000000";
  s.carriedLoss = false;
  s.plan = "17";
  s.wait = "3";
  const SearchResult r = SearchSettings(s, Regular(60 * 40, 60));
  EXPECT_FALSE(r.bestTotal);
  EXPECT_EQ(r.steps, 25500);
  EXPECT_EQ(r.settings.count, "1");
  EXPECT_EQ(r.settings.wait, "0");
  EXPECT_EQ(r.settings.plan, "1");
  EXPECT_LE(r.backtest.total, kSearchFloor);
  EXPECT_EQ(r.settings.allWin, TotalText(r.backtest.total));
}

TEST(SettingsSearch, StopKeepsTheBestSoFar) {
  // A large prize keeps the literal search over the steps taken quick.
  std::mt19937_64 rng(77);
  const auto marks = test::RandomMarks(rng, 300, 0.25);
  ModeSettings s;
  s.prize = "20000";
  for (unsigned threads : {1u, 2u}) {
    std::atomic<bool> stop{false};
    SearchOptions o;
    o.threads = threads;
    o.stop = &stop;
    o.progress = [&](const SearchStep& step) {
      if (step.step == 5) stop = true;
    };
    const SearchResult r = SearchSettings(s, marks, o);
    if (threads == 1) {
      EXPECT_TRUE(r.stopped);
      EXPECT_EQ(r.steps, 5);
    }
    // Another thread may have tried more, up to all, before it saw the stop:
    // what counts is the unbroken run of combinations from the first.
    EXPECT_GE(r.steps, 5);
    EXPECT_EQ(r.stopped, r.steps < 25500);
    ExpectSameChoice(r, literal::Search(ReadInputs(s), true, marks, {}, r.steps), "stopped");
  }
}

TEST(SettingsSearch, StoppedBeforeAnyCombinationAppliesTheFirstItems) {
  std::atomic<bool> stop{true};
  SearchOptions o;
  o.stop = &stop;
  ModeSettings s;
  s.plan = "9";
  const SearchResult r = SearchSettings(s, Regular(100, 4), o);
  EXPECT_EQ(r.steps, 0);
  EXPECT_TRUE(r.stopped);
  EXPECT_FALSE(r.bestTotal);
  EXPECT_EQ(r.settings.plan, "1");
}

TEST(SettingsSearch, WithoutMarksAsksForCodes) {
  EXPECT_THROW(SearchSettings(ModeSettings{}, std::vector<DrawMark>{}), ModeRefused);
}

TEST(SettingsSearch, ProgressReportsEveryCombinationInOrder) {
  std::mt19937_64 rng(5);
  const auto marks = test::RandomMarks(rng, 400, 0.3);
  ModeSettings s;
  SearchOptions o;
  o.threads = 3;
  o.space = {2, 3, 4};
  std::vector<SearchStep> steps;
  o.progress = [&](const SearchStep& step) { steps.push_back(step); };
  SearchSettings(s, marks, o);
  ASSERT_EQ(steps.size(), 24u);
  for (int i = 0; i < 24; ++i) {
    const SearchStep& st = steps[static_cast<std::size_t>(i)];
    EXPECT_EQ(st.step, i + 1);
    EXPECT_EQ(st.countIndex, i / 12);
    EXPECT_EQ(st.waitIndex, i / 4 % 3);
    EXPECT_EQ(st.planIndex, i % 4);
    ModeInputs in = ReadInputs(s);
    in.count = st.countIndex + 1;
    in.wait = st.waitIndex;
    in.planLength = st.planIndex + 1;
    EXPECT_EQ(st.total, RunBacktest(in, marks).total);
  }
}

struct Picker {
  std::mt19937_64 rng;
  Money in(Money lo, Money hi) { return std::uniform_int_distribution<Money>(lo, hi)(rng); }
};

// Random settings a user could type, over small random histories.
ModeSettings RandomSettings(Picker& p) {
  ModeSettings s;
  s.interval = std::to_string(p.in(1, 6));
  s.codeCount = std::to_string(p.in(1, 120));
  s.prize = std::to_string(p.in(0, 3) == 0 ? p.in(0, 3000) : 1000);
  s.rate = std::to_string(p.in(0, 3) == 0 ? p.in(-150, 200) : 10);
  s.stakeLimit = std::to_string(p.in(0, 2) == 0 ? p.in(0, 5000) : 1000000);
  s.outlayLimit = std::to_string(p.in(0, 2) == 0 ? p.in(0, 20000) : 1000000);
  s.carriedLoss = p.in(0, 1) == 1;
  SetIntervalMode(s, p.in(0, 3) != 0);
  return s;
}

TEST(SettingsSearch, ParallelChoiceEqualsTheSequentialLiteralSearch) {
  Picker p{std::mt19937_64(3003)};
  const double rates[] = {0.1, 0.25, 0.5};
  for (int i = 0; i < 60; ++i) {
    const ModeSettings s = RandomSettings(p);
    const auto marks = test::RandomMarks(p.rng, static_cast<int>(p.in(5, 150)), rates[i % 3]);
    SearchOptions o;
    o.threads = static_cast<unsigned>(p.in(1, 4));
    o.space = {static_cast<int>(p.in(1, 10)), static_cast<int>(p.in(1, 12)), static_cast<int>(p.in(1, 20))};
    const SearchResult fast = SearchSettings(s, marks, o);
    const literal::Choice slow = literal::Search(ReadInputs(s), s.intervalMode, marks, o.space);
    ExpectSameChoice(fast, slow, "case " + std::to_string(i));
  }
}

TEST(SettingsSearch, FullSearchEqualsTheSequentialLiteralSearch) {
  // All 25500 combinations. The literal plans try every multiple, so these
  // settings keep the multiples small; the small searches above take the
  // window's defaults.
  Picker p{std::mt19937_64(41)};
  for (int i = 0; i < 2; ++i) {
    ModeSettings s;
    if (i == 1) ClearSettings(s);
    s.prize = "20000";
    s.carriedLoss = i == 0;
    const auto marks = test::RandomMarks(p.rng, 150, 0.25);
    SearchOptions o;
    o.threads = 4;
    ExpectSameChoice(SearchSettings(s, marks, o), literal::Search(ReadInputs(s), true, marks), "full search");
  }
}

TEST(SettingsSearch, ThreadCountChangesNothing) {
  std::mt19937_64 rng(8);
  const auto marks = test::RandomMarks(rng, 5000, 0.25);
  ModeSettings s;
  s.interval = "3";
  SearchOptions one, many;
  one.threads = 1;
  many.threads = 8;
  std::vector<Money> a, b;
  one.progress = [&](const SearchStep& st) { a.push_back(st.total); };
  many.progress = [&](const SearchStep& st) { b.push_back(st.total); };
  const SearchResult r1 = SearchSettings(s, marks, one);
  const SearchResult r8 = SearchSettings(s, marks, many);
  EXPECT_EQ(a, b);
  EXPECT_EQ(r1.settings, r8.settings);
  EXPECT_EQ(r1.backtest, r8.backtest);
}

}  // namespace
}  // namespace tavrin::mode
