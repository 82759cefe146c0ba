#include "analysis/value_statistics.h"
#include "cli/commands.h"
#include "store/lottery_store.h"

namespace tavrin::cli {

namespace {

// The statistics table as the window's grid shows it: the titles, then one
// line per value, tab-separated.
int StatisticsCommand(const Context& ctx, const Args& args, analysis::StatisticsMode mode) {
  args.only({"lottery", "kind", "sort"});
  if (!args.positional().isEmpty()) throw UsageError("多余的参数 " + args.positional().first().toStdString());
  const QString lottery = args.required("lottery");
  const long long kind = args.integer("kind", 0);
  if (kind < 0 || kind > 3) throw UsageError("--kind 只能是 0（号码）、1（生肖）、2（季节）或 3（方位）");
  const long long sort = args.integer("sort", 0);
  if (sort < 0 || sort > 3) throw UsageError("--sort 只能是 0（不排序）、1（追号价值）、2（遗漏）或 3（总次数）");

  const DrawSnapshot snapshot = store::Database(ctx.databaseFile).snapshot(lottery);
  const auto k = static_cast<AttributeKind>(kind);
  const DrawHistory history = LoadCompleteDrawHistory(snapshot, k);
  const analysis::StatisticsTable table =
      analysis::AnalyseHistory(history, k, mode, static_cast<analysis::SortMode>(sort), FilledAttributeTables());

  QString out;
  auto line = [&out](const auto& cells) {
    for (std::size_t c = 0; c < cells.size(); ++c) {
      if (c) out += QLatin1Char('\t');
      out += QString::fromStdString(cells[c]);
    }
    out += QLatin1Char('\n');
  };
  line(table.titles);
  for (const auto& row : table.rows) line(row);
  Out(out);
  return 0;
}

}  // namespace

int CmdSkew(const Context& ctx, const Args& args) {
  return StatisticsCommand(ctx, args, analysis::StatisticsMode::Skew);
}

int CmdRebound(const Context& ctx, const Args& args) {
  return StatisticsCommand(ctx, args, analysis::StatisticsMode::Rebound);
}

}  // namespace tavrin::cli
