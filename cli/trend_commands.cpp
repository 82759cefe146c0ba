#include <cstdio>

#include "cli/commands.h"
#include "store/lottery_store.h"
#include "trend/trend_table.h"

namespace tavrin::cli {

int CmdTrend(const Context& ctx, const Args& args) {
  const QString lottery = args.required("lottery");
  const long long kindIndex = args.integerIn("kind", 0, 0, 3, kKindRange);
  const AttributeKind kind = AttributeKindFromIndex(static_cast<int>(kindIndex));
  const DrawSnapshot snapshot = LotterySnapshot(ctx, lottery);
  DrawHistory history = LoadDrawHistory(snapshot, kind);
  const std::optional<std::string> error = history.error;
  Out(QString::fromStdString(TrendTableText(TrendTable(kind, std::move(history), FilledAttributeTables()))));
  // The grid is shown as the window shows it, the draws that did not load
  // blank; the run still fails so that a script notices.
  if (error) {
    std::fprintf(stderr, "tavrin-cli trend: %s\n", error->c_str());
    return 1;
  }
  return 0;
}

}  // namespace tavrin::cli
