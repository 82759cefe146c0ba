// How long the draw data window takes to show a lottery of 20000 draws: from
// the click on its name until the grid has painted the newest row, and how
// many rows it read from the database for that.

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/u_public.h"
#include "bench/support/bench_database.h"
#include "store/draw_table_model.h"
#include "store/u_data.h"

using namespace tavrin;

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  for (int rows : {20000, 30000}) {
    const bench::BenchDatabase database(rows);
    std::vector<double> open, whole;
    int read = 0;
    QString newest;
    for (int run = 0; run < 15; ++run) {
      QElapsedTimer all;
      all.start();
      // Made anew on every use, as the menu does.
      Tfrmdata w;
      w.show();
      QApplication::processEvents();
      QElapsedTimer t;
      t.start();
      w.lstcaipiao->setCurrentRow(0);
      w.grdcaipiao->viewport()->repaint();
      open.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
      whole.push_back(static_cast<double>(all.nsecsElapsed()) / 1e6);
      read = w.rst()->rowsRead();
      newest = w.rst()->data(w.rst()->index(w.currentRow(), 0)).toString();
    }
    std::sort(open.begin(), open.end());
    std::sort(whole.begin(), whole.end());
    std::printf(
        "data window, %5d draws: choosing the lottery until the newest row (%s) is painted: median %.1f ms, best %.1f "
        "ms, worst %.1f ms; rows read %d\n",
        rows, newest.toUtf8().constData(), open[open.size() / 2], open.front(), open.back(), read);
    std::printf("data window, %5d draws: window made, shown and the lottery chosen: median %.1f ms\n", rows,
                whole[whole.size() / 2]);
  }
  return 0;
}
