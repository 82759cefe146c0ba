// What a Chinese user meets every minute: window titles exactly as captioned,
// Qt's own dialogs in Chinese, column titles readable in full, the lottery
// manager's boxes inside their frame, the trend tab that stays where it is.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTableView>
#include <QTimer>

#include "analysis/u_piantai.h"
#include "analysis/u_qingmi.h"
#include "analysis/u_sep.h"
#include "app/main/u_main.h"
#include "app/prompts.h"
#include "mode/u_tozi.h"
#include "plans/u_gudingjihua.h"
#include "plans/u_jieduanjihua.h"
#include "plans/u_keibianjihua.h"
#include "store/lottery_session.h"
#include "store/u_data.h"
#include "store/u_index.h"
#include "tests/support/test_support.h"
#include "trend/trend_window.h"

using namespace tavrin;
using namespace tavrin::test;

namespace {

const QString kDefault = QStringLiteral("南粤风采36选7");

// Runs act on the modal dialog that show() opens, then closes it.
template <class Dialog>
void WithModal(const std::function<void()>& show, const std::function<void(Dialog*)>& act) {
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    ASSERT_NE(d, nullptr);
    seen = true;
    act(d);
    d->reject();
  });
  show();
  EXPECT_TRUE(seen);
}

class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void open(const QUrl& url) { urls << url; }
};

}  // namespace

TEST(ChineseDesktop, TitlesAreTheCaptionsAlone) {
  TempAppDir app;
  PromptsScope prompts;
  ResetLotterySession();
  // No display name: the windowing system would append it to every title.
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
  Tfrmmain main;
  lotterySession().open(kDefault);
  EXPECT_EQ(main.windowTitle(), QStringLiteral("Tavrin《南粤风采36选7》"));
  QWidget* plan = main.showSingle(SingleWindow::gudingjihua);
  ASSERT_NE(plan, nullptr);
  EXPECT_EQ(plan->windowTitle(), QStringLiteral("固定计划投资"));
  ResetLotterySession();
}

TEST(ChineseDesktop, QtsOwnDialogsSpeakChinese) {
  // The real dialogs, not the scripted ones.
  std::unique_ptr<Prompts> scripted = setPrompts(nullptr);
  WithModal<QMessageBox>([] { ShowMessage(QStringLiteral("请先生成表格！")); },
                         [](QMessageBox* box) {
                           EXPECT_EQ(box->windowTitle(), QStringLiteral("Tavrin"));
                           ASSERT_EQ(box->buttons().size(), 1);
                           EXPECT_EQ(box->buttons().first()->text(), QStringLiteral("确定"));
                         });
  WithModal<QMessageBox>(
      [] {
        prompts().question(nullptr, QStringLiteral("数据管理"), QStringLiteral("正在进行数据分析，是否关闭？"),
                           PromptIcon::Question);
      },
      [](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), QStringLiteral("数据管理"));
        EXPECT_EQ(box->button(QMessageBox::Yes)->text(), QStringLiteral("是(&Y)"));
        EXPECT_EQ(box->button(QMessageBox::No)->text(), QStringLiteral("否(&N)"));
      });
  WithModal<QFileDialog>(
      [] {
        prompts().saveFileName(nullptr, QStringLiteral("保存"), QDir::tempPath(),
                               QStringLiteral("文本文件(*.txt)|*.txt"));
      },
      [](QFileDialog* d) {
        QStringList texts;
        for (QLabel* l : d->findChildren<QLabel*>()) texts << l->text();
        for (QAbstractButton* b : d->findChild<QDialogButtonBox*>()->buttons()) texts << b->text();
        const QString all = texts.join(QLatin1Char('|'));
        for (const char* english : {"Look in", "File name", "Files of type", "&Save", "Cancel"})
          EXPECT_FALSE(all.contains(QString::fromLatin1(english))) << all.toStdString();
        EXPECT_TRUE(all.contains(QStringLiteral("取消"))) << all.toStdString();
        EXPECT_TRUE(all.contains(QStringLiteral("文件名"))) << all.toStdString();
      });
  setPrompts(std::move(scripted));
}

TEST(ChineseDesktop, EveryGridTitleIsReadableInFull) {
  TempAppDir app;
  PromptsScope prompts;
  ResetLotterySession();
  lotterySession().open(kDefault);
  Tfrmgudingjihua fixed;
  Tfrmjieduanjihua stage;
  Tfrmkeibianjihua variable;
  Tfrmpiantai skew;
  Tfrmsep interval;
  Tfrmqingmi affinity;
  Tfrmtozi mode;
  Tfrmdata data;
  data.lstcaipiao->setCurrentRow(0);
  // The data grid has its columns once a lottery is chosen.
  ASSERT_GE(data.findChild<QTableView*>()->model()->columnCount(), 9);
  for (QWidget* w :
       std::initializer_list<QWidget*>{&fixed, &stage, &variable, &skew, &interval, &affinity, &mode, &data}) {
    w->show();
    QCoreApplication::processEvents();
    for (QTableView* grid : w->findChildren<QTableView*>())
      EXPECT_EQ(ClippedTitles(*grid), QStringList())
          << w->windowTitle().toStdString() << " " << grid->objectName().toStdString();
  }
  ResetLotterySession();
}

TEST(ChineseDesktop, WeekdayBoxesSitInsideTheirFrame) {
  TempAppDir app;
  PromptsScope prompts;
  Tfrmindex m;
  m.show();
  const QRect area = m.grpweek->contentsRect();
  for (int k = 1; k <= 7; ++k) {
    const QRect box = m.weekBoxes[static_cast<std::size_t>(k)]->geometry();
    EXPECT_TRUE(area.contains(box)) << k;
  }
  // Nothing looks chosen before the user picks a lottery.
  EXPECT_EQ(m.lstcaipiao->currentItem(), nullptr);
  EXPECT_TRUE(m.lstcaipiao->selectedItems().isEmpty());
}

TEST(ChineseDesktop, AClickOnTheShownTrendTabKeepsTheWindowAndItsPlace) {
  TempAppDir app;
  PromptsScope prompts;
  ResetLotterySession();
  std::vector<int> numbers(300);
  for (int i = 0; i < 300; ++i) numbers[static_cast<std::size_t>(i)] = i % 36 + 1;
  app.addDraws(kDefault, numbers);
  Tfrmmain main;
  main.resize(1000, 700);
  main.show();
  lotterySession().open(kDefault);
  QPointer<QWidget> shown = main.trendWindow();
  auto* trend = qobject_cast<TrendWindow*>(shown.data());
  ASSERT_NE(trend, nullptr);
  QCoreApplication::processEvents();
  trend->grdcode->verticalScrollBar()->setValue(100);
  // A click on the tab already shown: same window, same place.
  emit main.tabmain->tabBarClicked(0);
  QCoreApplication::processEvents();
  EXPECT_EQ(main.trendWindow(), shown.data());
  EXPECT_EQ(trend->grdcode->verticalScrollBar()->value(), 100);
  // Another tab makes its own window; the menu entry rebuilds even the one shown.
  main.tabmain->setCurrentIndex(1);
  EXPECT_TRUE(shown.isNull());
  QPointer<QWidget> zodiac = main.trendWindow();
  main.mnushengxiao->trigger();
  EXPECT_TRUE(zodiac.isNull());
  EXPECT_NE(main.trendWindow(), nullptr);
  ResetLotterySession();
}

TEST(ChineseDesktop, TheContactEntryOpensTheMessengerAddressInTheBrowser) {
  TempAppDir app;
  PromptsScope prompts;
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
  Tfrmmain main;
  main.mnumail->trigger();
  QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
  EXPECT_EQ(catcher.urls, QList<QUrl>{QUrl(QStringLiteral("http://chat.orlek.example"))});
}

#include "chinese_desktop_test.moc"
