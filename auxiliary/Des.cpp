#include "auxiliary/Des.h"

#include <array>

namespace tavrin::des {

namespace {

using Subkeys = std::array<std::uint64_t, 16>;

// clang-format off
// Bit positions count from 1 at the most significant bit of the input.
constexpr std::uint8_t kIP[64] = {
    58, 50, 42, 34, 26, 18, 10,  2,
    60, 52, 44, 36, 28, 20, 12,  4,
    62, 54, 46, 38, 30, 22, 14,  6,
    64, 56, 48, 40, 32, 24, 16,  8,
    57, 49, 41, 33, 25, 17,  9,  1,
    59, 51, 43, 35, 27, 19, 11,  3,
    61, 53, 45, 37, 29, 21, 13,  5,
    63, 55, 47, 39, 31, 23, 15,  7};

constexpr std::uint8_t kFP[64] = {
    40,  8, 48, 16, 56, 24, 64, 32,
    39,  7, 47, 15, 55, 23, 63, 31,
    38,  6, 46, 14, 54, 22, 62, 30,
    37,  5, 45, 13, 53, 21, 61, 29,
    36,  4, 44, 12, 52, 20, 60, 28,
    35,  3, 43, 11, 51, 19, 59, 27,
    34,  2, 42, 10, 50, 18, 58, 26,
    33,  1, 41,  9, 49, 17, 57, 25};

constexpr std::uint8_t kE[48] = {
    32,  1,  2,  3,  4,  5,
     4,  5,  6,  7,  8,  9,
     8,  9, 10, 11, 12, 13,
    12, 13, 14, 15, 16, 17,
    16, 17, 18, 19, 20, 21,
    20, 21, 22, 23, 24, 25,
    24, 25, 26, 27, 28, 29,
    28, 29, 30, 31, 32,  1};

constexpr std::uint8_t kP[32] = {
    16,  7, 20, 21, 29, 12, 28, 17,
     1, 15, 23, 26,  5, 18, 31, 10,
     2,  8, 24, 14, 32, 27,  3,  9,
    19, 13, 30,  6, 22, 11,  4, 25};

constexpr std::uint8_t kPC1[56] = {
    57, 49, 41, 33, 25, 17,  9,
     1, 58, 50, 42, 34, 26, 18,
    10,  2, 59, 51, 43, 35, 27,
    19, 11,  3, 60, 52, 44, 36,
    63, 55, 47, 39, 31, 23, 15,
     7, 62, 54, 46, 38, 30, 22,
    14,  6, 61, 53, 45, 37, 29,
    21, 13,  5, 28, 20, 12,  4};

constexpr std::uint8_t kPC2[48] = {
    14, 17, 11, 24,  1,  5,
     3, 28, 15,  6, 21, 10,
    23, 19, 12,  4, 26,  8,
    16,  7, 27, 20, 13,  2,
    41, 52, 31, 37, 47, 55,
    30, 40, 51, 45, 33, 48,
    44, 49, 39, 56, 34, 53,
    46, 42, 50, 36, 29, 32};

constexpr std::uint8_t kShifts[16] = {
     1,  1,  2,  2,  2,  2,  2,  2,  1,  2,  2,  2,  2,  2,  2,  1};

constexpr std::uint8_t kS[8][64] = {
    {14,  4, 13,  1,  2, 15, 11,  8,  3, 10,  6, 12,  5,  9,  0,  7,
      0, 15,  7,  4, 14,  2, 13,  1, 10,  6, 12, 11,  9,  5,  3,  8,
      4,  1, 14,  8, 13,  6,  2, 11, 15, 12,  9,  7,  3, 10,  5,  0,
     15, 12,  8,  2,  4,  9,  1,  7,  5, 11,  3, 14, 10,  0,  6, 13},
    {15,  1,  8, 14,  6, 11,  3,  4,  9,  7,  2, 13, 12,  0,  5, 10,
      3, 13,  4,  7, 15,  2,  8, 14, 12,  0,  1, 10,  6,  9, 11,  5,
      0, 14,  7, 11, 10,  4, 13,  1,  5,  8, 12,  6,  9,  3,  2, 15,
     13,  8, 10,  1,  3, 15,  4,  2, 11,  6,  7, 12,  0,  5, 14,  9},
    {10,  0,  9, 14,  6,  3, 15,  5,  1, 13, 12,  7, 11,  4,  2,  8,
     13,  7,  0,  9,  3,  4,  6, 10,  2,  8,  5, 14, 12, 11, 15,  1,
     13,  6,  4,  9,  8, 15,  3,  0, 11,  1,  2, 12,  5, 10, 14,  7,
      1, 10, 13,  0,  6,  9,  8,  7,  4, 15, 14,  3, 11,  5,  2, 12},
    { 7, 13, 14,  3,  0,  6,  9, 10,  1,  2,  8,  5, 11, 12,  4, 15,
     13,  8, 11,  5,  6, 15,  0,  3,  4,  7,  2, 12,  1, 10, 14,  9,
     10,  6,  9,  0, 12, 11,  7, 13, 15,  1,  3, 14,  5,  2,  8,  4,
      3, 15,  0,  6, 10,  1, 13,  8,  9,  4,  5, 11, 12,  7,  2, 14},
    { 2, 12,  4,  1,  7, 10, 11,  6,  8,  5,  3, 15, 13,  0, 14,  9,
     14, 11,  2, 12,  4,  7, 13,  1,  5,  0, 15, 10,  3,  9,  8,  6,
      4,  2,  1, 11, 10, 13,  7,  8, 15,  9, 12,  5,  6,  3,  0, 14,
     11,  8, 12,  7,  1, 14,  2, 13,  6, 15,  0,  9, 10,  4,  5,  3},
    {12,  1, 10, 15,  9,  2,  6,  8,  0, 13,  3,  4, 14,  7,  5, 11,
     10, 15,  4,  2,  7, 12,  9,  5,  6,  1, 13, 14,  0, 11,  3,  8,
      9, 14, 15,  5,  2,  8, 12,  3,  7,  0,  4, 10,  1, 13, 11,  6,
      4,  3,  2, 12,  9,  5, 15, 10, 11, 14,  1,  7,  6,  0,  8, 13},
    { 4, 11,  2, 14, 15,  0,  8, 13,  3, 12,  9,  7,  5, 10,  6,  1,
     13,  0, 11,  7,  4,  9,  1, 10, 14,  3,  5, 12,  2, 15,  8,  6,
      1,  4, 11, 13, 12,  3,  7, 14, 10, 15,  6,  8,  0,  5,  9,  2,
      6, 11, 13,  8,  1,  4, 10,  7,  9,  5,  0, 15, 14,  2,  3, 12},
    {13,  2,  8,  4,  6, 15, 11,  1, 10,  9,  3, 14,  5,  0, 12,  7,
      1, 15, 13,  8, 10,  3,  7,  4, 12,  5,  6, 11,  0, 14,  9,  2,
      7, 11,  4,  1,  9, 12, 14,  2,  0,  6, 10, 13, 15,  3,  5,  8,
      2,  1, 14,  7,  4, 10,  8, 13, 15, 12,  9,  0,  3,  5,  6, 11}};

// clang-format on

template <std::size_t N>
std::uint64_t Permute(std::uint64_t in, int inBits, const std::uint8_t (&table)[N]) {
  std::uint64_t out = 0;
  for (std::uint8_t pos : table) out = (out << 1) | ((in >> (inBits - pos)) & 1u);
  return out;
}

std::uint64_t Rotate28(std::uint64_t half, int n) { return ((half << n) | (half >> (28 - n))) & 0xFFFFFFFu; }

// Takes the first 8 bytes of key, zero-padded; the parity bits drop out in PC-1.
std::uint64_t KeyBits(std::string_view key) {
  std::uint64_t k = 0;
  for (std::size_t i = 0; i < 8; ++i) k = (k << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
  return k;
}

Subkeys MakeSubkeys(std::string_view key) {
  const std::uint64_t cd = Permute(KeyBits(key), 64, kPC1);
  std::uint64_t c = cd >> 28, d = cd & 0xFFFFFFFu;
  Subkeys sub{};
  for (int i = 0; i < 16; ++i) {
    c = Rotate28(c, kShifts[i]);
    d = Rotate28(d, kShifts[i]);
    sub[static_cast<std::size_t>(i)] = Permute((c << 28) | d, 56, kPC2);
  }
  return sub;
}

std::uint32_t F(std::uint32_t r, std::uint64_t subkey) {
  const std::uint64_t x = Permute(r, 32, kE) ^ subkey;
  std::uint32_t s = 0;
  for (int box = 0; box < 8; ++box) {
    const unsigned six = static_cast<unsigned>((x >> (42 - 6 * box)) & 0x3Fu);
    const unsigned row = ((six & 0x20u) >> 4) | (six & 1u);
    const unsigned col = (six >> 1) & 0xFu;
    s = (s << 4) | kS[box][row * 16 + col];
  }
  return static_cast<std::uint32_t>(Permute(s, 32, kP));
}

std::uint64_t Crypt(std::uint64_t block, const Subkeys& sub, bool decipher) {
  const std::uint64_t ip = Permute(block, 64, kIP);
  std::uint32_t l = static_cast<std::uint32_t>(ip >> 32), r = static_cast<std::uint32_t>(ip);
  for (int i = 0; i < 16; ++i) {
    const std::uint64_t k = sub[static_cast<std::size_t>(decipher ? 15 - i : i)];
    const std::uint32_t next = l ^ F(r, k);
    l = r;
    r = next;
  }
  // The halves swap once more before the final permutation.
  return Permute((static_cast<std::uint64_t>(r) << 32) | l, 64, kFP);
}

std::uint64_t Load(std::string_view bytes, std::size_t at) {
  std::uint64_t b = 0;
  for (std::size_t i = 0; i < 8; ++i) b = (b << 8) | static_cast<unsigned char>(bytes[at + i]);
  return b;
}

void Store(std::uint64_t b, std::string& out) {
  for (int shift = 56; shift >= 0; shift -= 8) out.push_back(static_cast<char>((b >> shift) & 0xFFu));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::uint64_t EncipherBlock(std::uint64_t block, std::string_view key8) {
  return Crypt(block, MakeSubkeys(key8), false);
}

std::uint64_t DecipherBlock(std::uint64_t block, std::string_view key8) {
  return Crypt(block, MakeSubkeys(key8), true);
}

std::string EncipherText(std::string_view text, std::string_view key) {
  if (!text.empty() && text.back() == '\0') throw DesError("Error: the last char is NULL char.");
  const Subkeys sub = MakeSubkeys(key);
  std::string padded(text);
  padded.resize((padded.size() + 7) / 8 * 8, '\0');
  std::string out;
  out.reserve(padded.size());
  for (std::size_t at = 0; at < padded.size(); at += 8) Store(Crypt(Load(padded, at), sub, false), out);
  return out;
}

std::string DecipherText(std::string_view bytes, std::string_view key) {
  const Subkeys sub = MakeSubkeys(key);
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t at = 0; at + 8 <= bytes.size(); at += 8) Store(Crypt(Load(bytes, at), sub, true), out);
  while (!out.empty() && out.back() == '\0') out.pop_back();
  return out;
}

std::string EncipherHex(std::string_view text, std::string_view key) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  const std::string bytes = EncipherText(text, key);
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    hex.push_back(kDigits[b >> 4]);
    hex.push_back(kDigits[b & 0xFu]);
  }
  return hex;
}

std::string DecipherHex(std::string_view hex, std::string_view key) {
  std::string bytes;
  bytes.reserve(hex.size() / 2);
  for (std::size_t at = 0; at + 2 <= hex.size(); at += 2) {
    const int hi = HexDigit(hex[at]), lo = HexDigit(hex[at + 1]);
    if (hi < 0 || lo < 0) throw DesError("Error: not a Hex String");
    bytes.push_back(static_cast<char>(hi * 16 + lo));
  }
  return DecipherText(bytes, key);
}

}  // namespace tavrin::des
