#include "analysis/u_yilou.h"

namespace tavrin {

Tfrmyilou::Tfrmyilou(QWidget* parent) : StatisticsWindow(analysis::StatisticsMode::Rebound, parent) {
  setObjectName(QStringLiteral("frmyilou"));
}

}  // namespace tavrin
