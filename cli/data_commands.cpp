#include <cstdio>

#include "base/http_client.h"
#include "cli/commands.h"
#include "store/database_file.h"
#include "store/draw_transfer.h"
#include "store/http_fetch.h"
#include "store/lottery_store.h"

namespace tavrin::cli {

namespace {

const char* const kDownloadLottery = "南粤风采36选7";

void requireLottery(store::Database& db, const QString& lottery) {
  if (!db.lotteries().contains(lottery))
    throw std::runtime_error(QStringLiteral("没有彩票“%1”").arg(lottery).toStdString());
}

}  // namespace

int CmdExport(const Context& ctx, const Args& args) {
  const QString lottery = args.required(QStringLiteral("lottery"));
  store::Database db(ctx.databaseFile);
  requireLottery(db, lottery);
  if (!args.positional().isEmpty()) {
    // Whole or not at all, as the data window writes it.
    store::ExportLotteryToFile(db, lottery, args.positional().first());
    return 0;
  }
  // Every line is made before the first byte goes out.
  const std::string bytes = store::ExportLottery(db, lottery);
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int CmdDownload(const Context& ctx, const Args& args) {
  const QString lottery = args.text(QStringLiteral("lottery"), QString::fromUtf8(kDownloadLottery));
  const QString base = args.text(QStringLiteral("url"), OperatorUrl());
  store::Database db(ctx.databaseFile);
  const store::DownloadOutcome out = store::DownloadHistory(db, lottery, base.toStdString(), store::HttpFetch());
  if (!out.completed) throw std::runtime_error(out.message);
  Out(QStringLiteral("已下载%1期\n").arg(out.added));
  return 0;
}

int CmdBackup(const Context& ctx, const Args& args) {
  store::BackupDatabase(ctx.databaseFile, args.positional().first());
  Out(QStringLiteral("成功备份！\n"));
  return 0;
}

int CmdRestore(const Context& ctx, const Args& args) {
  const store::RestoreResult result = store::RestoreDatabase(args.positional().first(), ctx.databaseFile);
  Out(result.message() + QLatin1Char('\n'));
  return 0;
}

}  // namespace tavrin::cli
