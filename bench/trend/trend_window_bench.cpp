// How long the trend windows take over 20000 draws: from creating the window
// to its first complete paint, and from scrolling to the oldest draw to the
// end of the repaint. Runs headless unless a display platform is given.

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <set>

#include "app/u_public.h"
#include "bench/support/bench_database.h"
#include "store/lottery_session.h"
#include "store/u_datamod.h"
#include "trend/u_code.h"
#include "trend/u_fangwei.h"
#include "trend/u_jijie.h"
#include "trend/u_shengxiao.h"

using namespace tavrin;

namespace {

// Notes which of the watched widgets have been painted.
class PaintWatch final : public QObject {
 public:
  explicit PaintWatch(std::vector<QWidget*> watched) : watched_(std::move(watched)) {
    for (QWidget* w : watched_) w->installEventFilter(this);
  }
  void reset() { painted_.clear(); }
  bool allPainted() const { return painted_.size() == watched_.size(); }
  // Runs the event loop until every watched widget has been painted.
  void wait() {
    while (!allPainted()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint) painted_.insert(o);
    return false;
  }

 private:
  std::vector<QWidget*> watched_;
  std::set<QObject*> painted_;
};

struct Figures {
  double median = 0, best = 0, worst = 0;
};

Figures figures(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  return {ms[ms.size() / 2], ms.front(), ms.back()};
}

double msSince(const QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e6; }

void run(const char* name, const std::function<TrendWindow*()>& make) {
  std::vector<double> createMs, scrollMs, repaintMs;
  for (int run = 0; run < 9; ++run) {
    QElapsedTimer t;
    t.start();
    std::unique_ptr<TrendWindow> w(make());
    w->resize(1280, 740);
    TrendGrid& g = *w->grdcode;
    PaintWatch watch({g.viewport(), g.horizontalHeader()->viewport(), g.verticalHeader()->viewport()});
    w->show();
    watch.wait();
    createMs.push_back(msSince(t));

    // Top to the oldest draw and back: each jump repaints the whole grid.
    for (int i = 0; i < 10; ++i) {
      watch.reset();
      t.restart();
      if (i % 2 == 0)
        g.scrollToBottom();
      else
        g.scrollToTop();
      PaintWatch rows({g.viewport(), g.verticalHeader()->viewport()});
      rows.wait();
      scrollMs.push_back(msSince(t));
    }
    // The paint alone, at the oldest draw.
    g.scrollToBottom();
    QCoreApplication::processEvents();
    for (int i = 0; i < 10; ++i) {
      t.restart();
      g.viewport()->repaint();
      g.verticalHeader()->viewport()->repaint();
      repaintMs.push_back(msSince(t));
    }
  }
  const Figures c = figures(createMs), s = figures(scrollMs), r = figures(repaintMs);
  std::printf("%-14s create to first complete paint: median %6.1f ms (best %6.1f, worst %6.1f)\n", name, c.median,
              c.best, c.worst);
  std::printf("%-14s scroll to the oldest draw, repainted: median %6.2f ms (best %6.2f, worst %6.2f)\n", name, s.median,
              s.best, s.worst);
  std::printf("%-14s repaint of rows and issues alone:    median %6.2f ms (best %6.2f, worst %6.2f)\n", name, r.median,
              r.best, r.worst);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const bench::BenchDatabase database(20000);
  lotterySession().open(bench::kBenchLottery);
  std::printf("platform %s, %d draws, window 1280 x 740\n", qPrintable(QGuiApplication::platformName()),
              CurrentLottery().recordCount);
  run("Tfrmcode", [] { return new Tfrmcode; });
  run("Tfrmshengxiao", [] { return new Tfrmshengxiao; });
  run("Tfrmjijie", [] { return new Tfrmjijie; });
  run("Tfrmfangwei", [] { return new Tfrmfangwei; });
  return 0;
}
