#include "app/windows.h"

namespace tavrin {

QString NotBuiltText(const QString& windowCaption) {
  return QStringLiteral("“%1”功能尚未完成，请等待后续版本。").arg(windowCaption);
}

}  // namespace tavrin
