#include "store/data_layout.h"

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

}  // namespace tavrin::store
