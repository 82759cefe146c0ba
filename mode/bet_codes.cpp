#include "mode/bet_codes.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <random>

namespace tavrin::mode {

namespace {

// A uniform digit from 64 random bits: values of the last incomplete block
// of ten are drawn again, so no digit is favoured.
int UniformDigit(std::mt19937_64& rng) {
  constexpr std::uint64_t kLimit = std::numeric_limits<std::uint64_t>::max() / 10 * 10;
  std::uint64_t x;
  do x = rng();
  while (x >= kLimit);
  return static_cast<int>(x % 10);
}

std::uint64_t Key(const BetCode& c) {
  std::uint64_t k = 0;
  for (int d : c.digits) k = k * 10 + static_cast<std::uint64_t>(d);
  return k;
}

}  // namespace

std::uint64_t ClockSeed() {
  const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  std::random_device entropy;
  return static_cast<std::uint64_t>(now) ^ (static_cast<std::uint64_t>(entropy()) << 32) ^ entropy();
}

std::vector<BetCode> GenerateCodes(int form, Money n, std::uint64_t seed) {
  if (auto refusal = CodeCountRefusal(form, n)) throw ModeRefused(*refusal);
  if (auto refusal = BetFormRefusal(form)) throw ModeRefused(*refusal);
  std::mt19937_64 rng(seed);
  std::vector<BetCode> codes(static_cast<std::size_t>(n));
  // With one position the duplicate test (three equal positions) never
  // rejects, so every candidate of the direct form is taken: codes repeat.
  for (std::size_t i = 0; i < codes.size(); ++i) {
    codes[i].sequence = static_cast<int>(i) + 1;
    for (int& d : codes[i].digits) d = UniformDigit(rng);
  }
  // The window's exchange sort moves the digits and leaves the sequence
  // numbers in place. Its key is the whole code, so equal keys are equal
  // codes and any sort gives the same list.
  std::sort(codes.begin(), codes.end(), [](const BetCode& a, const BetCode& b) { return Key(a) < Key(b); });
  for (std::size_t i = 0; i < codes.size(); ++i) codes[i].sequence = static_cast<int>(i) + 1;
  return codes;
}

bool DirectHit(const BetCode& code, std::optional<int> value) {
  if (!value) return false;
  for (int d : code.digits)
    if (d != *value) return false;
  return true;
}

std::vector<std::string> CodeGridTitles() {
  std::vector<std::string> t{"序号"};
  for (int p = 1; p <= kCodePositions; ++p) t.push_back("号码" + std::to_string(p));
  return t;
}

std::vector<std::string> CodeGridRow(const BetCode& code) {
  std::vector<std::string> row{std::to_string(code.sequence)};
  for (int d : code.digits) row.push_back(std::to_string(d));
  return row;
}

std::string CodeText(const BetCode& code) {
  std::string s;
  for (int d : code.digits) s += std::to_string(d);
  return s;
}

}  // namespace tavrin::mode
