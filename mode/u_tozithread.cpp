#include "mode/u_tozithread.h"

#include <exception>

namespace tavrin {

using namespace mode;

bool Ttozithread::start(const ModeSettings& settings, std::shared_ptr<const std::vector<DrawMark>> marks,
                        QObject* context, std::function<void(const Progress&)> progress,
                        std::function<void(const Outcome&)> finished, unsigned threads) {
  if (running() || !marks) return false;
  // Written by the worker before it ends, read on context's thread after.
  auto outcome = std::make_shared<Outcome>();
  auto show = std::make_shared<const std::function<void(const Progress&)>>(std::move(progress));
  auto job = [settings, marks, context, outcome, show, threads](const WorkControl& control) {
    try {
      const int size = SearchSize(settings);
      const MarkIndex index(*marks);
      auto next = std::chrono::steady_clock::time_point::min();
      SearchOptions options;
      options.threads = threads;
      options.stop = control.stop;
      // Called on this thread in the order of the combinations; only some
      // of them are shown, each with the back-test the window would show.
      if (*show)
        options.progress = [&](const SearchStep& step) {
          const auto now = std::chrono::steady_clock::now();
          if (now < next) return;
          next = now + kShowEvery;
          ModeSettings tried = settings;
          if (tried.intervalMode) tried.count = ItemText(kCountList, step.countIndex);
          tried.wait = ItemText(kWaitList, step.waitIndex);
          tried.plan = ItemText(kPlanList, step.planIndex);
          Progress p{step, size, RunBacktest(ReadInputs(tried), index)};
          PostTo(context, [show, p = std::move(p)] { (*show)(p); });
        };
      outcome->result = SearchSettings(settings, *marks, options);
    } catch (const std::exception& e) {
      outcome->result.reset();
      outcome->error = e.what();
    } catch (...) {
      outcome->result.reset();
      outcome->error = "未知错误";
    }
  };
  return worker_.start(std::move(job), context, [outcome, finished = std::move(finished)] { finished(*outcome); });
}

}  // namespace tavrin
