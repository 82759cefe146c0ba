#include "store/draw_transfer.h"

#include <QSaveFile>
#include <QSqlQuery>
#include <QStringDecoder>
#include <stdexcept>

namespace tavrin::store {

namespace {

[[noreturn]] void fail(const QString& message) { throw std::runtime_error(message.toStdString()); }

// Temporary file beside the target, renamed over it once complete.
// TODO(base): replace by the base library's atomic file write.
void writeFileWhole(const QString& path, const std::string& bytes) {
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly)) fail(QStringLiteral("无法写入文件 %1：%2").arg(path, f.errorString()));
  if (f.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) || !f.commit())
    fail(QStringLiteral("无法写入文件 %1：%2").arg(path, f.errorString()));
}

// The operator's pages are in the system's code page.
// TODO(base): replace by the base library's GBK codec.
QString fromGbk(const std::string& bytes) {
  QStringDecoder gbk("GBK");
  return gbk.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

}  // namespace

std::string ExportLottery(Database& db, const QString& lottery) {
  const DrawSnapshot all = db.snapshot(lottery, -1);
  return ExportFile(all.rows, all.numberColumns);
}

void ExportLotteryToFile(Database& db, const QString& lottery, const QString& path) {
  writeFileWhole(path, ExportLottery(db, lottery));
}

std::string OperatorBaseUrl() {
  const QString env = qEnvironmentVariable("TAVRIN_OPERATOR_URL");
  return (env.isEmpty() ? QStringLiteral("http://www.lottery-operator.example") : env).toStdString();
}

DownloadOutcome DownloadHistory(Database& db, const QString& lottery, const std::string& baseUrl,
                                const FetchFunction& fetch,
                                const std::function<void(const DownloadProgress&)>& progress) {
  if (!db.lotteries().contains(lottery)) fail(QStringLiteral("没有彩票“%1”").arg(lottery));
  if (db.numberColumns(lottery) != kDownloadNumbers)
    fail(QStringLiteral("彩票“%1”每期不是%2个号码，不能下载到这里").arg(lottery).arg(kDownloadNumbers));

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
    r.date = fromGbk(d.date).toStdString();
    db.appendDraws(lottery, {r});
  };
  return RunHistoryDownload(req);
}

}  // namespace tavrin::store
