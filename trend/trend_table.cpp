#include "trend/trend_table.h"

#include <algorithm>
#include <cstdio>

namespace tavrin {

TrendOffset CentreOffset(int cellWidth, int cellHeight, int textWidth, int textHeight) {
  // C++ division truncates toward zero, as the centring rule wants.
  return {(cellWidth - textWidth) / 2 + 1, (cellHeight - textHeight) / 2 + 1};
}

int ValueColumnWidth(int clientWidth, int valueCount) {
  if (valueCount <= 0) return 0;
  return std::max(0, (clientWidth - kTrendReservedWidth) / valueCount);
}

std::vector<int> TrendColumnWidths(int clientWidth, int valueCount) {
  std::vector<int> w(static_cast<std::size_t>(std::max(valueCount, 0) + 4), ValueColumnWidth(clientWidth, valueCount));
  w.front() = kTrendIssueWidth;
  w[1] = kTrendNumberWidth;
  w[2] = kTrendSeparatorWidth;
  w.back() = kTrendSeparatorWidth;
  return w;
}

std::string TrendNumberText(AttributeKind kind, int number, const AttributeTables& names) {
  if (kind == AttributeKind::Number) return std::to_string(number);
  char digits[16];
  std::snprintf(digits, sizeof digits, "%.2d", number);
  const std::optional<int> value = AttributeOf(kind, number);
  if (!value) return digits;
  return std::string(digits) + "   " + names.Name(kind, *value);
}

TrendTable::TrendTable(AttributeKind kind, DrawHistory history, const AttributeTables& names)
    : kind_(kind), valueCount_(ValueCountOf(kind)), history_(std::move(history)), names_(names) {
  // A history never claims fewer rows than it holds.
  history_.rowCount = std::max(history_.rowCount, history_.entries.size());
}

const DrawEntry* TrendTable::entryAt(int row) const {
  if (row < 1 || row > drawRows()) return nullptr;
  // Row 1 is the newest draw, the last of the snapshot.
  const std::size_t i = history_.rowCount - static_cast<std::size_t>(row);
  // Draws from the one that did not convert on have no entry: blank rows.
  return i < history_.entries.size() ? &history_.entries[i] : nullptr;
}

TrendFill TrendTable::fill(int column) const {
  if (column <= 1) return TrendFill::Text;
  if (column == 2 || column == valueCount_ + 3) return TrendFill::Separator;
  return TrendFill::Value;
}

int TrendTable::valueOfColumn(int column) const { return column >= 3 && column <= valueCount_ + 2 ? column - 2 : 0; }

std::string TrendTable::text(int row, int column) const {
  if (row == 0) {
    if (column == 0) return "记录期号";
    if (column == 1) return "开奖号码";
    const int v = valueOfColumn(column);
    if (v == 0) return {};
    return kind_ == AttributeKind::Number ? std::to_string(v) : names_.Name(kind_, v);
  }
  const DrawEntry* e = entryAt(row);
  if (!e) return {};
  if (column == 0) return std::to_string(e->issue);
  if (column == 1) return TrendNumberText(kind_, e->number, names_);
  return dot(row, column) ? "●" : std::string();
}

bool TrendTable::dot(int row, int column) const {
  const int v = valueOfColumn(column);
  if (v == 0 || row == 0) return false;
  const DrawEntry* e = entryAt(row);
  // A number outside 1..36 has no value and marks nothing.
  return e && e->value && *e->value == v;
}

const char* TrendTable::layoutText(int row, int column) const {
  switch (fill(column)) {
    case TrendFill::Separator:
      return "";
    case TrendFill::Value:
      return row == 0 ? "00" : "●";
    case TrendFill::Text:
      break;
  }
  if (column == 0) return row == 0 ? "记录期号" : "2001001";
  if (row == 0) return "开奖号码";
  return kind_ == AttributeKind::Number ? "00" : "000000";
}

std::string TrendTableText(const TrendTable& table) {
  std::string out;
  const int cols = table.columnCount();
  for (int r = 0; r < table.rowCount(); ++r) {
    for (int c = 0; c < cols; ++c) {
      if (table.fill(c) == TrendFill::Separator) continue;
      if (c > 0) out += '\t';
      out += table.text(r, c);
    }
    out += '\n';
  }
  return out;
}

}  // namespace tavrin
