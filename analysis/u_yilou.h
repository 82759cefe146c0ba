#pragma once
// 中奖回补分析选号: rates each value by a long cold spell followed by quick
// returns.

#include "analysis/statistics_window.h"

namespace tavrin {

class Tfrmyilou final : public analysis::StatisticsWindow {
  Q_OBJECT
 public:
  explicit Tfrmyilou(QWidget* parent = nullptr);
};

}  // namespace tavrin
