#pragma once
// What a trend grid shows, cell by cell, computed on demand from the draws:
// the titles, the issue and number columns, the dot of the drawn value, the
// fills, the centring texts and the column widths. Nothing is stored per
// cell, so 20000 draws cost no more than their DrawHistory.
//
// Grid coordinates are those the user sees: row 0 the titles, row r (1..N)
// the draw N - r (row 1 the newest); column 0 the issue, 1 the drawn number,
// 2 and V + 3 the separators, 3 .. V + 2 the values 1..V.

#include <string>
#include <vector>

#include "trend/attributes.h"
#include "trend/draw_history.h"

namespace tavrin {

inline constexpr int kTrendIssueWidth = 70;
inline constexpr int kTrendNumberWidth = 130;
inline constexpr int kTrendSeparatorWidth = 8;
// What the value columns leave over: the widths above plus the room the
// grid's lines and borders take.
inline constexpr int kTrendReservedWidth = 248;
inline constexpr int kTrendRowHeight = 24;

enum class TrendFill { Text, Separator, Value };

struct TrendOffset {
  int dx = 0;
  int dy = 0;
};

// Where text of size textWidth x textHeight goes in a cell so that it sits
// centred: half the spare room (truncated toward zero, so a text wider than
// the cell moves left of the edge) plus one.
TrendOffset CentreOffset(int cellWidth, int cellHeight, int textWidth, int textHeight);

// Width of every value column for a grid whose client area is clientWidth
// wide; never negative.
int ValueColumnWidth(int clientWidth, int valueCount);
// All V + 4 column widths, column 0 first.
std::vector<int> TrendColumnWidths(int clientWidth, int valueCount);

// Column 1 of a draw: the number as stored for the numbers ("7"); for a
// grouping the number in two digits, three spaces and its value's name
// ("05   龙"). A number without a value (outside 1..36) shows bare.
std::string TrendNumberText(AttributeKind kind, int number, const AttributeTables& names);

class TrendTable {
 public:
  // The history is copied; names gives the value titles and column 1 texts.
  TrendTable(AttributeKind kind, DrawHistory history, const AttributeTables& names);

  AttributeKind kind() const { return kind_; }
  int valueCount() const { return valueCount_; }
  // N: one row per draw of the snapshot, loaded or not.
  int drawRows() const { return static_cast<int>(history_.rowCount); }
  int rowCount() const { return drawRows() + 1; }
  int columnCount() const { return valueCount_ + 4; }
  const DrawHistory& history() const { return history_; }

  // The draw shown in row (1..N); nullptr for the title row, for rows outside
  // the grid and for the rows of draws that did not load.
  const DrawEntry* entryAt(int row) const;

  TrendFill fill(int column) const;
  // The value 1..V of a value column, else 0.
  int valueOfColumn(int column) const;

  // What the cell shows (UTF-8): titles, issue, column 1 text, "●" or empty.
  std::string text(int row, int column) const;
  bool dot(int row, int column) const;
  // The text whose size centres what is drawn in the cell (not drawn itself).
  const char* layoutText(int row, int column) const;

 private:
  AttributeKind kind_;
  int valueCount_;
  DrawHistory history_;
  AttributeTables names_;
};

// The grid as the user reads it, one line per row, fields tab-separated:
// issue, column 1, then one field per value column ("●" or empty); the
// separators, which never hold text, are left out.
std::string TrendTableText(const TrendTable& table);

}  // namespace tavrin
