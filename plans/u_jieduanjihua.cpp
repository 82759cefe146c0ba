#include "plans/u_jieduanjihua.h"

#include <QPushButton>

#include "app/guard.h"

namespace tavrin {

using namespace plans;

Tfrmjieduanjihua::Tfrmjieduanjihua(QWidget* parent)
    : PlanWindow(PlanKind::Stage, QStringLiteral("阶段计划投资"), parent) {
  edtjieduan = addInput("edtjieduan", QStringLiteral("阶段次数："), QStringLiteral("10"));
  btnala = addButton("btnala", QStringLiteral("生成计划"));
  setDefaultButton(btnala);
  finishLayout();
  connect(btnala, &QPushButton::clicked, this, guarded([this] { btnalaClick(); }));
}

void Tfrmjieduanjihua::btnalaClick() {
  const PlanInputs in = readInputs();
  const Money stages = readInteger(edtjieduan);
  refusing([&] {
    const PlanTable t = StagePlan(in, stages);
    showTable(t);
    showAverage(AverageNet(t));
  });
}

void Tfrmjieduanjihua::loaded(const LoadedPlan& plan) {
  // The rows before a damaged line stay on screen; the error ends the load.
  if (plan.error) throw ConversionError(*plan.error);
  showAverage(AverageNet(plan.table));
}

}  // namespace tavrin
