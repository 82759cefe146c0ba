// What the investment mode window makes the user wait for, on 20000 draws
// and 100 codes with the window's defaults: the draw marks and their
// statistics, one 分析 for several plan lengths against the literal
// back-test, and the whole 搜索 with one thread and with all, against the
// literal back-test loop timed on a sample of combinations.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <thread>
#include <vector>

#include "bench/support/bench_history.h"
#include "mode/backtest.h"
#include "mode/bet_codes.h"
#include "mode/draw_marks.h"
#include "mode/settings_search.h"
#include "tests/mode/literal_backtest.h"

using namespace tavrin;
using namespace tavrin::mode;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Median wall time of `runs` calls, in seconds.
double Median(int runs, const std::function<void()>& f) {
  f();  // warm up
  std::vector<double> t;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    f();
    t.push_back(Seconds(Clock::now() - start));
  }
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

volatile Money sink;

}  // namespace

int main() {
  constexpr int kDraws = 20000;
  const DrawHistory history = LoadCompleteDrawHistory(bench::SyntheticSnapshot(kDraws), AttributeKind::Number);
  const std::vector<BetCode> codes = GenerateCodes(0, 100, 2024);
  const std::vector<DrawMark> marks = BuildMarks(history, codes, 0);
  const MarkIndex index(marks);
  std::printf("history: %d draws, 100 codes, %d hits\n\n", kDraws, index.hitCount());

  std::printf("%-44s %10.3f ms\n", "draw marks (随机生成 after the codes)",
              1e3 * Median(50, [&] { sink = static_cast<Money>(BuildMarks(history, codes, 0).size()); }));
  std::printf("%-44s %10.3f ms\n\n", "interval run statistics (grdsepmode)",
              1e3 * Median(50, [&] { sink = static_cast<Money>(IntervalRunStatistics(marks)->size()); }));

  const ModeSettings defaults;
  std::printf("one back-test (分析), the window's defaults\n");
  std::printf("%-12s %8s %12s %14s %14s %10s\n", "plan length", "runs", "fast", "fast, index", "literal", "ratio");
  for (int length : {10, 30, 50}) {
    ModeInputs in = ReadInputs(defaults);
    in.planLength = length;
    const BacktestResult fast = RunBacktest(in, marks);
    if (!(fast == literal::Backtest(in, marks))) {
      std::printf("the fast back-test differs from the literal one at plan length %d\n", length);
      return 1;
    }
    // From the marks as 分析 gets them, and over a MarkIndex the window keeps
    // while its marks stay the same.
    const double f = Median(200, [&] { sink = RunBacktest(in, marks).total; });
    const double p = Median(200, [&] { sink = RunBacktest(in, index).total; });
    const double l = Median(5, [&] { sink = literal::Backtest(in, marks).total; });
    std::printf("%-12d %8zu %9.1f us %11.1f us %11.2f ms %9.0fx\n", length, fast.rows.size(), 1e6 * f, 1e6 * p, 1e3 * l,
                l / f);
  }
  std::printf("\n");

  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const int size = SearchSize(defaults);
  std::printf("settings search (搜索), interval mode: %d combinations\n", size);
  SearchResult chosen;
  for (unsigned threads : {1u, cores}) {
    SearchOptions o;
    o.threads = threads;
    // CPU time beside wall time shows how many cores the machine gave.
    const std::clock_t cpu = std::clock();
    const double t = Median(5, [&] { chosen = SearchSettings(defaults, marks, o); });
    const double used = static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC / 6;
    std::printf("  %u thread%s %10.3f s wall, %.3f s cpu\n", threads, threads == 1 ? ": " : "s:", t, used);
  }
  std::printf("  chosen: 观察间隔连续次数：%s 中出后间隔期数：%s 连续投入期数：%s  总体赢余：%lld\n",
              chosen.settings.count.c_str(), chosen.settings.wait.c_str(), chosen.settings.plan.c_str(),
              static_cast<long long>(chosen.backtest.total));

  // The literal loop: every 255th combination timed, the mean scaled up.
  const ModeInputs base = ReadInputs(defaults);
  double sample = 0;
  int sampled = 0;
  SearchOptions every;
  every.threads = cores;
  std::vector<Money> fastTotals;
  every.progress = [&](const SearchStep& s) { fastTotals.push_back(s.total); };
  SearchSettings(defaults, marks, every);
  for (int i = 0; i < size; i += 255) {
    ModeInputs in = base;
    in.count = i / (51 * 50) + 1;
    in.wait = i / 50 % 51;
    in.planLength = i % 50 + 1;
    const auto start = Clock::now();
    const Money total = literal::Backtest(in, marks).total;
    sample += Seconds(Clock::now() - start);
    ++sampled;
    if (total != fastTotals[static_cast<std::size_t>(i)]) {
      std::printf("combination %d differs from the literal back-test\n", i);
      return 1;
    }
  }
  const double literalSearch = sample / sampled * size;
  SearchOptions all;
  all.threads = cores;
  const double fastSearch = Median(5, [&] { sink = SearchSettings(defaults, marks, all).backtest.total; });
  std::printf("  literal loop, %d combinations timed: %.2f ms each, %.1f s for all %d (%.0fx the search on %u cores)\n",
              sampled, 1e3 * sample / sampled, literalSearch, size, literalSearch / fastSearch, cores);

  // How soon a stop takes effect.
  std::atomic<bool> stop{false};
  SearchOptions stoppable;
  stoppable.threads = cores;
  stoppable.stop = &stop;
  Clock::time_point stoppedAt;
  std::thread worker([&] { SearchSettings(defaults, marks, stoppable); });
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  stoppedAt = Clock::now();
  stop = true;
  worker.join();
  std::printf("  stop honoured after %.3f ms\n", 1e3 * Seconds(Clock::now() - stoppedAt));
  return 0;
}
