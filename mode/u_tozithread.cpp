#include "mode/u_tozithread.h"

#include <exception>

namespace tavrin {

using namespace mode;

// What the worker hands over to the owner's thread. Every hand-over passes
// the lock, so what the worker wrote is whole when the owner reads it; no
// data crosses between the threads any other way. Only the newest step
// waits to be shown.
struct Ttozithread::Handover {
  std::mutex lock;
  std::optional<Progress> latest;
  Outcome outcome;
};

bool Ttozithread::start(const ModeSettings& settings, std::shared_ptr<const std::vector<DrawMark>> marks,
                        QObject* context, std::function<void(const Progress&)> progress,
                        std::function<void(const Outcome&)> finished, unsigned threads) {
  if (running() || !marks) return false;
  auto handover = std::make_shared<Handover>();
  const bool shown = static_cast<bool>(progress);
  auto job = [settings, marks, handover, shown, threads, watcher = watcher_](const WorkControl& control) {
    Outcome outcome;
    try {
      const int size = SearchSize(settings);
      const MarkIndex index(*marks);
      auto next = std::chrono::steady_clock::time_point::min();
      SearchOptions options;
      options.threads = threads;
      options.stop = control.stop;
      // Called on this thread in the order of the combinations; a few of
      // them are kept for the owner, each with the back-test it shows.
      if (shown || watcher)
        options.progress = [&](const SearchStep& step) {
          if (watcher) watcher(step);
          if (!shown) return;
          const auto now = std::chrono::steady_clock::now();
          if (now < next) return;
          next = now + kShowEvery;
          ModeSettings tried = settings;
          if (tried.intervalMode) tried.count = ItemText(kCountList, step.countIndex);
          tried.wait = ItemText(kWaitList, step.waitIndex);
          tried.plan = ItemText(kPlanList, step.planIndex);
          Progress p{step, size, RunBacktest(ReadInputs(tried), index)};
          const std::lock_guard hold(handover->lock);
          handover->latest = std::move(p);
        };
      outcome.result = SearchSettings(settings, *marks, options);
    } catch (const std::exception& e) {
      outcome.result.reset();
      outcome.error = e.what();
    } catch (...) {
      outcome.result.reset();
      outcome.error = "未知错误";
    }
    const std::lock_guard hold(handover->lock);
    handover->outcome = std::move(outcome);
  };

  handover_ = handover;
  shower_ = std::make_unique<QTimer>();
  shower_->setInterval(kShowEvery);
  if (shown)
    QObject::connect(shower_.get(), &QTimer::timeout, context, [handover, progress = std::move(progress)] {
      std::optional<Progress> newest;
      {
        const std::lock_guard hold(handover->lock);
        newest.swap(handover->latest);
      }
      if (newest) progress(*newest);
    });
  // Runs only while this object lives: the worker thread goes with it.
  const bool started = worker_.start(std::move(job), context, [this, handover, finished = std::move(finished)] {
    shower_->stop();
    Outcome outcome;
    {
      const std::lock_guard hold(handover->lock);
      outcome = std::move(handover->outcome);
    }
    if (finished) finished(outcome);
  });
  if (started) shower_->start();
  return started;
}

void Ttozithread::stop() {
  worker_.stop();
  if (shower_) shower_->stop();
  // The worker's last act took the lock: taking it here orders everything
  // it did before whatever this thread does next, freeing included.
  if (handover_) {
    handover_->lock.lock();
    handover_->lock.unlock();
  }
}

}  // namespace tavrin
