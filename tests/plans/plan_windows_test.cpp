#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>

#include "app/u_public.h"
#include "app/windows.h"
#include "plans/u_gudingjihua.h"
#include "plans/u_jieduanjihua.h"
#include "plans/u_keibianjihua.h"
#include "tests/support/files_and_programs.h"
#include "tests/support/test_support.h"

namespace tavrin {
namespace {

using test::CrLfLines;
using test::HavePdfText;
using test::LabelOf;
using test::PdfText;
using test::PromptsScope;
using test::ReadFileBytes;
using test::TempAppDir;
using test::WriteFileBytes;

QString Cell(const PlanWindow& w, int row, int column) {
  return w.grdjihua->model()->index(row, column).data().toString();
}
int Rows(const PlanWindow& w) { return w.grdjihua->model()->rowCount(); }

// With TAVRIN_SHOTS set to a folder, the windows are saved there as the
// user would see them, to be looked at.
void Shot(QWidget& w, const char* name) {
  const QByteArray dir = qgetenv("TAVRIN_SHOTS");
  if (dir.isEmpty()) return;
  w.grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QString::fromLatin1(name) + QStringLiteral(".png"));
}

TEST(PlanWindows, OpenWithTheirCaptionsSizesInputsAndButtons) {
  struct Case {
    QWidget* (*make)(QWidget*);
    const char* caption;
    std::vector<std::tuple<const char*, const char*, const char*>> inputs;
    std::vector<std::pair<const char*, const char*>> buttons;
  };
  const std::vector<std::tuple<const char*, const char*, const char*>> five = {{"edtprekui", "前期亏损：", "0"},
                                                                               {"edtlirun", "预期利润：", "10"},
                                                                               {"edtinofsin", "单倍投入：", "16"},
                                                                               {"edtoutofsin", "单注奖金：", "1000"},
                                                                               {"edtdays", "投注期数：", "80"}};
  auto with = [&](std::tuple<const char*, const char*, const char*> extra) {
    auto v = five;
    v.push_back(extra);
    return v;
  };
  const Case cases[] = {
      {&CreateTfrmgudingjihua,
       "固定计划投资",
       five,
       {{"btnala", "生成计划"}, {"btnsave", "保存"}, {"btnload", "载入"}, {"btnprint", "打印"}, {"btnclose", "关闭"}}},
      {&CreateTfrmjieduanjihua,
       "阶段计划投资",
       with({"edtjieduan", "阶段次数：", "10"}),
       {{"btnala", "生成计划"}, {"btnsave", "保存"}, {"btnload", "载入"}, {"btnprint", "打印"}, {"btnclose", "关闭"}}},
      {&CreateTfrmkeibianjihua,
       "可变投资计划",
       with({"edtjushu", "本期注数：", "8"}),
       {{"btnnew", "新建"},
        {"btnjisuan", "添加本期计划"},
        {"btnsave", "保存"},
        {"btnload", "载入"},
        {"btnprint", "打印"},
        {"btnclose", "关闭"}}},
  };
  for (const Case& c : cases) {
    std::unique_ptr<QWidget> w(c.make(nullptr));
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8(c.caption));
    EXPECT_EQ(w->size(), QSize(630, 480));
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(w->testAttribute(Qt::WA_DeleteOnClose));
    for (const auto& [name, label, text] : c.inputs) {
      auto* e = w->findChild<QLineEdit*>(QString::fromLatin1(name));
      ASSERT_TRUE(e) << name;
      EXPECT_EQ(e->text(), QString::fromUtf8(text)) << name;
      EXPECT_EQ(LabelOf(*w, e), QString::fromUtf8(label)) << name;
    }
    for (const auto& [name, caption] : c.buttons) {
      auto* b = w->findChild<QPushButton*>(QString::fromLatin1(name));
      ASSERT_TRUE(b) << name;
      EXPECT_EQ(b->text(), QString::fromUtf8(caption)) << name;
    }
    auto* grid = w->findChild<QTableView*>(QStringLiteral("grdjihua"));
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->model()->rowCount(), 0);
  }
}

TEST(FixedPlanWindow, GeneratesTheTableAndAnnouncesTheAverage) {
  PromptsScope p;
  Tfrmgudingjihua w;
  w.show();
  w.btnala->click();
  EXPECT_EQ(p->texts(), QStringList{QStringLiteral("平均每期净利润为:551")});
  ASSERT_EQ(Rows(w), 80);
  EXPECT_EQ(w.grdjihua->model()->headerData(6, Qt::Horizontal).toString(), QStringLiteral("当期利润率(%)"));
  EXPECT_EQ(Cell(w, 61, 1), QStringLiteral("2"));
  EXPECT_EQ(Cell(w, 79, 3), QStringLiteral("1584"));
  EXPECT_EQ(w.grdjihua->columnWidth(0), (w.grdjihua->contentsRect().width() - 20) / 7);
  Shot(w, "gudingjihua");
  // Return in an input generates too.
  w.edtdays->setText(QStringLiteral("1"));
  QMetaObject::invokeMethod(w.edtdays, "returnPressed");
  EXPECT_EQ(Rows(w), 1);
  EXPECT_EQ(p->lastText(), QStringLiteral("平均每期净利润为:984"));
}

TEST(FixedPlanWindow, ARefusedPlanLeavesTheTableOnScreen) {
  struct Case {
    QLineEdit* Tfrmgudingjihua::*edit;
    const char* text;
    const char* message;
    PromptIcon icon;
  };
  const Case cases[] = {
      {&Tfrmgudingjihua::edtlirun, "10000000", "所需倍数太大，无法投注！", PromptIcon::None},
      {&Tfrmgudingjihua::edtdays, "0", "投注期数必须大于0！", PromptIcon::None},
      {&Tfrmgudingjihua::edtdays, "-4", "投注期数必须大于0！", PromptIcon::None},
      {&Tfrmgudingjihua::edtinofsin, "1.5", "'1.5' 不是有效的整数值", PromptIcon::Error},
      {&Tfrmgudingjihua::edtprekui, "", "'' 不是有效的整数值", PromptIcon::Error},
  };
  for (const Case& c : cases) {
    PromptsScope p;
    Tfrmgudingjihua w;
    w.btnala->click();
    (w.*c.edit)->setText(QString::fromUtf8(c.text));
    w.btnala->click();
    ASSERT_EQ(p->messages.size(), 2u) << c.text;
    EXPECT_EQ(p->messages[1].text, QString::fromUtf8(c.message));
    EXPECT_EQ(p->messages[1].icon, c.icon) << c.text;
    EXPECT_EQ(Rows(w), 80) << c.text;
    EXPECT_EQ(Cell(w, 0, 5), QStringLiteral("984")) << c.text;
  }
}

TEST(FixedPlanWindow, SaveThenLoadGivesTheSameInputsAndTable) {
  TempAppDir dir;
  PromptsScope p;
  const QString file = dir.path() + QStringLiteral("附属/plan");
  Tfrmgudingjihua w;
  w.btnala->click();
  // The saved header holds the boxes as they stand, not the inputs of the table.
  w.edtlirun->setText(QStringLiteral("12"));
  p->fileNames = {file};
  w.btnsave->click();
  EXPECT_EQ(p->lastText(), QStringLiteral("成功保存！"));
  EXPECT_EQ(p->fileDialogPaths.last(), dir.path() + QStringLiteral("附属/固定投资计划表.txt"));
  const QByteArray bytes = ReadFileBytes(file + QStringLiteral(".txt"));  // the default extension is added
  EXPECT_TRUE(bytes.startsWith("0\r\n12\r\n16\r\n1000\r\n80\r\n1\r\n1\r\n16\r\n16\r\n1000\r\n984\r\n6150\r\n"));
  EXPECT_EQ(bytes.count("\r\n"), 5 + 80 * 7);

  Tfrmgudingjihua other;
  other.edtdays->setText(QStringLiteral("3"));
  other.btnala->click();
  p->fileNames = {file + QStringLiteral(".txt")};
  other.btnload->click();
  EXPECT_EQ(p->lastText(), QStringLiteral("平均每期净利润为:551"));
  EXPECT_EQ(other.edtlirun->text(), QStringLiteral("12"));
  EXPECT_EQ(other.edtdays->text(), QStringLiteral("80"));
  ASSERT_EQ(Rows(other), 80);
  for (int r : {0, 60, 61, 79})
    for (int c = 0; c < 7; ++c) EXPECT_EQ(Cell(other, r, c), Cell(w, r, c));

  // Cancelling either dialog changes nothing.
  const auto shown = p->messages.size();
  other.btnload->click();
  other.btnsave->click();
  EXPECT_EQ(p->messages.size(), shown);
  EXPECT_EQ(Rows(other), 80);
}

TEST(FixedPlanWindow, RefusesToSaveAPlanItCouldNotLoadBack) {
  TempAppDir dir;
  PromptsScope p;
  const QString file = dir.path() + QStringLiteral("short.txt");
  Tfrmgudingjihua w;
  w.btnala->click();
  for (const char* days : {"40", "x"}) {
    w.edtdays->setText(QString::fromLatin1(days));
    p->fileNames = {file};
    w.btnsave->click();
    EXPECT_EQ(p->lastText(), QStringLiteral("投注期数与表格不一致，请重新生成计划后再保存！")) << days;
    EXPECT_FALSE(QFile::exists(file)) << days;
  }
  w.edtdays->setText(QStringLiteral("80"));
  p->fileNames = {file};
  w.btnsave->click();
  EXPECT_EQ(p->lastText(), QStringLiteral("成功保存！"));
  Tfrmgudingjihua back;
  p->fileNames = {file};
  back.btnload->click();
  EXPECT_EQ(Rows(back), 80);
}

TEST(FixedPlanWindow, SavingWithoutATableWritesTheHeaderOnly) {
  TempAppDir dir;
  PromptsScope p;
  Tfrmgudingjihua w;
  // Texts go to the file in the system's code page, GBK.
  w.edtlirun->setText(QStringLiteral("十"));
  p->fileNames = {dir.path() + QStringLiteral("h.txt")};
  w.btnsave->click();
  EXPECT_EQ(ReadFileBytes(dir.path() + QStringLiteral("h.txt")), QByteArray("0\r\n\xca\xae\r\n16\r\n1000\r\n80\r\n"));
  Tfrmgudingjihua back;
  p->fileNames = {dir.path() + QStringLiteral("h.txt")};
  back.btnload->click();
  EXPECT_EQ(back.edtlirun->text(), QStringLiteral("十"));
  EXPECT_EQ(Rows(back), 0);
  EXPECT_EQ(p->lastText(), QStringLiteral("平均每期净利润为:0"));
}

TEST(FixedPlanWindow, FileErrorsAreShownAndNothingIsClaimed) {
  TempAppDir dir;
  PromptsScope p;
  Tfrmgudingjihua w;
  w.btnala->click();
  p->fileNames = {dir.path() + QStringLiteral("没有/plan.txt")};
  w.btnsave->click();
  ASSERT_EQ(p->messages.size(), 2u);
  EXPECT_EQ(p->messages[1].icon, PromptIcon::Error);
  EXPECT_TRUE(p->messages[1].text.startsWith(QStringLiteral("无法创建文件"))) << p->messages[1].text.toStdString();
  p->fileNames = {dir.path() + QStringLiteral("没有.txt")};
  w.btnload->click();
  ASSERT_EQ(p->messages.size(), 3u);
  EXPECT_EQ(p->messages[2].icon, PromptIcon::Error);
  EXPECT_TRUE(p->messages[2].text.startsWith(QStringLiteral("无法打开文件")));
  EXPECT_EQ(Rows(w), 80);
}

TEST(FixedPlanWindow, SavingOverAPlanReplacesItWhole) {
  TempAppDir dir;
  PromptsScope p;
  const QString file = dir.path() + QStringLiteral("p.txt");
  WriteFileBytes(file, QByteArray(5000, 'x'));
  Tfrmgudingjihua w;
  w.edtdays->setText(QStringLiteral("1"));
  w.btnala->click();
  p->fileNames = {file};
  w.btnsave->click();
  EXPECT_EQ(ReadFileBytes(file),
            QByteArray("0\r\n10\r\n16\r\n1000\r\n1\r\n1\r\n1\r\n16\r\n16\r\n1000\r\n984\r\n6150\r\n"));
  // No temporary file is left beside it.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("p.txt")});
}

TEST(FixedPlanWindow, LoadingDamagedFiles) {
  TempAppDir dir;
  const QString file = dir.path() + QStringLiteral("d.txt");
  const QStringList header = {QStringLiteral("5"), QStringLiteral("10"), QStringLiteral("16"), QStringLiteral("1000"),
                              QStringLiteral("80")};
  const QStringList row1 = {"1", "1", "16", "16", "1000", "984", "6150"};
  const QStringList row2 = {"2", "1", "16", "32", "1000", "968", "3025"};
  {
    // A short last row: the rows read are told, then the average over them.
    PromptsScope p;
    Tfrmgudingjihua w;
    WriteFileBytes(file, CrLfLines(header + row1 + row2 + QStringList{"3", "1"}));
    p->fileNames = {file};
    w.btnload->click();
    EXPECT_EQ(p->texts(), (QStringList{QStringLiteral("2"), QStringLiteral("平均每期净利润为:976")}));
    EXPECT_EQ(Rows(w), 2);
    EXPECT_EQ(w.edtprekui->text(), QStringLiteral("5"));
  }
  {
    // More rows than the plan length: refused, nothing changes.
    PromptsScope p;
    Tfrmgudingjihua w;
    w.btnala->click();
    WriteFileBytes(file, CrLfLines(QStringList{"9", "10", "16", "1000", "1"} + row1 + row2));
    p->fileNames = {file};
    w.btnload->click();
    EXPECT_EQ(p->lastText(), QStringLiteral("计划文件的行数超过投注期数，无法载入！"));
    EXPECT_EQ(w.edtprekui->text(), QStringLiteral("0"));
    EXPECT_EQ(w.edtdays->text(), QStringLiteral("80"));
    EXPECT_EQ(Rows(w), 80);
  }
  {
    // A plan length that is no number: the conversion error, nothing changes.
    PromptsScope p;
    Tfrmgudingjihua w;
    WriteFileBytes(file, CrLfLines(QStringList{"9", "10", "16", "1000", "abc"} + row1));
    p->fileNames = {file};
    w.btnload->click();
    ASSERT_EQ(p->messages.size(), 1u);
    EXPECT_EQ(p->messages[0].text, QStringLiteral("'abc' 不是有效的整数值"));
    EXPECT_EQ(p->messages[0].icon, PromptIcon::Error);
    EXPECT_EQ(w.edtprekui->text(), QStringLiteral("0"));
  }
}

TEST(StagePlanWindow, GeneratesAndStopsAtADamagedRow) {
  TempAppDir dir;
  PromptsScope p;
  Tfrmjieduanjihua w;
  w.show();
  w.btnala->click();
  EXPECT_EQ(p->lastText(), QStringLiteral("平均每期净利润为:592"));
  Shot(w, "jieduanjihua");
  EXPECT_EQ(Cell(w, 56, 1), QStringLiteral("2"));
  w.edtjieduan->setText(QStringLiteral("1"));
  w.btnala->click();
  EXPECT_EQ(p->lastText(), QStringLiteral("所需倍数太大，无法投注！"));
  w.edtjieduan->setText(QStringLiteral("0"));
  w.btnala->click();
  EXPECT_EQ(p->lastText(), QStringLiteral("阶段次数必须大于0！"));
  EXPECT_EQ(Rows(w), 80);

  // Save with 阶段次数 30, load into a fresh window.
  w.edtjieduan->setText(QStringLiteral("30"));
  w.btnala->click();
  const QString file = dir.path() + QStringLiteral("s.txt");
  p->fileNames = {file};
  w.btnsave->click();
  EXPECT_TRUE(ReadFileBytes(file).startsWith("0\r\n10\r\n16\r\n1000\r\n80\r\n30\r\n1\r\n"));
  Tfrmjieduanjihua back;
  p->fileNames = {file};
  back.btnload->click();
  EXPECT_EQ(back.edtjieduan->text(), QStringLiteral("30"));
  EXPECT_EQ(Rows(back), 80);
  EXPECT_EQ(Cell(back, 79, 5), Cell(w, 79, 5));

  // A damaged line: the conversion error, the rows before it stay, no average.
  QByteArray bytes = ReadFileBytes(file);
  bytes.replace("\r\n3\r\n1\r\n", "\r\n3\r\nx\r\n");  // the multiple of row 3
  WriteFileBytes(file, bytes);
  const auto shown = p->messages.size();
  p->fileNames = {file};
  back.btnload->click();
  ASSERT_EQ(p->messages.size(), shown + 1);
  EXPECT_EQ(p->lastText(), QStringLiteral("'x' 不是有效的整数值"));
  EXPECT_EQ(Rows(back), 2);
}

struct ButtonStates {
  QString caption;
  bool jisuan, save, load, print, close;
};

ButtonStates StatesOf(const Tfrmkeibianjihua& w) {
  return {w.btnnew->text(),       w.btnjisuan->isEnabled(), w.btnsave->isEnabled(),
          w.btnload->isEnabled(), w.btnprint->isEnabled(),  w.btnclose->isEnabled()};
}

void ExpectStates(const Tfrmkeibianjihua& w, const ButtonStates& e, const char* when) {
  const ButtonStates s = StatesOf(w);
  EXPECT_EQ(s.caption, e.caption) << when;
  EXPECT_EQ(s.jisuan, e.jisuan) << when;
  EXPECT_EQ(s.save, e.save) << when;
  EXPECT_EQ(s.load, e.load) << when;
  EXPECT_EQ(s.print, e.print) << when;
  EXPECT_EQ(s.close, e.close) << when;
}

TEST(VariablePlanWindow, ModesAndButtonStates) {
  TempAppDir dir;
  PromptsScope p;
  Tfrmkeibianjihua w;
  const QString idle = QStringLiteral("新建"), building = QStringLiteral("取消保存");
  ExpectStates(w, {idle, false, true, true, true, true}, "opened");
  EXPECT_TRUE(w.btnload->isDefault());

  w.btnnew->click();
  ExpectStates(w, {building, true, true, false, false, false}, "new");
  w.btnjisuan->click();
  EXPECT_EQ(Rows(w), 1);

  w.btnnew->click();  // cancel
  ExpectStates(w, {idle, false, true, true, true, true}, "cancelled");
  EXPECT_EQ(Rows(w), 0);
  EXPECT_EQ(w.rowCounter(), 0u);

  w.btnnew->click();
  w.btnjisuan->click();
  const QString file = dir.path() + QStringLiteral("v.txt");
  p->fileNames = {file};
  w.btnsave->click();
  EXPECT_EQ(p->lastText(), QStringLiteral("成功保存！"));
  // Saved: idle again, but rows can still be added to the saved plan.
  ExpectStates(w, {idle, true, true, true, true, true}, "saved");
  w.btnjisuan->click();
  EXPECT_EQ(Rows(w), 2);

  Tfrmkeibianjihua back;
  p->fileNames = {file};
  back.btnload->click();
  EXPECT_EQ(p->lastText(), QStringLiteral("平均每期净利润为:984"));
  ExpectStates(back, {building, true, true, true, true, true}, "loaded");
  EXPECT_EQ(back.rowCounter(), 1u);
}

TEST(VariablePlanWindow, AddsRowsFromThePreviousTotalAndSurvivesAFailedAdd) {
  PromptsScope p;
  Tfrmkeibianjihua w;
  w.show();
  w.btnnew->click();
  w.btnjisuan->click();
  EXPECT_EQ(p->lastText(), QStringLiteral("平均每期净利润为:984"));
  // The loss counts for the first row only.
  w.edtprekui->setText(QStringLiteral("500"));
  w.edtjushu->setText(QStringLiteral("20"));
  w.btnjisuan->click();
  EXPECT_EQ(p->lastText(), QStringLiteral("平均每期净利润为:964"));
  QStringList row2;
  for (int c = 0; c < 8; ++c) row2 << Cell(w, 1, c);
  EXPECT_EQ(row2, (QStringList{"2", "1", "20", "40", "56", "1000", "944", "1685"}));
  EXPECT_EQ(w.grdjihua->columnWidth(0), (w.grdjihua->contentsRect().width() - 20) / 8);
  Shot(w, "keibianjihua");

  // A failed add leaves no half row behind and the plan goes on.
  w.edtjushu->setText(QStringLiteral("500"));
  w.btnjisuan->click();
  EXPECT_EQ(p->lastText(), QStringLiteral("所需倍数太大，无法投注！"));
  w.edtjushu->setText(QStringLiteral("八"));
  w.btnjisuan->click();
  EXPECT_EQ(p->messages.back().icon, PromptIcon::Error);
  w.edtjushu->setText(QStringLiteral("8"));
  w.edtinofsin->setText(QStringLiteral("abc"));  // not used, but it must be a number
  w.btnjisuan->click();
  EXPECT_EQ(p->lastText(), QStringLiteral("'abc' 不是有效的整数值"));
  EXPECT_EQ(Rows(w), 2);
  EXPECT_EQ(w.rowCounter(), 2u);
  w.edtinofsin->setText(QStringLiteral("999"));  // and it changes nothing
  w.btnjisuan->click();
  EXPECT_EQ(Cell(w, 2, 0), QStringLiteral("3"));
  EXPECT_EQ(Cell(w, 2, 4), QStringLiteral("72"));

  // The plan length reached.
  w.edtdays->setText(QStringLiteral("3"));
  w.btnjisuan->click();
  EXPECT_EQ(p->lastText(), QStringLiteral("投资期限已满3天!"));
  EXPECT_EQ(Rows(w), 3);
}

TEST(VariablePlanWindow, ALoadedPlanContinuesFromItsLastRow) {
  TempAppDir dir;
  PromptsScope p;
  const QString file = dir.path() + QStringLiteral("v.txt");
  WriteFileBytes(file, CrLfLines({"0",    "10",  "16",   "1000", "80", "8",  "1",  "1",  "8",    "16",  "16",
                                  "1000", "984", "6150", "2",    "1",  "20", "40", "56", "1000", "944", "1685"}));
  Tfrmkeibianjihua w;
  p->fileNames = {file};
  w.btnload->click();
  EXPECT_EQ(p->lastText(), QStringLiteral("平均每期净利润为:964"));
  w.btnjisuan->click();
  EXPECT_EQ(Cell(w, 2, 0), QStringLiteral("3"));
  EXPECT_EQ(Cell(w, 2, 4), QStringLiteral("72"));

  // Beyond its length: refused, nothing changes.
  WriteFileBytes(file, CrLfLines({"0",    "10",  "16",   "1000", "1", "8",  "1",  "1",  "8",    "16",  "16",
                                  "1000", "984", "6150", "2",    "1", "20", "40", "56", "1000", "944", "1685"}));
  p->fileNames = {file};
  w.btnload->click();
  EXPECT_EQ(p->lastText(), QStringLiteral("计划文件的行数超过投注期数，无法载入！"));
  EXPECT_EQ(Rows(w), 3);
  EXPECT_EQ(w.edtdays->text(), QStringLiteral("80"));
}

TEST(PlanPrinting, RefusesWithoutATableAndReportsPrinterErrors) {
  TempAppDir dir;
  PromptsScope p;
  Tfrmgudingjihua w;
  p->printAnswers = {true};
  w.btnprint->click();
  EXPECT_EQ(p->texts(), QStringList{QStringLiteral("请先生成表格！")});
  EXPECT_EQ(p->printAnswers.size(), 1u);  // the dialog was not shown

  w.btnala->click();
  p->printAnswers = {false};
  w.btnprint->click();  // cancelled: nothing
  EXPECT_EQ(p->messages.size(), 2u);

  p->printAnswers = {true};
  p->onPrint = [&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.path() + QStringLiteral("没有这个文件夹/plan.pdf"));
  };
  w.btnprint->click();
  ASSERT_EQ(p->messages.size(), 3u);
  EXPECT_EQ(p->messages[2].text, QStringLiteral("请安装打印机！"));
  EXPECT_EQ(p->messages[2].icon, PromptIcon::Error);
}

TEST(PlanPrinting, PrintsARealPdfWhoseTextCanBeRead) {
  if (!HavePdfText()) GTEST_SKIP() << "pdftotext missing";
  TempAppDir dir;
  PromptsScope p;
  const QString pdf = dir.path() + QStringLiteral("plan.pdf");
  Tfrmkeibianjihua w;
  w.btnnew->click();
  for (int i = 0; i < 26; ++i) w.btnjisuan->click();
  // Printing opens up once the plan is saved.
  EXPECT_FALSE(w.btnprint->isEnabled());
  p->fileNames = {dir.path() + QStringLiteral("v.txt")};
  w.btnsave->click();
  p->printAnswers = {true};
  p->onPrint = [&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
  };
  w.btnprint->click();
  EXPECT_EQ(p->lastText(), QStringLiteral("成功保存！"));
  ASSERT_TRUE(QFile::exists(pdf));
  const QString text = PdfText(pdf);
  EXPECT_TRUE(text.contains(QStringLiteral("可变投资计划表"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("前期亏损:0 预测利润:10 单倍投入:16")));
  EXPECT_TRUE(text.contains(QStringLiteral("当期总投入")));
  EXPECT_TRUE(text.contains(QStringLiteral("6150")));
  EXPECT_TRUE(text.contains(QStringLiteral("共2页\\第1页")));
  EXPECT_TRUE(text.contains(QStringLiteral("共2页\\第2页")));
  // Page 2 holds row 26 and no title.
  const QString page2 =
      PdfText(pdf, {QStringLiteral("-f"), QStringLiteral("2"), QStringLiteral("-l"), QStringLiteral("2")});
  EXPECT_FALSE(page2.contains(QStringLiteral("可变投资计划表")));
  EXPECT_TRUE(page2.contains(QStringLiteral("26")));
  if (const QByteArray keep = qgetenv("TAVRIN_KEEP_PDF"); !keep.isEmpty())
    QFile::copy(pdf, QString::fromLocal8Bit(keep));
}

}  // namespace
}  // namespace tavrin
