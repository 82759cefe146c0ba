#include "app/main/startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QString>

#include "app/guard.h"
#include "app/u_public.h"
#include "base/translations.h"
#include "store/lottery_store.h"

namespace tavrin {

void ConfigureApplication() {
  QCoreApplication::setApplicationName(QStringLiteral("Tavrin"));
  InstallChineseTranslations();
  InstallFontSubstitutes();
}

void InstallFontSubstitutes() {
  const QStringList families = QFontDatabase::families();
  QString chinese;
  for (const char* f : {"WenQuanYi Zen Hei", "WenQuanYi Micro Hei", "Noto Sans CJK SC", "AR PL UMing CN"}) {
    if (families.contains(QString::fromUtf8(f))) {
      chinese = QString::fromUtf8(f);
      break;
    }
  }
  if (chinese.isEmpty()) return;
  for (const char* f : {"宋体", "隶书", "录书", "MS Sans Serif", "SimSun"})
    QFont::insertSubstitution(QString::fromUtf8(f), chinese);
}

void PrepareDataFolders() {
  for (const char* d : kDataFolders) QDir().mkpath(AppPath(QString::fromUtf8(d)));
  RunGuarded([] { store::EnsureDefaultDatabase(DatabaseFile()); });
}

}  // namespace tavrin
