#include "app/windows.h"

namespace tavrin {

QWidget* CreateTfrmabout(QWidget*) { return nullptr; }
bool RunSplash() { return false; }

}  // namespace tavrin
