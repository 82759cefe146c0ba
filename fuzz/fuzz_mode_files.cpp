// The investment mode's codes, settings and combined files.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "mode/mode_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto kind = static_cast<tavrin::mode::ModeFile>(data[0] % 3);
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  try {
    tavrin::mode::LoadModeFile(kind, tavrin::mode::ModeSettings{}, tavrin::mode::SplitLines(text));
  } catch (const std::runtime_error&) {
  }
  return 0;
}
