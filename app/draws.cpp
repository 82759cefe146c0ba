#include "app/draws.h"

#include <charconv>
#include <stdexcept>

namespace tavrin {

std::int32_t IssueToInt(const std::string& issue) {
  // Blanks around the digits are tolerated, as the database text may carry them.
  std::size_t b = issue.find_first_not_of(' ');
  std::size_t e = issue.find_last_not_of(' ');
  std::int32_t v = 0;
  if (b != std::string::npos) {
    const char* first = issue.data() + b;
    const char* last = issue.data() + e + 1;
    if (*first == '+') ++first;
    auto [p, ec] = std::from_chars(first, last, v);
    if (ec == std::errc() && p == last && first != last) return v;
  }
  throw std::runtime_error("'" + issue + "' 不是有效的整数值");
}

DrawHistory LoadDrawHistory(const DrawSnapshot& snapshot, AttributeKind kind) {
  DrawHistory h;
  h.rowCount = snapshot.rows.size();
  if (snapshot.numberColumns < kDrawnNumberColumn) {
    if (!snapshot.rows.empty()) h.error = "字段 '7' 不存在：该彩票每期开奖号码少于7个";
    return h;
  }
  h.entries.reserve(snapshot.rows.size());
  for (const DrawRecord& r : snapshot.rows) {
    DrawEntry e;
    try {
      e.issue = IssueToInt(r.issue);
    } catch (const std::exception& ex) {
      h.error = ex.what();
      return h;
    }
    const std::size_t col = kDrawnNumberColumn - 1;
    e.number = col < r.numbers.size() ? r.numbers[col].value_or(0) : 0;
    e.value = AttributeOf(kind, e.number);
    h.entries.push_back(e);
  }
  return h;
}

DrawHistory LoadCompleteDrawHistory(const DrawSnapshot& snapshot, AttributeKind kind) {
  DrawHistory h = LoadDrawHistory(snapshot, kind);
  if (h.error) throw std::runtime_error(*h.error);
  return h;
}

}  // namespace tavrin
