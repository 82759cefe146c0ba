#include "app/windows.h"

#include "analysis/u_piantai.h"
#include "analysis/u_qingmi.h"
#include "analysis/u_sep.h"
#include "analysis/u_yilou.h"

namespace tavrin {

QWidget* CreateTfrmpiantai(QWidget* parent) { return new Tfrmpiantai(parent); }
QWidget* CreateTfrmyilou(QWidget* parent) { return new Tfrmyilou(parent); }
QWidget* CreateTfrmsep(QWidget* parent) { return new Tfrmsep(parent); }
QWidget* CreateTfrmqingmi(QWidget* parent) { return new Tfrmqingmi(parent); }

}  // namespace tavrin
