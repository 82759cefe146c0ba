// tavrin-cli [--db FILE] COMMAND [options]: the program's computations for
// scripts and batch work. Errors go to stderr with exit status 1.

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "base/paths.h"
#include "cli/commands.h"
#include "store/lottery_store.h"

using namespace tavrin::cli;

namespace {

struct Command {
  const char* name;
  const char* usage;
  int (*run)(const Context&, const Args&);
};

const Command kCommands[] = {
    {"lotteries", "lotteries", &CmdLotteries},
    {"create", "create --lottery NAME [--numbers 36] [--picks 7] [--type 0|1] [--time TEXT] [--weekdays DIGITS]",
     &CmdCreate},
    {"import", "import --lottery NAME FILE", &CmdImport},
    {"draws", "draws --lottery NAME", &CmdDraws},
    {"trend", "trend --lottery NAME [--kind 0|1|2|3]", &CmdTrend},
    {"skew", "skew --lottery NAME [--kind 0..3] [--sort 0..3]", &CmdSkew},
    {"rebound", "rebound --lottery NAME [--kind 0..3] [--sort 0..3]", &CmdRebound},
    {"fixed-plan", "fixed-plan --loss N --profit N --unit N --prize N --draws N", &CmdFixedPlan},
    {"stage-plan", "stage-plan --loss N --profit N --unit N --prize N --draws N --stages N", &CmdStagePlan},
    {"variable-plan", "variable-plan --loss N --profit N --unit N --prize N --draws N --bets B1,B2,...",
     &CmdVariablePlan},
};

void usage() {
  std::fputs("usage: tavrin-cli [--db FILE] COMMAND [options]\ncommands:\n", stderr);
  for (const Command& c : kCommands) std::fprintf(stderr, "  %s\n", c.usage);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  Context ctx;
  tavrin::SetAppDir(QCoreApplication::applicationDirPath());
  ctx.databaseFile = tavrin::DatabaseFile();
  bool ownDatabase = true;
  if (args.size() >= 2 && args[0] == QLatin1String("--db")) {
    ctx.databaseFile = args[1];
    args = args.mid(2);
    ownDatabase = false;
  }
  if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
    usage();
    return args.isEmpty() ? 1 : 0;
  }
  const QString name = args.takeFirst();
  for (const Command& c : kCommands) {
    if (name != QLatin1String(c.name)) continue;
    try {
      // The program's own database starts with the default lottery, as at
      // the program's first start.
      if (ownDatabase) tavrin::store::EnsureDefaultDatabase(ctx.databaseFile);
      return c.run(ctx, Args(args));
    } catch (const UsageError& e) {
      std::fprintf(stderr, "tavrin-cli %s: %s\nusage: tavrin-cli [--db FILE] %s\n", c.name, e.what(), c.usage);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "tavrin-cli %s: %s\n", c.name, e.what());
    }
    return 1;
  }
  std::fprintf(stderr, "tavrin-cli: unknown command '%s'\n", name.toUtf8().constData());
  usage();
  return 1;
}
