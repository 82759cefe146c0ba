#include "mode/mode_files.h"

#include "base/integer_text.h"
#include "plans/plan_tables.h"

namespace tavrin::mode {

namespace {

constexpr int kSettingsLines = 13;
constexpr const char* kFileEndsEarly = "文件在这一行之前已结束";

// An edit text is one line of the file; a line break inside it would shift
// every later line.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  return text;
}

std::string IndexLine(ComboList list, const std::string& text, const char* name) {
  const int index = ItemIndexOf(list, text);
  if (index < 0)
    throw ModeRefused(std::string(name) + "“" + text + "”不在列表中，设置文件只能保存列表中的选项，请重新选择！");
  return std::to_string(index);
}

// The UTF-8 character at byte i, for naming it in a message.
std::string CharacterAt(std::string_view line, std::size_t i) {
  if (i >= line.size()) return {};
  std::size_t end = i + 1;
  while (end < line.size() && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) ++end;
  return std::string(line.substr(i, end - i));
}

class Loader {
 public:
  Loader(const ModeSettings& current, const std::vector<std::string>& lines) : lines_(lines) {
    out_.settings = current;
  }

  LoadedModeFile&& result() { return std::move(out_); }
  bool failed() const { return out_.error.has_value(); }

  // Lines 1..13 of a settings or combined file.
  void settings() {
    ModeSettings& s = out_.settings;
    if (!form(1)) return;
    const ComboList lists[] = {kWaitList, kPlanList, kIntervalList, kCountList};
    std::string* combos[] = {&s.wait, &s.plan, &s.interval, &s.count};
    for (int k = 0; k < 4; ++k) {
      const auto index = item(2 + k, lists[k]);
      if (!index) return;
      *combos[k] = ItemText(lists[k], *index);
    }
    // A file cut short stops at its end: a missing line would otherwise
    // blank an edit box or uncheck a box the user had set.
    std::string* edits[] = {&s.stakeLimit, &s.outlayLimit, &s.codeCount, &s.prize, &s.rate};
    for (int k = 0; k < 5; ++k) {
      if (!present(6 + k)) return;
      *edits[k] = OneLine(std::string(line(6 + k)));
    }
    if (!present(11)) return;
    s.carriedLoss = line(11) == "1";
    if (!present(12)) return;
    // Unchecking resets and disables the observation settings whatever
    // lines 4 and 5 chose, also when interval mode was off already.
    SetIntervalMode(s, line(12) == "1");
    form(kSettingsLines);
  }

  // The count line at `first` and the code lines after it.
  void codes(int first, bool combined) {
    const auto n = number(first);
    if (!n) return;
    if (*n < 0 || *n > LargestCodeCount(kDirectForm)) {
      fail(first,
           "号码数" + std::to_string(*n) + "超出范围（0到" + std::to_string(LargestCodeCount(kDirectForm)) + "）");
      return;
    }
    if (combined) {
      // The list and the grid both follow the count that the code lines
      // come with.
      const auto declared = ParseInteger(line(8));
      if (!declared || *declared != *n)
        out_.notes.push_back("第8行的单倍注数“" + std::string(line(8)) + "”与第14行的号码数" + std::to_string(*n) +
                             "不同，以第14行为准。");
    }
    out_.settings.codeCount = std::to_string(*n);
    std::vector<BetCode>& list = out_.codes.emplace(static_cast<std::size_t>(*n));
    for (int k = 1; k <= *n; ++k) {
      const int at = first + k;
      if (at > static_cast<int>(lines_.size())) break;  // the rest stay zero codes
      const std::string_view text = line(at);
      BetCode code;
      code.sequence = k;
      for (std::size_t p = 0; p < static_cast<std::size_t>(kCodePositions); ++p) {
        if (p >= text.size() || text[p] < '0' || text[p] > '9') {
          fail(at, ConversionMessage(CharacterAt(text, p)));
          return;
        }
        code.digits[p] = text[p] - '0';
      }
      list[static_cast<std::size_t>(k - 1)] = code;
    }
    int extra = 0;
    for (std::size_t i = static_cast<std::size_t>(first + *n); i < lines_.size(); ++i)
      if (!lines_[i].empty()) ++extra;
    if (extra > 0)
      out_.notes.push_back("文件中有" + std::to_string(extra) + "行号码超出号码数" + std::to_string(*n) + "，已忽略。");
  }

  // Line 1 of any file and line 13: the bet form.
  bool form(int at) {
    const auto index = item(at, {0, kBetFormCount});
    if (!index) return false;
    out_.formChanged |= SelectBetForm(out_.settings, *index);
    return true;
  }

 private:
  // Past the end a line reads empty, which converts to nothing.
  std::string_view line(int at) const {
    return at <= static_cast<int>(lines_.size()) ? std::string_view(lines_[static_cast<std::size_t>(at - 1)])
                                                 : std::string_view();
  }

  void fail(int at, std::string reason) { out_.error = LoadError{at, std::move(reason)}; }

  bool present(int at) {
    if (at <= static_cast<int>(lines_.size())) return true;
    fail(at, kFileEndsEarly);
    return false;
  }

  std::optional<Money> number(int at) {
    if (!present(at)) return std::nullopt;
    const auto v = ParseInteger(line(at));
    if (!v) fail(at, ConversionMessage(line(at)));
    return v;
  }

  std::optional<int> item(int at, ComboList list) {
    const auto v = number(at);
    if (!v) return std::nullopt;
    if (*v < 0 || *v >= list.count) {
      fail(at, "选项序号" + std::to_string(*v) + "超出列表范围（0到" + std::to_string(list.count - 1) + "）");
      return std::nullopt;
    }
    return static_cast<int>(*v);
  }

  const std::vector<std::string>& lines_;
  LoadedModeFile out_;
};

}  // namespace

const char* FileSuffix(ModeFile kind) {
  switch (kind) {
    case ModeFile::Codes:
      return "投资模式投注号码.txt";
    case ModeFile::Settings:
      return "投资模式设置.txt";
    case ModeFile::Combined:
      return "投资模式投注号码和设置.txt";
  }
  return "";
}

std::string ProposedFileName(std::string_view lottery, int form, ModeFile kind) {
  return std::string(lottery) + BetFormText(form) + FileSuffix(kind);
}

std::vector<std::string> CodesFileLines(int form, const std::vector<BetCode>& codes) {
  if (codes.empty()) throw ModeRefused(kGenerateCodesFirst);
  std::vector<std::string> lines{std::to_string(form), std::to_string(codes.size())};
  for (const BetCode& c : codes) lines.push_back(CodeText(c));
  return lines;
}

std::vector<std::string> SettingsFileLines(const ModeSettings& s) {
  return {std::to_string(s.betForm),
          IndexLine(kWaitList, s.wait, "中出后间隔期数"),
          IndexLine(kPlanList, s.plan, "连续投入期数"),
          IndexLine(kIntervalList, s.interval, "观察间隔数"),
          IndexLine(kCountList, s.count, "观察间隔连续次数"),
          OneLine(s.stakeLimit),
          OneLine(s.outlayLimit),
          OneLine(s.codeCount),
          OneLine(s.prize),
          OneLine(s.rate),
          s.carriedLoss ? "1" : "0",
          s.intervalMode ? "1" : "0",
          std::to_string(s.betForm)};
}

std::vector<std::string> CombinedFileLines(const ModeSettings& s, const std::vector<BetCode>& codes) {
  if (codes.empty()) throw ModeRefused(kGenerateCodesFirst);
  std::vector<std::string> lines = SettingsFileLines(s);
  const std::vector<std::string> codeLines = CodesFileLines(s.betForm, codes);
  lines.insert(lines.end(), codeLines.begin() + 1, codeLines.end());
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) {
    text += l;
    text += "\r\n";
  }
  return text;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    start = next;
  }
  return lines;
}

std::string LoadErrorText(const LoadError& error, std::string_view file) {
  return std::string(file) + " 第" + std::to_string(error.line) + "行：" + error.reason;
}

LoadedModeFile LoadModeFile(ModeFile kind, const ModeSettings& current, const std::vector<std::string>& lines) {
  Loader load(current, lines);
  switch (kind) {
    case ModeFile::Codes:
      if (load.form(1)) load.codes(2, false);
      break;
    case ModeFile::Settings:
      load.settings();
      break;
    case ModeFile::Combined:
      load.settings();
      if (!load.failed()) load.codes(kSettingsLines + 1, true);
      break;
  }
  const bool whole = !load.failed();
  LoadedModeFile out = load.result();
  out.runBacktest = kind == ModeFile::Combined && whole;
  return out;
}

}  // namespace tavrin::mode
