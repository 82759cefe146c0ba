#include "trend/u_fangwei.h"

namespace tavrin {

Tfrmfangwei::Tfrmfangwei(QWidget* parent) : TrendWindow(AttributeKind::Direction, "frmfangwei", parent) {}

}  // namespace tavrin
