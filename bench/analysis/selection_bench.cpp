// How long the core of 历史统计 takes in the interval rebound and affinity
// windows on 20000 draws, against the literal rules of the test oracle on
// the same history. Core only: the window-level figures come with the windows.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "analysis/affinity.h"
#include "analysis/interval_rebound.h"
#include "bench/support/bench_history.h"
#include "bench/support/bench_timing.h"
#include "tests/analysis/selection_oracle.h"

using namespace tavrin;
using namespace tavrin::analysis;

namespace {

constexpr int kDraws = 20000;

using bench::Measure;
using bench::Timing;

void Row(const char* what, Timing loadAndCore, Timing core, Timing literal, bool agree) {
  std::printf("%-28s %7.2f /%7.2f ms %7.2f /%7.2f ms %8.1f /%8.1f ms %6.0fx   %s\n", what, loadAndCore.min,
              loadAndCore.median, core.min, core.median, literal.min, literal.median, literal.min / core.min,
              agree ? "same result" : "RESULTS DIFFER");
}

}  // namespace

int main() {
  const DrawSnapshot snapshot = bench::SyntheticSnapshot(kDraws);
  const AttributeTables& names = FilledAttributeTables();
  const DrawHistory history = LoadCompleteDrawHistory(snapshot, AttributeKind::Number);
  std::printf("draws: %zu\n", history.entries.size());
  std::printf("历史统计, least / median time of the runs; ratio of the least times:\n");
  std::printf("%-28s %20s %20s %22s %7s\n", "", "load + core", "core", "literal", "ratio");

  {
    const IntervalSettings s;  // numbers, I = 5, K = 2
    const Timing both = Measure(15, [&] {
      const DrawHistory h = LoadCompleteDrawHistory(snapshot, s.kind);
      IntervalHistory(h, s, names);
    });
    const Timing core = Measure(15, [&] { IntervalHistory(history, s, names); });
    const Timing literal = Measure(3, [&] { oracle::IntervalHistory(history, s.kind, s.intervals, s.picks, names); });
    const bool agree =
        IntervalHistory(history, s, names) == oracle::IntervalHistory(history, s.kind, s.intervals, s.picks, names);
    Row("interval (I 5, K 2)", both, core, literal, agree);
  }

  struct AffinityRun {
    const char* what;
    int stages;
  };
  for (const AffinityRun& run : {AffinityRun{"affinity (S 7, K 2)", 7}, AffinityRun{"affinity (S 0 = all, K 2)", 0},
                                 AffinityRun{"affinity (S 20000, K 2)", kDraws}}) {
    const AffinitySettings s{AttributeKind::Number, run.stages, 2};
    const Timing both = Measure(15, [&] {
      const DrawHistory h = LoadCompleteDrawHistory(snapshot, s.kind);
      AffinityHistory(h, s, names);
    });
    const Timing core = Measure(15, [&] { AffinityHistory(history, s, names); });
    const Timing literal = Measure(3, [&] { oracle::AffinityHistory(history, s.kind, s.stages, s.picks, names); });
    const bool agree =
        AffinityHistory(history, s, names) == oracle::AffinityHistory(history, s.kind, s.stages, s.picks, names);
    Row(run.what, both, core, literal, agree);
  }

  // 生成号码 for the draw after the newest: one proposal, index included.
  const std::size_t next = history.entries.size();
  std::printf("生成号码, next draw, least time: interval %.3f ms, affinity (S 7) %.3f ms\n",
              Measure(15, [&] { ProposeInterval(history, IntervalSettings{}, next, names); }).min,
              Measure(15, [&] { ProposeAffinity(history, AffinitySettings{}, next, names); }).min);
  return 0;
}
