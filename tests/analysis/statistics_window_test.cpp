#include <gtest/gtest.h>

#include <QBarSeries>
#include <QBarSet>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QTableView>

#include "analysis/statistics_chart.h"
#include "analysis/u_piantai.h"
#include "analysis/u_yilou.h"
#include "app/main/u_main.h"
#include "app/u_public.h"
#include "store/lottery_session.h"
#include "store/lottery_store.h"
#include "tests/support/test_support.h"

using namespace tavrin;
using namespace tavrin::analysis;
using namespace tavrin::test;

namespace {

const QString kDefault = QStringLiteral("南粤风采36选7");

class StatisticsWindowTest : public ::testing::Test {
 protected:
  TempAppDir app;
  PromptsScope prompts;

  void open() {
    ResetLotterySession();
    lotterySession().open(kDefault);
  }
  void SetUp() override {
    // Season 春 at positions 1, 5 and 6 of ten draws, 夏 elsewhere.
    app.addDraws(kDefault, {10, 3, 10, 10, 10, 1, 9, 10, 10, 10});
    open();
  }
  void TearDown() override { lotterySession().close(); }

  static QStringList gridColumn(const StatisticsWindow& w, int column) {
    QStringList out;
    for (int r = 0; r < w.model()->rowCount(); ++r) out << w.model()->index(r, column).data().toString();
    return out;
  }
  static QStringList barSetTitles(const StatisticsWindow& w) {
    QStringList out;
    for (QBarSet* s : w.chthistory->barSeries()->barSets()) out << s->label();
    return out;
  }
};

QStringList Numbers(int count) {
  QStringList out;
  for (int i = 1; i <= count; ++i) out << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
  return out;
}

}  // namespace

TEST_F(StatisticsWindowTest, OpensComputedAndTheButtonsRebuild) {
  Tfrmpiantai w;
  EXPECT_TRUE(prompts->messages.empty()) << prompts->lastText().toStdString();
  // Unsorted numbers, all four series, no marks.
  EXPECT_EQ(gridColumn(w, 0), Numbers(36));
  EXPECT_EQ(w.model()->headerData(5, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("目前遗漏"));
  EXPECT_EQ(w.tabhistory->columnWidth(0), 112);
  EXPECT_EQ(barSetTitles(w), (QStringList{"追号价值", "目前遗漏", "中奖次数", "历史最大遗漏"}));
  EXPECT_FALSE(w.chthistory->marksShown());
  EXPECT_TRUE(w.btnala->isDefault());

  w.setOptqianhouIndex(2);
  EXPECT_EQ(w.valueCount(), 4);
  EXPECT_EQ(gridColumn(w, 0), Numbers(36)) << "the grouping waits for 分析";
  w.btnala->click();
  ASSERT_EQ(w.model()->rowCount(), 4);
  QStringList row;
  for (int c = 0; c < 8; ++c) row << w.model()->index(0, c).data().toString();
  EXPECT_EQ(row, (QStringList{"春", "4.0", "2.5", "3", "4", "3", "0.8", "62%"}));
  EXPECT_EQ(w.model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("待选季节"));

  w.Button3->click();  // least drawn first: 秋 and 冬 (0), 春 (3), 夏 (7)
  EXPECT_EQ(gridColumn(w, 0), (QStringList{"秋", "冬", "春", "夏"}));
  EXPECT_EQ(w.chthistory->labels(), gridColumn(w, 0)) << "the chart follows the table's order";
  w.Button1->click();
  EXPECT_EQ(gridColumn(w, 0).first(), QStringLiteral("春"));
  EXPECT_EQ(w.sortMode(), SortMode::ChaseValue);
}

TEST_F(StatisticsWindowTest, CheckBoxRedrawsTheOldTableAfterTheGroupingChanged) {
  Tfrmpiantai w;
  w.setOptqianhouIndex(1);  // 生肖, not analysed yet
  w.chk1->setChecked(false);
  EXPECT_EQ(w.chthistory->labels(), Numbers(36));
  EXPECT_EQ(barSetTitles(w), (QStringList{"追号价值", "中奖次数", "历史最大遗漏"}));
  w.chkhistorybiao->setChecked(true);
  EXPECT_TRUE(w.chthistory->marksShown());
  // The fourth series marks its bars with the value, the others with numbers.
  EXPECT_EQ(w.chthistory->series()[3].markTexts, Numbers(36));
  EXPECT_EQ(w.chthistory->series()[2].markTexts[1], QStringLiteral("0"));  // 02 never drawn
  EXPECT_EQ(w.chthistory->series()[2].markTexts[9], QStringLiteral("7"));  // 10 drawn 7 times
  EXPECT_EQ(w.model()->rowCount(), 36);

  w.btnala->click();
  EXPECT_EQ(w.chthistory->labels().size(), 12);
  EXPECT_EQ(w.chthistory->labels().first(), QStringLiteral("鼠"));
  EXPECT_EQ(barSetTitles(w).size(), 3) << "the unchecked series stays hidden";
}

TEST_F(StatisticsWindowTest, ReboundWindowTexts) {
  Tfrmyilou w;
  EXPECT_EQ(w.windowTitle(), QStringLiteral("中奖回补分析选号"));
  EXPECT_EQ(w.chk1->text(), QStringLiteral("前次遗漏"));
  EXPECT_EQ(w.Button2->text(), QStringLiteral("前次遗漏排序"));
  EXPECT_EQ(w.model()->headerData(5, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("前次遗漏"));
  EXPECT_EQ(barSetTitles(w)[1], QStringLiteral("前次遗漏"));
  // No rebound in ten draws: the previous omission is 0 everywhere.
  EXPECT_EQ(gridColumn(w, 5), QStringList(36, QStringLiteral("0")));
}

TEST_F(StatisticsWindowTest, BottomRowFollowsTheCornerWhenResized) {
  Tfrmpiantai w;
  EXPECT_EQ(w.size(), QSize(962, 677));
  EXPECT_EQ(w.tabhistory->geometry(), QRect(16, 16, 929, 289));
  EXPECT_EQ(w.chthistory->geometry(), QRect(16, 322, 929, 249));
  EXPECT_EQ(w.GroupBox1->geometry(), QRect(16, 578, 929, 41));
  const QRect close = w.Button4->geometry();
  const QRect kinds = w.optqianhou->geometry();
  // Left to right under the frame, ending at the grid's right edge.
  EXPECT_LT(w.Button1->geometry().right(), w.Button2->geometry().left());
  EXPECT_LT(w.Button3->geometry().right(), kinds.left());
  EXPECT_LT(kinds.right(), w.btnala->geometry().left());
  EXPECT_LT(w.btnala->geometry().right(), close.left());
  EXPECT_EQ(close.right(), 944);
  EXPECT_GT(close.top(), 619);

  w.show();  // a hidden window gets its resize event only when shown
  w.resize(1062, 727);
  EXPECT_EQ(w.Button4->geometry(), close.translated(100, 50));
  EXPECT_EQ(w.optqianhou->geometry(), kinds.translated(100, 50));
  EXPECT_EQ(w.tabhistory->geometry(), QRect(16, 16, 929, 289));
}

TEST_F(StatisticsWindowTest, ABadDrawStopsTheLoadAndKeepsWhatWasShown) {
  lotterySession().close();
  {
    store::Database db(app.databaseFile());
    std::vector<DrawRecord> bad = MakeDraws({5}, 2001011);
    bad[0].issue = "20a1011";
    db.appendDraws(kDefault, bad);
  }
  open();
  Tfrmpiantai w;
  ASSERT_EQ(prompts->messages.size(), 1u);
  EXPECT_TRUE(prompts->lastText().contains(QStringLiteral("20a1011"))) << prompts->lastText().toStdString();
  EXPECT_EQ(w.model()->rowCount(), 0);
  w.btnala->click();
  EXPECT_EQ(prompts->messages.size(), 2u);
  EXPECT_EQ(w.model()->rowCount(), 0);
  EXPECT_TRUE(w.chthistory->labels().isEmpty());
}

TEST_F(StatisticsWindowTest, SingleWindowKeepsItsSettingsUntilTheLotteryCloses) {
  qputenv("TAVRIN_VENDOR_URL", "http://127.0.0.1:9");
  Tfrmmain main;
  prompts->messages.clear();  // the missing background picture
  for (SingleWindow which : {SingleWindow::piantai, SingleWindow::yilou}) {
    SCOPED_TRACE(int(which));
    QPointer<QWidget> first = main.showSingle(which);
    ASSERT_NE(first, nullptr);
    auto* w = qobject_cast<StatisticsWindow*>(first.data());
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(w->isModal());
    w->setOptqianhouIndex(3);
    w->chk2->setChecked(false);
    w->Button4->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(main.showSingle(which), first.data());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->optqianhouIndex(), 3);
    EXPECT_FALSE(w->chk2->isChecked());

    main.mnucloseClick();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    open();
    auto* fresh = qobject_cast<StatisticsWindow*>(main.showSingle(which));
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->optqianhouIndex(), 0);
    EXPECT_TRUE(fresh->chk2->isChecked());
    main.mnucloseClick();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    open();
  }
  EXPECT_TRUE(prompts->messages.empty()) << prompts->lastText().toStdString();
}
