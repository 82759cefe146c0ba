#pragma once
// One print job as every print-out of the program runs it: the print dialog
// (cancel prints nothing), then the layout on the chosen printer. Any failure
// on the way, a missing printer included, shows "请安装打印机！" with the error
// icon and abandons the job.

#include <functional>
#include <string>

#include "print/page_writer.h"

class QWidget;

namespace tavrin::print {

// Today in the print-outs' form.
std::string TodayText();

// Returns true when the job was printed.
bool RunPrintJob(QWidget* owner, const std::function<void(PageWriter&)>& layout);

}  // namespace tavrin::print
