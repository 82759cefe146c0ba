#include "plans/u_gudingjihua.h"

#include <QPushButton>

#include "app/guard.h"

namespace tavrin {

using namespace plans;

Tfrmgudingjihua::Tfrmgudingjihua(QWidget* parent)
    : PlanWindow(PlanKind::Fixed, QStringLiteral("固定计划投资"), parent) {
  btnala = addButton("btnala", QStringLiteral("生成计划"));
  setDefaultButton(btnala);
  finishLayout();
  connect(btnala, &QPushButton::clicked, this, guarded([this] { btnalaClick(); }));
}

void Tfrmgudingjihua::btnalaClick() {
  const PlanInputs in = readInputs();
  refusing([&] {
    const PlanTable t = FixedPlan(in);
    showTable(t);
    showAverage(AverageNet(t));
  });
}

void Tfrmgudingjihua::loaded(const LoadedPlan& plan) {
  // A damaged line ends the rows; what came before it is kept and counted.
  if (plan.error) tell(std::to_string(plan.table.rows.size()));
  showAverage(AverageNet(plan.table));
}

}  // namespace tavrin
