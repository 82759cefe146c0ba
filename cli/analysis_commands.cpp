#include "analysis/value_statistics.h"
#include "cli/commands.h"
#include "store/lottery_store.h"

namespace tavrin::cli {

namespace {

// The statistics table as the window's grid shows it: the titles, then one
// line per value, tab-separated.
int StatisticsCommand(const Context& ctx, const Args& args, analysis::StatisticsMode mode) {
  const QString lottery = args.required("lottery");
  const long long kind = args.integerIn("kind", 0, 0, 3, kKindRange);
  const long long sort =
      args.integerIn("sort", 0, 0, 3, "--sort 只能是 0（不排序）、1（追号价值）、2（遗漏）或 3（总次数）");

  const DrawSnapshot snapshot = LotterySnapshot(ctx, lottery);
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
