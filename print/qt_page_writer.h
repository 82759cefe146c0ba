#pragma once
// The page writer on a real printer (or any paged device, a PDF writer
// included) through QPainter. Every failure throws std::runtime_error.

#include <QFont>
#include <QPainter>

#include "print/page_writer.h"

class QPagedPaintDevice;

namespace tavrin::print {

class QtPageWriter final : public PageWriter {
 public:
  explicit QtPageWriter(QPagedPaintDevice& device);
  ~QtPageWriter() override;

  void beginDoc() override;
  void endDoc() override;
  void newPage() override;
  int pageWidth() const override;
  int pageHeight() const override;
  void setFont(const FontSpec& font) override;
  int textWidth(const std::string& text) override;
  void textOut(int x, int y, const std::string& text) override;
  void line(int x1, int y1, int x2, int y2) override;

  // The family a print-out font resolves to: itself when installed or
  // substituted, else an installed Chinese font, so that Chinese text never
  // prints as empty boxes.
  static QString resolvedFamily(const QString& family);

 private:
  QPagedPaintDevice& device_;
  QPainter painter_;
  QFont font_;
};

}  // namespace tavrin::print
