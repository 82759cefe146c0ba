#pragma once
// The investment mode's print-outs: the code list, 75 codes a page in three
// blocks of 25, and the settings on one page.

#include <string>
#include <string_view>
#include <vector>

#include "mode/bet_codes.h"
#include "mode/mode_settings.h"
#include "print/page_writer.h"

namespace tavrin::mode {

inline constexpr int kCodesPerBlock = 25;
inline constexpr int kCodesPerPage = 3 * kCodesPerBlock;

// The title: lottery name, two blanks, the newest issue, "期", the bet
// form's text and "投注号码" (codes) or "投资模式设置" (settings).
std::string PrintoutTitle(std::string_view lottery, std::string_view newestIssue, int form, bool codes);

// The print-outs, written through the page writer, whose errors pass
// through. PrintCodes throws ModeRefused(kPrintTableFirst) without codes;
// the window checks that before its print dialog.
void PrintCodes(print::PageWriter& out, std::string_view lottery, std::string_view newestIssue, int form,
                const std::vector<BetCode>& codes, const std::string& date);
void PrintSettings(print::PageWriter& out, std::string_view lottery, std::string_view newestIssue,
                   const ModeSettings& s, const std::string& date);

}  // namespace tavrin::mode
