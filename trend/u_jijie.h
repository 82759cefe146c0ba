#pragma once
// 开奖季节走势: the trend window of the seasons.

#include "trend/trend_window.h"

namespace tavrin {

class Tfrmjijie final : public TrendWindow {
  Q_OBJECT
 public:
  explicit Tfrmjijie(QWidget* parent = nullptr);
};

}  // namespace tavrin
