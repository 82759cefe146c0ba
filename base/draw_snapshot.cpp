#include "base/draw_snapshot.h"

#include "base/integer_text.h"

namespace tavrin {

std::int32_t IssueToInt(const std::string& issue) { return ToInt32(issue); }

}  // namespace tavrin
