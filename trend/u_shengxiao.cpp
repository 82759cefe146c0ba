#include "trend/u_shengxiao.h"

namespace tavrin {

Tfrmshengxiao::Tfrmshengxiao(QWidget* parent) : TrendWindow(AttributeKind::Zodiac, "frmshengxiao", parent) {}

}  // namespace tavrin
