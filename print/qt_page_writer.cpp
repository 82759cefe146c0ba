#include "print/qt_page_writer.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPrinter>
#include <algorithm>
#include <stdexcept>

namespace tavrin::print {

namespace {

QString Text(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

void CheckPrinter(QPagedPaintDevice& device) {
  if (auto* p = dynamic_cast<QPrinter*>(&device); p && p->printerState() == QPrinter::Error)
    throw std::runtime_error("打印机出错");
}

}  // namespace

QtPageWriter::QtPageWriter(QPagedPaintDevice& device) : device_(device) {}

QtPageWriter::~QtPageWriter() {
  // A job abandoned by an error still closes its device.
  if (painter_.isActive()) painter_.end();
}

QString QtPageWriter::resolvedFamily(const QString& family) {
  const QStringList installed = QFontDatabase::families();
  if (installed.contains(family)) return family;
  for (const QString& s : QFont::substitutes(family))
    if (installed.contains(s)) return family;  // the substitution takes it there
  const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
  return chinese.isEmpty() ? family : chinese.front();
}

void QtPageWriter::beginDoc() {
  if (!painter_.begin(&device_)) throw std::runtime_error("无法开始打印");
  CheckPrinter(device_);
}

void QtPageWriter::endDoc() {
  if (!painter_.end()) throw std::runtime_error("无法结束打印");
  CheckPrinter(device_);
}

void QtPageWriter::newPage() {
  if (!device_.newPage()) throw std::runtime_error("无法换页");
  CheckPrinter(device_);
}

int QtPageWriter::pageWidth() const { return device_.width(); }
int QtPageWriter::pageHeight() const { return device_.height(); }

void QtPageWriter::setFont(const FontSpec& font) {
  QFont f(resolvedFamily(Text(font.family)));
  // Points at the printer's own vertical resolution, as the layouts assume.
  const int dpi = device_.logicalDpiY();
  f.setPixelSize(std::max(1, (font.points * dpi + 36) / 72));
  f.setBold(font.bold);
  f.setItalic(font.italic);
  font_ = f;
  painter_.setFont(font_);
}

int QtPageWriter::textWidth(const std::string& text) {
  return QFontMetrics(font_, &device_).horizontalAdvance(Text(text));
}

void QtPageWriter::textOut(int x, int y, const std::string& text) {
  // QPainter places text on its baseline; the layouts give the top.
  const QFontMetrics fm(font_, &device_);
  painter_.drawText(x, y + fm.ascent(), Text(text));
}

void QtPageWriter::line(int x1, int y1, int x2, int y2) { painter_.drawLine(x1, y1, x2, y2); }

}  // namespace tavrin::print
