// tavrin-cli [--db FILE] COMMAND [options]: the program's computations for
// scripts and batch work. Errors go to stderr with exit status 1.

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "base/paths.h"
#include "base/translations.h"
#include "cli/commands.h"
#include "store/lottery_store.h"

using namespace tavrin::cli;

namespace {

struct Command {
  CommandForm form;
  int (*run)(const Context&, const Args&);
};

const OptionForm kLottery{"lottery", "NAME", "彩票名称"};
const OptionForm kKind{"kind", "0..3", "0 号码，1 生肖，2 季节，3 方位（默认 0）"};
const std::vector<OptionForm> kPlanInputs = {
    {"loss", "N", "前期亏损（默认 0）"}, {"profit", "N", "每期预期利润"}, {"unit", "N", "每注金额"},
    {"prize", "N", "每注奖金"},          {"draws", "N", "投注期数"},
};

const OptionForm kCodes{"codes", "FILE", "投注号码文件（投资模式的号码文件格式，GBK）"};
const OptionForm kSettings{"settings", "FILE", "投资模式设置文件（先于号码文件载入）"};

std::vector<OptionForm> With(std::vector<OptionForm> a, const std::vector<OptionForm>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {{"lotteries", "列出全部彩票", {}, "", 0, 0, true}, &CmdLotteries},
      {{"create",
        "建立一种彩票",
        {kLottery,
         {"numbers", "N", "号码总数（默认 36）"},
         {"picks", "N", "每期开奖号码个数（默认 7）"},
         {"type", "0|1", "0 乐透型，1 数字型（默认 0）"},
         {"time", "TEXT", "开奖时间"},
         {"weekdays", "DIGITS", "开奖星期，由 1 到 7 组成"}},
        "",
        0,
        0,
        true},
       &CmdCreate},
      {{"import", "从文本文件导入开奖号码", {kLottery}, "FILE", 1, 1, true, "每行一期的文本文件，- 表示标准输入"},
       &CmdImport},
      {{"draws", "打开彩票时读入的开奖记录", {kLottery}, "", 0, 0, true}, &CmdDraws},
      {{"export",
        "导出全部开奖号码（与“彩票数据”窗口的导出相同）",
        {kLottery},
        "[FILE]",
        0,
        1,
        true,
        "写入的文件；不给出时写到标准输出"},
       &CmdExport},
      {{"download",
        "从开奖网站下载新的开奖号码",
        {{"lottery", "NAME", "彩票名称（默认 南粤风采36选7）"},
         {"url", "BASE", "开奖网站的地址（默认 TAVRIN_OPERATOR_URL 或内置地址）"}},
        "",
        0,
        0,
        true},
       &CmdDownload},
      {{"backup", "备份数据库文件", {}, "FILE", 1, 1, true, "备份写入的文件，已有时被替换"}, &CmdBackup},
      {{"restore",
        "用备份（也可以是 Access 格式的数据库）恢复数据库文件",
        {},
        "FILE",
        1,
        1,
        false,
        "要恢复的数据库文件"},
       &CmdRestore},
      {{"trend", "走势图", {kLottery, kKind}, "", 0, 0, true}, &CmdTrend},
      {{"skew",
        "中奖偏态分析",
        {kLottery, kKind, {"sort", "0..3", "0 不排序，1 追号价值，2 遗漏，3 总次数"}},
        "",
        0,
        0,
        true},
       &CmdSkew},
      {{"rebound",
        "中奖回补分析",
        {kLottery, kKind, {"sort", "0..3", "0 不排序，1 追号价值，2 遗漏，3 总次数"}},
        "",
        0,
        0,
        true},
       &CmdRebound},
      {{"interval",
        "最优间隔回补选号",
        {kLottery,
         kKind,
         {"intervals", "1..20", "间隔期数（默认 5）"},
         {"picks", "K", "选号个数，1 到号码数（默认 2）"},
         {"target", "INDEX", "目前投注期：0 为最早一期，N 为最新一期的下一期（默认 N）"}},
        "",
        0,
        0,
        true},
       &CmdInterval},
      {{"affinity",
        "最优亲密数字选号",
        {kLottery,
         kKind,
         {"stages", "S", "阶段次数，0 为全部期数（默认 7）"},
         {"picks", "K", "投注号码数，1 到号码数（默认 2）"},
         {"target", "INDEX", "目前投注期：0 为最早一期，N 为最新一期的下一期（默认 N）"}},
        "",
        0,
        0,
        true},
       &CmdAffinity},
      {{"fixed-plan", "固定投资计划", kPlanInputs}, &CmdFixedPlan},
      {{"stage-plan", "阶段投资计划", With(kPlanInputs, {{"stages", "N", "阶段次数（默认 10）"}})}, &CmdStagePlan},
      {{"variable-plan",
        "可变投资计划",
        {{"loss", "N", "前期亏损（默认 0）"},
         {"profit", "N", "每期预期利润"},
         {"prize", "N", "每注奖金"},
         {"draws", "N", "投注期数"},
         {"bets", "B1,B2,...", "每期的注数"}}},
       &CmdVariablePlan},
      {{"marks", "投资模式：历史中奖和间隔统计", {kLottery, kKind, kCodes}, "", 0, 0, true}, &CmdMarks},
      {{"backtest", "投资模式分析：投资和赢亏、总体赢余", {kLottery, kKind, kCodes, kSettings}, "", 0, 0, true},
       &CmdBacktest},
      {{"search", "投资模式：搜索最好的设置并分析", {kLottery, kKind, kCodes, kSettings}, "", 0, 0, true}, &CmdSearch},
      {{"codes",
        "随机生成投注号码文件",
        {{"count", "N", "注数"},
         {"form", "0..3", "投注方式：0 直选，1 全组选，2 组选3，3 组选6（默认 0）"},
         {"out", "FILE", "写入的文件（默认写到标准输出）"}}},
       &CmdCodes},
  };
  return commands;
}

void Usage(FILE* to) {
  std::fputs(
      "usage: tavrin-cli [--db FILE] COMMAND [options]\n"
      "       tavrin-cli COMMAND --help\n"
      "       tavrin-cli --version\n"
      "commands:\n",
      to);
  for (const Command& c : Commands()) std::fprintf(to, "  %-14s %s\n", c.form.name, c.form.summary);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("tavrin-cli"));
  QCoreApplication::setApplicationVersion(QStringLiteral(TAVRIN_VERSION));
  tavrin::InstallChineseTranslations();
  QStringList args = app.arguments().mid(1);
  tavrin::SetAppDir(QCoreApplication::applicationDirPath());
  Context ctx;
  ctx.databaseFile = tavrin::DatabaseFile();
  bool ownDatabase = true;
  if (args.size() >= 2 && args[0] == QLatin1String("--db")) {
    ctx.databaseFile = args[1];
    args = args.mid(2);
    ownDatabase = false;
  }
  if (args.isEmpty()) {
    Usage(stderr);
    return 1;
  }
  if (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
    Usage(stdout);
    return 0;
  }
  if (args[0] == QLatin1String("--version")) {
    std::printf("tavrin-cli %s\n", TAVRIN_VERSION);
    return 0;
  }
  const QString name = args.takeFirst();
  for (const Command& c : Commands()) {
    if (name != QLatin1String(c.form.name)) continue;
    try {
      const Args parsed(c.form, args);
      if (parsed.helpWanted()) {
        Out(parsed.helpText());
        return 0;
      }
      if (parsed.has(QStringLiteral("db"))) {
        ctx.databaseFile = parsed.text(QStringLiteral("db"));
        ownDatabase = false;
      }
      // The program's own database starts with the default lottery, as at
      // the program's first start; commands without lotteries leave it be.
      if (c.form.usesDatabase && ownDatabase) tavrin::store::EnsureDefaultDatabase(ctx.databaseFile);
      const int status = c.run(ctx, parsed);
      // A full disk or a closed pipe must not leave a cut-off output that
      // looks like success.
      if (std::fflush(stdout) != 0 || std::ferror(stdout)) throw std::runtime_error("无法写入标准输出");
      return status;
    } catch (const UsageError& e) {
      std::fprintf(stderr, "tavrin-cli %s: %s\n（tavrin-cli %s --help 列出可用的选项）\n", c.form.name, e.what(),
                   c.form.name);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "tavrin-cli %s: %s\n", c.form.name, e.what());
    }
    return 1;
  }
  std::fprintf(stderr, "tavrin-cli: unknown command '%s'\n", name.toUtf8().constData());
  Usage(stderr);
  return 1;
}
