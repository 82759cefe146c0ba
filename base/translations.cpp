#include "base/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tavrin {

bool InstallChineseTranslations() {
  const QLocale chinese(QLocale::Chinese, QLocale::China);
  // Dates, numbers and the dialogs' own texts follow the program's language.
  QLocale::setDefault(chinese);
  auto* qt = new QTranslator(QCoreApplication::instance());
  if (!qt->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete qt;
    return false;
  }
  QCoreApplication::installTranslator(qt);
  return true;
}

}  // namespace tavrin
