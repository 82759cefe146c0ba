#include "trend/u_code.h"

namespace tavrin {

Tfrmcode::Tfrmcode(QWidget* parent) : TrendWindow(AttributeKind::Number, "frmcode", parent) {}

}  // namespace tavrin
