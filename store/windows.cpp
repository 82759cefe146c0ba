#include "app/windows.h"

namespace tavrin {

QWidget* CreateTfrmdata(QWidget*) { return nullptr; }
QWidget* CreateTfrmdownload2(QWidget*) { return nullptr; }

}  // namespace tavrin
