#pragma once
// The bet codes of the investment mode: random generation, the hit test and
// the texts of the code grid grdcode.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "mode/mode_settings.h"

namespace tavrin::mode {

// A code has one digit position for every value a draw yields: one here.
inline constexpr int kCodePositions = 1;

struct BetCode {
  int sequence = 0;  // position in the list when it was made, 1-based; 0 for a code a file did not supply
  std::array<int, kCodePositions> digits{};  // 0..9 each
  bool operator==(const BetCode&) const = default;
};

// A seed that differs at every call, from the clock and the system's
// entropy; each 随机生成 takes a new one.
std::uint64_t ClockSeed();

// 随机生成: n codes of uniform digits 0..9 drawn from a generator seeded with
// seed, sorted by their digits, sequence numbers 1..n from the top. Throws
// ModeRefused with the form's count message when n is not within 1..largest,
// and with the group form refusal for forms 1..3.
std::vector<BetCode> GenerateCodes(int form, Money n, std::uint64_t seed);

// The direct hit test: every position equals the drawn value. A draw without
// a value under the grouping is nobody's hit.
bool DirectHit(const BetCode& code, std::optional<int> value);

// grdcode: titles "序号", "号码1", ..; a row shows the sequence number and the
// digits, each as decimal text.
std::vector<std::string> CodeGridTitles();
std::vector<std::string> CodeGridRow(const BetCode& code);
// The digits one after the other, as the files and the print-out write a code.
std::string CodeText(const BetCode& code);

}  // namespace tavrin::mode
