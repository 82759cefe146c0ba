// The three plan files, as a user may hand any file to 载入.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "plans/plan_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto kind = static_cast<tavrin::plans::PlanKind>(data[0] % 3);
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  try {
    tavrin::plans::ReadPlanFile(kind, bytes);
  } catch (const std::runtime_error&) {
  }
  return 0;
}
