#include "mode/settings_search.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include "mode/backtest_engine.h"

namespace tavrin::mode {

namespace {

// Combinations a thread takes at a time: small, so that a stop is seen soon
// and the threads finish together.
constexpr int kChunk = 8;

void CheckSpace(const SearchSpace& sp) {
  if (sp.counts < 1 || sp.counts > kCountList.count || sp.waits < 1 || sp.waits > kWaitList.count || sp.plans < 1 ||
      sp.plans > kPlanList.count)
    throw std::invalid_argument("search space outside the lists");
}

}  // namespace

int SearchSize(const ModeSettings& s, const SearchSpace& space) {
  return (s.intervalMode ? space.counts : 1) * space.waits * space.plans;
}

SearchResult SearchSettings(const ModeSettings& s, std::span<const DrawMark> marks, const SearchOptions& options) {
  if (marks.empty()) throw ModeRefused(kGenerateCodesFirst);
  const SearchSpace& sp = options.space;
  CheckSpace(sp);
  // The varied settings take their items; the others are read once here.
  ModeSettings fixed = s;
  fixed.count = ItemText(kCountList, 0);
  fixed.wait = ItemText(kWaitList, 0);
  fixed.plan = ItemText(kPlanList, 0);
  const ModeInputs base = ReadInputs(fixed);

  const int counts = s.intervalMode ? sp.counts : 1;
  const int waits = sp.waits;
  const int plans = sp.plans;
  const int size = counts * waits * plans;

  const MarkIndex index(marks);
  std::vector<std::vector<std::int32_t>> observe, waiting;
  for (int a = 0; a < counts; ++a) observe.push_back(detail::ObservationTable(index, base.interval, a + 1));
  for (int b = 0; b < waits; ++b) waiting.push_back(detail::WaitTable(index, b));

  struct Combination {
    int a, b, c;
  };
  const auto decode = [&](int i) { return Combination{i / (waits * plans), i / plans % waits, i % plans}; };

  std::vector<Money> totals(static_cast<std::size_t>(size));
  const std::unique_ptr<std::atomic<bool>[]> done(new std::atomic<bool>[static_cast<std::size_t>(size)]);
  for (int i = 0; i < size; ++i) done[static_cast<std::size_t>(i)].store(false, std::memory_order_relaxed);
  std::atomic<int> next{0};
  std::atomic<bool> failed{false};  // a thread threw: the others stop too
  const auto stopRequested = [&] {
    return failed.load(std::memory_order_relaxed) || (options.stop && options.stop->load(std::memory_order_relaxed));
  };

  // Only the caller's thread takes results in, in the order of the
  // combinations, so the choice is that of the sequential search.
  SearchResult result;
  Money best = kSearchFloor;
  Combination chosen{0, 0, 0};
  int committed = 0;
  const auto commit = [&] {
    while (committed < size && done[static_cast<std::size_t>(committed)].load(std::memory_order_acquire)) {
      const Money v = totals[static_cast<std::size_t>(committed)];
      const Combination k = decode(committed);
      if (v > best) {
        best = v;
        chosen = k;
        result.bestTotal = v;
      }
      ++committed;
      if (options.progress) options.progress({committed, k.a, k.b, k.c, v});
    }
  };

  const auto work = [&](bool caller) {
    detail::PlanCache cache(base, plans);
    for (;;) {
      const int start = next.fetch_add(kChunk, std::memory_order_relaxed);
      if (start >= size) return;
      const int end = std::min(start + kChunk, size);
      for (int i = start; i < end; ++i) {
        if (stopRequested()) return;
        const Combination k = decode(i);
        const detail::WalkSetup setup{k.c + 1, s.intervalMode ? k.a + 1 : base.count, k.b, base.carriedLoss};
        const detail::TableFinder find(index, observe[static_cast<std::size_t>(k.a)].data(),
                                       waiting[static_cast<std::size_t>(k.b)].data());
        totals[static_cast<std::size_t>(i)] =
            detail::Walk(index, cache, find, setup, [](const PlanRow&, bool) {}).total;
        done[static_cast<std::size_t>(i)].store(true, std::memory_order_release);
        if (caller) commit();
      }
    }
  };

  unsigned threads = options.threads != 0 ? options.threads : std::max(1u, std::thread::hardware_concurrency());
  threads = std::min<unsigned>(threads, static_cast<unsigned>((size + kChunk - 1) / kChunk));
  std::vector<std::thread> helpers;
  std::vector<std::exception_ptr> errors(threads);
  for (unsigned t = 1; t < threads; ++t)
    helpers.emplace_back([&, t] {
      try {
        work(false);
      } catch (...) {
        errors[t] = std::current_exception();
        failed = true;
      }
    });
  try {
    work(true);
  } catch (...) {
    errors[0] = std::current_exception();
    failed = true;
  }
  for (std::thread& h : helpers) h.join();
  for (const std::exception_ptr& e : errors)
    if (e) std::rethrow_exception(e);
  commit();

  result.steps = committed;
  result.stopped = committed < size;
  result.countIndex = chosen.a;
  result.waitIndex = chosen.b;
  result.planIndex = chosen.c;
  result.settings = s;
  result.settings.count = ItemText(kCountList, chosen.a);
  result.settings.wait = ItemText(kWaitList, chosen.b);
  result.settings.plan = ItemText(kPlanList, chosen.c);
  result.backtest = RunBacktest(ReadInputs(result.settings), index);
  result.settings.allWin = TotalText(result.backtest.total);
  return result;
}

}  // namespace tavrin::mode
