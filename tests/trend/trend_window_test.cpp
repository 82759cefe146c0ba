#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QHeaderView>
#include <QImage>
#include <QMdiArea>
#include <QPointer>
#include <QScrollBar>

#include "app/main/u_main.h"
#include "app/u_public.h"
#include "app/windows.h"
#include "store/lottery_session.h"
#include "store/lottery_store.h"
#include "store/u_datamod.h"
#include "tests/support/test_support.h"
#include "trend/shared_history.h"
#include "trend/u_code.h"
#include "trend/u_fangwei.h"
#include "trend/u_jijie.h"
#include "trend/u_shengxiao.h"

using namespace tavrin;
using namespace tavrin::test;

namespace {

const QString kDefault = QStringLiteral("南粤风采36选7");
const std::vector<int> kNumbers = {1, 12, 13, 36, 9, 37};  // 2001001 .. 2001006

class TrendWindowTest : public ::testing::Test {
 protected:
  TempAppDir app;
  PromptsScope prompts;

  void SetUp() override { ResetLotterySession(); }
  void TearDown() override {
    lotterySession().close();
    PublishDrawHistory(nullptr);
  }

  void open() { lotterySession().open(kDefault); }

  static QString cell(TrendWindow& w, int row, int column) {
    const QAbstractItemModel* m = w.grdcode->model();
    if (row == 0) return m->headerData(column - 1, Qt::Horizontal, Qt::DisplayRole).toString();
    if (column == 0) return m->headerData(row - 1, Qt::Vertical, Qt::DisplayRole).toString();
    return m->data(m->index(row - 1, column - 1), Qt::DisplayRole).toString();
  }

  static std::vector<int> sharedValues() {
    std::vector<int> v;
    for (const DrawEntry& e : SharedDrawHistory()->entries) v.push_back(e.value.value_or(-1));
    return v;
  }

  // Resizes the shown window so that the grid's client area is exactly width wide.
  static void setClientWidth(QWidget& w, TrendGrid& grid, int width) {
    for (int i = 0; i < 3 && grid.clientWidth() != width; ++i) {
      w.resize(w.width() + width - grid.clientWidth(), 600);
      QCoreApplication::processEvents();
    }
    ASSERT_EQ(grid.clientWidth(), width);
  }
};

struct KindCase {
  int tab;
  const char* className;
  const char* caption;
  int valueCount;
  std::vector<int> values;  // SharedDrawHistory, oldest first; -1 for none
  const char* firstTitle;
  const char* newestNumberText;  // column 1 of row 1 (the draw of 9)
  int newestDotColumn;
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << "tab " << c.tab; }

class TrendWindowKinds : public TrendWindowTest, public ::testing::WithParamInterface<KindCase> {};

}  // namespace

TEST_P(TrendWindowKinds, TabMakesItsWindowFromTheOpenLottery) {
  const KindCase c = GetParam();
  app.addDraws(kDefault, kNumbers);
  open();
  std::unique_ptr<QWidget> made(CreateTrendWindow(c.tab, nullptr));
  ASSERT_NE(made, nullptr);
  EXPECT_STREQ(made->metaObject()->className(), c.className);
  auto* w = qobject_cast<TrendWindow*>(made.get());
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle(), QString::fromUtf8(c.caption));
  EXPECT_EQ(CurrentLottery().valueCount, c.valueCount);
  EXPECT_EQ(CurrentLottery().valuesPerDraw, 1);
  EXPECT_EQ(sharedValues(), c.values);
  EXPECT_EQ(SharedDrawHistory()->entries.back().issue, 2001006);

  const QAbstractItemModel* m = w->grdcode->model();
  EXPECT_EQ(m->rowCount(), 6);
  EXPECT_EQ(m->columnCount(), c.valueCount + 3);
  EXPECT_EQ(cell(*w, 0, 0), QStringLiteral("记录期号"));
  EXPECT_EQ(cell(*w, 0, 1), QStringLiteral("开奖号码"));
  EXPECT_EQ(cell(*w, 0, 3), QString::fromUtf8(c.firstTitle));
  // Newest first: row 1 is the out-of-range 37 (issue and number only), row 2 the 9.
  EXPECT_EQ(cell(*w, 1, 0), QStringLiteral("2001006"));
  EXPECT_EQ(cell(*w, 1, 1), QStringLiteral("37"));
  for (int col = 2; col <= c.valueCount + 3; ++col) EXPECT_EQ(cell(*w, 1, col), QString()) << col;
  EXPECT_EQ(cell(*w, 2, 0), QStringLiteral("2001005"));
  EXPECT_EQ(cell(*w, 2, 1), QString::fromUtf8(c.newestNumberText));
  EXPECT_EQ(cell(*w, 2, c.newestDotColumn), QStringLiteral("●"));
  EXPECT_EQ(cell(*w, 6, 0), QStringLiteral("2001001"));
  EXPECT_TRUE(prompts->messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    AllFour, TrendWindowKinds,
    ::testing::Values(KindCase{0, "tavrin::Tfrmcode", "开奖号码走势", 36, {1, 12, 13, 36, 9, -1}, "1", "9", 11},
                      KindCase{
                          1, "tavrin::Tfrmshengxiao", "开奖生肖走势", 12, {1, 12, 1, 12, 9, -1}, "鼠", "09   猴", 11},
                      KindCase{2, "tavrin::Tfrmjijie", "开奖季节走势", 4, {1, 2, 2, 4, 1, -1}, "春", "09   春", 3},
                      KindCase{3, "tavrin::Tfrmfangwei", "开奖方位走势", 4, {1, 2, 1, 4, 1, -1}, "东", "09   东", 3}),
    [](const ::testing::TestParamInfo<KindCase>& info) { return std::string(info.param.className + 8); });

TEST_F(TrendWindowTest, WithoutAnOpenLotteryOnlyTheTitlesShow) {
  app.addDraws(kDefault, kNumbers);
  open();
  { Tfrmcode filler; }
  ASSERT_EQ(SharedDrawHistory()->entries.size(), 6u);
  lotterySession().close();

  Tfrmjijie w;
  EXPECT_EQ(w.grdcode->model()->rowCount(), 0);
  EXPECT_EQ(cell(w, 0, 3), QStringLiteral("春"));
  EXPECT_EQ(cell(w, 0, 6), QStringLiteral("冬"));
  // Nothing of the earlier lottery is left for the investment mode to read.
  EXPECT_TRUE(SharedDrawHistory()->entries.empty());
  EXPECT_EQ(CurrentLottery().valueCount, 4);
  EXPECT_TRUE(prompts->messages.empty());
}

TEST_F(TrendWindowTest, ADrawThatDoesNotConvertIsReportedAndTheWindowStillOpens) {
  app.addDraws(kDefault, {5, 6, 7});
  {
    store::Database db(app.databaseFile());
    std::vector<DrawRecord> bad = MakeDraws({8, 9}, 2001009, db.numberColumns(kDefault));
    bad[0].issue = "200100:";  // in text order between 2001003 and 2001010
    db.appendDraws(kDefault, bad);
  }
  open();
  Tfrmcode w;
  ASSERT_EQ(prompts->messages.size(), 1u);
  EXPECT_EQ(prompts->messages[0].icon, PromptIcon::Error);
  EXPECT_TRUE(prompts->messages[0].text.contains(QStringLiteral("200100:"))) << prompts->messages[0].text.toStdString();
  // Five rows; the failing draw and the newer one are blank.
  ASSERT_EQ(w.grdcode->model()->rowCount(), 5);
  for (int row : {1, 2})
    for (int col = 0; col < 40; ++col) EXPECT_EQ(cell(w, row, col), QString()) << row << "," << col;
  EXPECT_EQ(cell(w, 3, 0), QStringLiteral("2001003"));
  EXPECT_EQ(cell(w, 3, 9), QStringLiteral("●"));
  EXPECT_EQ(SharedDrawHistory()->entries.size(), 3u);
  EXPECT_FALSE(SharedDrawHistory()->complete());
}

TEST_F(TrendWindowTest, ColumnWidthsFollowTheWindow) {
  open();
  struct Case {
    std::function<TrendWindow*()> make;
    int at1148, at1508;
  };
  const Case cases[] = {{[] { return new Tfrmcode; }, 25, 35},
                        {[] { return new Tfrmshengxiao; }, 75, 105},
                        {[] { return new Tfrmjijie; }, 225, 315},
                        {[] { return new Tfrmfangwei; }, 225, 315}};
  for (const Case& c : cases) {
    std::unique_ptr<TrendWindow> w(c.make());
    w->show();
    QCoreApplication::processEvents();
    TrendGrid& g = *w->grdcode;
    setClientWidth(*w, g, 1148);
    const int v = ValueCountOf(w->kind());
    EXPECT_EQ(g.gridColumnWidth(0), 70);
    EXPECT_EQ(g.gridColumnWidth(1), 130);
    EXPECT_EQ(g.gridColumnWidth(2), 8);
    EXPECT_EQ(g.gridColumnWidth(v + 3), 8);
    for (int col = 3; col <= v + 2; ++col) ASSERT_EQ(g.gridColumnWidth(col), c.at1148) << col;
    // A wider main window gives wider columns at once, not only on the next activation.
    setClientWidth(*w, g, 1508);
    EXPECT_EQ(g.gridColumnWidth(3), c.at1508);
    EXPECT_EQ(g.gridColumnWidth(v + 2), c.at1508);
    EXPECT_EQ(g.horizontalScrollBar()->maximum(), 0);
  }
}

TEST_F(TrendWindowTest, TabChangeReplacesTheWindowAndRefillsTheSharedHistory) {
  app.addDraws(kDefault, kNumbers);
  Tfrmmain main;
  main.show();
  prompts->messages.clear();  // the missing background picture of the bare test folder
  open();
  main.lotteryOpened(kDefault);
  QPointer<QWidget> first = main.trendWindow();
  ASSERT_NE(qobject_cast<Tfrmcode*>(first.data()), nullptr);
  EXPECT_EQ(sharedValues(), (std::vector<int>{1, 12, 13, 36, 9, -1}));

  main.mnushengxiao->trigger();
  EXPECT_TRUE(first.isNull());
  EXPECT_EQ(main.mdi->subWindowList().size(), 1);
  EXPECT_NE(qobject_cast<Tfrmshengxiao*>(main.trendWindow()), nullptr);
  EXPECT_EQ(main.tabmain->currentIndex(), 1);
  EXPECT_EQ(CurrentLottery().valueCount, 12);
  EXPECT_EQ(sharedValues(), (std::vector<int>{1, 12, 1, 12, 9, -1}));

  // The tab already shown makes a fresh window of its kind.
  QPointer<QWidget> zodiac = main.trendWindow();
  main.mnushengxiao->trigger();
  EXPECT_TRUE(zodiac.isNull());
  EXPECT_NE(qobject_cast<Tfrmshengxiao*>(main.trendWindow()), nullptr);

  main.mnufangwei->trigger();
  EXPECT_EQ(sharedValues(), (std::vector<int>{1, 2, 1, 4, 1, -1}));
  main.mnucode->trigger();
  EXPECT_EQ(CurrentLottery().valueCount, 36);
  EXPECT_EQ(sharedValues(), (std::vector<int>{1, 12, 13, 36, 9, -1}));

  // The window goes with the lottery; its copy of the draws stays.
  main.mnucloseClick();
  EXPECT_EQ(main.trendWindow(), nullptr);
  EXPECT_EQ(sharedValues(), (std::vector<int>{1, 12, 13, 36, 9, -1}));
  EXPECT_TRUE(prompts->messages.empty());
}

namespace {

// Pixels of a cell of the grabbed grid, as (fill-coloured, dark) counts.
struct CellPixels {
  int fill = 0, dark = 0, total = 0;
  QRect darkBounds;  // where the drawn text is
};

CellPixels pixelsOf(const QImage& img, const QRect& r, const QColor& fill) {
  CellPixels p;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) {
      const QColor c = img.pixelColor(x, y);
      ++p.total;
      if (c.rgb() == fill.rgb()) ++p.fill;
      if (qGray(c.rgb()) < 60) {
        ++p.dark;
        p.darkBounds |= QRect(x, y, 1, 1);
      }
    }
  return p;
}

// The rectangle of grid cell (row >= 1, column >= 1) in the grid's own coordinates.
QRect bodyCell(TrendGrid& g, int row, int column) {
  const QRect r = g.visualRect(g.model()->index(row - 1, column - 1));
  return r.translated(g.viewport()->pos()).adjusted(0, 0, -1, -1);
}

QRect titleCell(TrendGrid& g, int column) {
  QHeaderView* h = g.horizontalHeader();
  const int x = h->sectionViewportPosition(column - 1);
  return QRect(h->pos().x() + x, h->pos().y(), h->sectionSize(column - 1) - 1, h->height() - 1);
}

}  // namespace

TEST_F(TrendWindowTest, PaintsFillsAndOneDotPerDrawAndKeepsTheTitlesInView) {
  std::vector<int> many(300, 20);
  many.front() = 3;  // the oldest draw
  many.back() = 37;  // the newest: out of range
  many[many.size() - 2] = 36;
  app.addDraws(kDefault, many);
  open();
  Tfrmcode w;
  w.show();
  QCoreApplication::processEvents();
  TrendGrid& g = *w.grdcode;
  setClientWidth(w, g, 1148);
  const QColor value(150, 150, 100), separator(100, 100, 100);
  const QColor textFill = g.palette().color(QPalette::ToolTipBase);

  QImage img = g.grab().toImage();
  // Row 1 (37): no dot in any value column.
  for (int col = 3; col <= 38; ++col) {
    const CellPixels p = pixelsOf(img, bodyCell(g, 1, col), value);
    ASSERT_EQ(p.fill, p.total) << "column " << col;
  }
  // Row 2 (36): a dot in column 38 only; the separators are plain.
  const QRect dotCell = bodyCell(g, 2, 38);
  const CellPixels dot = pixelsOf(img, dotCell, value);
  EXPECT_GT(dot.dark, 10);
  // Centred in its cell, give or take the one pixel the rule adds.
  EXPECT_LE(std::abs(dot.darkBounds.center().x() - dotCell.center().x()), 2)
      << dot.darkBounds.x() << " in " << dotCell.x();
  EXPECT_LE(std::abs(dot.darkBounds.center().y() - dotCell.center().y()), 3)
      << dot.darkBounds.y() << " in " << dotCell.y();
  EXPECT_EQ(pixelsOf(img, bodyCell(g, 2, 37), value).dark, 0);
  const CellPixels sep = pixelsOf(img, bodyCell(g, 2, 2), separator);
  EXPECT_EQ(sep.fill, sep.total);
  EXPECT_EQ(pixelsOf(img, bodyCell(g, 2, 39), separator).fill, sep.total);
  // Column 1 holds text on the tooltip fill.
  const CellPixels numberCell = pixelsOf(img, bodyCell(g, 2, 1), textFill);
  EXPECT_GT(numberCell.dark, 0);
  EXPECT_GT(numberCell.fill, numberCell.total / 2);
  // The number titles are drawn on the value fill.
  const CellPixels title = pixelsOf(img, titleCell(g, 38), value);
  EXPECT_GT(title.dark, 0);
  EXPECT_GT(title.fill, title.total / 2);

  // Scrolled to the oldest draw, the titles and the issue column stay.
  g.scrollToBottom();
  QCoreApplication::processEvents();
  img = g.grab().toImage();
  EXPECT_GT(g.verticalHeader()->logicalIndexAt(0), 0);
  EXPECT_TRUE(g.horizontalHeader()->isVisible());
  EXPECT_GT(pixelsOf(img, titleCell(g, 38), value).dark, 0);
  EXPECT_GT(pixelsOf(img, bodyCell(g, 300, 5), value).dark, 10);  // the oldest draw, 3
  EXPECT_EQ(pixelsOf(img, bodyCell(g, 300, 22), value).dark, 0);
  EXPECT_GT(pixelsOf(img, bodyCell(g, 299, 22), value).dark, 10);  // a 20
}
