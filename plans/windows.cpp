#include "app/windows.h"

namespace tavrin {

QWidget* CreateTfrmgudingjihua(QWidget*) { return nullptr; }
QWidget* CreateTfrmjieduanjihua(QWidget*) { return nullptr; }
QWidget* CreateTfrmkeibianjihua(QWidget*) { return nullptr; }

}  // namespace tavrin
