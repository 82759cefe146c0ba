// The settings search (搜索) as the investment mode window runs it: through
// Ttozithread, on 20000 draws and 100 codes with the window's defaults in
// interval mode (25 500 combinations), from the click to the choice
// arriving on the window's thread, with one core and with all. Beside it,
// how often the window hears of the search and how soon a stop comes back.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

#include "bench/support/bench_history.h"
#include "mode/bet_codes.h"
#include "mode/draw_marks.h"
#include "mode/u_tozithread.h"

using namespace tavrin;
using namespace tavrin::mode;

namespace {

struct Run {
  double seconds = 0;  // start to the choice shown
  int shown = 0;       // progress reports the window got
  int steps = 0;
  Money total = 0;
};

// One search from start to its end on this (the window's) thread; with
// stopAfterMs >= 0 the stop is asked for then, and the time is counted
// from the stop.
Run Search(const std::shared_ptr<const std::vector<DrawMark>>& marks, unsigned threads, int stopAfterMs = -1) {
  QObject window;
  Ttozithread tozithread;
  QEventLoop loop;
  Run run;
  QElapsedTimer clock;
  clock.start();
  const bool started = tozithread.start(
      ModeSettings{}, marks, &window, [&](const Ttozithread::Progress&) { ++run.shown; },
      [&](const Ttozithread::Outcome& o) {
        run.seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        if (o.result) {
          run.steps = o.result->steps;
          run.total = o.result->backtest.total;
        }
        loop.quit();
      },
      threads);
  if (!started) return run;
  if (stopAfterMs >= 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(stopAfterMs));
    clock.restart();
    tozithread.requestStop();
  }
  loop.exec();
  return run;
}

Run Median(const std::shared_ptr<const std::vector<DrawMark>>& marks, unsigned threads, int runs) {
  Search(marks, threads);  // warm up
  std::vector<Run> all;
  for (int i = 0; i < runs; ++i) all.push_back(Search(marks, threads));
  std::sort(all.begin(), all.end(), [](const Run& a, const Run& b) { return a.seconds < b.seconds; });
  return all[all.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  constexpr int kDraws = 20000;
  const DrawHistory history = LoadCompleteDrawHistory(bench::SyntheticSnapshot(kDraws), AttributeKind::Number);
  auto marks = std::make_shared<const std::vector<DrawMark>>(BuildMarks(history, GenerateCodes(0, 100, 2024), 0));

  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  std::printf("settings search through Ttozithread: %d draws, 100 codes, defaults, %d combinations\n", kDraws,
              SearchSize(ModeSettings{}));
  for (unsigned threads : {1u, cores}) {
    const Run r = Median(marks, threads, 5);
    std::printf("  %u core%s %8.3f s from start to the choice shown, %d progress reports, 总体赢余 %lld\n", threads,
                threads == 1 ? ": " : "s:", r.seconds, r.shown, static_cast<long long>(r.total));
  }
  const Run stopped = Search(marks, 1, 5);
  std::printf("  a stop 5 ms after the start (one core): the best of %d combinations shown %.3f ms after the stop\n",
              stopped.steps, 1e3 * stopped.seconds);
  return 0;
}
