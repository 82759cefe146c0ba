#pragma once
// Builders the suites share that need nothing but the core: draw snapshots
// and draw records with chosen numbers. Core suites link only this and the
// core libraries, so a Qt library in their link line is a layering fault.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/draw_snapshot.h"

namespace tavrin::test {

// A snapshot of the given (issue, field 7) rows; the other number columns
// hold 1. With fewer than seven columns field 7 does not exist.
DrawSnapshot SnapshotOf(const std::vector<std::pair<std::string, std::optional<int>>>& rows, int columns = 7);

// Draw records with the given field-7 numbers, issues firstIssue.. ascending.
std::vector<DrawRecord> MakeDraws(const std::vector<int>& numbers, int firstIssue = 2001001, int picks = 7);

}  // namespace tavrin::test
