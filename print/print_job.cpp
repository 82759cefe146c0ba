#include "print/print_job.h"

#include <QDate>
#include <QPrinter>
#include <exception>

#include "app/prompts.h"
#include "print/qt_page_writer.h"

namespace tavrin::print {

namespace {
// The layouts' offsets are device pixels of a 600 dpi printer.
constexpr int kPrintDpi = 600;
}  // namespace

std::string TodayText() {
  const QDate d = QDate::currentDate();
  return PrintDate(d.year(), d.month(), d.day());
}

bool RunPrintJob(QWidget* owner, const std::function<void(PageWriter&)>& layout) {
  try {
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(kPrintDpi);
    if (!prompts().printDialog(owner, printer)) return false;
    printer.setResolution(kPrintDpi);
    QtPageWriter out(printer);
    layout(out);
    return true;
  } catch (const std::exception&) {
    ShowErrorBox(QStringLiteral("请安装打印机！"), owner);
  }
  return false;
}

}  // namespace tavrin::print
