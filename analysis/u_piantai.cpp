#include "analysis/u_piantai.h"

namespace tavrin {

Tfrmpiantai::Tfrmpiantai(QWidget* parent) : StatisticsWindow(analysis::StatisticsMode::Skew, parent) {
  setObjectName(QStringLiteral("frmpiantai"));
}

}  // namespace tavrin
