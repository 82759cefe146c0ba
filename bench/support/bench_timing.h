#pragma once
// How the benchmarks time a piece of work: one warm-up run, then `runs`
// runs. The machine is shared, so the least time is the steadier figure; the
// median and the most are printed beside it.

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace tavrin::bench {

struct Timing {
  double min = 0, median = 0, max = 0;  // milliseconds
};

inline Timing Measure(int runs, const std::function<void()>& run) {
  run();
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  return {ms.front(), ms[ms.size() / 2], ms.back()};
}

}  // namespace tavrin::bench
