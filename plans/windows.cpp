#include "app/windows.h"

#include "plans/u_gudingjihua.h"
#include "plans/u_jieduanjihua.h"
#include "plans/u_keibianjihua.h"

namespace tavrin {

QWidget* CreateTfrmgudingjihua(QWidget* parent) { return new Tfrmgudingjihua(parent); }
QWidget* CreateTfrmjieduanjihua(QWidget* parent) { return new Tfrmjieduanjihua(parent); }
QWidget* CreateTfrmkeibianjihua(QWidget* parent) { return new Tfrmkeibianjihua(parent); }

}  // namespace tavrin
