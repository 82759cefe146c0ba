// The enciphered information files: hex text under any key.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "auxiliary/Des.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t keyLength = data[0] % 12;
  if (size < 1 + keyLength) return 0;
  const std::string_view key(reinterpret_cast<const char*>(data + 1), keyLength);
  const std::string_view hex(reinterpret_cast<const char*>(data + 1 + keyLength), size - 1 - keyLength);
  try {
    tavrin::des::DecipherHex(hex, key);
  } catch (const tavrin::des::DesError&) {
  }
  return 0;
}
