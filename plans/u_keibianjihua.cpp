#include "plans/u_keibianjihua.h"

#include <QLineEdit>
#include <QPushButton>

#include "app/guard.h"

namespace tavrin {

using namespace plans;

namespace {
const QString kNew = QStringLiteral("新建");
const QString kCancel = QStringLiteral("取消保存");
}  // namespace

Tfrmkeibianjihua::Tfrmkeibianjihua(QWidget* parent)
    : PlanWindow(PlanKind::Variable, QStringLiteral("可变投资计划"), parent) {
  edtjushu = addInput("edtjushu", QStringLiteral("本期注数："), QStringLiteral("8"));
  btnnew = addButton("btnnew", kNew);
  btnjisuan = addButton("btnjisuan", QStringLiteral("添加本期计划"));
  finishLayout();
  setDefaultButton(btnload);
  connect(btnnew, &QPushButton::clicked, this, guarded([this] { btnnewClick(); }));
  connect(btnjisuan, &QPushButton::clicked, this, guarded([this] { btnjisuanClick(); }));
  FormCreate();
}

void Tfrmkeibianjihua::FormCreate() { btnjisuan->setEnabled(false); }

void Tfrmkeibianjihua::btnnewClick() {
  plan_ = VariablePlan();
  showTable(plan_.table());
  if (btnnew->text() == kNew) {
    btnnew->setText(kCancel);
    btnload->setEnabled(false);
    btnprint->setEnabled(false);
    btnclose->setEnabled(false);
    btnjisuan->setEnabled(true);
  } else {
    btnnew->setText(kNew);
    btnjisuan->setEnabled(false);
    for (QPushButton* b : {btnsave, btnload, btnprint, btnclose}) b->setEnabled(true);
  }
}

void Tfrmkeibianjihua::btnjisuanClick() {
  const Money draws = readInteger(edtdays);
  if (static_cast<Money>(plan_.size()) >= draws) {
    tell("投资期限已满" + edtdays->text().toStdString() + "天!");
    return;
  }
  // Every input is read before the plan changes, so a bad one leaves the
  // plan where it was.
  const Money bets = readInteger(edtjushu);
  const Money loss = readInteger(edtprekui);
  const Money profit = readInteger(edtlirun);
  readInteger(edtinofsin);  // shown and saved only, but it must be a number
  const Money prize = readInteger(edtoutofsin);
  refusing([&] {
    const PlanRow& row = plan_.add(bets, loss, profit, prize, draws, edtdays->text().toStdString());
    appendRow(row);
    showAverage(AverageNet(plan_.table()));
  });
}

void Tfrmkeibianjihua::loaded(const LoadedPlan& plan) {
  plan_ = VariablePlan(plan.table);
  if (plan.error) throw ConversionError(*plan.error);
  showAverage(AverageNet(plan.table));
  btnnew->setText(kCancel);
  btnjisuan->setEnabled(true);
}

void Tfrmkeibianjihua::saved() {
  btnnew->setText(kNew);
  for (QPushButton* b : {btnload, btnprint, btnclose}) b->setEnabled(true);
}

}  // namespace tavrin
