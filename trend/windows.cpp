#include "app/windows.h"

#include "trend/u_code.h"
#include "trend/u_fangwei.h"
#include "trend/u_jijie.h"
#include "trend/u_shengxiao.h"

namespace tavrin {

QWidget* CreateTrendWindow(int tabIndex, QWidget* parent) {
  switch (tabIndex) {
    case 0:
      return new Tfrmcode(parent);
    case 1:
      return new Tfrmshengxiao(parent);
    case 2:
      return new Tfrmjijie(parent);
    case 3:
      return new Tfrmfangwei(parent);
    default:
      return nullptr;
  }
}

}  // namespace tavrin
