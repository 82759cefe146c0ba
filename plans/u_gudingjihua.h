#pragma once
// The fixed plan: one stake for every draw, the multiple of each draw the
// smallest that recovers everything spent and leaves the wanted profit.

#include "plans/plan_window.h"

namespace tavrin {

class Tfrmgudingjihua final : public PlanWindow {
  Q_OBJECT
 public:
  explicit Tfrmgudingjihua(QWidget* parent = nullptr);

  QPushButton* btnala = nullptr;
  void btnalaClick();

 protected:
  void loaded(const plans::LoadedPlan& plan) override;
};

}  // namespace tavrin
