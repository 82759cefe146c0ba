#include "trend/u_jijie.h"

namespace tavrin {

Tfrmjijie::Tfrmjijie(QWidget* parent) : TrendWindow(AttributeKind::Season, "frmjijie", parent) {}

}  // namespace tavrin
