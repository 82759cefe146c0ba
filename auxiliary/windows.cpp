#include "app/windows.h"

#include "auxiliary/u_about.h"
#include "auxiliary/u_flash.h"

namespace tavrin {

QWidget* CreateTfrmabout(QWidget* parent) { return new Tfrmabout(parent); }

bool RunSplash() {
  Tfrmflash frmflash;
  frmflash.exec();
  return true;
}

}  // namespace tavrin
