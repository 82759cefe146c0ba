#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "mode/backtest.h"
#include "mode/draw_marks.h"
#include "mode/settings_search.h"
#include "store/lottery_store.h"
#include "tests/support/core_support.h"
#include "tests/support/files_and_programs.h"

using namespace tavrin;
using namespace tavrin::mode;

namespace {

struct CliRun {
  int status;
  QString out, err;
  QByteArray bytes;  // stdout as written
};

QByteArray CrLf(const QStringList& lines) {
  return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

// 100 codes "5" and the settings of the worked example: plan length 3,
// observation interval 2, count 1, one waiting draw. Line 8 says 7 codes,
// but the codes file decides.
QStringList ExampleSettings(const char* rate = "10") {
  return {"0", "1", "2", "1", "0", "1000000", "1000000", "7", "1000", QString::fromLatin1(rate), "1", "1", "0"};
}
QStringList Codes(const QString& form, int n, const QString& code) {
  QStringList l = {form, QString::number(n)};
  for (int i = 0; i < n; ++i) l << code;
  return l;
}

class ModeCliTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  const QString lottery = QStringLiteral("南粤风采36选7");
  QString db() const { return dir.path() + QStringLiteral("/彩票数据.mdb"); }
  QString file(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }

  void SetUp() override { store::EnsureDefaultDatabase(db()); }

  // Hits of code 5 at draws 2, 3, 7, 13 and 15 of 16; the others draw 20.
  void addExampleDraws() {
    std::vector<int> v(16, 20);
    for (int t : {2, 3, 7, 13, 15}) v[static_cast<std::size_t>(t - 1)] = 5;
    store::Database(db()).appendDraws(lottery, test::MakeDraws(v));
  }
  static std::vector<DrawMark> exampleMarks() {
    std::vector<bool> hits(16);
    for (int t : {2, 3, 7, 13, 15}) hits[static_cast<std::size_t>(t - 1)] = true;
    return MarksOfHits(hits, 2001001);
  }
  QString write(const QString& name, const QByteArray& bytes) {
    QFile f(file(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return file(name);
  }
  CliRun cli(const QStringList& args) {
    const test::ProgramRun r =
        test::RunProgram(QStringLiteral(TAVRIN_CLI), QStringList{QStringLiteral("--db"), db()} + args);
    return {r.status, r.text(), r.err, r.out};
  }
  // The command, then --lottery and the rest.
  QStringList with(QStringList args) {
    args.insert(1, QStringLiteral("--lottery"));
    args.insert(2, lottery);
    return args;
  }
};

QString BacktestText(const BacktestResult& r) {
  QString out = QStringLiteral("投注时间\t投注倍数\t当期投注\t当期总投入\t当期中奖\t当期净利润\t当期利润率(%)\n");
  for (const RunRow& row : r.rows) {
    QStringList cells;
    for (const std::string& c : RunRowTexts(row)) cells << QString::fromStdString(c);
    out += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
  }
  return out + QStringLiteral("总体赢余：") + QString::fromStdString(TotalText(r.total)) + QLatin1Char('\n');
}

}  // namespace

TEST_F(ModeCliTest, CodesWritesARandomCodesFile) {
  CliRun r = cli({QStringLiteral("codes"), QStringLiteral("--count"), QStringLiteral("100"), QStringLiteral("--out"),
                  file(QStringLiteral("c.txt"))});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.isEmpty());
  QFile f(file(QStringLiteral("c.txt")));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray bytes = f.readAll();
  EXPECT_EQ(bytes.count("\r\n"), 102);
  EXPECT_EQ(bytes.count('\n'), 102);
  const QList<QByteArray> lines = bytes.split('\n');
  EXPECT_EQ(lines[0], "0\r");
  EXPECT_EQ(lines[1], "100\r");
  for (int i = 2; i < 102; ++i) {
    ASSERT_EQ(lines[i].size(), 2) << i;
    EXPECT_TRUE(lines[i][0] >= '0' && lines[i][0] <= '9');
    if (i > 2) {
      EXPECT_LE(lines[i - 1][0], lines[i][0]);  // ascending, as generated
    }
  }

  r = cli({QStringLiteral("codes"), QStringLiteral("--count"), QStringLiteral("3")});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.bytes.size(), 3 + 3 + 3 * 3);
  EXPECT_TRUE(r.bytes.startsWith("0\r\n3\r\n"));

  struct Refusal {
    QStringList args;
    const char* message;
  };
  for (const Refusal& c :
       {Refusal{{QStringLiteral("--count"), QStringLiteral("1001")}, "请请输入1到1000的直选注数！"},
        Refusal{{QStringLiteral("--count"), QStringLiteral("0")}, "请请输入1到1000的直选注数！"},
        Refusal{{QStringLiteral("--count"), QStringLiteral("121"), QStringLiteral("--form"), QStringLiteral("3")},
                "请请输入1到120的组选6注数！"},
        Refusal{{QStringLiteral("--count"), QStringLiteral("10"), QStringLiteral("--form"), QStringLiteral("1")},
                "投注方式“全组选”需要三位号码"},
        Refusal{{QStringLiteral("--count"), QStringLiteral("10"), QStringLiteral("--form"), QStringLiteral("4")},
                "--form"},
        Refusal{{}, "count"}}) {
    r = cli(QStringList{QStringLiteral("codes")} + c.args);
    EXPECT_EQ(r.status, 1) << c.args.join(' ').toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
  }
}

TEST_F(ModeCliTest, MarksPrintsBothGrids) {
  addExampleDraws();
  const QString codes = write(QStringLiteral("c.txt"), CrLf({"0", "1", "5"}));
  CliRun r = cli(with({QStringLiteral("marks"), QStringLiteral("--codes"), codes}));
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, QStringLiteral("记录期号\t中奖间隔\n"
                                  "2001001\t1\n2001002\t●\n2001003\t●\n2001004\t1\n2001005\t2\n2001006\t3\n"
                                  "2001007\t●\n2001008\t1\n2001009\t2\n2001010\t3\n2001011\t4\n2001012\t5\n"
                                  "2001013\t●\n2001014\t1\n2001015\t●\n2001016\t1\n"
                                  "\n"
                                  "间隔\t连续\t次数\n"
                                  "2\t1\t1\n3\t2\t1\n4\t2\t1\n5\t1\t1\n6\t1\t1\n"));
  // Without a hit: the title row of the statistics alone.
  const QString none = write(QStringLiteral("n.txt"), CrLf({"0", "2", "1", "0"}));
  r = cli(with({QStringLiteral("marks"), QStringLiteral("--codes"), none}));
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.endsWith(QStringLiteral("2001016\t16\n\n间隔\t连续\t次数\n"))) << r.out.toStdString();
  // The kind picks the grouping the codes are tested against: seasons are 1..4.
  r = cli(
      with({QStringLiteral("marks"), QStringLiteral("--kind"), QStringLiteral("2"), QStringLiteral("--codes"), codes}));
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_FALSE(r.out.contains(QStringLiteral("●")));
}

TEST_F(ModeCliTest, BacktestAsTheWindowRunsIt) {
  const QString codes = write(QStringLiteral("c.txt"), CrLf(Codes(QStringLiteral("0"), 100, QStringLiteral("5"))));
  const QString settings = write(QStringLiteral("s.txt"), CrLf(ExampleSettings()));
  // No draws: nothing to analyse.
  CliRun r = cli(with({QStringLiteral("backtest"), QStringLiteral("--codes"), codes}));
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.err.contains(QStringLiteral("请生成号码！"))) << r.err.toStdString();
  EXPECT_TRUE(r.out.isEmpty());

  addExampleDraws();
  r = cli(with({QStringLiteral("backtest"), QStringLiteral("--codes"), codes, QStringLiteral("--settings"), settings}));
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, QStringLiteral("投注时间\t投注倍数\t当期投注\t当期总投入\t当期中奖\t当期净利润\t当期利润率(%)\n"
                                  "3\t1\t200\t600\t1000\t400\t66\n"
                                  "1\t1\t200\t200\t1000\t800\t400\n"
                                  "总体赢余：1200\n"));
  EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();

  // A file made by the codes command serves as well.
  const QString made = file(QStringLiteral("made.txt"));
  ASSERT_EQ(
      cli({QStringLiteral("codes"), QStringLiteral("--count"), QStringLiteral("20"), QStringLiteral("--out"), made})
          .status,
      0);
  r = cli(with({QStringLiteral("backtest"), QStringLiteral("--codes"), made}));
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.contains(QStringLiteral("总体赢余：")));

  // The window's first settings without a settings file.
  r = cli(with({QStringLiteral("backtest"), QStringLiteral("--codes"), codes}));
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  ModeSettings defaults;
  EXPECT_EQ(r.out, BacktestText(RunBacktest(ReadInputs(defaults), exampleMarks())));

  // A plan failure is told on stderr; the rows kept are the result.
  const QString greedy = write(QStringLiteral("g.txt"), CrLf(ExampleSettings("100000000")));
  r = cli(with({QStringLiteral("backtest"), QStringLiteral("--codes"), codes, QStringLiteral("--settings"), greedy}));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, QStringLiteral("所需倍数太大，无法投注！\n"));
  EXPECT_EQ(r.out, QStringLiteral("投注时间\t投注倍数\t当期投注\t当期总投入\t当期中奖\t当期净利润\t当期利润率(%)\n"
                                  "总体赢余：0\n"));

  struct Refusal {
    QStringList args;
    const char* message;
  };
  const QString bad = write(QStringLiteral("bad.txt"), CrLf({"0", "3", "5", "x", "5"}));
  const QString group = write(QStringLiteral("group.txt"), CrLf({"1", "1", "5"}));
  const QString badSettings = write(QStringLiteral("bs.txt"), CrLf({"0", "1", "60"}));
  const QString noUnit = write(QStringLiteral("zero.txt"), CrLf({"0", "0"}));
  for (const Refusal& c : {
           Refusal{{QStringLiteral("--codes"), bad}, "第4行：'x' 不是有效的整数值"},
           Refusal{{QStringLiteral("--codes"), group}, "投注方式“全组选”需要三位号码"},
           Refusal{{QStringLiteral("--codes"), codes, QStringLiteral("--settings"), badSettings},
                   "第3行：选项序号60超出列表范围（0到49）"},
           Refusal{{QStringLiteral("--codes"), noUnit}, "单倍注数必须大于0！"},
           Refusal{{QStringLiteral("--codes"), file(QStringLiteral("没有.txt"))}, "无法打开文件"},
           Refusal{{QStringLiteral("--codes"), codes, QStringLiteral("--kind"), QStringLiteral("4")}, "--kind"},
           Refusal{{}, "codes"},
       }) {
    r = cli(with(QStringList{QStringLiteral("backtest")} + c.args));
    EXPECT_EQ(r.status, 1) << c.args.join(' ').toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
  }
}

TEST_F(ModeCliTest, SearchPrintsTheChoiceAndItsBacktest) {
  // Hits now and then over 300 draws, for a search with something to choose.
  std::vector<int> values;
  for (int i = 0; i < 300; ++i) values.push_back((i * 7 + i / 5) % 9 == 0 ? 5 : 20);
  store::Database(db()).appendDraws(lottery, test::MakeDraws(values));
  std::vector<bool> hits;
  for (int v : values) hits.push_back(v == 5);
  const std::vector<DrawMark> marks = MarksOfHits(hits, 2001001);

  const QString codes = write(QStringLiteral("c.txt"), CrLf(Codes(QStringLiteral("0"), 100, QStringLiteral("5"))));
  const QString settings = write(QStringLiteral("s.txt"), CrLf(ExampleSettings()));
  const CliRun r =
      cli(with({QStringLiteral("search"), QStringLiteral("--codes"), codes, QStringLiteral("--settings"), settings}));
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  // stderr is no terminal here: no progress.
  EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();

  ModeSettings s;
  s.wait = "1";
  s.plan = "3";
  s.interval = "2";
  s.codeCount = "100";
  const SearchResult expected = SearchSettings(s, marks);
  EXPECT_EQ(r.out, QStringLiteral("观察间隔连续次数：") + QString::fromStdString(expected.settings.count) +
                       QStringLiteral("\n中出后间隔期数：") + QString::fromStdString(expected.settings.wait) +
                       QStringLiteral("\n连续投入期数：") + QString::fromStdString(expected.settings.plan) +
                       QLatin1Char('\n') + BacktestText(expected.backtest));
  ASSERT_TRUE(expected.bestTotal);
  EXPECT_GT(*expected.bestTotal, 0);
}
