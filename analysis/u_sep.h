#pragma once
// 最优间隔回补选号: bets on the values whose gap since their last draw is
// the interval least often seen among the latest draws.

#include "analysis/interval_rebound.h"
#include "analysis/selection_window.h"

namespace tavrin {

class Tfrmsep final : public analysis::SelectionWindow {
  Q_OBJECT
 public:
  explicit Tfrmsep(QWidget* parent = nullptr);

  QComboBox* comqishu;
  QComboBox* comcodenum;

  void FormCreate();
  void btngenClick() override;
  void comqishuChange();
  void comcodenumChange();

  int intervalCount() const { return I_; }
  analysis::IntervalSettings settings() const;

 protected:
  analysis::SelectionHistory computeStatistics() const override;
  std::vector<std::string> pickItems(AttributeKind kind) const override;
  std::optional<std::string> pickError(int picks) const override;

 private:
  int I_ = 5;
};

}  // namespace tavrin
