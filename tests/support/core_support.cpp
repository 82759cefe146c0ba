#include "tests/support/core_support.h"

namespace tavrin::test {

DrawSnapshot SnapshotOf(const std::vector<std::pair<std::string, std::optional<int>>>& rows, int columns) {
  DrawSnapshot s;
  s.numberColumns = columns;
  for (const auto& [issue, seventh] : rows) {
    DrawRecord r;
    r.issue = issue;
    r.numbers.assign(static_cast<std::size_t>(columns), 1);
    if (columns >= kDrawnNumberColumn) r.numbers[kDrawnNumberColumn - 1] = seventh;
    s.rows.push_back(r);
  }
  return s;
}

std::vector<DrawRecord> MakeDraws(const std::vector<int>& numbers, int firstIssue, int picks) {
  std::vector<DrawRecord> out;
  out.reserve(numbers.size());
  int issue = firstIssue;
  for (int n : numbers) {
    DrawRecord r;
    r.issue = std::to_string(issue++);
    for (int k = 1; k <= picks; ++k) r.numbers.push_back(k == kDrawnNumberColumn ? n : (k % 36) + 1);
    r.date = "2001-01-01";
    out.push_back(std::move(r));
  }
  return out;
}

}  // namespace tavrin::test
