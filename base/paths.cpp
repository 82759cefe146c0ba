#include "base/paths.h"

#include <QDir>
#include <QStandardPaths>

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

}  // namespace tavrin
