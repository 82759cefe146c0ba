#include <algorithm>

#include "analysis/affinity.h"
#include "analysis/interval_rebound.h"
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

DrawHistory LoadHistory(const Context& ctx, const QString& lottery, AttributeKind kind) {
  return LoadCompleteDrawHistory(LotterySnapshot(ctx, lottery), kind);
}

// The item index of comcurqi: 0 for the oldest draw up to N, the draw after
// the newest (the default).
std::size_t Target(const Args& args, const DrawHistory& history) {
  const auto n = static_cast<long long>(history.entries.size());
  const long long target = args.integer(QStringLiteral("target"), n);
  if (target < 0 || target > n)
    throw UsageError("--target 只能是 0（最早一期）到 " + std::to_string(n) + "（最新一期的下一期）");
  return static_cast<std::size_t>(target);
}

void PrintLines(const std::vector<std::string>& lines) {
  QString out;
  for (const std::string& l : lines) out += QString::fromStdString(l) + QLatin1Char('\n');
  Out(out);
}

}  // namespace

// 最优间隔回补选号: the history grid, the summary and the proposal.
int CmdInterval(const Context& ctx, const Args& args) {
  const QString lottery = args.required(QStringLiteral("lottery"));
  analysis::IntervalSettings s;
  s.kind = static_cast<AttributeKind>(args.integerIn(QStringLiteral("kind"), 0, 0, 3, kKindRange));
  s.intervals = static_cast<int>(args.integerIn(QStringLiteral("intervals"), s.intervals, 1,
                                                analysis::kMaxIntervalCount, "--intervals 只能是 1 到 20"));
  const long long picks = args.integer(QStringLiteral("picks"), s.picks);
  s.picks = static_cast<int>(std::clamp<long long>(picks, 0, ValueCountOf(s.kind) + 1));
  if (auto error = analysis::IntervalSettingsError(s)) throw UsageError("--picks：" + *error);
  const DrawHistory history = LoadHistory(ctx, lottery, s.kind);
  PrintLines(analysis::IntervalReport(history, s, Target(args, history), FilledAttributeTables()));
  return 0;
}

// 最优亲密数字选号: the same, then the text of tabcode.
int CmdAffinity(const Context& ctx, const Args& args) {
  const QString lottery = args.required(QStringLiteral("lottery"));
  analysis::AffinitySettings s;
  s.kind = static_cast<AttributeKind>(args.integerIn(QStringLiteral("kind"), 0, 0, 3, kKindRange));
  s.stages = static_cast<int>(args.integerIn(QStringLiteral("stages"), s.stages, 0, store::kSnapshotCap,
                                             "--stages 只能是 0（全部期数）到 20000"));
  const long long picks = args.integer(QStringLiteral("picks"), s.picks);
  s.picks = static_cast<int>(std::clamp<long long>(picks, 0, ValueCountOf(s.kind) + 1));
  if (auto error = analysis::AffinitySettingsError(s)) throw UsageError("--picks：" + *error);
  const DrawHistory history = LoadHistory(ctx, lottery, s.kind);
  PrintLines(analysis::AffinityReport(history, s, Target(args, history), FilledAttributeTables()));
  return 0;
}

int CmdSkew(const Context& ctx, const Args& args) {
  return StatisticsCommand(ctx, args, analysis::StatisticsMode::Skew);
}

int CmdRebound(const Context& ctx, const Args& args) {
  return StatisticsCommand(ctx, args, analysis::StatisticsMode::Rebound);
}

}  // namespace tavrin::cli
