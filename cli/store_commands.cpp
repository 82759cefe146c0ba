#include <QFile>
#include <QStringConverter>
#include <QTextStream>

#include "cli/commands.h"
#include "store/lottery_store.h"

namespace tavrin::cli {

namespace {

QString numberText(const std::optional<int>& n) { return n ? QString::number(*n) : QString(); }

}  // namespace

int CmdLotteries(const Context& ctx, const Args&) {
  store::Database db(ctx.databaseFile);
  for (const QString& n : db.lotteries()) Out(n + QLatin1Char('\n'));
  return 0;
}

int CmdCreate(const Context& ctx, const Args& args) {
  store::LotteryOptions o;
  o.name = args.required("lottery");
  o.numberTotal = static_cast<int>(args.integer("numbers", 36));
  o.picks = static_cast<int>(args.integer("picks", 7));
  o.type = static_cast<int>(args.integer("type", 0));
  if (o.type != 0 && o.type != 1) throw UsageError("--type 只能是 0（乐透型）或 1（数字型）");
  o.drawTime = args.text("time");
  const QString days = args.text("weekdays");
  std::vector<bool> ticked(7, false);
  for (QChar c : days) {
    if (c < QLatin1Char('1') || c > QLatin1Char('7')) throw UsageError("--weekdays 只能由数字 1 到 7 组成");
    ticked[static_cast<std::size_t>(c.unicode() - '1')] = true;
  }
  o.weekdays = store::WeekdaysText(ticked);
  store::Database db(ctx.databaseFile, true);
  db.createLottery(o);
  return 0;
}

int CmdImport(const Context& ctx, const Args& args) {
  const QString lottery = args.required("lottery");
  const QString path = args.positional().first();
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
    throw std::runtime_error(("无法打开文件 " + path + "：" + f.errorString()).toStdString());
  store::Database db(ctx.databaseFile);
  const int picks = db.numberColumns(lottery);
  if (picks == 0) throw std::runtime_error(("彩票 " + lottery + " 不存在").toStdString());
  QTextStream in(&f);
  in.setEncoding(QStringConverter::Utf8);
  std::vector<DrawRecord> draws;
  int lineNo = 0;
  while (!in.atEnd()) {
    const QString line = in.readLine();
    ++lineNo;
    if (line.trimmed().isEmpty()) continue;
    try {
      draws.push_back(store::ParseDrawLine(line, picks));
    } catch (const std::exception& e) {
      throw std::runtime_error(QStringLiteral("第%1行有误：%2（%3），未导入任何数据")
                                   .arg(lineNo)
                                   .arg(QString::fromUtf8(e.what()), line.trimmed())
                                   .toStdString());
    }
  }
  db.appendDraws(lottery, draws);
  Out(QStringLiteral("已导入%1期\n").arg(draws.size()));
  return 0;
}

int CmdDraws(const Context& ctx, const Args& args) {
  store::Database db(ctx.databaseFile);
  const DrawSnapshot s = db.snapshot(args.required("lottery"));
  QString out;
  for (const DrawRecord& r : s.rows) {
    out += QString::fromStdString(r.issue);
    for (const auto& n : r.numbers) out += QLatin1Char('\t') + numberText(n);
    out += QLatin1Char('\t') + QString::fromStdString(r.date) + QLatin1Char('\n');
  }
  Out(out);
  return 0;
}

}  // namespace tavrin::cli
