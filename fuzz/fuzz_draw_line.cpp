// The import line: any bytes, any pick count.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "store/draw_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int picks = 1 + data[0] % 12;
  const std::string_view line(reinterpret_cast<const char*>(data + 1), size - 1);
  try {
    const tavrin::DrawRecord r = tavrin::store::ParseDrawLine(line, picks);
    // What gets in must read back: the readers convert the issue the same way.
    tavrin::IssueToInt(r.issue);
    if (r.numbers.size() != static_cast<std::size_t>(picks)) __builtin_trap();
  } catch (const tavrin::store::DrawLineError&) {
  }
  tavrin::store::VisibleText(line, 40);
  return 0;
}
