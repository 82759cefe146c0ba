#include "trend/draw_history.h"

#include <stdexcept>

namespace tavrin {

DrawHistory LoadDrawHistory(const DrawSnapshot& snapshot, AttributeKind kind) {
  DrawHistory h;
  h.rowCount = snapshot.rows.size();
  if (snapshot.numberColumns < kDrawnNumberColumn) {
    if (!snapshot.rows.empty()) h.error = "字段 '7' 不存在：该彩票每期开奖号码少于7个";
    return h;
  }
  h.entries.reserve(snapshot.rows.size());
  for (std::size_t i = 0; i < snapshot.rows.size(); ++i) {
    const DrawRecord& r = snapshot.rows[i];
    DrawEntry e;
    try {
      e.issue = IssueToInt(r.issue);
    } catch (const std::exception& ex) {
      // The issue cannot name its row; its place and neighbour can.
      std::string where = "第" + std::to_string(i + 1) + "条记录";
      if (i > 0) where += "，在期号 " + snapshot.rows[i - 1].issue + " 之后";
      h.error = std::string(ex.what()) + "（" + where + "）";
      return h;
    }
    if (r.numberProblem && r.numberProblem->column == kDrawnNumberColumn) {
      h.error = r.numberProblem->message;
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
