#pragma once
// The investment mode's files: codes, settings, and both together, one value
// a line. These functions make and read the lines as UTF-8 text; the caller
// converts them to and from the system's code page, ends every line with
// CR LF and writes the file whole.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mode/bet_codes.h"
#include "mode/mode_settings.h"

namespace tavrin::mode {

enum class ModeFile { Codes, Settings, Combined };

// "投资模式投注号码.txt", "投资模式设置.txt", "投资模式投注号码和设置.txt".
const char* FileSuffix(ModeFile kind);
// The name the save and open dialogs propose under 附属: lottery name, the
// bet form's text and the suffix.
std::string ProposedFileName(std::string_view lottery, int form, ModeFile kind);

// Codes file: form, count, one code a line. Throws ModeRefused with
// kGenerateCodesFirst when there is no code to save.
std::vector<std::string> CodesFileLines(int form, const std::vector<BetCode>& codes);
// Settings file: thirteen lines, combo boxes as item indexes. Throws
// ModeRefused when a combo box holds a typed value that is not in its list,
// which the file could not give back.
std::vector<std::string> SettingsFileLines(const ModeSettings& s);
// The thirteen settings lines, the count, the codes.
std::vector<std::string> CombinedFileLines(const ModeSettings& s, const std::vector<BetCode>& codes);

// Lines joined, each ended by CR LF; and text split at LF with a CR before
// it dropped (a last line without an ending still counts).
std::string JoinLines(const std::vector<std::string>& lines);
std::vector<std::string> SplitLines(std::string_view text);

struct LoadError {
  int line = 0;        // 1-based
  std::string reason;  // "'x' 不是有效的整数值", ...
};
// "<file> 第<line>行：<reason>".
std::string LoadErrorText(const LoadError& error, std::string_view file);

// What loading a file does to the window, every handler included.
struct LoadedModeFile {
  ModeSettings settings;  // the settings after the lines applied
  // The new code list once the file's count line was applied; codes it did
  // not supply have sequence number 0 and digit 0.
  std::optional<std::vector<BetCode>> codes;
  bool formChanged = false;        // optzhuzhi's handler ran: grdtozi back to its title row
  bool runBacktest = false;        // a combined file loaded whole: run 分析 as the button does
  std::vector<std::string> notes;  // for the user: lines ignored, counts reconciled
  // The line that stopped the load; the lines before it stay applied.
  std::optional<LoadError> error;
};

// Loads a file's lines over the current settings. With a code list the
// window builds the draw marks with the (new) bet form and refreshes its
// grids, also after an error, so that they show the list it now holds.
LoadedModeFile LoadModeFile(ModeFile kind, const ModeSettings& current, const std::vector<std::string>& lines);

}  // namespace tavrin::mode
