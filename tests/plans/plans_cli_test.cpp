#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "tests/support/files_and_programs.h"

namespace {

struct CliRun {
  int status;
  QStringList lines;
  QString err;
};

CliRun Cli(const QStringList& args) {
  QTemporaryDir dir;
  const tavrin::test::ProgramRun r = tavrin::test::RunProgram(
      QStringLiteral(TAVRIN_CLI), QStringList{QStringLiteral("--db"), dir.path() + QStringLiteral("/x.mdb")} + args);
  QString out = r.text();
  if (out.endsWith(QLatin1Char('\n'))) out.chop(1);
  return {r.status, out.split(QLatin1Char('\n')), r.err};
}

TEST(PlanCommands, PrintTheTableThenTheAverage) {
  CliRun r = Cli({QStringLiteral("fixed-plan"), QStringLiteral("--loss"), QStringLiteral("0"),
                  QStringLiteral("--profit"), QStringLiteral("10"), QStringLiteral("--unit"), QStringLiteral("16"),
                  QStringLiteral("--prize"), QStringLiteral("1000"), QStringLiteral("--draws"), QStringLiteral("80")});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  ASSERT_EQ(r.lines.size(), 82);
  EXPECT_EQ(r.lines[0],
            QStringLiteral("投注期号\t投注倍数\t当期投注\t当期总投入\t当期中奖\t当期净利润\t当期利润率(%)"));
  EXPECT_EQ(r.lines[62], QStringLiteral("62\t2\t32\t1008\t2000\t992\t98"));
  EXPECT_EQ(r.lines[81], QStringLiteral("平均每期净利润为:551"));

  r = Cli({QStringLiteral("stage-plan"), QStringLiteral("--stages"), QStringLiteral("10")});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.lines[57], QStringLiteral("57\t2\t32\t928\t2000\t1072\t115"));
  EXPECT_EQ(r.lines.last(), QStringLiteral("平均每期净利润为:592"));

  r = Cli({QStringLiteral("variable-plan"), QStringLiteral("--bets"), QStringLiteral("8,20")});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.lines,
            (QStringList{QStringLiteral(
                             "投注期号\t投注倍数\t当期注数\t当期投注\t当期总投入\t当期中奖\t当期净利润\t当期利润率(%)"),
                         QStringLiteral("1\t1\t8\t16\t16\t1000\t984\t6150"),
                         QStringLiteral("2\t1\t20\t40\t56\t1000\t944\t1685"), QStringLiteral("平均每期净利润为:964")}));
}

TEST(PlanCommands, RefusalsEndWithTheWindowsMessage) {
  struct Case {
    QStringList args;
    const char* message;
  };
  const Case cases[] = {
      {{"stage-plan", "--stages", "1"}, "所需倍数太大，无法投注！"},
      {{"stage-plan", "--stages", "0"}, "阶段次数必须大于0！"},
      {{"fixed-plan", "--draws", "0"}, "投注期数必须大于0！"},
      {{"variable-plan", "--draws", "1", "--bets", "8,8"}, "投资期限已满1天!"},
      {{"variable-plan", "--bets", "8,x"}, "不是有效的整数值"},
      {{"fixed-plan", "--profit", "ten"}, "不是有效的整数值"},
      {{"fixed-plan", "--stages", "3"}, "未知选项 --stages"},
  };
  for (const Case& c : cases) {
    const CliRun r = Cli(c.args);
    EXPECT_EQ(r.status, 1) << c.args.join(' ').toStdString();
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
  }
}

}  // namespace
