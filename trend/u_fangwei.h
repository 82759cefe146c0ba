#pragma once
// 开奖方位走势: the trend window of the directions.

#include "trend/trend_window.h"

namespace tavrin {

class Tfrmfangwei final : public TrendWindow {
  Q_OBJECT
 public:
  explicit Tfrmfangwei(QWidget* parent = nullptr);
};

}  // namespace tavrin
