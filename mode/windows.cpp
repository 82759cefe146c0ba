#include "app/windows.h"

namespace tavrin {

QWidget* CreateTfrmtozi(QWidget*) { return nullptr; }

}  // namespace tavrin
