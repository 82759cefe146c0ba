#include "store/draw_transfer.h"

#include <QSqlQuery>
#include <stdexcept>

#include "base/atomic_file.h"
#include "base/gbk.h"

namespace tavrin::store {

namespace {

[[noreturn]] void fail(const QString& message) { throw std::runtime_error(message.toStdString()); }

// The operator's pages are in the system's code page. The date is cut at a
// fixed byte count, which may split its last character; that half is dropped.
std::string DateText(const std::string& bytes) {
  if (!bytes.empty() && !IsGbk(bytes) && IsGbk(std::string_view(bytes).substr(0, bytes.size() - 1)))
    return GbkToUtf8(std::string_view(bytes).substr(0, bytes.size() - 1));
  return GbkToUtf8(bytes);
}

}  // namespace

std::string ExportLottery(Database& db, const QString& lottery) {
  const DrawSnapshot all = db.snapshot(lottery, -1);
  return ExportFile(all.rows, all.numberColumns);
}

void ExportLotteryToFile(Database& db, const QString& lottery, const QString& path) {
  SaveFileAtomically(path, QByteArray::fromStdString(ExportLottery(db, lottery)));
}

DownloadOutcome DownloadHistory(Database& db, const QString& lottery, const std::string& baseUrl,
                                const FetchFunction& fetch,
                                const std::function<void(const DownloadProgress&)>& progress) {
  if (!db.lotteries().contains(lottery)) fail(QStringLiteral("没有彩票“%1”").arg(lottery));
  if (db.numberColumns(lottery) != kDownloadNumbers)
    fail(QStringLiteral("彩票“%1”每期不是%2个号码，不能下载到这里").arg(lottery, QString::number(kDownloadNumbers)));

  DownloadRequest req;
  req.baseUrl = baseUrl;
  {
    QSqlQuery q(db.connection());
    Database::check(q.exec(QStringLiteral("SELECT 记录期号 FROM ") + QuoteIdentifier(DrawTableName(lottery)) +
                           QStringLiteral(" ORDER BY 记录期号")),
                    q);
    while (q.next()) req.storedIssues.push_back(q.value(0).toString().toStdString());
  }
  // L is the last row's issue in the table's text order, "0" when it is empty.
  req.lastIssue = req.storedIssues.empty() ? std::string("0") : req.storedIssues.back();
  req.fetch = fetch;
  req.progress = progress;
  req.append = [&db, &lottery](const DownloadedDraw& d) {
    DrawRecord r;
    r.issue = d.issue;
    r.numbers.assign(d.numbers.begin(), d.numbers.end());
    r.date = DateText(d.date);
    db.appendDraws(lottery, {r});
  };
  return RunHistoryDownload(req);
}

}  // namespace tavrin::store
