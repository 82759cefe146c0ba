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
