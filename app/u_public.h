#pragma once
// What every window shares about the lottery being worked on: the program's
// folders and the state of the open lottery, read-only. The lottery session
// (store/lottery_session.h) is the one writer.

#include <QString>

#include "base/paths.h"

namespace tavrin {

struct CurrentLotteryState {
  QString name;
  int type = 0;
  QString drawTime;
  QString drawWeekdays;
  // Of the grouping the trend window shown works in: 36, 12, 4 or 4, and 1.
  int valueCount = 0;
  int valuesPerDraw = 0;
  bool open = false;
  int recordCount = 0;
  bool hasDraws = false;
};

const CurrentLotteryState& CurrentLottery();

namespace detail {
// For the lottery session only.
CurrentLotteryState& WritableCurrentLottery();
}  // namespace detail

}  // namespace tavrin
