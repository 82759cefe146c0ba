#pragma once
// The two placement rules of the draw data window, kept apart from the
// window so that they can be checked with plain numbers.

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

}  // namespace tavrin::store
