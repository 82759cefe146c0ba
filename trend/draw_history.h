#pragma once
// The (issue, value) copy of the draws that a window computes on: the
// snapshot mapped through one grouping.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/draw_snapshot.h"
#include "trend/attributes.h"

namespace tavrin {

struct DrawEntry {
  std::int32_t issue = 0;
  int number = 0;            // field "7" as stored; 0 for an empty field
  std::optional<int> value;  // number under the grouping; none outside 1..36
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

// Reads every row in order: issue as integer, field "7" mapped by kind. Stops
// at the first row that does not convert and records the error; the rows
// before it stay loaded. A snapshot without a column "7" yields the error at
// once.
DrawHistory LoadDrawHistory(const DrawSnapshot& snapshot, AttributeKind kind);

// As LoadDrawHistory, but throws the error instead of returning a partial
// copy: the analyses compute on whole histories only.
DrawHistory LoadCompleteDrawHistory(const DrawSnapshot& snapshot, AttributeKind kind);

}  // namespace tavrin
