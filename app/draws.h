#pragma once
// The draws of the open lottery as the windows read them: the snapshot taken
// when the lottery is opened, and the (issue, value) copy a window computes on.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "trend/attributes.h"

namespace tavrin {

// One row of a draw table. numbers[k-1] is the column named k; an empty
// database field is nullopt.
struct DrawRecord {
  std::string issue;  // 记录期号 as stored (UTF-8)
  std::vector<std::optional<int>> numbers;
  std::string date;   // 开奖日期 as stored
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

struct DrawEntry {
  std::int32_t issue = 0;
  int number = 0;                // field "7" as stored; 0 for an empty field
  std::optional<int> value;      // number under the grouping; none outside 1..36
};

struct DrawHistory {
  std::vector<DrawEntry> entries;  // oldest first
  // The snapshot's row count; entries.size() is smaller when loading stopped
  // at a row that did not convert.
  std::size_t rowCount = 0;
  // The conversion error that stopped loading, in the error box's words.
  std::optional<std::string> error;

  bool complete() const { return !error.has_value(); }
};

// Converts an issue text the way the trend and analysis windows do; throws
// std::runtime_error with the conversion message for text that is not a
// 32-bit integer.
std::int32_t IssueToInt(const std::string& issue);

// Reads every row in order: issue as integer, field "7" mapped by kind. Stops
// at the first row that does not convert and records the error; the rows
// before it stay loaded. A snapshot without a column "7" yields the error at
// once.
DrawHistory LoadDrawHistory(const DrawSnapshot& snapshot, AttributeKind kind);

// As LoadDrawHistory, but throws the error instead of returning a partial
// copy: the analyses compute on whole histories only.
DrawHistory LoadCompleteDrawHistory(const DrawSnapshot& snapshot, AttributeKind kind);

}  // namespace tavrin
