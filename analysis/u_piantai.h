#pragma once
// 中奖偏态分析选号: rates each value by how far its hits lag behind chance.

#include "analysis/statistics_window.h"

namespace tavrin {

class Tfrmpiantai final : public analysis::StatisticsWindow {
  Q_OBJECT
 public:
  explicit Tfrmpiantai(QWidget* parent = nullptr);
};

}  // namespace tavrin
