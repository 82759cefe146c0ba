#include "store/data_layout.h"

#include <gtest/gtest.h>

using namespace tavrin::store;

TEST(AddButtonPlace, SitsOverTheFifthOfTenButtons) {
  const struct {
    int left, top, width;
    ButtonPlace place;
  } cases[] = {
      {184, 300, 330, {316, 300, 33}},
      {0, 0, 240, {96, 0, 24}},
      // Integer divisions: 4 × 335 / 10 = 134, 335 / 10 = 33.
      {10, 5, 335, {144, 5, 33}},
      {7, 0, 9, {10, 0, 0}},
  };
  for (const auto& c : cases) {
    const ButtonPlace p = AddButtonPlace(c.left, c.top, c.width);
    EXPECT_EQ(p.left, c.place.left) << c.width;
    EXPECT_EQ(p.top, c.place.top) << c.width;
    EXPECT_EQ(p.width, c.place.width) << c.width;
  }
}

TEST(FieldDisplayChars, ShareTheClientWidthLessForty) {
  const struct {
    int client, zero, fields, chars;
  } cases[] = {
      {530, 7, 9, 7},                                   // (490 / 7) / 9 = 70 / 9
      {1000, 8, 9, 13}, {47, 7, 9, 0},  {30, 7, 9, 0},  // narrower than the margin: no room, not a negative width
      {530, 0, 9, 0},   {530, 7, 0, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(FieldDisplayChars(c.client, c.zero, c.fields), c.chars) << c.client;
  EXPECT_EQ(ColumnPixels(7, 7), 53);
}

TEST(ColumnWidths, EvenShareButNothingCutOff) {
  using W = std::vector<int>;
  const struct {
    int client, viewport, fields;
    W widths;
  } cases[] = {
      // The window's first size: issue and date keep what they show, the numbers share the rest.
      {369, 351, 9, W{70, 29, 29, 29, 29, 29, 29, 29, 74}},
      // Wide: the even share for every column.
      {1018, 1000, 9, W(9, 109)},
      // Too narrow for anything: two digits stay, the grid scrolls sideways.
      {200, 182, 9, W{70, 18, 18, 18, 18, 18, 18, 18, 74}},
      {369, 351, 2, W{165, 165}},
      {369, 351, 1, W{333}},
      {369, 351, 0, W{}},
  };
  for (const auto& c : cases) EXPECT_EQ(ColumnWidths(c.client, c.viewport, 7, c.fields), c.widths) << c.client;
}
