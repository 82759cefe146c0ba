#pragma once
// The variable plan, built draw by draw while the user bets: each row's
// stake of one multiple is 2 units a bet for that draw's bet count.

#include "plans/plan_window.h"

namespace tavrin {

class Tfrmkeibianjihua final : public PlanWindow {
  Q_OBJECT
 public:
  explicit Tfrmkeibianjihua(QWidget* parent = nullptr);

  QLineEdit* edtjushu = nullptr;
  QPushButton* btnnew = nullptr;
  QPushButton* btnjisuan = nullptr;

  void FormCreate();
  void btnnewClick();
  void btnjisuanClick();

  // Rows in the current plan (n).
  std::size_t rowCounter() const { return plan_.size(); }

 protected:
  void loaded(const plans::LoadedPlan& plan) override;
  void saved() override;

 private:
  plans::VariablePlan plan_;
};

}  // namespace tavrin
