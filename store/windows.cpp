#include "app/windows.h"

#include "store/u_data.h"
#include "store/u_download2.h"

namespace tavrin {

QWidget* CreateTfrmdata(QWidget* parent) { return new Tfrmdata(parent); }
QWidget* CreateTfrmdownload2(QWidget* parent) { return new Tfrmdownload2(parent); }

}  // namespace tavrin
