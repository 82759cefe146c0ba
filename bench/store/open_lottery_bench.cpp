// How long opening a lottery takes: the shared connection and the snapshot of
// the newest 20000 draws, for draw tables of 20000 and 30000 rows.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

#include "app/u_public.h"
#include "bench/support/bench_database.h"
#include "store/lottery_session.h"

using namespace tavrin;

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  for (int rows : {20000, 30000}) {
    const bench::BenchDatabase database(rows);
    std::vector<double> ms;
    for (int run = 0; run < 15; ++run) {
      QElapsedTimer t;
      t.start();
      lotterySession().open(bench::kBenchLottery);
      ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
      lotterySession().close();
    }
    std::sort(ms.begin(), ms.end());
    std::printf("Opening a lottery, %5d stored draws (snapshot %d): median %.1f ms, best %.1f ms, worst %.1f ms\n",
                rows, CurrentLottery().recordCount, ms[ms.size() / 2], ms.front(), ms.back());
  }
  return 0;
}
