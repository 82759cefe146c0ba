#pragma once
// 开奖生肖走势: the trend window of the zodiac signs.

#include "trend/trend_window.h"

namespace tavrin {

class Tfrmshengxiao final : public TrendWindow {
  Q_OBJECT
 public:
  explicit Tfrmshengxiao(QWidget* parent = nullptr);
};

}  // namespace tavrin
