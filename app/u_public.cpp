#include "app/u_public.h"

#include <QDir>
#include <QStandardPaths>

#include "app/u_datamod.h"

namespace tavrin {

namespace {
QString& appDirRef() {
  static QString dir;
  return dir;
}
}  // namespace

QString AppDir() { return appDirRef(); }

void SetAppDir(const QString& dir) {
  QString d = QDir::fromNativeSeparators(dir);
  if (!d.endsWith(QLatin1Char('/'))) d += QLatin1Char('/');
  appDirRef() = d;
}

QString AppPath(const QString& relative) { return AppDir() + relative; }

QString DatabaseFile() { return AppPath(QStringLiteral("数据库/彩票数据.mdb")); }

QString ShellFolderPath(const QString& valueName) {
  if (valueName != QLatin1String("Desktop")) return {};
  return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

CurrentLotteryState& CurrentLottery() {
  static CurrentLotteryState state;
  return state;
}

AttributeTables& Attributes() {
  static AttributeTables tables;
  return tables;
}

QString AttributeName(AttributeKind kind, int k) {
  return QString::fromStdString(Attributes().Name(kind, k));
}

DrawHistory& SharedDrawHistory() {
  static DrawHistory history;
  return history;
}

void OpenLottery() {
  Attributes().Fill();
  CurrentLotteryState& cur = CurrentLottery();
  try {
    datamod().open(DatabaseFile(), cur.name);
  } catch (...) {
    CloseLotteryConnection();
    throw;
  }
  cur.recordCount = static_cast<int>(datamod().t_caipiao().rows.size());
  cur.hasDraws = cur.recordCount > 0;
}

void CloseLotteryConnection() {
  datamod().close();
  CurrentLottery().open = false;
}

}  // namespace tavrin
