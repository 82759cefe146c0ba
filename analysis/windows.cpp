#include "app/windows.h"

#include "analysis/u_piantai.h"
#include "analysis/u_yilou.h"

namespace tavrin {

QWidget* CreateTfrmpiantai(QWidget* parent) { return new Tfrmpiantai(parent); }
QWidget* CreateTfrmyilou(QWidget* parent) { return new Tfrmyilou(parent); }
QWidget* CreateTfrmsep(QWidget*) { return nullptr; }
QWidget* CreateTfrmqingmi(QWidget*) { return nullptr; }

}  // namespace tavrin
