#include <gtest/gtest.h>

#include <QBarSeries>
#include <QBarSet>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>

#include "analysis/hit_chart.h"
#include "analysis/u_qingmi.h"
#include "analysis/u_sep.h"
#include "app/main/u_main.h"
#include "store/lottery_session.h"
#include "store/lottery_store.h"
#include "store/u_datamod.h"
#include "tests/support/test_support.h"

using namespace tavrin;
using namespace tavrin::analysis;
using namespace tavrin::test;

namespace {

const QString kDefault = QStringLiteral("南粤风采36选7");

// Numbers of the four seasons.
constexpr int kSpring = 1, kSummer = 10, kAutumn = 19, kWinter = 28;

// Eight draws whose interval proposals the core's tests work out by hand:
// with I = 3 and K = 3 the next draw gets 20 10 30 (counts 1, 1, 0).
const std::vector<int> kEight = {1, 2, 3, 10, 10, 20, 10, 30};

class SelectionWindowTest : public ::testing::Test {
 protected:
  TempAppDir app;
  PromptsScope prompts;

  void open() {
    ResetLotterySession();
    lotterySession().open(kDefault);
  }
  void TearDown() override { lotterySession().close(); }

  // The history the windows load, for comparing with the core's results.
  static DrawHistory Loaded(AttributeKind kind) { return LoadCompleteDrawHistory(datamod().t_caipiao(), kind); }

  static std::vector<SelectionRow> gridRows(const SelectionWindow& w) {
    std::vector<SelectionRow> out;
    for (int r = 0; r < w.model()->rowCount(); ++r) {
      SelectionRow row;
      for (int c = 0; c < 4; ++c)
        row[static_cast<std::size_t>(c)] = w.model()->index(r, c).data().toString().toStdString();
      out.push_back(row);
    }
    return out;
  }
  static QStringList items(const QComboBox* c) {
    QStringList out;
    for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
    return out;
  }
  static std::vector<int> tallyValues(const SelectionWindow& w) {
    std::vector<int> out;
    for (QBarSet* s : w.tallySeries()->barSets())
      for (int i = 0; i < s->count(); ++i) out.push_back(static_cast<int>(s->at(i)));
    return out;
  }
  // Types text into an editable combo and finishes, as leaving it does.
  static void type(QComboBox* c, const QString& text) {
    c->lineEdit()->setText(text);
    emit c->lineEdit()->editingFinished();
  }
  // Everything the window shows must be the core's result for its settings.
  static void expectShows(const SelectionWindow& w, const SelectionHistory& s) {
    EXPECT_EQ(gridRows(w), s.rows);
    EXPECT_EQ(w.mem->toPlainText().toStdString(), s.summary);
    EXPECT_EQ(w.chthistory->bars(), s.hitChart);
    EXPECT_EQ(w.chthistory->barCount(), static_cast<int>(s.hitChart.values.size()));
    EXPECT_EQ(tallyValues(w), s.tallyChart.values);
  }
};

}  // namespace

// ---- Tfrmsep ------------------------------------------------------------------

TEST_F(SelectionWindowTest, IntervalWindowOpensComputedThenRecomputesAndProposes) {
  app.addDraws(kDefault, kEight);
  open();
  Tfrmsep w;
  EXPECT_TRUE(prompts->messages.empty()) << prompts->lastText().toStdString();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("最优间隔回补选号"));
  EXPECT_EQ(w.chthistory->title(), QStringLiteral("最优间隔回补选号历史中奖图表"));
  EXPECT_EQ(items(w.comqishu).size(), 20);
  EXPECT_EQ(w.comqishu->currentText(), QStringLiteral("5"));
  EXPECT_EQ(items(w.comcodenum).size(), 36);
  EXPECT_EQ(w.comcodenum->currentText(), QStringLiteral("2"));
  // Every issue, then the next one, which is the target.
  ASSERT_EQ(w.comcurqi->count(), 9);
  EXPECT_EQ(w.comcurqi->itemText(0), QStringLiteral("2001001"));
  EXPECT_EQ(w.comcurqi->currentText(), QStringLiteral("2001009"));
  EXPECT_EQ(w.targetIndex(), 8);
  EXPECT_EQ(w.edtcurcode->text(), QString()) << "no proposal before 生成号码";

  const DrawHistory h = Loaded(AttributeKind::Number);
  expectShows(w, IntervalHistory(h, {AttributeKind::Number, 5, 2}, FilledAttributeTables()));
  EXPECT_EQ(gridRows(w)[0], (SelectionRow{"2001001", "1", "", "0"}));
  EXPECT_EQ(w.chthistory->barCount(), 8) << "row 0 is plotted";
  EXPECT_EQ(w.model()->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("投注号码"));

  const auto before = gridRows(w);
  type(w.comqishu, QStringLiteral("3"));
  w.comcodenum->setCurrentIndex(2);
  emit w.comcodenum->activated(2);
  EXPECT_EQ(w.intervalCount(), 3);
  EXPECT_EQ(w.pickCount(), 3);
  EXPECT_EQ(gridRows(w), before) << "settings wait for 历史统计";
  w.btntongji->click();
  expectShows(w, IntervalHistory(h, {AttributeKind::Number, 3, 3}, FilledAttributeTables()));
  EXPECT_EQ(gridRows(w)[3], (SelectionRow{"2001004", "10", "03 02 01 ", "0"}));

  w.btngen->click();
  EXPECT_EQ(w.edtcurcode->text(), QStringLiteral("2001009期推荐投注号码：20 10 30 "));
  // The oldest issue: nothing to look back at, the smallest values.
  w.comcurqi->setCurrentIndex(0);
  w.btngen->click();
  EXPECT_EQ(w.edtcurcode->text(), QStringLiteral("2001001期推荐投注号码：01 02 03 "));
  EXPECT_TRUE(prompts->messages.empty()) << prompts->lastText().toStdString();
}

TEST_F(SelectionWindowTest, GroupingWaitsForTheButtonsAndResetsThePickCount) {
  app.addDraws(kDefault, {kSpring, kSummer, kAutumn, kWinter, kSpring, kSummer});
  open();
  Tfrmsep w;
  w.comcodenum->setCurrentIndex(5);
  emit w.comcodenum->activated(5);
  ASSERT_EQ(w.pickCount(), 6);
  const auto before = gridRows(w);
  w.setOptqianhouIndex(2);
  EXPECT_EQ(w.valueCount(), 4);
  EXPECT_EQ(w.pickCount(), 2);
  EXPECT_EQ(items(w.comcodenum), (QStringList{"1", "2", "3", "4"}));
  EXPECT_EQ(w.comcodenum->currentText(), QStringLiteral("2"));
  EXPECT_EQ(gridRows(w), before) << "nothing is recomputed yet";

  w.btntongji->click();
  expectShows(w,
              IntervalHistory(Loaded(AttributeKind::Season), {AttributeKind::Season, 5, 2}, FilledAttributeTables()));
  EXPECT_EQ(gridRows(w)[1][1], "夏");
  w.btngen->click();
  // Season names run together; with K = 2 at most two of them.
  EXPECT_TRUE(w.edtcurcode->text().startsWith(QStringLiteral("2001007期推荐投注号码：")));
  EXPECT_EQ(w.edtcurcode->text().size(), QStringLiteral("2001007期推荐投注号码：").size() + 2);
}

// ---- refused settings -------------------------------------------------------

struct RefusedCase {
  const char* name;
  bool affinity;
  int kind;           // optqianhou before typing
  const char* combo;  // object name
  const char* typed;
  const char* message;
  PromptIcon icon;
};

class RefusedSetting : public SelectionWindowTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedSetting, ShowsWhyAndKeepsThePreviousSetting) {
  const RefusedCase& c = GetParam();
  app.addDraws(kDefault, kEight);
  open();
  std::unique_ptr<SelectionWindow> w;
  if (c.affinity)
    w = std::make_unique<Tfrmqingmi>();
  else
    w = std::make_unique<Tfrmsep>();
  w->setOptqianhouIndex(c.kind);
  auto* combo = w->findChild<QComboBox*>(QString::fromLatin1(c.combo));
  ASSERT_NE(combo, nullptr);
  const QString before = combo->currentText();
  const int picks = w->pickCount();
  const int intervals = c.affinity ? 0 : static_cast<Tfrmsep&>(*w).intervalCount();

  type(combo, QString::fromUtf8(c.typed));
  ASSERT_EQ(prompts->messages.size(), 1u);
  EXPECT_EQ(prompts->lastText(), QString::fromUtf8(c.message));
  EXPECT_EQ(prompts->messages.back().icon, c.icon);
  EXPECT_EQ(combo->currentText(), before) << "the setting in force is shown again";
  EXPECT_EQ(w->pickCount(), picks);
  if (!c.affinity) {
    EXPECT_EQ(static_cast<Tfrmsep&>(*w).intervalCount(), intervals);
  }
  // Finishing again with the restored text says nothing more.
  emit combo->lineEdit()->editingFinished();
  EXPECT_EQ(prompts->messages.size(), 1u);
  w->btntongji->click();
  EXPECT_EQ(prompts->messages.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedSetting,
    ::testing::Values(
        RefusedCase{"interval_count_zero", false, 0, "comqishu", "0", "间隔期数必须在1到20之间", PromptIcon::None},
        RefusedCase{"interval_count_21", false, 0, "comqishu", "21", "间隔期数必须在1到20之间", PromptIcon::None},
        RefusedCase{"interval_count_text", false, 0, "comqishu", "五", "'五' 不是有效的整数值", PromptIcon::Error},
        RefusedCase{"interval_picks_37", false, 0, "comcodenum", "37", "选号个数必须在1到36之间", PromptIcon::None},
        RefusedCase{"interval_picks_season", false, 2, "comcodenum", "5", "选号个数必须在1到4之间", PromptIcon::None},
        RefusedCase{"interval_picks_huge", false, 0, "comcodenum", "99999999999", "选号个数必须在1到36之间",
                    PromptIcon::None},
        RefusedCase{"affinity_picks_zero", true, 0, "comselnum", "0", "投注号码数必须在1到36之间", PromptIcon::None},
        RefusedCase{"affinity_picks_zodiac", true, 1, "comselnum", "13", "投注号码数必须在1到12之间", PromptIcon::None},
        RefusedCase{"affinity_picks_text", true, 0, "comselnum", "2.5", "'2.5' 不是有效的整数值", PromptIcon::Error}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SelectionWindowTest, AffinityTakesAnyPickCountUpToTheValueCountAndReadsTheTextWhenProposing) {
  app.addDraws(kDefault, kEight);
  open();
  Tfrmqingmi w;
  EXPECT_EQ(items(w.comselnum).size(), 20);
  type(w.comselnum, QStringLiteral("36"));  // not offered, but within 1..V
  EXPECT_EQ(w.pickCount(), 36);
  w.btngen->click();
  EXPECT_EQ(w.edtcurcode->text().count(QLatin1Char(' ')), 36);

  // Text left in the combo unfinished is read by 生成号码, which stops on it.
  const QString shown = w.edtcurcode->text();
  w.comselnum->lineEdit()->setText(QStringLiteral("x"));
  w.btngen->click();
  ASSERT_EQ(prompts->messages.size(), 1u);
  EXPECT_EQ(prompts->lastText(), QStringLiteral("'x' 不是有效的整数值"));
  EXPECT_EQ(w.edtcurcode->text(), shown);
  EXPECT_EQ(w.pickCount(), 36);
  EXPECT_EQ(w.comselnum->currentText(), QStringLiteral("36"));
}

// ---- Tfrmqingmi ---------------------------------------------------------------

TEST_F(SelectionWindowTest, AffinityWindowOpensComputedAndProposes) {
  // 春 at draws 0, 2, 5 and 7: the next draw looks back from draw 5.
  app.addDraws(kDefault, {kSpring, kSummer, kSpring, kAutumn, kAutumn, kSpring, kWinter, kSpring});
  open();
  Tfrmqingmi w;
  EXPECT_TRUE(prompts->messages.empty()) << prompts->lastText().toStdString();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("最优亲密数字选号"));
  EXPECT_EQ(w.chthistory->title(), QStringLiteral("最优亲密数字选号历史中奖图表"));
  EXPECT_EQ(items(w.comjieduanqi), (QStringList{"全部期数", "1", "2", "3", "4", "5", "6", "7", "8"}));
  EXPECT_EQ(w.comjieduanqi->currentIndex(), 7);
  EXPECT_EQ(w.stageCount(), 7);
  EXPECT_EQ(w.comselnum->currentText(), QStringLiteral("2"));
  EXPECT_EQ(w.tabcodeText(), QString());
  expectShows(w,
              AffinityHistory(Loaded(AttributeKind::Number), {AttributeKind::Number, 7, 2}, FilledAttributeTables()));
  // Row 0 has neither bet nor hits; the chart starts at row S + 1 = 8: none.
  EXPECT_EQ(gridRows(w)[0], (SelectionRow{"2001001", "1", "", ""}));
  EXPECT_EQ(w.chthistory->barCount(), 0);

  w.setOptqianhouIndex(2);
  w.comjieduanqi->setCurrentIndex(2);
  EXPECT_EQ(w.stageCount(), 2);
  w.btntongji->click();
  const SelectionHistory s =
      AffinityHistory(Loaded(AttributeKind::Season), {AttributeKind::Season, 2, 2}, FilledAttributeTables());
  expectShows(w, s);
  ASSERT_EQ(w.chthistory->barCount(), 5);
  EXPECT_EQ(w.chthistory->bars().labels.front(), "2001004");

  // The 2nd latest earlier 春 (draw 2) stops the walk: draws 4..6 count.
  w.comselnum->setCurrentIndex(2);
  emit w.comselnum->activated(2);
  w.btngen->click();
  EXPECT_EQ(w.edtcurcode->text(), QStringLiteral("2001009期推荐投注号码：春秋冬"));
  EXPECT_EQ(w.tabcodeText(), QStringLiteral("各亲密数字总次数1:1次 3:1次 4:1次 2:0次 "));

  // 全部期数 looks back without limit and plots from row 1.
  w.comjieduanqi->setCurrentIndex(0);
  EXPECT_EQ(w.stageCount(), 0);
  w.btntongji->click();
  EXPECT_EQ(w.chthistory->barCount(), 7);
  w.btngen->click();
  EXPECT_EQ(w.tabcodeText(), QStringLiteral("各亲密数字总次数1:2次 3:2次 2:1次 4:1次 "));
  EXPECT_TRUE(prompts->messages.empty()) << prompts->lastText().toStdString();
}

TEST_F(SelectionWindowTest, AffinityProposesNothingForTheOldestIssue) {
  app.addDraws(kDefault, kEight);
  open();
  Tfrmqingmi w;
  w.btngen->click();
  ASSERT_FALSE(w.tabcodeText().isEmpty());
  w.comcurqi->setCurrentIndex(0);
  EXPECT_EQ(w.targetIndex(), 0);
  w.btngen->click();
  EXPECT_EQ(w.edtcurcode->text(), QStringLiteral("2001001期推荐投注号码："));
  EXPECT_EQ(w.tabcodeText(), QStringLiteral("各亲密数字总次数"));
  EXPECT_TRUE(prompts->messages.empty()) << prompts->lastText().toStdString();
}

TEST_F(SelectionWindowTest, AffinityWithFewerDrawsThanTheDefaultStages) {
  app.addDraws(kDefault, {5, 5, 5});
  open();
  Tfrmqingmi w;
  EXPECT_EQ(items(w.comjieduanqi), (QStringList{"全部期数", "1", "2", "3"}));
  EXPECT_EQ(w.comjieduanqi->currentText(), QStringLiteral("3"));
  // Three stages look back as far as seven would, and plot no row either.
  expectShows(w,
              AffinityHistory(Loaded(AttributeKind::Number), {AttributeKind::Number, 7, 2}, FilledAttributeTables()));
  EXPECT_EQ(w.chthistory->barCount(), 0);
}

// ---- how the two windows differ ---------------------------------------------

TEST_F(SelectionWindowTest, TheTwoWindowsDifferWhereTheirRulesDo) {
  // Every season is a pick with K = 4: affinity hits on every row from 1,
  // so its summary, which leaves row 0 out, reads 1 and 1.
  app.addDraws(kDefault, {kSpring, kSummer, kAutumn, kWinter, kSpring, kSummer, kAutumn, kWinter, kSpring, kAutumn});
  open();
  Tfrmsep sep;
  Tfrmqingmi qingmi;
  for (SelectionWindow* w : {static_cast<SelectionWindow*>(&sep), static_cast<SelectionWindow*>(&qingmi)}) {
    w->setOptqianhouIndex(2);
    auto* picks = w->findChild<QComboBox*>(w == &sep ? QStringLiteral("comcodenum") : QStringLiteral("comselnum"));
    type(picks, QStringLiteral("4"));
    w->btntongji->click();
    w->show();
  }
  EXPECT_EQ(qingmi.mem->toPlainText(), QStringLiteral("最大中奖号码数为1个，最小中奖号码数为1个"));
  EXPECT_EQ(sep.mem->toPlainText(), QStringLiteral("最大中奖号码数为1个，最小中奖号码数为0个"));
  EXPECT_EQ(gridRows(sep)[0][3], "0");
  EXPECT_EQ(gridRows(qingmi)[0][3], "");
  EXPECT_EQ(sep.chthistory->barCount(), 10);
  EXPECT_EQ(qingmi.chthistory->barCount(), 2) << "from row S + 1 = 8";

  const std::array<int, 4> sepWidths = {60, 100, 130, sep.tabhistory->width() - 320};
  const std::array<int, 4> qingmiWidths = {55, 100, 130, 50};
  for (int c = 1; c < 4; ++c) {
    EXPECT_EQ(sep.tabhistory->columnWidth(c), sepWidths[static_cast<std::size_t>(c)]) << c;
    EXPECT_EQ(qingmi.tabhistory->columnWidth(c), qingmiWidths[static_cast<std::size_t>(c)]) << c;
  }
  EXPECT_GT(sep.tabhistory->columnWidth(3), 50);
  // The issue column is as wide as the window says, or as its issues need.
  const int issue = sep.tabhistory->fontMetrics().horizontalAdvance(QStringLiteral("2001001"));
  EXPECT_EQ(sep.tabhistory->columnWidth(0), std::max(60, issue + 12));
  EXPECT_EQ(qingmi.tabhistory->columnWidth(0), std::max(55, issue + 12));
  // All four columns fit beside the scroll bar.
  int total = 0;
  for (int c = 0; c < 4; ++c) total += sep.tabhistory->columnWidth(c);
  EXPECT_LE(total, sep.tabhistory->viewport()->width());

  // "显示标注" redraws the affinity chart at once; the interval chart reads
  // the box on the next 历史统计.
  qingmi.chkhistorybiao->setChecked(true);
  EXPECT_TRUE(qingmi.chthistory->valueLabelsVisible());
  sep.chkhistorybiao->setChecked(true);
  EXPECT_FALSE(sep.chthistory->valueLabelsVisible());
  sep.btntongji->click();
  EXPECT_TRUE(sep.chthistory->valueLabelsVisible());

  // optqianhou: two columns, or one.
  const auto kinds = [](const SelectionWindow& w) { return w.optqianhou->findChildren<QRadioButton*>(); };
  ASSERT_EQ(kinds(sep).size(), 4);
  ASSERT_EQ(kinds(qingmi).size(), 4);
  EXPECT_EQ(kinds(sep)[0]->y(), kinds(sep)[1]->y());
  EXPECT_LT(kinds(qingmi)[0]->y(), kinds(qingmi)[1]->y());
  EXPECT_EQ(qingmi.findChild<QTableWidget*>(QStringLiteral("tabcode")), qingmi.tabcode);
  EXPECT_EQ(sep.findChild<QTableWidget*>(QStringLiteral("tabcode")), nullptr);
}

// ---- the lottery ------------------------------------------------------------

TEST_F(SelectionWindowTest, ALotteryWithoutDrawsOpensEmptyWindows) {
  open();
  Tfrmsep sep;
  Tfrmqingmi qingmi;
  for (SelectionWindow* w : {static_cast<SelectionWindow*>(&sep), static_cast<SelectionWindow*>(&qingmi)}) {
    SCOPED_TRACE(w->windowTitle().toStdString());
    w->btntongji->click();
    w->btngen->click();
    EXPECT_EQ(w->model()->rowCount(), 0);
    EXPECT_EQ(w->model()->columnCount(), 4) << "the titles stay";
    EXPECT_EQ(w->chthistory->barCount(), 0);
    EXPECT_TRUE(tallyValues(*w).empty());
    EXPECT_EQ(w->comcurqi->count(), 0);
    EXPECT_EQ(w->edtcurcode->text(), QString());
    EXPECT_EQ(w->mem->toPlainText(), QStringLiteral("最大中奖号码数为0个，最小中奖号码数为0个"));
    w->grab();  // paints without bars
  }
  EXPECT_EQ(qingmi.tabcodeText(), QString());
  EXPECT_EQ(items(qingmi.comjieduanqi), QStringList{QStringLiteral("全部期数")});
  EXPECT_TRUE(prompts->messages.empty()) << prompts->lastText().toStdString();
}

TEST_F(SelectionWindowTest, ABadDrawStopsTheLoadAndKeepsWhatWasShown) {
  app.addDraws(kDefault, kEight);
  open();
  Tfrmsep w;
  ASSERT_EQ(w.model()->rowCount(), 8);
  lotterySession().close();
  {
    store::Database db(app.databaseFile());
    std::vector<DrawRecord> bad = MakeDraws({5}, 2001011);
    bad[0].issue = "20a1011";
    db.appendDraws(kDefault, bad);
  }
  open();
  Tfrmqingmi q;
  ASSERT_EQ(prompts->messages.size(), 1u);
  EXPECT_TRUE(prompts->lastText().contains(QStringLiteral("20a1011"))) << prompts->lastText().toStdString();
  EXPECT_EQ(q.model()->rowCount(), 0);
  q.btngen->click();
  EXPECT_EQ(prompts->messages.size(), 2u);
  EXPECT_EQ(q.edtcurcode->text(), QString());
}

TEST_F(SelectionWindowTest, ClosingTheLotteryClosesBothAndTheNextOpeningStartsAfresh) {
  app.addDraws(kDefault, kEight);
  open();
  qputenv("TAVRIN_VENDOR_URL", "http://127.0.0.1:9");
  Tfrmmain main;
  prompts->messages.clear();  // the missing background picture
  for (SingleWindow which : {SingleWindow::sep, SingleWindow::qingmi}) {
    SCOPED_TRACE(int(which));
    QPointer<QWidget> first = main.showSingle(which);
    auto* w = qobject_cast<SelectionWindow*>(first.data());
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(w->isModal());
    w->setOptqianhouIndex(1);
    w->close();
    EXPECT_EQ(main.showSingle(which), first.data()) << "closing only hides";
    EXPECT_EQ(w->optqianhouIndex(), 1);

    lotterySession().close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(w->history().entries.empty()) << "the draws are let go at once";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());

    // Another lottery's draws: nothing of the first survives.
    const QString other = QStringLiteral("另一种%1").arg(int(which));
    store::LotteryOptions options = store::DefaultLottery();
    options.name = other;
    store::Database(app.databaseFile()).createLottery(options);
    app.addDraws(other, {4, 5, 6}, 2009001);
    lotterySession().open(other);
    auto* fresh = qobject_cast<SelectionWindow*>(main.showSingle(which));
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->optqianhouIndex(), 0);
    EXPECT_EQ(fresh->comcurqi->count(), 4);
    EXPECT_EQ(fresh->comcurqi->currentText(), QStringLiteral("2009004"));
    EXPECT_EQ(fresh->model()->rowCount(), 3);
    EXPECT_EQ(fresh->history().entries.size(), 3u);
    lotterySession().close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    open();
  }
  EXPECT_TRUE(prompts->messages.empty()) << prompts->lastText().toStdString();
}
