#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "analysis/value_statistics.h"
#include "store/lottery_store.h"
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
    QProcess p;
    p.start(QStringLiteral(TAVRIN_CLI), QStringList{QStringLiteral("--db"), db()} + args);
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
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
