#pragma once
// 开奖号码走势: the trend window of the numbers.

#include "trend/trend_window.h"

namespace tavrin {

class Tfrmcode final : public TrendWindow {
  Q_OBJECT
 public:
  explicit Tfrmcode(QWidget* parent = nullptr);
};

}  // namespace tavrin
