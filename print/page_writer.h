#pragma once
// The page writer: what a print-out needs from a printer, in device pixels.
// Layouts draw through it; the real one prints, the recording one lets tests
// read back every coordinate. Texts are UTF-8.

#include <string>
#include <vector>

namespace tavrin::print {

struct FontSpec {
  std::string family;
  int points = 10;
  bool bold = false;
  bool italic = false;
  bool operator==(const FontSpec&) const = default;
};

// The fonts every print-out of the program uses: the title, and all other text.
inline const FontSpec kTitleFont{"录书", 18, true, true};
inline const FontSpec kBodyFont{"宋体", 10, false, false};

// Dates on print-outs read like 2024-3-5: no leading zeros.
std::string PrintDate(int year, int month, int day);

class PageWriter {
 public:
  virtual ~PageWriter() = default;
  // Starts the job; the first page is open afterwards.
  virtual void beginDoc() = 0;
  virtual void endDoc() = 0;
  virtual void newPage() = 0;
  // The printable page in device pixels.
  virtual int pageWidth() const = 0;
  virtual int pageHeight() const = 0;
  // Points at the printer's vertical resolution.
  virtual void setFont(const FontSpec& font) = 0;
  virtual int textWidth(const std::string& text) = 0;
  // (x, y) is the top-left corner of the text, as a printer's text-out takes it.
  virtual void textOut(int x, int y, const std::string& text) = 0;
  virtual void line(int x1, int y1, int x2, int y2) = 0;
};

// Keeps every call, for tests and for measuring a layout without a printer.
class RecordingPageWriter final : public PageWriter {
 public:
  struct Text {
    int page;
    int x, y;
    std::string text;
    FontSpec font;
  };
  struct Line {
    int page;
    int x1, y1, x2, y2;
  };

  // Text widths are faked as widthPerChar pixels a character (UTF-8 aware).
  RecordingPageWriter(int pageWidth, int pageHeight, int widthPerChar = 50);

  void beginDoc() override;
  void endDoc() override;
  void newPage() override;
  int pageWidth() const override { return width_; }
  int pageHeight() const override { return height_; }
  void setFont(const FontSpec& font) override { font_ = font; }
  int textWidth(const std::string& text) override;
  void textOut(int x, int y, const std::string& text) override;
  void line(int x1, int y1, int x2, int y2) override;

  std::vector<Text> texts;
  std::vector<Line> lines;
  int pages = 0;  // pages begun
  bool begun = false;
  bool ended = false;

  // The texts of one page, in the order written.
  std::vector<Text> textsOn(int page) const;
  const Text* find(const std::string& text, int page = 0) const;  // page 0: any

 private:
  int width_, height_, perChar_;
  FontSpec font_;
};

}  // namespace tavrin::print
