#include "app/guard.h"

#include <QString>

namespace tavrin {

void ReportException(const std::exception& e) { ShowErrorBox(QString::fromUtf8(e.what())); }

void ReportUnknownException() { ShowErrorBox(QStringLiteral("未知错误")); }

}  // namespace tavrin
