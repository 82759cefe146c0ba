// Shows the main window with one trend tab, as a user sees it after opening
// a lottery and choosing that tab; for looking at the grids on a screen.
//
//   trend_preview LOTTERY TAB
//
// Uses the database beside the program, like the program itself.

#include <QApplication>
#include <QScreen>
#include <QTabBar>
#include <QTimer>

#include "app/guard.h"
#include "app/main/startup.h"
#include "app/main/u_main.h"
#include "app/u_datamod.h"
#include "app/u_public.h"

using namespace tavrin;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Tavrin"));
  if (argc != 3) {
    std::fputs("usage: trend_preview LOTTERY TAB\n", stderr);
    return 2;
  }
  const QString lottery = QString::fromLocal8Bit(argv[1]);
  const int tab = QString::fromLocal8Bit(argv[2]).toInt();
  SetAppDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin"));
  InstallFontSubstitutes();
  PrepareDataFolders();
  datamod();
  Tfrmmain frmmain;
  if (QScreen* screen = QGuiApplication::primaryScreen()) frmmain.setGeometry(screen->availableGeometry());
  frmmain.showMaximized();
  QTimer::singleShot(0, &frmmain, [&] {
    RunGuarded([&] {
      CurrentLottery().name = lottery;
      CurrentLottery().valueCount = 36;
      CurrentLottery().valuesPerDraw = 1;
      CurrentLottery().open = true;
      OpenLottery();
      frmmain.lotteryOpened(lottery);
      frmmain.tabmain->setCurrentIndex(tab);
      frmmain.tabmainChange();
    });
  });
  return app.exec();
}
