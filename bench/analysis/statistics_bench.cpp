// How long one 分析 of the skew and rebound windows takes on 20000 draws and
// the 36 numbers: load the history from the snapshot, build, sort, fill the
// grid and the chart; and the same with the window painted, chart included.

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "analysis/statistics_chart.h"
#include "analysis/u_piantai.h"
#include "analysis/u_yilou.h"
#include "app/u_public.h"
#include "bench/support/bench_database.h"
#include "bench/support/bench_timing.h"
#include "store/lottery_session.h"
#include "store/u_datamod.h"

using namespace tavrin;

namespace {

void Report(const char* what, const std::function<void()>& run) {
  const bench::Timing t = bench::Measure(15, run);
  std::printf("%-52s median %7.2f ms   min %7.2f ms   max %7.2f ms\n", what, t.median, t.min, t.max);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const bench::BenchDatabase database(20000);
  lotterySession().open(bench::kBenchLottery);
  std::printf("draws in the snapshot: %zu\n", datamod().t_caipiao().rows.size());

  const DrawSnapshot& snap = datamod().t_caipiao();
  Report("core: load + build + sort (skew, numbers)", [&] {
    const DrawHistory h = LoadCompleteDrawHistory(snap, AttributeKind::Number);
    analysis::AnalyseHistory(h, AttributeKind::Number, analysis::StatisticsMode::Skew, analysis::SortMode::ChaseValue,
                             FilledAttributeTables());
  });

  Tfrmpiantai piantai;
  Tfrmyilou yilou;
  for (analysis::StatisticsWindow* w :
       {static_cast<analysis::StatisticsWindow*>(&piantai), static_cast<analysis::StatisticsWindow*>(&yilou)}) {
    w->show();
    QApplication::processEvents();
    const bool skew = w->mode() == analysis::StatisticsMode::Skew;
    Report(skew ? "skew 分析: load, build, grid, chart data" : "rebound 分析: load, build, grid, chart data",
           [&] { w->btnala->click(); });
    Report(skew ? "skew 追号价值排序 + window painted (chart included)"
                : "rebound 追号价值排序 + window painted (chart included)",
           [&] {
             w->Button1->click();
             w->grab();  // lays out and paints the grid and all 144 bars now
           });
  }
  lotterySession().close();
  return 0;
}
