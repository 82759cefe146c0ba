#pragma once
// The draws of a lottery as the store reads them: the snapshot taken when the
// lottery is opened. Plain data, shared read-only between the windows and
// any worker thread.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tavrin {

// One row of a draw table. numbers[k-1] is the column named k; an empty
// database field is nullopt.
// A stored number that is not a 32-bit whole number (a fraction, a value out
// of range, text): the conversion error that names it, and its column
// (1-based).
struct NumberProblem {
  std::string message;
  int column = 0;
};

struct DrawRecord {
  std::string issue;  // 记录期号 as stored (UTF-8)
  std::vector<std::optional<int>> numbers;
  std::string date;  // 开奖日期 as stored
  // The first number of the row that did not convert (its place in numbers
  // is empty); null when every number did, which is every row but a damaged
  // one, so the row stays small.
  std::shared_ptr<const NumberProblem> numberProblem;
};

// The newest draws of one lottery, oldest first, in the text order of
// 记录期号. Immutable once taken.
struct DrawSnapshot {
  std::string lottery;
  int numberColumns = 0;  // 选择号码数: columns "1".."S"
  std::vector<DrawRecord> rows;
};

// The column whose number every window reads as "the" drawn number.
inline constexpr int kDrawnNumberColumn = 7;

// Converts an issue text the way every reader does; throws ConversionError
// ("'x' 不是有效的整数值") for text that is not a 32-bit integer.
std::int32_t IssueToInt(const std::string& issue);

}  // namespace tavrin
