#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTableView>
#include <condition_variable>
#include <mutex>
#include <random>

#include "app/main/u_main.h"
#include "app/u_public.h"
#include "app/windows.h"
#include "mode/mode_files.h"
#include "mode/u_tozi.h"
#include "store/lottery_session.h"
#include "tests/support/files_and_programs.h"
#include "tests/support/http_fakes.h"
#include "tests/support/test_support.h"
#include "trend/shared_history.h"

namespace tavrin {
namespace {

using namespace mode;
using test::CrLfLines;
using test::HavePdfText;
using test::LabelOf;
using test::PdfText;
using test::PromptsScope;
using test::ReadFileBytes;
using test::TempAppDir;
using test::WaitFor;
using test::WriteFileBytes;

const QString kDefault = QStringLiteral("南粤风采36选7");

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string Utf8(const QString& s) { return s.toStdString(); }

// The draws of the trend view shown: issues 2001001.., the values as drawn.
void Publish(const std::vector<int>& values) {
  DrawHistory h;
  for (std::size_t i = 0; i < values.size(); ++i)
    h.entries.push_back({static_cast<std::int32_t>(2001001 + i), values[i], values[i]});
  h.rowCount = values.size();
  PublishDrawHistory(std::make_shared<const DrawHistory>(std::move(h)));
}

std::vector<int> RandomValues(int n, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> value(1, 36);
  std::vector<int> v(static_cast<std::size_t>(n));
  for (int& x : v) x = value(rng);
  return v;
}

QString Cell(const QTableView* grid, int row, int column) {
  return grid->model()->index(row, column).data().toString();
}
QString Title(const QTableView* grid, int column) {
  return grid->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}
QStringList Titles(const QTableView* grid) {
  QStringList t;
  for (int c = 0; c < grid->model()->columnCount(); ++c) t << Title(grid, c);
  return t;
}
int Rows(const QTableView* grid) { return grid->model()->rowCount(); }
QStringList Row(const QTableView* grid, int row) {
  QStringList r;
  for (int c = 0; c < grid->model()->columnCount(); ++c) r << Cell(grid, row, c);
  return r;
}

// grdtozi as the back-test of these settings over these marks fills it.
void ExpectRunGrid(const Tfrmtozi& w, const BacktestResult& expected) {
  ASSERT_EQ(Rows(w.grdtozi), static_cast<int>(expected.rows.size()));
  for (std::size_t i = 0; i < expected.rows.size(); ++i) {
    QStringList want;
    for (const std::string& t : RunRowTexts(expected.rows[i])) want << Q(t);
    EXPECT_EQ(Row(w.grdtozi, static_cast<int>(i)), want) << i;
  }
  EXPECT_EQ(w.edtallwin->text(), Q(TotalText(expected.total)));
}

// With TAVRIN_SHOTS set to a folder, the window is saved there as the user
// would see it, to be looked at.
void Shot(QWidget& w, const char* name) {
  const QByteArray dir = qgetenv("TAVRIN_SHOTS");
  if (dir.isEmpty()) return;
  w.grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QString::fromLatin1(name) + QStringLiteral(".png"));
}

class ToziTest : public ::testing::Test {
 protected:
  TempAppDir app;
  PromptsScope prompts;

  void SetUp() override { test::ResetLotterySession(); }
  void TearDown() override {
    lotterySession().close();
    PublishDrawHistory(nullptr);
  }

  // The combined file of the worked example: 100 codes "5", plan length 3,
  // observation interval 2, count 1, one waiting draw.
  QString workedExampleFile() {
    QStringList lines = {"0", "1", "2", "1", "0", "1000000", "1000000", "100", "1000", "10", "1", "1", "0", "100"};
    for (int i = 0; i < 100; ++i) lines << QStringLiteral("5");
    const QString file = app.path() + QStringLiteral("附属/example.txt");
    WriteFileBytes(file, CrLfLines(lines));
    return file;
  }
  // Hits (value 5) at draws 2, 3, 7, 13 and 15 of 16; the rest draw 20.
  static std::vector<int> workedExampleDraws() {
    std::vector<int> v(16, 20);
    for (int t : {2, 3, 7, 13, 15}) v[static_cast<std::size_t>(t - 1)] = 5;
    return v;
  }
};

TEST_F(ToziTest, OpensWithItsControlsListsAndDefaults) {
  std::unique_ptr<QWidget> made(CreateTfrmtozi(nullptr));
  auto* w = qobject_cast<Tfrmtozi*>(made.get());
  ASSERT_TRUE(w);
  w->show();
  EXPECT_EQ(w->windowTitle(), QStringLiteral("投资模式分析"));
  EXPECT_EQ(w->size(), QSize(720, 567));
  EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(w->testAttribute(Qt::WA_DeleteOnClose));

  struct Combo {
    QComboBox* box;
    const char* label;
    int count;
    const char *first, *last;
  };
  for (const Combo& c : {Combo{w->comsepindex, "观察间隔数：", 100, "1", "100"},
                         Combo{w->comsepnum, "观察间隔连续次数：", 10, "1", "10"},
                         Combo{w->comtozisep, "中出后间隔期数：", 51, "0", "50"},
                         Combo{w->comtozirep, "连续投入期数：", 50, "1", "50"}}) {
    EXPECT_EQ(c.box->count(), c.count) << c.label;
    EXPECT_EQ(c.box->itemText(0), QString::fromUtf8(c.first)) << c.label;
    EXPECT_EQ(c.box->itemText(c.count - 1), QString::fromUtf8(c.last)) << c.label;
    EXPECT_EQ(c.box->currentIndex(), 0) << c.label;
    EXPECT_TRUE(c.box->isEditable()) << c.label;
    EXPECT_EQ(LabelOf(*w, c.box), QString::fromUtf8(c.label));
  }
  struct Edit {
    QLineEdit* edit;
    const char *label, *text;
  };
  for (const Edit& e :
       {Edit{w->edtsinmax, "单期最大投入：", "1000000"}, Edit{w->edtallmax, "累计最大投入：", "1000000"},
        Edit{w->edtjushu, "单倍注数：", "100"}, Edit{w->edtoutofsin, "单注奖金：", "1000"},
        Edit{w->edtlirun, "预期利润(%)：", "10"}, Edit{w->edtallwin, "总体赢余：", ""}}) {
    EXPECT_EQ(e.edit->text(), QString::fromUtf8(e.text)) << e.label;
    EXPECT_EQ(LabelOf(*w, e.edit), QString::fromUtf8(e.label));
  }
  EXPECT_TRUE(w->chkyuji->isChecked());
  EXPECT_TRUE(w->chksepmode->isChecked());
  EXPECT_EQ(LabelOf(*w, w->chkyuji), QStringLiteral("预计亏损："));
  EXPECT_EQ(LabelOf(*w, w->chksepmode), QStringLiteral("间隔模式："));
  QStringList forms;
  for (QAbstractButton* b : w->optzhuzhiItems->buttons()) forms << b->text();
  EXPECT_EQ(forms, (QStringList{"直选", "全组选", "组选3", "组选6"}));
  EXPECT_EQ(w->optzhuzhiItems->checkedId(), 0);

  QStringList captions;
  for (QPushButton* b :
       {w->btnfilt, w->btnclear, w->btnala, w->btnyouhua, w->tlbtnsave, w->tlbtnload, w->tlbtnprint, w->btnclose})
    captions << b->text();
  EXPECT_EQ(captions, (QStringList{"随机生成", "清空", "分析", "搜索", "保存", "载入", "打印", "关闭"}));
  EXPECT_FALSE(w->pb->isVisible());
  QStringList items;
  for (QMenu* m : {w->mnusave, w->mnuload, w->mnuprint})
    for (QAction* a : m->actions()) items << a->text();
  EXPECT_EQ(items, (QStringList{"保存号码(&C)", "保存设置(&S)", "保存号码和设置(&B)", "载入号码(&C)", "载入设置(&S)",
                                "载入号码和设置(&B)", "打印号码(&C)", "打印设置(&S)"}));

  EXPECT_EQ(Titles(w->grdsep), (QStringList{"记录期号", "中奖间隔"}));
  EXPECT_EQ(Titles(w->grdcode), (QStringList{"序号", "号码1"}));
  EXPECT_EQ(Titles(w->grdtozi),
            (QStringList{"投注时间", "投注倍数", "当期投注", "当期总投入", "当期中奖", "当期净利润", "当期利润率(%)"}));
  EXPECT_EQ(Titles(w->grdsepmode), (QStringList{"间隔", "连续", "次数"}));
  for (QTableView* g : {w->grdsep, w->grdcode, w->grdtozi, w->grdsepmode}) EXPECT_EQ(Rows(g), 0);
  // Every title of grdtozi is readable whole in its column.
  QCoreApplication::processEvents();
  const QHeaderView* header = w->grdtozi->horizontalHeader();
  for (int c = 0; c < 7; ++c) {
    const QRect text = header->fontMetrics().boundingRect(QRect(0, 0, header->sectionSize(c) - 4, 1000),
                                                          Qt::AlignCenter | Qt::TextWordWrap, Title(w->grdtozi, c));
    EXPECT_LE(text.height(), header->height()) << c;
  }
}

TEST_F(ToziTest, ClearIntervalModeAndBetFormDoWhatTheirHandlersSay) {
  Publish(workedExampleDraws());
  Tfrmtozi w;
  prompts->fileNames = {workedExampleFile()};
  w.mnubothload->trigger();
  ASSERT_EQ(Rows(w.grdtozi), 2);
  w.comtozirep->setCurrentIndex(7);
  w.edtsinmax->setText(QStringLiteral("5"));
  w.chkyuji->setChecked(false);

  w.btnclear->click();
  const ModeSettings s = w.settings();
  EXPECT_EQ(s.stakeLimit, "10000");
  EXPECT_EQ(s.outlayLimit, "100000");
  EXPECT_EQ(s.codeCount, "100");
  EXPECT_EQ(s.prize, "1000");
  EXPECT_EQ(s.rate, "10");
  EXPECT_EQ(s.plan, "1");
  EXPECT_EQ(s.wait, "0");
  EXPECT_EQ(s.interval, "1");
  EXPECT_TRUE(s.carriedLoss && s.intervalMode);
  // Codes and results stay.
  EXPECT_EQ(Rows(w.grdtozi), 2);
  EXPECT_EQ(w.edtallwin->text(), QStringLiteral("1200"));
  EXPECT_EQ(w.codes().size(), 100u);

  w.comsepindex->setCurrentIndex(4);
  w.comsepnum->setCurrentIndex(2);
  w.chksepmode->click();
  EXPECT_EQ(w.comsepindex->currentText(), QStringLiteral("1"));
  EXPECT_EQ(w.comsepnum->currentText(), QStringLiteral("1"));
  EXPECT_FALSE(w.comsepindex->isEnabled());
  EXPECT_FALSE(w.comsepnum->isEnabled());
  w.chksepmode->click();
  EXPECT_TRUE(w.comsepindex->isEnabled());
  EXPECT_TRUE(w.comsepnum->isEnabled());
  EXPECT_EQ(w.comsepindex->currentText(), QStringLiteral("1"));

  // Another bet form leaves grdtozi its title row and the total its text.
  w.optzhuzhiItems->button(3)->click();
  EXPECT_EQ(Rows(w.grdtozi), 0);
  EXPECT_EQ(w.edtallwin->text(), QStringLiteral("1200"));
  EXPECT_TRUE(prompts->messages.empty()) << prompts->lastText().toStdString();
}

TEST_F(ToziTest, GenerateThenAnalyseOverTwentyThousandDraws) {
  const std::vector<int> values = RandomValues(20000, 11);
  Publish(values);
  Tfrmtozi w;
  w.show();
  w.useSeed(42);
  w.btnfilt->click();
  ASSERT_TRUE(prompts->messages.empty()) << prompts->lastText().toStdString();

  const std::vector<BetCode> codes = GenerateCodes(0, 100, 42);
  EXPECT_EQ(w.codes(), codes);
  ASSERT_EQ(Rows(w.grdcode), 100);
  EXPECT_EQ(Row(w.grdcode, 0), (QStringList{"1", QString::number(codes[0].digits[0])}));
  EXPECT_EQ(Row(w.grdcode, 99), (QStringList{"100", QString::number(codes[99].digits[0])}));
  EXPECT_EQ(w.grdcode->columnWidth(0), (w.grdcode->width() - 30) / 2);

  const std::vector<DrawMark> marks = BuildMarks(*SharedDrawHistory(), codes, 0);
  EXPECT_EQ(w.marks(), marks);
  ASSERT_EQ(Rows(w.grdsep), 20000);
  for (int r : {0, 1, 2, 9999, 19999}) {
    const DrawMark& m = marks[static_cast<std::size_t>(r)];
    EXPECT_EQ(Row(w.grdsep, r), (QStringList{QString::number(2001001 + r), m.hit() ? "●" : QString::number(m.mark)}));
  }
  EXPECT_EQ(w.grdsep->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
  EXPECT_EQ(w.grdsep->columnWidth(0), (w.grdsep->width() - 30) * 2 / 3 + 5);
  EXPECT_EQ(w.grdsep->columnWidth(1), (w.grdsep->width() - 30) / 3 - 5);
  const std::vector<IntervalRun> runs = *IntervalRunStatistics(marks);
  ASSERT_EQ(Rows(w.grdsepmode), static_cast<int>(runs.size()));
  EXPECT_EQ(Row(w.grdsepmode, 0), (QStringList{QString::number(runs[0].interval), QString::number(runs[0].length),
                                               QString::number(runs[0].times)}));

  w.comtozirep->setCurrentIndex(9);
  w.comsepnum->setCurrentIndex(1);
  w.btnala->click();
  EXPECT_TRUE(prompts->messages.empty()) << prompts->lastText().toStdString();
  ExpectRunGrid(w, RunBacktest(ReadInputs(w.settings()), marks));
  EXPECT_EQ(w.grdtozi->columnWidth(6), (w.grdtozi->contentsRect().width() - 20) / 7);
  Shot(w, "tozi_after_backtest");

  // The same seed gives the same list; the list and marks change only here.
  w.optzhuzhiItems->button(1)->click();
  w.optzhuzhiItems->button(0)->click();
  EXPECT_EQ(w.marks(), marks);
  w.btnfilt->click();
  EXPECT_EQ(w.codes(), codes);
}

TEST_F(ToziTest, TheWorkedExampleThroughTheWindow) {
  Publish(workedExampleDraws());
  Tfrmtozi w;
  w.useSeed(1);
  // Loading codes and settings together shows the back-test at once.
  prompts->fileNames = {workedExampleFile()};
  w.mnubothload->trigger();
  EXPECT_TRUE(prompts->messages.empty()) << prompts->lastText().toStdString();
  EXPECT_EQ(Row(w.grdsep, 1), (QStringList{"2001002", "●"}));
  EXPECT_EQ(Row(w.grdsep, 3), (QStringList{"2001004", "1"}));
  ASSERT_EQ(Rows(w.grdtozi), 2);
  EXPECT_EQ(Row(w.grdtozi, 0), (QStringList{"3", "1", "200", "600", "1000", "400", "66"}));
  EXPECT_EQ(Row(w.grdtozi, 1), (QStringList{"1", "1", "200", "200", "1000", "800", "400"}));
  EXPECT_EQ(w.edtallwin->text(), QStringLiteral("1200"));
  // Gaps 2, 1, 4, 6, 2 and the tail 2.
  ASSERT_EQ(Rows(w.grdsepmode), 5);
  EXPECT_EQ(Row(w.grdsepmode, 0), (QStringList{"2", "1", "1"}));
  EXPECT_EQ(Row(w.grdsepmode, 4), (QStringList{"6", "1", "1"}));
}

TEST_F(ToziTest, RefusalsChangeNothing) {
  Publish(workedExampleDraws());
  struct Case {
    const char* what;
    std::function<void(Tfrmtozi&)> set;
    QPushButton* Tfrmtozi::*button;
    const char* message;
    PromptIcon icon;
  };
  const auto count = [](const char* n, int form) {
    return [n, form](Tfrmtozi& w) {
      w.edtjushu->setText(QString::fromLatin1(n));
      w.optzhuzhiItems->button(form)->click();
    };
  };
  const auto text = [](QLineEdit* Tfrmtozi::*edit, const char* t) {
    return [edit, t](Tfrmtozi& w) { (w.*edit)->setText(QString::fromUtf8(t)); };
  };
  const char* const group = "投注方式“全组选”需要三位号码，每期只开出一个号码的彩票只能用直选！";
  const Case cases[] = {
      {"1001 direct", count("1001", 0), &Tfrmtozi::btnfilt, "请请输入1到1000的直选注数！", PromptIcon::Error},
      {"0 direct", count("0", 0), &Tfrmtozi::btnfilt, "请请输入1到1000的直选注数！", PromptIcon::Error},
      {"121 group of 6", count("121", 3), &Tfrmtozi::btnfilt, "请请输入1到120的组选6注数！", PromptIcon::Error},
      {"211 full group", count("211", 1), &Tfrmtozi::btnfilt, "请请输入1到210的组选注数！", PromptIcon::Error},
      {"91 group of 3", count("91", 2), &Tfrmtozi::btnfilt, "请请输入1到90的组选3注数！", PromptIcon::Error},
      {"100 full group", count("100", 1), &Tfrmtozi::btnfilt, group, PromptIcon::Warning},
      {"not a number", text(&Tfrmtozi::edtjushu, "十"), &Tfrmtozi::btnfilt, "'十' 不是有效的整数值", PromptIcon::Error},
      {"analyse a group form", count("100", 1), &Tfrmtozi::btnala, group, PromptIcon::Warning},
      {"no unit cost", text(&Tfrmtozi::edtjushu, "0"), &Tfrmtozi::btnala, "单倍注数必须大于0！", PromptIcon::Warning},
      {"rate not a number", text(&Tfrmtozi::edtlirun, "1.5"), &Tfrmtozi::btnala, "'1.5' 不是有效的整数值",
       PromptIcon::Error},
      {"search a group form", count("100", 2), &Tfrmtozi::btnyouhua,
       "投注方式“组选3”需要三位号码，每期只开出一个号码的彩票只能用直选！", PromptIcon::Warning},
      {"search without a prize", text(&Tfrmtozi::edtoutofsin, ""), &Tfrmtozi::btnyouhua, "'' 不是有效的整数值",
       PromptIcon::Error},
  };
  for (const Case& c : cases) {
    PromptsScope p;
    Tfrmtozi w;
    p->fileNames = {workedExampleFile()};
    w.mnubothload->trigger();
    ASSERT_EQ(Rows(w.grdtozi), 2) << c.what;
    const std::vector<BetCode> codes = w.codes();
    c.set(w);
    const int runs = Rows(w.grdtozi);
    (w.*c.button)->click();
    ASSERT_EQ(p->messages.size(), 1u) << c.what;
    EXPECT_EQ(p->messages[0].text, QString::fromUtf8(c.message)) << c.what;
    EXPECT_EQ(p->messages[0].icon, c.icon) << c.what;
    EXPECT_EQ(w.codes(), codes) << c.what;
    EXPECT_EQ(Rows(w.grdtozi), runs) << c.what;
    EXPECT_EQ(w.edtallwin->text(), QStringLiteral("1200")) << c.what;
    EXPECT_EQ(w.btnyouhua->text(), QStringLiteral("搜索")) << c.what;
    EXPECT_FALSE(w.searching()) << c.what;
  }
  // The largest counts pass.
  for (const auto& [n, form] : {std::pair{"1000", 0}, std::pair{"120", 3}}) {
    PromptsScope p;
    Tfrmtozi w;
    w.edtjushu->setText(QString::fromLatin1(n));
    w.optzhuzhiItems->button(form)->click();
    w.btnfilt->click();
    if (form == 0) {
      EXPECT_TRUE(p->messages.empty());
      EXPECT_EQ(Rows(w.grdcode), 1000);
    } else {
      // The count passes; the form is then refused.
      ASSERT_EQ(p->messages.size(), 1u);
      EXPECT_TRUE(p->messages[0].text.startsWith(QStringLiteral("投注方式“组选6”")));
    }
  }
}

TEST_F(ToziTest, NoCodesNoAnalysisAndPlanMessagesWhenNotQuiet) {
  Tfrmtozi w;
  w.btnala->click();
  w.btnyouhua->click();
  ASSERT_EQ(prompts->messages.size(), 2u);
  for (const auto& m : prompts->messages) {
    EXPECT_EQ(m.text, QStringLiteral("请生成号码！"));
    EXPECT_EQ(m.icon, PromptIcon::Warning);
  }
  EXPECT_EQ(w.btnyouhua->text(), QStringLiteral("搜索"));

  // Codes without draws: marks of nothing, and still nothing to analyse.
  w.btnfilt->click();
  EXPECT_EQ(Rows(w.grdcode), 100);
  EXPECT_EQ(Rows(w.grdsep), 0);
  w.btnala->click();
  EXPECT_EQ(prompts->lastText(), QStringLiteral("请生成号码！"));

  // A rate no multiple reaches: the message, and the title row alone.
  Publish(workedExampleDraws());
  prompts->fileNames = {workedExampleFile()};
  w.mnubothload->trigger();
  w.edtlirun->setText(QStringLiteral("100000000"));
  w.btnala->click();
  EXPECT_EQ(prompts->lastText(), QStringLiteral("所需倍数太大，无法投注！"));
  EXPECT_EQ(prompts->messages.back().icon, PromptIcon::None);
  EXPECT_EQ(Rows(w.grdtozi), 0);
  EXPECT_EQ(w.edtallwin->text(), QStringLiteral("0"));
  // The search runs its back-tests quietly.
  const auto shown = prompts->messages.size();
  w.btnyouhua->click();
  ASSERT_TRUE(WaitFor([&] { return !w.searching(); }));
  EXPECT_EQ(prompts->messages.size(), shown);
  EXPECT_EQ(Rows(w.grdtozi), 0);
}

TEST_F(ToziTest, AHistoryWithoutHitsShowsNoIntervalStatistics) {
  Publish(workedExampleDraws());
  Tfrmtozi w;
  prompts->fileNames = {workedExampleFile()};
  w.mnubothload->trigger();
  ASSERT_EQ(Rows(w.grdsepmode), 5);
  // No code 5 any more: nothing is hit; the statistics of the old list go.
  WriteFileBytes(app.path() + QStringLiteral("c.txt"), CrLfLines({"0", "2", "1", "2"}));
  prompts->fileNames = {app.path() + QStringLiteral("c.txt")};
  w.mnucodeload->trigger();
  ASSERT_EQ(Rows(w.grdsep), 16);
  EXPECT_EQ(Row(w.grdsep, 15), (QStringList{"2001016", "16"}));
  EXPECT_EQ(Rows(w.grdsepmode), 0);
  // Loading codes alone keeps grdtozi as it was.
  EXPECT_EQ(Rows(w.grdtozi), 2);
  w.btnala->click();
  EXPECT_EQ(Rows(w.grdtozi), 0);
  EXPECT_EQ(w.edtallwin->text(), QStringLiteral("0"));
}

// ---- search ---------------------------------------------------------------------

struct Controls {
  bool ala, filt, clear, close, save, load, print, group, form, stop;
  bool operator==(const Controls&) const = default;
};
Controls ControlsOf(const Tfrmtozi& w) {
  return {w.btnala->isEnabled(),    w.btnfilt->isEnabled(),   w.btnclear->isEnabled(),   w.btnclose->isEnabled(),
          w.tlbtnsave->isEnabled(), w.tlbtnload->isEnabled(), w.tlbtnprint->isEnabled(), w.grptozi->isEnabled(),
          w.optzhuzhi->isEnabled(), w.btnyouhua->isEnabled()};
}
const Controls kIdle{true, true, true, true, true, true, true, true, true, true};
const Controls kSearching{false, false, false, false, false, false, false, false, true, true};

TEST_F(ToziTest, SearchStatesProgressAndTheBestChoice) {
  Publish(RandomValues(1500, 3));
  for (const bool intervalMode : {true, false}) {
    Tfrmtozi w;
    w.show();
    w.useSeed(5);
    w.btnfilt->click();
    w.chksepmode->setChecked(intervalMode);
    if (intervalMode) w.comsepindex->setCurrentText(QStringLiteral("3"));  // typed; not varied
    EXPECT_EQ(ControlsOf(w), kIdle);
    const ModeSettings before = w.settings();

    w.btnyouhua->click();
    EXPECT_EQ(w.btnyouhua->text(), QStringLiteral("停止搜索"));
    EXPECT_EQ(ControlsOf(w), kSearching);
    EXPECT_TRUE(w.pb->isVisible());
    EXPECT_EQ(w.pb->minimum(), 0);
    EXPECT_EQ(w.pb->maximum(), intervalMode ? 25500 : 2550);
    // The bet form still clears the run table meanwhile.
    w.optzhuzhiItems->button(1)->click();
    EXPECT_EQ(Rows(w.grdtozi), 0);
    w.optzhuzhiItems->button(0)->click();
    ASSERT_TRUE(WaitFor([&] { return !w.searching(); }, 60000));

    EXPECT_EQ(w.btnyouhua->text(), QStringLiteral("搜索"));
    EXPECT_EQ(ControlsOf(w), kIdle);
    EXPECT_FALSE(w.pb->isVisible());
    EXPECT_TRUE(prompts->messages.empty()) << prompts->lastText().toStdString();

    const SearchResult expected = SearchSettings(before, w.marks());
    ASSERT_TRUE(w.lastSearch());
    EXPECT_FALSE(w.lastSearch()->stopped);
    EXPECT_EQ(w.lastSearch()->steps, intervalMode ? 25500 : 2550);
    EXPECT_EQ(w.comsepnum->currentText(), Q(expected.settings.count));
    EXPECT_EQ(w.comtozisep->currentText(), Q(expected.settings.wait));
    EXPECT_EQ(w.comtozirep->currentText(), Q(expected.settings.plan));
    EXPECT_EQ(w.comsepindex->currentText(), intervalMode ? QStringLiteral("3") : QStringLiteral("1"));
    if (!intervalMode) {
      EXPECT_EQ(w.comsepnum->currentText(), QStringLiteral("1"));
    }
    // Exactly what 分析 shows for the choice.
    ExpectRunGrid(w, expected.backtest);
    const QString total = w.edtallwin->text();
    w.btnala->click();
    EXPECT_EQ(w.edtallwin->text(), total);
    ExpectRunGrid(w, expected.backtest);
  }
}

TEST_F(ToziTest, AStopAppliesTheBestSoFarAndASecondClickStartsNothing) {
  Publish(RandomValues(20000, 8));
  Tfrmtozi w;
  w.show();
  w.useSeed(9);
  w.useSearchThreads(1);
  w.btnfilt->click();
  const ModeSettings before = w.settings();
  // The worker waits at combination 60 until the stop has been clicked.
  constexpr int kStopAt = 60;
  std::mutex lock;
  std::condition_variable wake;
  bool reached = false, released = false;
  w.watchSearchSteps([&](const SearchStep& s) {
    if (s.step != kStopAt) return;
    std::unique_lock hold(lock);
    reached = true;
    wake.wait(hold, [&] { return released; });
  });
  w.btnyouhua->click();
  ASSERT_TRUE(WaitFor([&] {
    const std::lock_guard hold(lock);
    return reached;
  }));
  // Meanwhile the window shows a step it has tried.
  ASSERT_TRUE(WaitFor([&] { return w.pb->value() > 0; }));
  EXPECT_LE(w.pb->value(), kStopAt);
  EXPECT_EQ(w.pb->maximum(), 25500);
  Shot(w, "tozi_during_search");
  w.btnyouhua->click();  // 停止搜索
  w.btnyouhua->click();  // still stopping: nothing new starts
  {
    const std::lock_guard hold(lock);
    released = true;
  }
  wake.notify_all();
  ASSERT_TRUE(WaitFor([&] { return !w.searching(); }, 10000));
  EXPECT_EQ(ControlsOf(w), kIdle);
  EXPECT_FALSE(w.pb->isVisible());
  ASSERT_TRUE(w.lastSearch());
  const SearchResult& r = *w.lastSearch();
  EXPECT_TRUE(r.stopped);
  EXPECT_EQ(r.steps, kStopAt);
  Shot(w, "tozi_after_search");

  // The best of the combinations tried, as a search stopped right there chooses.
  std::atomic<bool> stop{false};
  SearchOptions o;
  o.threads = 1;
  o.stop = &stop;
  o.progress = [&](const SearchStep& s) {
    if (s.step == r.steps) stop = true;
  };
  const SearchResult expected = SearchSettings(before, w.marks(), o);
  EXPECT_EQ(expected.steps, r.steps);
  EXPECT_EQ(r.countIndex, expected.countIndex);
  EXPECT_EQ(r.waitIndex, expected.waitIndex);
  EXPECT_EQ(r.planIndex, expected.planIndex);
  EXPECT_EQ(w.comsepnum->currentIndex(), expected.countIndex);
  EXPECT_EQ(w.comtozisep->currentIndex(), expected.waitIndex);
  EXPECT_EQ(w.comtozirep->currentIndex(), expected.planIndex);
  ExpectRunGrid(w, expected.backtest);

  // Idle again: the next click is a new search.
  w.watchSearchSteps({});
  w.btnyouhua->click();
  EXPECT_TRUE(w.searching());
  w.btnyouhua->click();
  ASSERT_TRUE(WaitFor([&] { return !w.searching(); }, 10000));
}

TEST_F(ToziTest, TheThreadRefusesASecondSearch) {
  const std::vector<int> values = RandomValues(20000, 4);
  Publish(values);
  auto marks =
      std::make_shared<const std::vector<DrawMark>>(BuildMarks(*SharedDrawHistory(), GenerateCodes(0, 100, 3), 0));
  QObject context;
  int finished = 0;
  Ttozithread t;
  const ModeSettings s;
  ASSERT_TRUE(t.start(
      s, marks, &context, {}, [&](const Ttozithread::Outcome&) { ++finished; }, 1));
  EXPECT_FALSE(t.start(
      s, marks, &context, {}, [&](const Ttozithread::Outcome&) { ++finished; }, 1));
  t.stop();
  EXPECT_FALSE(t.running());
  ASSERT_TRUE(WaitFor([&] { return finished == 1; }));
  QCoreApplication::processEvents();
  EXPECT_EQ(finished, 1);
}

// ---- the window or the lottery closed while a search runs ---------------------

TEST_F(ToziTest, ClosingOrDestroyingTheWindowStopsTheSearchFirst) {
  Publish(RandomValues(20000, 21));
  {
    Tfrmtozi w;
    w.show();
    w.useSearchThreads(1);
    w.btnfilt->click();
    w.btnyouhua->click();
    ASSERT_TRUE(w.searching());
    w.close();  // hides it once the worker has ended
    EXPECT_FALSE(w.isVisible());
    // The best so far is applied when its report comes in.
    ASSERT_TRUE(WaitFor([&] { return !w.searching(); }));
    ASSERT_TRUE(w.lastSearch());
    EXPECT_TRUE(w.lastSearch()->stopped);
    EXPECT_EQ(ControlsOf(w), kIdle);
  }
  {
    auto* w = new Tfrmtozi;
    w->show();
    w->btnfilt->click();
    w->btnyouhua->click();
    ASSERT_TRUE(w->searching());
    delete w;  // mid-search: the worker ends before any control goes
    QCoreApplication::processEvents();
  }
}

TEST_F(ToziTest, ClosingTheLotteryOrTheProgramDuringASearch) {
  std::vector<int> numbers = RandomValues(5000, 2);
  app.addDraws(kDefault, numbers);
  auto main = std::make_unique<Tfrmmain>();
  main->show();
  prompts->messages.clear();  // the missing background picture
  lotterySession().open(kDefault);
  ASSERT_EQ(SharedDrawHistory()->entries.size(), 5000u);

  auto start = [&]() -> QPointer<Tfrmtozi> {
    QPointer<Tfrmtozi> w(qobject_cast<Tfrmtozi*>(main->showSingle(SingleWindow::tozi)));
    EXPECT_TRUE(w);
    if (!w) return w;
    w->useSearchThreads(1);
    w->btnfilt->click();
    EXPECT_EQ(Rows(w->grdsep), 5000);
    w->btnyouhua->click();
    EXPECT_TRUE(w->searching());
    return w;
  };
  QPointer<Tfrmtozi> w = start();
  ASSERT_TRUE(w);
  lotterySession().close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(w.isNull());
  QCoreApplication::processEvents();

  lotterySession().open(kDefault);
  w = start();
  ASSERT_TRUE(w);
  main->close();  // the program ends
  main.reset();
  EXPECT_TRUE(w.isNull());
  QCoreApplication::processEvents();
  EXPECT_TRUE(prompts->messages.empty()) << prompts->lastText().toStdString();
}

// ---- files ------------------------------------------------------------------------

TEST_F(ToziTest, SavesTheThreeFilesInTheirLayouts) {
  lotterySession().open(kDefault);
  Publish(workedExampleDraws());
  Tfrmtozi w;
  w.useSeed(77);
  // Nothing to save yet: no dialog.
  w.mnucodesave->trigger();
  w.mnubothsave->trigger();
  EXPECT_EQ(prompts->texts(), (QStringList{"请生成号码！", "请生成号码！"}));
  EXPECT_EQ(prompts->messages[0].icon, PromptIcon::Warning);
  EXPECT_TRUE(prompts->fileDialogPaths.isEmpty());

  w.btnfilt->click();
  w.btnclear->click();
  const QString dir = app.path() + QStringLiteral("附属/");
  prompts->fileNames = {dir + QStringLiteral("codes"), dir + QStringLiteral("set.txt"),
                        dir + QStringLiteral("both.txt")};
  w.mnucodesave->trigger();
  w.mnusetsave->trigger();
  w.mnubothsave->trigger();
  EXPECT_EQ(prompts->texts().mid(2), (QStringList{"成功保存！", "成功保存！", "成功保存！"}));
  EXPECT_EQ(prompts->fileDialogPaths,
            (QStringList{dir + QStringLiteral("南粤风采36选7直选投资模式投注号码.txt"),
                         dir + QStringLiteral("南粤风采36选7直选投资模式设置.txt"),
                         dir + QStringLiteral("南粤风采36选7直选投资模式投注号码和设置.txt")}));

  QStringList codeLines = {"0", "100"};
  for (const BetCode& c : GenerateCodes(0, 100, 77)) codeLines << QString::number(c.digits[0]);
  const QByteArray codes = ReadFileBytes(dir + QStringLiteral("codes.txt"));  // the default extension added
  EXPECT_EQ(codes, CrLfLines(codeLines));
  EXPECT_EQ(codes.count("\r\n"), 102);
  const QByteArray settings =
      CrLfLines({"0", "0", "0", "0", "0", "10000", "100000", "100", "1000", "10", "1", "1", "0"});
  EXPECT_EQ(ReadFileBytes(dir + QStringLiteral("set.txt")), settings);
  EXPECT_EQ(ReadFileBytes(dir + QStringLiteral("both.txt")), settings + CrLfLines(codeLines.mid(1)));

  // What was saved comes back whole in a fresh window, its back-test shown.
  Tfrmtozi back;
  prompts->fileNames = {dir + QStringLiteral("both.txt")};
  back.mnubothload->trigger();
  EXPECT_EQ(back.codes(), w.codes());
  EXPECT_EQ(back.marks(), w.marks());
  ModeSettings saved = w.settings();
  saved.allWin = Utf8(back.edtallwin->text());
  EXPECT_EQ(back.settings(), saved);
  ExpectRunGrid(back, RunBacktest(ReadInputs(saved), w.marks()));

  // Texts go out in GBK; a typed combo value cannot be stored as an item.
  w.edtlirun->setText(QStringLiteral("十"));
  prompts->fileNames = {dir + QStringLiteral("gbk.txt")};
  w.mnusetsave->trigger();
  EXPECT_TRUE(ReadFileBytes(dir + QStringLiteral("gbk.txt")).contains("\r\n\xca\xae\r\n"));
  w.comtozirep->setCurrentText(QStringLiteral("70"));
  prompts->fileNames = {dir + QStringLiteral("typed.txt")};
  w.mnusetsave->trigger();
  EXPECT_TRUE(prompts->lastText().contains(QStringLiteral("不在列表中"))) << prompts->lastText().toStdString();
  EXPECT_FALSE(QFile::exists(dir + QStringLiteral("typed.txt")));
  EXPECT_EQ(prompts->fileNames.size(), 1u);  // no dialog was shown
}

TEST_F(ToziTest, LoadsFilesWithEveryHandlerAndStopsAtABadLine) {
  Publish(workedExampleDraws());
  const QString dir = app.path() + QStringLiteral("附属/");
  Tfrmtozi w;
  prompts->fileNames = {workedExampleFile()};
  w.mnubothload->trigger();
  ASSERT_EQ(Rows(w.grdtozi), 2);

  // Line 12 "0" unchecks interval mode, whatever lines 4 and 5 chose.
  WriteFileBytes(dir + QStringLiteral("s.txt"),
                 CrLfLines({"0", "3", "4", "9", "5", "500", "600", "100", "900", "12", "0", "0", "0"}));
  prompts->fileNames = {dir + QStringLiteral("s.txt")};
  w.mnusetload->trigger();
  ModeSettings s = w.settings();
  EXPECT_EQ(s.wait, "3");
  EXPECT_EQ(s.plan, "5");
  EXPECT_EQ(s.interval, "1");
  EXPECT_EQ(s.count, "1");
  EXPECT_FALSE(w.comsepindex->isEnabled());
  EXPECT_FALSE(w.comsepnum->isEnabled());
  EXPECT_EQ(s.stakeLimit, "500");
  EXPECT_EQ(s.rate, "12");
  EXPECT_FALSE(s.carriedLoss);
  EXPECT_FALSE(s.intervalMode);
  EXPECT_EQ(Rows(w.grdtozi), 2);  // nothing recomputed
  // Checking it again with the file's values enables them.
  WriteFileBytes(dir + QStringLiteral("s.txt"),
                 CrLfLines({"0", "3", "4", "9", "5", "500", "600", "100", "900", "12", "0", "1", "0"}));
  prompts->fileNames = {dir + QStringLiteral("s.txt")};
  w.mnusetload->trigger();
  EXPECT_EQ(w.comsepindex->currentText(), QStringLiteral("10"));
  EXPECT_EQ(w.comsepnum->currentText(), QStringLiteral("6"));
  EXPECT_TRUE(w.comsepnum->isEnabled());

  // A bad line stops the load; the lines before it stay applied.
  WriteFileBytes(dir + QStringLiteral("bad.txt"),
                 CrLfLines({"0", "7", "8", "x", "5", "500", "600", "100", "900", "12", "0", "1", "0"}));
  prompts->fileNames = {dir + QStringLiteral("bad.txt")};
  w.mnusetload->trigger();
  EXPECT_EQ(prompts->lastText(),
            QDir::toNativeSeparators(dir + QStringLiteral("bad.txt")) + QStringLiteral(" 第4行：'x' 不是有效的整数值"));
  EXPECT_EQ(prompts->messages.back().icon, PromptIcon::Error);
  EXPECT_EQ(w.comtozisep->currentText(), QStringLiteral("7"));
  EXPECT_EQ(w.comtozirep->currentText(), QStringLiteral("9"));
  EXPECT_EQ(w.comsepindex->currentText(), QStringLiteral("10"));

  // A code line that is no digit: the codes before it, zero codes after.
  WriteFileBytes(dir + QStringLiteral("c.txt"), CrLfLines({"0", "4", "5", "3", "", "7"}));
  prompts->fileNames = {dir + QStringLiteral("c.txt")};
  w.mnucodeload->trigger();
  EXPECT_TRUE(prompts->lastText().endsWith(QStringLiteral(" 第5行：'' 不是有效的整数值")))
      << prompts->lastText().toStdString();
  ASSERT_EQ(Rows(w.grdcode), 4);
  EXPECT_EQ(Row(w.grdcode, 1), (QStringList{"2", "3"}));
  EXPECT_EQ(Row(w.grdcode, 2), (QStringList{"0", "0"}));
  EXPECT_EQ(w.edtjushu->text(), QStringLiteral("4"));

  // More code lines than announced: the count is loaded, the rest told.
  const auto shown = prompts->messages.size();
  WriteFileBytes(dir + QStringLiteral("more.txt"), CrLfLines({"2", "2", "5", "5", "6", "7"}));
  prompts->fileNames = {dir + QStringLiteral("more.txt")};
  w.mnucodeload->trigger();
  ASSERT_EQ(prompts->messages.size(), shown + 2);
  EXPECT_EQ(prompts->messages[shown].text, QStringLiteral("文件中有2行号码超出号码数2，已忽略。"));
  // A group form loads, but its codes cannot be tested: the grids say so.
  EXPECT_TRUE(prompts->lastText().startsWith(QStringLiteral("投注方式“组选3”")));
  EXPECT_EQ(w.optzhuzhiItems->checkedId(), 2);
  EXPECT_EQ(Rows(w.grdcode), 2);
  EXPECT_EQ(Rows(w.grdsep), 0);

  // Lines 8 and 14 differ: list and 单倍注数 follow line 14.
  QStringList both = {"0", "1", "2", "1", "0", "1000000", "1000000", "50", "1000", "10", "1", "1", "0", "100"};
  for (int i = 0; i < 100; ++i) both << QStringLiteral("5");
  WriteFileBytes(dir + QStringLiteral("both.txt"), CrLfLines(both));
  prompts->fileNames = {dir + QStringLiteral("both.txt")};
  w.mnubothload->trigger();
  EXPECT_EQ(prompts->lastText(), QStringLiteral("第8行的单倍注数“50”与第14行的号码数100不同，以第14行为准。"));
  EXPECT_EQ(w.edtjushu->text(), QStringLiteral("100"));
  EXPECT_EQ(Rows(w.grdcode), 100);
  EXPECT_EQ(w.edtallwin->text(), QStringLiteral("1200"));

  // A missing file: the error box, nothing changes.
  prompts->fileNames = {dir + QStringLiteral("没有.txt")};
  w.mnucodeload->trigger();
  EXPECT_TRUE(prompts->lastText().startsWith(QStringLiteral("无法打开文件")));
  EXPECT_EQ(Rows(w.grdcode), 100);
}

TEST_F(ToziTest, ButtonsPopTheirMenusWhereTheMouseIs) {
  Tfrmtozi w;
  w.move(0, 0);
  w.show();
  for (auto [button, menu] :
       {std::pair{w.tlbtnsave, w.mnusave}, std::pair{w.tlbtnload, w.mnuload}, std::pair{w.tlbtnprint, w.mnuprint}}) {
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton}) {
      const QPointF at(7, 5);
      QMouseEvent press(QEvent::MouseButtonPress, at, button->mapToGlobal(at), b, b, Qt::NoModifier);
      QApplication::sendEvent(button, &press);
      ASSERT_TRUE(menu->isVisible());
      EXPECT_EQ(menu->x(), button->mapToGlobal(QPoint(7, 5)).x());
      menu->hide();
    }
  }
}

// ---- print-outs ---------------------------------------------------------------------

TEST_F(ToziTest, PrintsCodesAndSettings) {
  const bool pdftotext = !!HavePdfText();
  lotterySession().open(kDefault);
  Publish(workedExampleDraws());
  Tfrmtozi w;
  prompts->printAnswers = {true};
  w.mnucodeprint->trigger();
  EXPECT_EQ(prompts->texts(), QStringList{QStringLiteral("请先生成表格！")});
  EXPECT_EQ(prompts->printAnswers.size(), 1u);  // no dialog

  w.edtjushu->setText(QStringLiteral("76"));
  w.btnfilt->click();
  const QString pdf = app.path() + QStringLiteral("codes.pdf");
  prompts->onPrint = [&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
  };
  w.mnucodeprint->trigger();
  ASSERT_TRUE(QFile::exists(pdf));
  if (pdftotext) {
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("南粤风采36选7"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("2001016期直选投注号码")));
    EXPECT_TRUE(text.contains(QStringLiteral("共76注 打印日期:")));
    EXPECT_TRUE(text.contains(QStringLiteral("共2页\\第1页")));
    const QString page2 =
        PdfText(pdf, {QStringLiteral("-f"), QStringLiteral("2"), QStringLiteral("-l"), QStringLiteral("2")});
    EXPECT_TRUE(page2.contains(QStringLiteral("共2页\\第2页")));
    EXPECT_TRUE(page2.contains(QStringLiteral("76"))) << page2.toStdString();
    EXPECT_FALSE(page2.contains(QStringLiteral("75")));
  }

  const QString settingsPdf = app.path() + QStringLiteral("settings.pdf");
  prompts->printAnswers = {true};
  prompts->onPrint = [&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(settingsPdf);
  };
  w.chkyuji->setChecked(false);
  w.mnusetprint->trigger();
  ASSERT_TRUE(QFile::exists(settingsPdf));
  if (pdftotext) {
    const QString text = PdfText(settingsPdf);
    EXPECT_TRUE(text.contains(QStringLiteral("投资模式设置"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("单倍注数：76")));
    EXPECT_TRUE(text.contains(QStringLiteral("取消预计亏损")));
    EXPECT_TRUE(text.contains(QStringLiteral("选中间隔模式")));
  }

  // A job that fails: the printer message, with the error icon.
  prompts->printAnswers = {true};
  prompts->onPrint = [&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(app.path() + QStringLiteral("没有这个文件夹/x.pdf"));
  };
  w.mnusetprint->trigger();
  EXPECT_EQ(prompts->lastText(), QStringLiteral("请安装打印机！"));
  EXPECT_EQ(prompts->messages.back().icon, PromptIcon::Error);
  // Cancelled: nothing.
  const auto shown = prompts->messages.size();
  w.mnucodeprint->trigger();
  EXPECT_EQ(prompts->messages.size(), shown);
}

}  // namespace
}  // namespace tavrin
