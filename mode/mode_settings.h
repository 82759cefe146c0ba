#pragma once
// The settings of the investment mode window as plain values, their defaults,
// the handlers that change several of them at once, and their reading into
// the numbers the back-test computes with. Combo boxes are kept as their
// texts, because a typed value counts as much as a chosen item.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tavrin::mode {

using Money = std::int64_t;

// Input the action cannot work with. The window shows the text in a message
// box and nothing changes.
struct ModeRefused : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Messages the window shows as they stand.
extern const char* const kGenerateCodesFirst;  // "请生成号码！"
extern const char* const kPrintTableFirst;     // "请先生成表格！"
extern const char* const kInstallPrinter;      // "请安装打印机！"
extern const char* const kSaved;               // "成功保存！"

// Items of optzhuzhi. Only the direct form can be played with one-digit
// codes; the others are kept so that files and the selector keep them.
inline constexpr int kBetFormCount = 4;
inline constexpr int kDirectForm = 0;
// "直选", "全组选", "组选3", "组选6"; "" outside 0..3.
const char* BetFormText(int form);

// The largest code count of each form, and the count check of 随机生成:
// the form's message when n is not within 1..largest.
Money LargestCodeCount(int form);
std::optional<std::string> CodeCountRefusal(int form, Money n);
// The refusal of a group form (1..3) for generating or analysing, or nothing
// for the direct form.
std::optional<std::string> BetFormRefusal(int form);

// A combo box of the settings: the items first, first + 1, ... as decimal text.
struct ComboList {
  int first;
  int count;
};
inline constexpr ComboList kIntervalList{1, 100};  // comsepindex
inline constexpr ComboList kCountList{1, 10};      // comsepnum
inline constexpr ComboList kWaitList{0, 51};       // comtozisep
inline constexpr ComboList kPlanList{1, 50};       // comtozirep

std::string ItemText(ComboList list, int index);
// The item a combo text stands for: the item with that text, else the item
// of the same value ("07" is item "7"); -1 when the value is not listed.
int ItemIndexOf(ComboList list, std::string_view text);

// grptozi and optzhuzhi. The defaults are the window's when it opens.
struct ModeSettings {
  int betForm = 0;                      // optzhuzhi
  std::string interval = "1";           // comsepindex 观察间隔数
  std::string count = "1";              // comsepnum 观察间隔连续次数
  std::string wait = "0";               // comtozisep 中出后间隔期数
  std::string plan = "1";               // comtozirep 连续投入期数
  std::string stakeLimit = "1000000";   // edtsinmax 单期最大投入
  std::string outlayLimit = "1000000";  // edtallmax 累计最大投入
  std::string codeCount = "100";        // edtjushu 单倍注数
  std::string prize = "1000";           // edtoutofsin 单注奖金
  std::string rate = "10";              // edtlirun 预期利润(%)
  std::string allWin;                   // edtallwin 总体赢余, the back-test's output
  bool carriedLoss = true;              // chkyuji 预计亏损
  bool intervalMode = true;             // chksepmode 间隔模式

  bool operator==(const ModeSettings&) const = default;
};

// 清空: the settings group back to its reset values (the limits become 10000
// and 100000); the bet form and the total are left alone.
void ClearSettings(ModeSettings& s);

// chksepmode's handler. Unchecked, observation interval and count go back to
// "1" (start after any hit); the window disables both while intervalMode is
// off and enables them again, values unchanged, when it is turned on.
void SetIntervalMode(ModeSettings& s, bool checked);

// optzhuzhi's handler; true when the selection changed, in which case the
// window clears grdtozi to its title row.
bool SelectBetForm(ModeSettings& s, int form);

// The settings as the back-test uses them.
inline constexpr Money kMaxMultiplier = 100000;
inline constexpr int kMaxPlanLength = 10000;
struct ModeInputs {
  Money rate = 10;              // R, required profit rate in percent
  Money unitCost = 200;         // U, one multiple of the whole code list: 2 per code
  Money prize = 1000;           // W, prize of one hit at multiple 1
  Money stakeLimit = 1000000;   // of one draw
  Money outlayLimit = 1000000;  // of a run
  int planLength = 1;           // L, 1..kMaxPlanLength
  int interval = 1;             // observation interval
  int count = 1;                // observation count; 0 or less: no observation
  int wait = 0;                 // waiting draws, 0 or more
  bool carriedLoss = true;

  bool operator==(const ModeInputs&) const = default;
};

// Reads every setting the back-test uses. Throws ConversionError for
// a text that is not an integer, and ModeRefused for a group bet form, a code
// count below 1 (no unit cost to divide by), a plan length outside
// 1..kMaxPlanLength or negative waiting draws. With interval mode off the
// observation is interval 1, count 1, whatever the combo texts say.
ModeInputs ReadInputs(const ModeSettings& s);

}  // namespace tavrin::mode
