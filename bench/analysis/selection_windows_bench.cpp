// How long 历史统计 takes in the interval rebound and affinity windows on
// 20000 draws: reload, compute, fill the grid, the summary and both charts,
// and paint the window, charts included. Beside it the core alone and the
// literal rules of the test oracle on the same history, and the opening of
// each window, which fills two combos of 20001 items besides.

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "analysis/hit_chart.h"
#include "analysis/u_qingmi.h"
#include "analysis/u_sep.h"
#include "app/u_public.h"
#include "bench/support/bench_database.h"
#include "bench/support/bench_timing.h"
#include "store/lottery_session.h"
#include "store/u_datamod.h"
#include "tests/analysis/selection_oracle.h"

using namespace tavrin;
using namespace tavrin::analysis;

namespace {

constexpr int kDraws = 20000;

using bench::Measure;
using bench::Timing;

void Row(const char* what, Timing window, Timing core, Timing literal) {
  std::printf("%-30s %7.2f /%7.2f ms %7.2f /%7.2f ms %8.1f /%8.1f ms %6.0fx\n", what, window.min, window.median,
              core.min, core.median, literal.min, literal.median, literal.min / core.min);
}

// One 历史统计 with the window painted.
void Statistics(SelectionWindow& w) {
  w.btntongji->click();
  w.grab();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const bench::BenchDatabase database(kDraws);
  lotterySession().open(bench::kBenchLottery);
  const AttributeTables& names = FilledAttributeTables();
  const DrawHistory history = LoadCompleteDrawHistory(datamod().t_caipiao(), AttributeKind::Number);
  std::printf("draws: %zu\n", history.entries.size());
  std::printf("历史统计, least / median time of the runs; ratio of the literal to the core:\n");
  std::printf("%-30s %20s %20s %22s %7s\n", "", "window, painted", "core", "literal", "ratio");

  std::unique_ptr<Tfrmsep> sep;
  std::unique_ptr<Tfrmqingmi> qingmi;
  const Timing openSep = Measure(5, [&] { sep = std::make_unique<Tfrmsep>(); });
  const Timing openQingmi = Measure(5, [&] { qingmi = std::make_unique<Tfrmqingmi>(); });
  sep->show();
  qingmi->show();
  QApplication::processEvents();

  {
    const IntervalSettings s = sep->settings();
    Row("interval (I 5, K 2)", Measure(15, [&] { Statistics(*sep); }),
        Measure(15, [&] { IntervalHistory(history, s, names); }),
        Measure(3, [&] { oracle::IntervalHistory(history, s.kind, s.intervals, s.picks, names); }));
  }
  struct AffinityRun {
    const char* what;
    int stageItem;  // of comjieduanqi
  };
  for (const AffinityRun& run : {AffinityRun{"affinity (S 7, K 2)", 7}, AffinityRun{"affinity (S 0 = all, K 2)", 0},
                                 AffinityRun{"affinity (S 20000, K 2)", kDraws}}) {
    qingmi->comjieduanqi->setCurrentIndex(run.stageItem);
    const AffinitySettings s = qingmi->settings();
    Row(run.what, Measure(15, [&] { Statistics(*qingmi); }), Measure(15, [&] { AffinityHistory(history, s, names); }),
        Measure(3, [&] { oracle::AffinityHistory(history, s.kind, s.stages, s.picks, names); }));
  }

  std::printf(
      "opening the window (FormCreate included), least / median: interval %.2f / %.2f ms, "
      "affinity %.2f / %.2f ms\n",
      openSep.min, openSep.median, openQingmi.min, openQingmi.median);
  // Scrolling the hit chart: one step along the draws, painted.
  HitChart* chart = sep->chthistory;
  const Timing scroll = Measure(25, [&] {
    chart->scrollToBar((chart->firstVisibleBar() + 997) % kDraws);
    chart->viewport()->grab();
  });
  const int wide = chart->visibleBarCount();
  chart->setSlotWidth(HitChart::kMinSlotWidth);
  const Timing narrow = Measure(25, [&] {
    chart->scrollToBar((chart->firstVisibleBar() + 997) % kDraws);
    chart->viewport()->grab();
  });
  std::printf("hit chart, scroll and paint: %.3f ms (%d bars in view), %.3f ms (%d bars in view)\n", scroll.min, wide,
              narrow.min, chart->visibleBarCount());
  sep.reset();
  qingmi.reset();
  lotterySession().close();
  return 0;
}
