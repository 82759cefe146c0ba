// How long opening a lottery takes: the shared connection and the snapshot of
// the newest 20000 draws, for draw tables of 20000 and 30000 rows.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "app/u_public.h"
#include "bench/support/bench_history.h"
#include "store/lottery_session.h"
#include "store/lottery_store.h"

using namespace tavrin;

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  for (int rows : {20000, 30000}) {
    QTemporaryDir dir;
    SetAppDir(dir.path());
    store::EnsureDefaultDatabase(DatabaseFile());
    {
      store::Database db(DatabaseFile());
      db.appendDraws(QStringLiteral("南粤风采36选7"), bench::SyntheticHistory(rows));
    }
    std::vector<double> ms;
    for (int run = 0; run < 15; ++run) {
      QElapsedTimer t;
      t.start();
      lotterySession().open(QStringLiteral("南粤风采36选7"));
      ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
      lotterySession().close();
    }
    std::sort(ms.begin(), ms.end());
    std::printf("Opening a lottery, %5d stored draws (snapshot %d): median %.1f ms, best %.1f ms, worst %.1f ms\n",
                rows, CurrentLottery().recordCount, ms[ms.size() / 2], ms.front(), ms.back());
  }
  return 0;
}
