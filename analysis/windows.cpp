#include "app/windows.h"

namespace tavrin {

QWidget* CreateTfrmpiantai(QWidget*) { return nullptr; }
QWidget* CreateTfrmyilou(QWidget*) { return nullptr; }
QWidget* CreateTfrmsep(QWidget*) { return nullptr; }
QWidget* CreateTfrmqingmi(QWidget*) { return nullptr; }

}  // namespace tavrin
