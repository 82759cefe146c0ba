#pragma once
// The stage plan: the fixed plan with the multiple changed only between
// stages of equal length.

#include "plans/plan_window.h"

namespace tavrin {

class Tfrmjieduanjihua final : public PlanWindow {
  Q_OBJECT
 public:
  explicit Tfrmjieduanjihua(QWidget* parent = nullptr);

  QLineEdit* edtjieduan = nullptr;
  QPushButton* btnala = nullptr;
  void btnalaClick();

 protected:
  void loaded(const plans::LoadedPlan& plan) override;
};

}  // namespace tavrin
