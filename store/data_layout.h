#pragma once
// The two placement rules of the draw data window, kept apart from the
// window so that they can be checked with plain numbers.

#include <vector>

namespace tavrin::store {

struct ButtonPlace {
  int left = 0;
  int top = 0;
  int width = 0;
};

// Where "+" goes: over the fifth of the navigator's ten equal buttons, the
// one that inserts, given the navigator's left, top and width.
ButtonPlace AddButtonPlace(int navigatorLeft, int navigatorTop, int navigatorWidth);

// How many characters wide each of fields columns is shown, so that they
// share the grid's client width (less 40 pixels for the row marker and the
// frame) evenly; zeroWidth is the pixel width of "0" in the grid's font.
int FieldDisplayChars(int gridClientWidth, int zeroWidth, int fields);

// The pixel width of a column that shows chars characters.
int ColumnPixels(int chars, int zeroWidth);

// The widths of the draw table's columns: the issue first, the date last
// (when there are at least two fields), the numbers between. Each column
// takes the even share above, but none is narrower than what it shows: the
// issue keeps 70 pixels, the date its ten characters, a number two digits;
// where the grid is too narrow for the even share, the numbers give up
// what the issue and the date need, so nothing is cut off and no scrolling
// sideways is needed while there is room.
std::vector<int> ColumnWidths(int gridClientWidth, int viewportWidth, int zeroWidth, int fields);

}  // namespace tavrin::store
