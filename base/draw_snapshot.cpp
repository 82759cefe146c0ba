#include "base/draw_snapshot.h"

#include "base/integer_text.h"

namespace tavrin {

std::int32_t IssueToInt(const std::string& issue) {
  // Opening a lottery converts every issue: plain digits, the usual case,
  // skip the general conversion's blanks and signs (nine digits always fit).
  if (!issue.empty() && issue.size() <= 9) {
    std::int32_t v = 0;
    for (char c : issue) {
      if (c < '0' || c > '9') return ToInt32(issue);
      v = v * 10 + (c - '0');
    }
    return v;
  }
  return ToInt32(issue);
}

}  // namespace tavrin
