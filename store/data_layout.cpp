#include "store/data_layout.h"

#include <algorithm>

namespace tavrin::store {

ButtonPlace AddButtonPlace(int navigatorLeft, int navigatorTop, int navigatorWidth) {
  return {navigatorWidth * 4 / 10 + navigatorLeft, navigatorTop, navigatorWidth / 10};
}

int FieldDisplayChars(int gridClientWidth, int zeroWidth, int fields) {
  if (zeroWidth <= 0 || fields <= 0) return 0;
  // Integer divisions, as the columns have always been sized; a grid too
  // narrow for the margin gives no room rather than a negative width.
  const int chars = (gridClientWidth - 40) / zeroWidth / fields;
  return chars > 0 ? chars : 0;
}

int ColumnPixels(int chars, int zeroWidth) {
  // Two pixels of padding on each side of the text.
  return chars * zeroWidth + 4;
}

std::vector<int> ColumnWidths(int gridClientWidth, int viewportWidth, int zeroWidth, int fields) {
  if (fields <= 0) return {};
  const int even = ColumnPixels(FieldDisplayChars(gridClientWidth, zeroWidth, fields), zeroWidth);
  std::vector<int> widths(static_cast<std::size_t>(fields), even);
  widths.front() = std::max(70, even);
  if (fields == 1) return widths;
  widths.back() = std::max(ColumnPixels(10, zeroWidth), even);
  const int numbers = fields - 2;
  if (numbers == 0) return widths;
  const int share = (viewportWidth - widths.front() - widths.back()) / numbers;
  const int number = std::max(ColumnPixels(2, zeroWidth), std::min(even, share));
  std::fill(widths.begin() + 1, widths.end() - 1, number);
  return widths;
}

}  // namespace tavrin::store
