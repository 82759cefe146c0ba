#include "app/windows.h"

#include "mode/u_tozi.h"

namespace tavrin {

QWidget* CreateTfrmtozi(QWidget* parent) { return new Tfrmtozi(parent); }

}  // namespace tavrin
