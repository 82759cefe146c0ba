#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "analysis/value_statistics.h"
#include "store/lottery_store.h"
#include "tests/support/files_and_programs.h"
#include "tests/support/test_support.h"

using namespace tavrin;

namespace {

struct CliRun {
  int status;
  QString out, err;
};

class StatisticsCommandTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString db() const { return dir.path() + QStringLiteral("/彩票数据.mdb"); }
  const QString lottery = QStringLiteral("南粤风采36选7");

  void SetUp() override { store::EnsureDefaultDatabase(db()); }
  CliRun cli(const QStringList& args) {
    const test::ProgramRun r =
        test::RunProgram(QStringLiteral(TAVRIN_CLI), QStringList{QStringLiteral("--db"), db()} + args);
    return {r.status, r.text(), r.err};
  }
};

}  // namespace

TEST_F(StatisticsCommandTest, PrintsTheGridTextsTabSeparated) {
  const std::vector<int> numbers = {10, 3, 10, 10, 10, 1, 9, 10, 10, 10};
  store::Database(db()).appendDraws(lottery, test::MakeDraws(numbers));
  CliRun r = cli({QStringLiteral("skew"), QStringLiteral("--lottery"), lottery, QStringLiteral("--kind"),
                  QStringLiteral("2"), QStringLiteral("--sort"), QStringLiteral("3")});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.out,
            QStringLiteral(
                "待选季节\t理论周期\t理论中奖总次数\t实际总奖总次数\t历史最大遗漏\t目前遗漏\t目前冷态倍数\t追号价值\n"
                "秋\t4.0\t2.5\t0\t0\t0\t0\t0%\n"
                "冬\t4.0\t2.5\t0\t0\t0\t0\t0%\n"
                "春\t4.0\t2.5\t3\t4\t3\t0.8\t62%\n"
                "夏\t4.0\t2.5\t7\t3\t0\t0.0\t0%\n"));
  r = cli({QStringLiteral("rebound"), QStringLiteral("--lottery"), lottery});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 37);
  EXPECT_TRUE(lines[0].contains(QStringLiteral("\t前次遗漏\t")));
  EXPECT_EQ(lines[10], QStringLiteral("10\t36.0\t0.3\t7\t3\t0\t0\t0%"));
}

TEST_F(StatisticsCommandTest, RefusesBadOptions) {
  for (const QStringList& args :
       {QStringList{QStringLiteral("skew"), QStringLiteral("--lottery"), lottery, QStringLiteral("--kind"),
                    QStringLiteral("4")},
        QStringList{QStringLiteral("rebound"), QStringLiteral("--lottery"), lottery, QStringLiteral("--sort"),
                    QStringLiteral("-1")},
        QStringList{QStringLiteral("skew")},
        QStringList{QStringLiteral("skew"), QStringLiteral("--lottery"), QStringLiteral("没有")}}) {
    const CliRun r = cli(args);
    EXPECT_EQ(r.status, 1) << args.join(' ').toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_FALSE(r.err.isEmpty());
  }
}

namespace {

class SelectionCommandTest : public StatisticsCommandTest {
 protected:
  CliRun run(const char* command, QStringList options) {
    return cli(QStringList{QString::fromLatin1(command), QStringLiteral("--lottery"), lottery} + options);
  }
};

// 春 夏 春 秋 秋 春 冬 春 as numbers of the four seasons.
const std::vector<int> kSeasonNumbers = {1, 10, 1, 19, 19, 1, 28, 1};

}  // namespace

TEST_F(SelectionCommandTest, IntervalPrintsTheGridTheSummaryAndTheProposal) {
  store::Database(db()).appendDraws(lottery, test::MakeDraws({1, 2, 3}));
  CliRun r = run("interval", {});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, QStringLiteral("记录期号\t开奖号码\t投注号码\t中奖个数\n"
                                  "2001001\t1\t\t0\n"
                                  "2001002\t2\t02 03 \t1\n"
                                  "2001003\t3\t03 04 \t1\n"
                                  "最大中奖号码数为1个，最小中奖号码数为0个\n"
                                  "2001004期推荐投注号码：04 05 \n"));
  // The oldest issue as target, one interval, three picks.
  r = run("interval", {"--intervals", "1", "--picks", "3", "--target", "0"});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.endsWith(QStringLiteral("\n2001001期推荐投注号码：01 02 03 \n"))) << r.out.toStdString();
}

TEST_F(SelectionCommandTest, AffinityPrintsTheSameThenTabcode) {
  store::Database(db()).appendDraws(lottery, test::MakeDraws(kSeasonNumbers));
  CliRun r = run("affinity", {"--kind", "2", "--stages", "2", "--picks", "3"});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, QStringLiteral("记录期号\t开奖号码\t投注号码\t中奖个数\n"
                                  "2001001\t春\t\t\n"
                                  "2001002\t夏\t春夏秋\t1\n"
                                  "2001003\t春\t春夏秋\t1\n"
                                  "2001004\t秋\t春夏秋\t1\n"
                                  "2001005\t秋\t春夏秋\t1\n"
                                  "2001006\t春\t春夏秋\t1\n"
                                  "2001007\t冬\t春夏秋\t0\n"
                                  "2001008\t春\t春夏秋\t1\n"
                                  "最大中奖号码数为1个，最小中奖号码数为0个\n"
                                  "2001009期推荐投注号码：春秋冬\n"
                                  "各亲密数字总次数1:1次 3:1次 4:1次 2:0次 \n"));
  // 全部期数 and the target 0, which has no draw before it.
  r = run("affinity", {"--kind", "2", "--stages", "0", "--target", "0"});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.endsWith(QStringLiteral("\n2001001期推荐投注号码：\n各亲密数字总次数\n"))) << r.out.toStdString();
}

TEST_F(SelectionCommandTest, WithoutDrawsOnlyTheTitleAndAnEmptySummary) {
  const CliRun r = run("affinity", {});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, QStringLiteral("记录期号\t开奖号码\t投注号码\t中奖个数\n"
                                  "最大中奖号码数为0个，最小中奖号码数为0个\n\n\n"));
}

TEST_F(SelectionCommandTest, RefusesValuesOutsideTheirRanges) {
  store::Database(db()).appendDraws(lottery, test::MakeDraws({1, 2, 3}));
  struct Refusal {
    const char* command;
    QStringList options;
    const char* says;
  };
  for (const Refusal& c : std::vector<Refusal>{
           {"interval", {"--intervals", "0"}, "--intervals"},
           {"interval", {"--intervals", "21"}, "--intervals"},
           {"interval", {"--picks", "37"}, "选号个数必须在1到36之间"},
           {"interval", {"--kind", "1", "--picks", "13"}, "选号个数必须在1到12之间"},
           {"interval", {"--picks", "99999999999999"}, "选号个数"},
           {"interval", {"--target", "4"}, "--target"},
           {"interval", {"--target", "-1"}, "--target"},
           {"interval", {"--stages", "3"}, "stages"},
           {"affinity", {"--stages", "-1"}, "--stages"},
           {"affinity", {"--picks", "0"}, "投注号码数必须在1到36之间"},
           {"affinity", {"--kind", "3", "--picks", "5"}, "投注号码数必须在1到4之间"},
           {"affinity", {"--kind", "4"}, "--kind"},
           {"affinity", {"--target", "x"}, "不是有效的整数值"},
           {"affinity", {"--intervals", "3"}, "intervals"},
       }) {
    const CliRun r = run(c.command, c.options);
    SCOPED_TRACE(std::string(c.command) + " " + c.options.join(' ').toStdString());
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.says))) << r.err.toStdString();
  }
  EXPECT_EQ(cli({QStringLiteral("interval")}).status, 1) << "--lottery is required";
  EXPECT_EQ(cli({QStringLiteral("affinity"), QStringLiteral("--lottery"), QStringLiteral("没有")}).status, 1);
}
