// Start-up: splash, data module, main window, message loop.
//
//   tavrin [--open LOTTERY] [--window NAME [--press BUTTONS]]
//
// --open opens a lottery right after start; --window then shows one window
// (index, data, download, piantai, yilou, sep, qingmi, gudingjihua, jieduanjihua,
// keibianjihua, tozi, about, ...); --press clicks buttons of that window, named
// as in its code and separated by commas (--window tozi --press
// btnfilt,btnyouhua starts a search), so that a screenshot can show a window
// at work.

#include <QAbstractButton>
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
  QCommandLineOption pressOpt(QStringLiteral("press"), QStringLiteral("click these buttons of the window shown"),
                              QStringLiteral("BUTTONS"));
  parser.addOption(openOpt);
  parser.addOption(windowOpt);
  parser.addOption(pressOpt);
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
  const QStringList press = parser.value(pressOpt).split(QLatin1Char(','), Qt::SkipEmptyParts);
  QTimer::singleShot(0, &frmmain, [&] {
    if (!lottery.isEmpty()) RunGuarded([&] { lotterySession().open(lottery); });
    if (const SingleWindowEntry* single = SingleWindowNamed(window))
      RunGuarded([&] {
        QWidget* shown = frmmain.showSingle(single->id);
        for (const QString& name : press)
          if (auto* button = shown ? shown->findChild<QAbstractButton*>(name) : nullptr) button->click();
      });
    if (window == QLatin1String("index")) RunGuarded([&] { frmmain.mnuopenClick(); });
    if (window == QLatin1String("data")) RunGuarded([&] { frmmain.mnumoddataClick(); });
    if (window == QLatin1String("download")) RunGuarded([&] { frmmain.mnudownloadClick(); });
  });
  return app.exec();
}
