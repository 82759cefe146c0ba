#include "app/background_work.h"

#include <QObject>

namespace tavrin {

void StopBackgroundWork(QObject* w) {
  if (auto* b = dynamic_cast<BackgroundWork*>(w)) b->stopBackgroundWork();
}

}  // namespace tavrin
