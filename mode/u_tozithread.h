#pragma once
// Ttozithread: the settings search (搜索) of the investment mode window on a
// thread of its own. The window hands over the settings and the draw marks
// as plain values; the search spreads the back-tests over the cores. The
// worker never touches a widget: it leaves the newest step in a hand-over
// that the window's thread looks at a few times a second, and its choice
// there when it ends.
//
// The owner keeps its Ttozithread as its last member: destroying it stops
// the search and waits for it before anything else of the owner goes.

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "base/worker_thread.h"
#include "mode/settings_search.h"

namespace tavrin {

class Ttozithread {
 public:
  // The combination last tried, in the order of the search, with its
  // back-test as 分析 would show it, and how far the search has got.
  struct Progress {
    mode::SearchStep step;
    int size = 0;  // combinations in all: pb's maximum
    mode::BacktestResult backtest;
  };
  // How a search ended: the choice (also after a stop), or the error that
  // ended it.
  struct Outcome {
    std::optional<mode::SearchResult> result;
    std::string error;
  };

  // How often the owner hears of the search while it runs.
  static constexpr std::chrono::milliseconds kShowEvery{100};

  // Starts a search of settings over marks on threads cores (0: all); call
  // it on context's thread. progress runs there every kShowEvery with the
  // newest step, finished once the worker has ended; neither runs once
  // context is gone. Refused (false) while a search runs.
  bool start(const mode::ModeSettings& settings, std::shared_ptr<const std::vector<mode::DrawMark>> marks,
             QObject* context, std::function<void(const Progress&)> progress,
             std::function<void(const Outcome&)> finished, unsigned threads = 0);
  bool running() const { return worker_.running(); }
  // Called on the worker for every combination, in order, by the searches
  // started afterwards: tests use it to act at a given step.
  void watch(std::function<void(const mode::SearchStep&)> onWorker) { watcher_ = std::move(onWorker); }
  // The search ends after the combinations under way and still reports the
  // best one found so far.
  void requestStop() { worker_.requestStop(); }
  // Stop and wait: what closing the window, the lottery or the program does.
  void stop();

 private:
  std::function<void(const mode::SearchStep&)> watcher_;
  struct Handover;
  // Of the search under way or last run; shared with its worker.
  std::shared_ptr<Handover> handover_;
  // On the owner's thread: shows the newest step while the search runs.
  std::unique_ptr<QTimer> shower_;
  WorkerThread worker_;
};

}  // namespace tavrin
