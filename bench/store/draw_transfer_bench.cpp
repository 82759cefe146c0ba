// How long the history export of a 20000-draw lottery takes (formatting
// alone, reading and formatting, and the whole file written), and how long
// converting and restoring the Jet 4 sample database takes.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

#include "bench/support/bench_history.h"
#include "store/database_file.h"
#include "store/draw_export.h"
#include "store/draw_transfer.h"
#include "store/jet4_import.h"
#include "store/lottery_store.h"

using namespace tavrin;

namespace {

double cpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Wall time, and the process's CPU time beside it: on a shared machine the
// wall time grows with the others' load, the CPU time hardly.
void report(const char* what, int runs, const std::function<void(int)>& run) {
  std::vector<double> ms, cpu;
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer t;
    const double c = cpuMs();
    t.start();
    run(i);
    ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    cpu.push_back(cpuMs() - c);
  }
  std::sort(ms.begin(), ms.end());
  std::sort(cpu.begin(), cpu.end());
  std::printf("%-40s median %6.1f ms, best %6.1f ms, worst %6.1f ms; CPU median %6.1f ms\n", what, ms[ms.size() / 2],
              ms.front(), ms.back(), cpu[cpu.size() / 2]);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  const QString file = dir.path() + QStringLiteral("/数据库/彩票数据.mdb");
  const QString lottery = QStringLiteral("南粤风采36选7");
  store::EnsureDefaultDatabase(file);
  const std::vector<DrawRecord> history = bench::SyntheticHistory(20000);
  {
    store::Database db(file);
    db.appendDraws(lottery, history);
  }

  std::size_t bytes = 0;
  report("export, 20000 draws: lines only", 15, [&](int) { bytes = store::ExportFile(history, 7).size(); });
  store::Database db(file);
  report("export, 20000 draws: read and lines", 15, [&](int) { bytes = store::ExportLottery(db, lottery).size(); });
  const QString out = dir.path() + QStringLiteral("/历史号码.txt");
  report("export, 20000 draws: read, lines, file", 15, [&](int) { store::ExportLotteryToFile(db, lottery, out); });
  std::printf("export file: %zu bytes\n", bytes);

  const QString jet = QStringLiteral(TAVRIN_JET4_FIXTURE);
  report("Jet 4 sample: conversion", 15,
         [&](int i) { store::ConvertJet4(jet, dir.path() + QStringLiteral("/conv%1.mdb").arg(i)); });
  report("Jet 4 sample: whole restore", 15, [&](int) { store::RestoreDatabase(jet, file); });
  return 0;
}
