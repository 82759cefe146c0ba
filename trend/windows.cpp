#include "app/windows.h"

namespace tavrin {

QWidget* CreateTrendWindow(int, QWidget*) { return nullptr; }

}  // namespace tavrin
