#include <QFile>
#include <QRegularExpression>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "base/gbk.h"
#include "cli/commands.h"
#include "store/draw_line.h"
#include "store/lottery_store.h"

namespace tavrin::cli {

namespace {

QString numberText(const std::optional<int>& n) { return n ? QString::number(*n) : QString(); }

}  // namespace

DrawSnapshot LotterySnapshot(const Context& ctx, const QString& lottery) {
  store::Database db(ctx.databaseFile);
  db.requireLottery(lottery);
  return db.snapshot(lottery);
}

int CmdLotteries(const Context& ctx, const Args&) {
  store::Database db(ctx.databaseFile);
  for (const QString& n : db.lotteries()) Out(n + QLatin1Char('\n'));
  return 0;
}

int CmdCreate(const Context& ctx, const Args& args) {
  store::LotteryOptions o;
  o.name = args.required("lottery");
  // Checked before narrowing: 4294967297 must not become 1.
  o.numberTotal = static_cast<int>(args.integerIn("numbers", 36, 1, 99, "--numbers（号码总数）必须在1到99之间"));
  o.picks =
      static_cast<int>(args.integerIn("picks", 7, 1, o.numberTotal, "--picks（选择号码数）必须在1到号码总数之间"));
  o.type = static_cast<int>(args.integerIn("type", 0, 0, 1, "--type 只能是 0（乐透型）或 1（数字型）"));
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
  if (o.picks < kDrawnNumberColumn)
    std::fprintf(stderr,
                 "tavrin-cli create: 注意：每期只有%d个号码。走势图和选号分析读取第7个号码，这种彩票无法使用它们。\n",
                 o.picks);
  return 0;
}

int CmdImport(const Context& ctx, const Args& args) {
  const QString lottery = args.required("lottery");
  const QString path = args.positional().first();
  // Read to the true end: a pipe or a FIFO may be empty for a moment.
  std::string bytes;
  if (path == QLatin1String("-")) {
    // A read error (a closed or unreadable standard input) is not an empty file.
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) bytes.append(buffer, got);
    if (std::ferror(stdin)) throw std::runtime_error("无法读取标准输入");
  } else {
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    if (!in) throw std::runtime_error(("无法打开文件 " + path).toStdString());
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) throw std::runtime_error(("无法读取文件 " + path).toStdString());
  }
  const QString text = DecodeUserText(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));

  store::Database db(ctx.databaseFile);
  db.requireLottery(lottery);
  const int picks = db.numberColumns(lottery);
  std::vector<DrawRecord> draws;
  // CR LF, LF and a lone CR all end a line.
  const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
  for (int i = 0; i < lines.size(); ++i) {
    const std::string line = lines[i].toStdString();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    try {
      draws.push_back(store::ParseDrawLine(line, picks));
    } catch (const store::DrawLineError& e) {
      throw std::runtime_error("第" + std::to_string(i + 1) + "行有误：" + e.what() + "（" +
                               store::VisibleText(line, 80) + "），未导入任何数据");
    }
  }
  db.appendDraws(lottery, draws);
  Out(QStringLiteral("已导入%1期\n").arg(draws.size()));
  return 0;
}

int CmdDraws(const Context& ctx, const Args& args) {
  store::Database db(ctx.databaseFile);
  const QString lottery = args.required("lottery");
  db.requireLottery(lottery);
  const DrawSnapshot s = db.snapshot(lottery);
  QString out;
  for (const DrawRecord& r : s.rows) {
    if (r.numberProblem) throw std::runtime_error(r.numberProblem->message);
    out += QString::fromStdString(r.issue);
    for (const auto& n : r.numbers) out += QLatin1Char('\t') + numberText(n);
    out += QLatin1Char('\t') + QString::fromStdString(r.date) + QLatin1Char('\n');
  }
  Out(out);
  return 0;
}

}  // namespace tavrin::cli
