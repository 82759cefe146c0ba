#pragma once
// A fresh program folder whose default database holds count synthetic draws
// of the default lottery; the folder lives as long as the returned object.

#include <QString>
#include <QTemporaryDir>

#include "base/paths.h"
#include "bench/support/bench_history.h"
#include "store/lottery_store.h"

namespace tavrin::bench {

inline const QString kBenchLottery = QStringLiteral("南粤风采36选7");

class BenchDatabase {
 public:
  explicit BenchDatabase(int count) {
    SetAppDir(dir_.path());
    store::EnsureDefaultDatabase(DatabaseFile());
    store::Database(DatabaseFile()).appendDraws(kBenchLottery, SyntheticHistory(count));
  }

 private:
  QTemporaryDir dir_;
};

}  // namespace tavrin::bench
