#pragma once
// How a long computation of the core is stopped and how it reports progress.
// The caller (a worker thread, a command) owns both; the computation only
// reads the stop request and calls the progress function, from whatever
// thread it runs on.

#include <atomic>
#include <functional>

namespace tavrin {

struct WorkControl {
  // Set by the owner to ask the computation to end early; it returns what it
  // has so far, as its function documents.
  const std::atomic<bool>* stop = nullptr;
  // Called now and then with the steps done and the steps in all.
  std::function<void(long long done, long long total)> progress;

  bool stopRequested() const { return stop && stop->load(std::memory_order_relaxed); }
  void report(long long done, long long total) const {
    if (progress) progress(done, total);
  }
};

}  // namespace tavrin
