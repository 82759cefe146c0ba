#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QSqlQuery>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

#include "app/main/u_main.h"
#include "app/u_public.h"
#include "store/lottery_session.h"
#include "store/u_datamod.h"
#include "store/u_index.h"
#include "tests/support/test_support.h"
#include "trend/attributes.h"

using namespace tavrin;
using namespace tavrin::test;

namespace {

const QString kDefault = QStringLiteral("南粤风采36选7");

class MainWindowTest : public ::testing::Test {
 protected:
  TempAppDir app;
  PromptsScope prompts;
  std::unique_ptr<Tfrmmain> w;

  void SetUp() override {
    app.addDraws(kDefault, {1, 12, 13, 36, 9});
    ResetLotterySession();
    w = std::make_unique<Tfrmmain>();
    w->show();
  }
  void TearDown() override {
    w.reset();
    lotterySession().close();
  }

  // Runs the open entry with the manager answered by act.
  void openWith(std::function<void(Tfrmindex*)> act) {
    QTimer::singleShot(0, w.get(), [this, act] {
      Tfrmindex* m = w->lotteryManager();
      ASSERT_NE(m, nullptr);
      act(m);
      if (m->isVisible()) m->reject();
    });
    w->mnuopenClick();
  }
  void openDefault() {
    openWith([](Tfrmindex* m) {
      m->lstcaipiao->setCurrentRow(0);
      m->btnopen->click();
    });
  }
  bool tabsShown() const {
    QCoreApplication::processEvents();  // the toolbar lays out its widgets later
    return w->tabmain->isVisibleTo(w.get());
  }
  bool analysesEnabled() const { return w->mnupiantai->isEnabled() && w->tlbpiantai->isEnabled(); }
  // Runs entry, closing the modal window it shows once it is up; the class
  // of that window, empty when none was shown.
  static QString modalShownBy(const std::function<void()>& entry) {
    QString shown;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (QWidget* m = QApplication::activeModalWidget()) {
        shown = QString::fromLatin1(m->metaObject()->className());
        m->close();
      }
    });
    poll.start();
    entry();
    return shown;
  }
};

}  // namespace

TEST_F(MainWindowTest, StartsWithNoLotteryOpen) {
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Tavrin"));
  EXPECT_FALSE(tabsShown());
  EXPECT_FALSE(analysesEnabled());
  EXPECT_FALSE(w->tlbgudingjihua->isEnabled());
  // The same plan window stays reachable from the menu.
  EXPECT_TRUE(w->mnugudingjihua->isEnabled());
  EXPECT_TRUE(w->mnucode->isEnabled());
  EXPECT_TRUE(w->mnumoddata->isEnabled());
}

TEST_F(MainWindowTest, OpeningTheDefaultLottery) {
  openDefault();
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Tavrin《南粤风采36选7》"));
  EXPECT_TRUE(tabsShown());
  EXPECT_EQ(w->tabmain->currentIndex(), 0);
  EXPECT_TRUE(analysesEnabled());
  EXPECT_TRUE(w->tlbgudingjihua->isEnabled());
  const CurrentLotteryState& cur = CurrentLottery();
  EXPECT_TRUE(cur.open);
  EXPECT_EQ(cur.name, kDefault);
  EXPECT_EQ(cur.recordCount, 5);
  EXPECT_TRUE(cur.hasDraws);
  EXPECT_EQ(cur.drawWeekdays, QStringLiteral("1234567"));
  EXPECT_EQ(cur.type, 0);
  EXPECT_EQ(cur.valuesPerDraw, 1);
  ASSERT_NE(datamod().snapshot(), nullptr);
  EXPECT_EQ(datamod().snapshot()->rows.size(), 5u);
  EXPECT_EQ(FilledAttributeTables().Name(AttributeKind::Zodiac, 1), "鼠");
}

// The window follows the session, whoever opens or closes the lottery.
TEST_F(MainWindowTest, FollowsTheSessionsSignals) {
  QStringList seen;
  LotterySession& session = lotterySession();
  QObject probe;
  QObject::connect(&session, &LotterySession::opened, &probe, [&](const QString& n) { seen << "opened " + n; });
  QObject::connect(&session, &LotterySession::aboutToClose, &probe, [&] { seen << QStringLiteral("aboutToClose"); });
  QObject::connect(&session, &LotterySession::closed, &probe, [&] { seen << QStringLiteral("closed"); });

  session.open(kDefault);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Tavrin《南粤风采36选7》"));
  EXPECT_TRUE(tabsShown());
  EXPECT_TRUE(analysesEnabled());
  EXPECT_NE(w->trendWindow(), nullptr);
  EXPECT_EQ(session.snapshot()->rows.size(), 5u);

  // Opening another lottery closes the first one before anything else.
  session.open(kDefault);
  session.close();
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Tavrin"));
  EXPECT_FALSE(tabsShown());
  EXPECT_FALSE(analysesEnabled());
  EXPECT_EQ(w->trendWindow(), nullptr);
  EXPECT_EQ(session.snapshot(), nullptr);

  // A failed open announces nothing but the closing of what was open.
  EXPECT_THROW(session.open(QStringLiteral("不存在")), std::runtime_error);
  EXPECT_FALSE(session.isOpen());
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Tavrin"));
  EXPECT_EQ(seen.join(QLatin1Char(',')).toStdString(),
            "aboutToClose,closed,opened 南粤风采36选7,aboutToClose,closed,opened 南粤风采36选7,aboutToClose,closed,"
            "aboutToClose,closed");
}

TEST_F(MainWindowTest, ClosingTheLotteryResetsEverything) {
  openDefault();
  w->mdi->addSubWindow(new QWidget)->show();
  w->mnucloseClick();
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Tavrin"));
  EXPECT_FALSE(tabsShown());
  EXPECT_FALSE(analysesEnabled());
  EXPECT_FALSE(CurrentLottery().open);
  EXPECT_EQ(datamod().snapshot(), nullptr);
  EXPECT_TRUE(w->mdi->subWindowList().isEmpty());
}

TEST_F(MainWindowTest, AFailedOpenLeavesNoLotteryOpen) {
  openWith([this](Tfrmindex* m) {
    m->lstcaipiao->setCurrentRow(0);
    {
      store::Database db(app.databaseFile());
      QSqlQuery q(db.connection());
      ASSERT_TRUE(q.exec(QStringLiteral("DROP TABLE \"南粤风采36选7彩票号码表\"")));
    }
    m->btnopen->click();
    EXPECT_TRUE(m->isVisible());  // the manager stays for another choice
  });
  ASSERT_FALSE(prompts->messages.empty());
  EXPECT_EQ(prompts->messages.back().icon, PromptIcon::Error);
  EXPECT_TRUE(prompts->lastText().contains(QStringLiteral("no such table"))) << prompts->lastText().toStdString();
  EXPECT_FALSE(CurrentLottery().open);
  EXPECT_EQ(datamod().snapshot(), nullptr);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Tavrin"));
  EXPECT_FALSE(tabsShown());
  EXPECT_FALSE(analysesEnabled());
}

TEST_F(MainWindowTest, BusyCheckNoKeepsTheLotteryYesClosesIt) {
  openDefault();
  w->mdi->addSubWindow(new QWidget)->show();
  prompts->answers = {false};
  EXPECT_EQ(modalShownBy([&] { w->mnumoddataClick(); }), QString());
  ASSERT_EQ(prompts->questions.size(), 1u);
  EXPECT_EQ(prompts->questions[0].title, QStringLiteral("数据管理"));
  EXPECT_EQ(prompts->questions[0].text, QStringLiteral("正在进行数据分析，是否关闭？"));
  EXPECT_TRUE(CurrentLottery().open);
  EXPECT_TRUE(tabsShown());
  EXPECT_FALSE(w->mdi->subWindowList().isEmpty());

  prompts->answers = {true};
  EXPECT_EQ(modalShownBy([&] { w->mnudownloadClick(); }), QStringLiteral("tavrin::Tfrmdownload2"));
  EXPECT_EQ(prompts->questions.size(), 2u);
  EXPECT_FALSE(CurrentLottery().open);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Tavrin"));
  EXPECT_FALSE(tabsShown());

  // Without a child window nothing is asked; the toolbar button opens the same window.
  EXPECT_EQ(modalShownBy([&] { w->mnumoddataClick(); }), QStringLiteral("tavrin::Tfrmdata"));
  EXPECT_EQ(modalShownBy([&] { w->tlbdata->click(); }), QStringLiteral("tavrin::Tfrmdata"));
  EXPECT_EQ(prompts->questions.size(), 2u);
}

TEST_F(MainWindowTest, TheLotteryManagerIsOneObjectAcrossUses) {
  Tfrmindex* first = nullptr;
  openWith([&](Tfrmindex* m) { first = m; });
  Tfrmindex* second = nullptr;
  openWith([&](Tfrmindex* m) { second = m; });
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, second);
  EXPECT_FALSE(CurrentLottery().open);
}

TEST_F(MainWindowTest, OpenWithoutAChoiceAsksForOne) {
  openWith([](Tfrmindex* m) { m->btnopen->click(); });
  ASSERT_FALSE(prompts->messages.empty());
  EXPECT_EQ(prompts->messages.back().title, QStringLiteral("错误"));
  EXPECT_EQ(prompts->messages.back().text, QStringLiteral("请选择彩票！"));
  EXPECT_FALSE(CurrentLottery().open);
}

class LotteryManagerTest : public ::testing::Test {
 protected:
  TempAppDir app;
  PromptsScope prompts;

  void addLottery(const store::LotteryOptions& o) {
    store::Database db(app.databaseFile());
    db.createLottery(o);
  }
  QString ticked(const Tfrmindex& m) const { return m.tickedWeekdays(); }
};

TEST_F(LotteryManagerTest, ShowsTheOptionsOfTheClickedLottery) {
  addLottery({QStringLiteral("甲"), 1, 10, 3, QStringLiteral("20:00"), QStringLiteral("135")});
  addLottery({QStringLiteral("乙"), 0, 20, 5, QStringLiteral("21:00"), QStringLiteral("246")});
  Tfrmindex m;
  ASSERT_EQ(m.lstcaipiao->count(), 3);
  EXPECT_FALSE(m.edtcainame->isEnabled());
  EXPECT_FALSE(m.btnadd->isEnabled());
  EXPECT_FALSE(m.btndel->isEnabled());
  m.lstcaipiao->setCurrentRow(1);
  EXPECT_EQ(m.edtcainame->text(), QStringLiteral("甲"));
  EXPECT_EQ(ticked(m), QStringLiteral("135"));
  m.lstcaipiao->setCurrentRow(2);
  EXPECT_EQ(m.edtcainame->text(), QStringLiteral("乙"));
  EXPECT_EQ(m.edtcaisum->text(), QStringLiteral("20"));
  EXPECT_EQ(m.edtcaisel->text(), QStringLiteral("5"));
  EXPECT_EQ(m.edtcaitime->text(), QStringLiteral("21:00"));
  EXPECT_EQ(m.typeIndex(), 0);
  EXPECT_EQ(ticked(m), QStringLiteral("246"));
}

TEST_F(LotteryManagerTest, WeekdayBoxesFollowTheGroupSize) {
  Tfrmindex m;
  // The group's contents area, not its frame: four on top, three below.
  const QRect area = m.grpweek->contentsRect();
  const int w = area.width() / 4 - 6, h = area.height() / 2;
  EXPECT_EQ(m.weekBoxes[1]->geometry(), QRect(area.left() + 5, area.top(), w, h));
  EXPECT_EQ(m.weekBoxes[4]->geometry(), QRect(area.left() + 3 * (w + 6) + 5, area.top(), w, h));
  EXPECT_EQ(m.weekBoxes[5]->geometry(), QRect(area.left() + 5, area.top() + h, w, h));
  EXPECT_EQ(m.weekBoxes[7]->geometry(), QRect(area.left() + 2 * (w + 6) + 5, area.top() + h, w, h));
  EXPECT_EQ(m.size(), QSize(295, 332));
  EXPECT_EQ(m.windowTitle(), QStringLiteral("彩票操作"));
}

TEST_F(LotteryManagerTest, AddingInTwoSteps) {
  Tfrmindex m;
  m.btnadd->setEnabled(true);  // nothing in the dialog enables it
  m.lstcaipiao->setCurrentRow(0);
  m.btnadd->click();
  EXPECT_EQ(m.btnadd->text(), QStringLiteral("确定添加"));
  EXPECT_FALSE(m.btnopen->isEnabled());
  EXPECT_FALSE(m.btnext->isEnabled());
  EXPECT_TRUE(m.edtcainame->isEnabled());
  EXPECT_FALSE(m.edtcaisel->isEnabled());
  EXPECT_TRUE(m.edtcainame->text().isEmpty());

  m.edtcainame->setText(QStringLiteral("坏 名"));
  m.btnadd->click();
  EXPECT_EQ(prompts->lastText(), QStringLiteral("彩票名称只能由汉字、字母、数字和下划线组成！"));
  EXPECT_EQ(m.btnadd->text(), QStringLiteral("确定添加"));  // still adding
  EXPECT_EQ(m.lstcaipiao->count(), 1);

  m.edtcainame->setText(QStringLiteral("新彩"));
  m.edtcaitime->setText(QStringLiteral("19:30"));
  m.weekBoxes[2]->setChecked(true);
  m.weekBoxes[6]->setChecked(true);
  m.btnadd->click();
  EXPECT_EQ(m.btnadd->text(), QStringLiteral("添加彩票"));
  EXPECT_TRUE(m.btndel->isEnabled());
  EXPECT_TRUE(m.btnopen->isEnabled());
  EXPECT_FALSE(m.edtcainame->isEnabled());
  ASSERT_EQ(m.lstcaipiao->count(), 2);
  EXPECT_EQ(m.lstcaipiao->item(1)->text(), QStringLiteral("新彩"));
  store::Database db(app.databaseFile());
  const store::LotteryOptions o = db.options(QStringLiteral("新彩"));
  // The disabled fields give what the last clicked lottery showed.
  EXPECT_EQ(o.picks, 7);
  EXPECT_EQ(o.numberTotal, 36);
  EXPECT_EQ(o.type, 0);
  EXPECT_EQ(o.weekdays, QStringLiteral("26"));
  EXPECT_EQ(o.drawTime, QStringLiteral("19:30"));
}

TEST_F(LotteryManagerTest, DeletingAsksFirst) {
  addLottery({QStringLiteral("丙"), 1, 10, 3, QString(), QString()});
  Tfrmindex m;
  m.btndel->setEnabled(true);
  m.btndel->click();
  EXPECT_EQ(prompts->lastText(), QStringLiteral("请选择你要删除的彩票名称!"));
  m.lstcaipiao->setCurrentRow(1);
  prompts->answers = {false};
  m.btndel->click();
  ASSERT_EQ(prompts->questions.size(), 1u);
  EXPECT_EQ(prompts->questions[0].title, QStringLiteral("警告"));
  EXPECT_EQ(prompts->questions[0].icon, PromptIcon::Warning);
  EXPECT_EQ(m.lstcaipiao->count(), 2);
  prompts->answers = {true};
  m.btndel->click();
  EXPECT_EQ(m.lstcaipiao->count(), 1);
  EXPECT_EQ(m.edtcainame->text(), QStringLiteral("丙"));  // the fields keep showing it
  store::Database db(app.databaseFile());
  EXPECT_FALSE(db.lotteries().contains(QStringLiteral("丙")));
}

TEST_F(MainWindowTest, SingleWindowsAreKeptUntilTheLotteryCloses) {
  openDefault();
  QWidget* first = w->showSingle(SingleWindow::gudingjihua);
  ASSERT_NE(first, nullptr) << prompts->lastText().toStdString();
  EXPECT_TRUE(first->isWindow());
  EXPECT_TRUE(first->windowFlags() & Qt::WindowStaysOnTopHint);
  first->close();  // closing only hides it
  EXPECT_EQ(w->showSingle(SingleWindow::gudingjihua), first);
  EXPECT_TRUE(first->isVisible());
  QPointer<QWidget> old(first);
  w->mnucloseClick();
  EXPECT_EQ(w->single(SingleWindow::gudingjihua), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(old.isNull());
  // The menu entry stays usable with no lottery open, and makes a new window.
  QWidget* again = w->showSingle(SingleWindow::gudingjihua);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(w->single(SingleWindow::gudingjihua), again);
}

TEST_F(MainWindowTest, TheTabsReplaceTheTrendWindow) {
  openDefault();
  QCoreApplication::processEvents();
  ASSERT_EQ(w->mdi->subWindowList().size(), 1);
  QPointer<QWidget> numbers(w->trendWindow());
  w->tabmain->setCurrentIndex(2);
  w->tabmainChange();
  ASSERT_EQ(w->mdi->subWindowList().size(), 1);
  EXPECT_TRUE(numbers.isNull());
  QWidget* seasons = w->trendWindow();
  ASSERT_NE(seasons, nullptr);
  EXPECT_EQ(seasons->windowTitle(), QStringLiteral("开奖季节走势"));
  // The menu entry for the tab shown makes a new window all the same.
  QPointer<QWidget> old(seasons);
  w->mnujijie->trigger();
  EXPECT_TRUE(old.isNull());
  EXPECT_EQ(w->mdi->subWindowList().size(), 1);
  EXPECT_EQ(w->tabmain->currentIndex(), 2);
}
