#include "mode/mode_settings.h"

#include <limits>

#include "base/integer_text.h"
#include "plans/plan_tables.h"

namespace tavrin::mode {

namespace {

// A 32-bit setting: a text outside that range does not convert, as it would
// not in the window's integer reading.
int ToInt32(std::string_view text) {
  const Money v = ToInteger(text);
  if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
    throw ConversionError(ConversionMessage(text));
  return static_cast<int>(v);
}

}  // namespace

const char* const kGenerateCodesFirst = "请生成号码！";
const char* const kPrintTableFirst = "请先生成表格！";
const char* const kInstallPrinter = "请安装打印机！";
const char* const kSaved = "成功保存！";

const char* BetFormText(int form) {
  switch (form) {
    case 0:
      return "直选";
    case 1:
      return "全组选";
    case 2:
      return "组选3";
    case 3:
      return "组选6";
    default:
      return "";
  }
}

Money LargestCodeCount(int form) {
  switch (form) {
    case 1:
      return 210;
    case 2:
      return 90;
    case 3:
      return 120;
    default:
      return 1000;
  }
}

std::optional<std::string> CodeCountRefusal(int form, Money n) {
  if (n >= 1 && n <= LargestCodeCount(form)) return std::nullopt;
  // The messages name the range from 1, so a count below it gets them too.
  switch (form) {
    case 1:
      return "请请输入1到210的组选注数！";
    case 2:
      return "请请输入1到90的组选3注数！";
    case 3:
      return "请请输入1到120的组选6注数！";
    default:
      return "请请输入1到1000的直选注数！";
  }
}

std::optional<std::string> BetFormRefusal(int form) {
  if (form == kDirectForm) return std::nullopt;
  // Group forms compare three digits of the code with three of the draw;
  // codes and draws here have one.
  return std::string("投注方式“") + BetFormText(form) + "”需要三位号码，每期只开出一个号码的彩票只能用直选！";
}

std::string ItemText(ComboList list, int index) { return std::to_string(list.first + index); }

int ItemIndexOf(ComboList list, std::string_view text) {
  const auto v = ParseInteger(text);
  if (!v || *v < list.first || *v >= static_cast<Money>(list.first) + list.count) return -1;
  return static_cast<int>(*v - list.first);
}

void ClearSettings(ModeSettings& s) {
  s.interval = ItemText(kIntervalList, 0);
  s.count = ItemText(kCountList, 0);
  s.wait = ItemText(kWaitList, 0);
  s.plan = ItemText(kPlanList, 0);
  s.stakeLimit = "10000";
  s.outlayLimit = "100000";
  s.codeCount = "100";
  s.prize = "1000";
  s.rate = "10";
  s.carriedLoss = true;
  SetIntervalMode(s, true);
}

void SetIntervalMode(ModeSettings& s, bool checked) {
  s.intervalMode = checked;
  if (!checked) {
    s.interval = ItemText(kIntervalList, 0);
    s.count = ItemText(kCountList, 0);
  }
}

bool SelectBetForm(ModeSettings& s, int form) {
  const bool changed = s.betForm != form;
  s.betForm = form;
  return changed;
}

ModeInputs ReadInputs(const ModeSettings& s) {
  ModeInputs in;
  if (auto refusal = BetFormRefusal(s.betForm)) throw ModeRefused(*refusal);
  // In the order the back-test first needs them.
  in.rate = ToInteger(s.rate);
  const Money codes = ToInteger(s.codeCount);
  if (codes < 1) throw ModeRefused("单倍注数必须大于0！");
  if (codes > std::numeric_limits<Money>::max() / 2) throw ModeRefused("单倍注数太大，无法计算！");
  in.unitCost = 2 * codes;
  in.prize = ToInteger(s.prize);
  in.planLength = ToInt32(s.plan);
  if (in.planLength < 1) throw ModeRefused("连续投入期数必须大于0！");
  if (in.planLength > kMaxPlanLength)
    throw ModeRefused("连续投入期数太大，最多" + std::to_string(kMaxPlanLength) + "期！");
  in.stakeLimit = ToInteger(s.stakeLimit);
  in.outlayLimit = ToInteger(s.outlayLimit);
  if (s.intervalMode) {
    in.count = ToInt32(s.count);
    in.interval = ToInt32(s.interval);
  } else {
    in.count = 1;
    in.interval = 1;
  }
  in.wait = ToInt32(s.wait);
  // Going back before the hit would bet on draws already passed, or before
  // the first draw.
  if (in.wait < 0) throw ModeRefused("中出后间隔期数不能小于0！");
  in.carriedLoss = s.carriedLoss;
  return in;
}

}  // namespace tavrin::mode
