#pragma once
// The text cipher of the information files: DES on 8-byte blocks, each block
// on its own (no chaining), with the result written as upper-case hex.
//
// Texts and keys are byte strings (our texts are GBK). The key is its first
// 8 bytes, zero-padded when shorter; texts are zero-padded to whole blocks,
// and zero bytes at the end of a deciphered text are dropped, so a text must
// not end with one.
//
// Every call computes its own round keys, so calls may run on any thread.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tavrin::des {

// The two failures, with their messages as users see them in the error box.
class DesError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Bytes, a multiple of 8 long. Throws DesError "Error: the last char is NULL
// char." when text ends with a zero byte.
std::string EncipherText(std::string_view text, std::string_view key);
// A final incomplete block is dropped; trailing zero bytes are removed.
std::string DecipherText(std::string_view bytes, std::string_view key);

// EncipherText as upper-case hex, two digits per byte.
std::string EncipherHex(std::string_view text, std::string_view key);
// Reads hex pairs (either case; an odd last character is ignored), then
// DecipherText. Throws DesError "Error: not a Hex String" on any other
// character.
std::string DecipherHex(std::string_view hex, std::string_view key);

// One 64-bit block, first byte in the top bits, under an 8-byte key.
std::uint64_t EncipherBlock(std::uint64_t block, std::string_view key8);
std::uint64_t DecipherBlock(std::uint64_t block, std::string_view key8);

}  // namespace tavrin::des
