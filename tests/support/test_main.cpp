// Every suite runs headless, with a QApplication so that windows, fonts and
// the database driver are there.
#include <QApplication>
#include <gtest/gtest.h>

#include "app/main/startup.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Tavrin"));
  tavrin::InstallFontSubstitutes();
  return RUN_ALL_TESTS();
}
