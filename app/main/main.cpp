// Start-up: splash, data module, main window, message loop.
//
//   tavrin [--open LOTTERY] [--window NAME]
//
// --open opens a lottery right after start; --window then shows one window
// (index, data, download, piantai, yilou, gudingjihua, jieduanjihua, keibianjihua,
// about, ...).

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QThread>
#include <QTimer>

#include "app/guard.h"
#include "app/main/startup.h"
#include "app/main/u_main.h"
#include "app/u_public.h"
#include "app/windows.h"
#include "store/lottery_session.h"
#include "store/u_datamod.h"

using namespace tavrin;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ConfigureApplication();

  QCommandLineParser parser;
  parser.addHelpOption();
  QCommandLineOption openOpt(QStringLiteral("open"), QStringLiteral("open this lottery at start"),
                             QStringLiteral("LOTTERY"));
  QCommandLineOption windowOpt(QStringLiteral("window"), QStringLiteral("show this window at start"),
                               QStringLiteral("NAME"));
  parser.addOption(openOpt);
  parser.addOption(windowOpt);
  parser.process(app);

  SetAppDir(QCoreApplication::applicationDirPath());
  PrepareDataFolders();

  if (RunSplash()) QThread::msleep(100);

  datamod();
  Tfrmmain frmmain;
  QObject::connect(&frmmain, &Tfrmmain::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
  // Without a window manager (a bare X server) maximising does nothing, so
  // the window also takes the whole screen itself.
  if (QScreen* screen = QGuiApplication::primaryScreen()) frmmain.setGeometry(screen->availableGeometry());
  frmmain.showMaximized();

  const QString lottery = parser.value(openOpt);
  const QString window = parser.value(windowOpt);
  QTimer::singleShot(0, &frmmain, [&] {
    if (!lottery.isEmpty()) RunGuarded([&] { lotterySession().open(lottery); });
    if (const SingleWindowEntry* single = SingleWindowNamed(window))
      RunGuarded([&] { frmmain.showSingle(single->id); });
    if (window == QLatin1String("index")) RunGuarded([&] { frmmain.mnuopenClick(); });
    if (window == QLatin1String("data")) RunGuarded([&] { frmmain.mnumoddataClick(); });
    if (window == QLatin1String("download")) RunGuarded([&] { frmmain.mnudownloadClick(); });
  });
  return app.exec();
}
