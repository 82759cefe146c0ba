#include <unistd.h>

#include <QFile>
#include <chrono>
#include <cstdio>
#include <stdexcept>

#include "base/atomic_file.h"
#include "base/gbk.h"
#include "cli/commands.h"
#include "mode/backtest.h"
#include "mode/bet_codes.h"
#include "mode/draw_marks.h"
#include "mode/mode_files.h"
#include "mode/settings_search.h"
#include "store/lottery_store.h"

namespace tavrin::cli {

using namespace mode;

namespace {

QString Text(const std::string& s) { return QString::fromStdString(s); }

// Tab-separated cells and a line end.
template <class Cells>
QString Line(const Cells& cells) {
  QString out;
  bool first = true;
  for (const auto& c : cells) {
    if (!first) out += QLatin1Char('\t');
    out += Text(std::string(c));
    first = false;
  }
  return out + QLatin1Char('\n');
}

// A codes or settings file, read as the window's load reads it (GBK, one
// value a line) over settings; a bad line ends the command.
LoadedModeFile LoadFile(ModeFile kind, const QString& path, const ModeSettings& settings) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly))
    throw std::runtime_error(("无法打开文件 " + path + "：" + f.errorString()).toStdString());
  const QByteArray bytes = f.readAll();
  if (f.error() != QFileDevice::NoError)
    throw std::runtime_error(("无法读取文件 " + path + "：" + f.errorString()).toStdString());
  const std::vector<std::string> lines =
      SplitLines(GbkToUtf8(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
  LoadedModeFile loaded = LoadModeFile(kind, settings, lines);
  if (loaded.error) throw std::runtime_error(LoadErrorText(*loaded.error, path.toStdString()));
  for (const std::string& note : loaded.notes) std::fprintf(stderr, "%s\n", note.c_str());
  return loaded;
}

// What the window holds after 载入设置 (when a settings file is given) and
// then 载入号码, and the marks of those codes against the draws of the kind.
struct ModeInput {
  ModeSettings settings;
  std::vector<BetCode> codes;
  std::vector<DrawMark> marks;
};

// Only the commands that declare --settings read it.
ModeInput ReadModeInput(const Context& ctx, const Args& args, bool takesSettings = true) {
  const QString lottery = args.required("lottery");
  const long long kind = args.integerIn("kind", 0, 0, 3, kKindRange);
  const QString codesFile = args.required("codes");
  ModeInput in;
  if (takesSettings && args.has("settings"))
    in.settings = LoadFile(ModeFile::Settings, args.text("settings"), in.settings).settings;
  const LoadedModeFile codes = LoadFile(ModeFile::Codes, codesFile, in.settings);
  in.settings = codes.settings;
  in.codes = codes.codes.value_or(std::vector<BetCode>{});

  const DrawHistory history = LoadCompleteDrawHistory(LotterySnapshot(ctx, lottery), static_cast<AttributeKind>(kind));
  in.marks = BuildMarks(history, in.codes, in.settings.betForm);
  return in;
}

// grdtozi and the total, as 分析 leaves them; a plan failure's message goes
// to stderr, the rows kept and their total being the result.
void PrintBacktest(const BacktestResult& r) {
  QString out = Line(kRunTitles);
  for (const RunRow& row : r.rows) out += Line(RunRowTexts(row));
  out += QStringLiteral("总体赢余：") + Text(TotalText(r.total)) + QLatin1Char('\n');
  Out(out);
  if (!r.message.empty()) std::fprintf(stderr, "%s\n", r.message.c_str());
}

}  // namespace

int CmdMarks(const Context& ctx, const Args& args) {
  const ModeInput in = ReadModeInput(ctx, args, false);
  QString out = Line(kMarkTitles);
  for (const DrawMark& m : in.marks) out += Line(std::array<std::string, 2>{std::to_string(m.issue), MarkText(m)});
  out += QLatin1Char('\n');
  out += Line(kIntervalRunTitles);
  if (const auto runs = IntervalRunStatistics(in.marks))
    for (const IntervalRun& r : *runs)
      out += Line(
          std::array<std::string, 3>{std::to_string(r.interval), std::to_string(r.length), std::to_string(r.times)});
  Out(out);
  return 0;
}

int CmdBacktest(const Context& ctx, const Args& args) {
  const ModeInput in = ReadModeInput(ctx, args);
  if (in.marks.empty()) throw std::runtime_error(kGenerateCodesFirst);
  PrintBacktest(RunBacktest(ReadInputs(in.settings), in.marks));
  return 0;
}

int CmdSearch(const Context& ctx, const Args& args) {
  const ModeInput in = ReadModeInput(ctx, args);
  if (in.marks.empty()) throw std::runtime_error(kGenerateCodesFirst);
  SearchOptions options;
  // A person watching sees it advance; a script's log stays clean.
  if (isatty(STDERR_FILENO)) {
    const int size = SearchSize(in.settings);
    auto next = std::chrono::steady_clock::time_point::min();
    options.progress = [size, next](const SearchStep& step) mutable {
      const auto now = std::chrono::steady_clock::now();
      if (now < next && step.step != size) return;
      next = now + std::chrono::milliseconds(200);
      std::fprintf(stderr, "\r搜索 %d/%d", step.step, size);
      if (step.step == size) std::fputc('\n', stderr);
      std::fflush(stderr);
    };
  }
  const SearchResult r = SearchSettings(in.settings, in.marks, options);
  Out(QStringLiteral("观察间隔连续次数：") + Text(r.settings.count) + QStringLiteral("\n中出后间隔期数：") +
      Text(r.settings.wait) + QStringLiteral("\n连续投入期数：") + Text(r.settings.plan) + QLatin1Char('\n'));
  PrintBacktest(r.backtest);
  return 0;
}

int CmdCodes(const Context&, const Args& args) {
  const long long n = args.requiredInteger("count");
  const long long form =
      args.integerIn("form", 0, 0, kBetFormCount - 1, "--form 只能是 0（直选）、1（全组选）、2（组选3）或 3（组选6）");
  const std::vector<BetCode> codes = GenerateCodes(static_cast<int>(form), n, ClockSeed());
  const QByteArray bytes =
      QByteArray::fromStdString(Utf8ToGbk(JoinLines(CodesFileLines(static_cast<int>(form), codes))));
  if (args.has("out")) {
    SaveFileAtomically(args.text("out"), bytes);
  } else {
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace tavrin::cli
