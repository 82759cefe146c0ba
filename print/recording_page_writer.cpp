#include <stdexcept>

#include "print/page_writer.h"

namespace tavrin::print {

std::string PrintDate(int year, int month, int day) {
  return std::to_string(year) + "-" + std::to_string(month) + "-" + std::to_string(day);
}

RecordingPageWriter::RecordingPageWriter(int pageWidth, int pageHeight, int widthPerChar)
    : width_(pageWidth), height_(pageHeight), perChar_(widthPerChar) {}

void RecordingPageWriter::beginDoc() {
  if (begun) throw std::logic_error("print job begun twice");
  begun = true;
  pages = 1;
}

void RecordingPageWriter::endDoc() {
  if (!begun || ended) throw std::logic_error("print job ended without being begun");
  ended = true;
}

void RecordingPageWriter::newPage() {
  if (!begun || ended) throw std::logic_error("new page outside a print job");
  ++pages;
}

int RecordingPageWriter::textWidth(const std::string& text) {
  int chars = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++chars;
  return chars * perChar_;
}

void RecordingPageWriter::textOut(int x, int y, const std::string& text) {
  if (!begun || ended) throw std::logic_error("text outside a print job");
  texts.push_back({pages, x, y, text, font_});
}

void RecordingPageWriter::line(int x1, int y1, int x2, int y2) {
  if (!begun || ended) throw std::logic_error("line outside a print job");
  lines.push_back({pages, x1, y1, x2, y2});
}

std::vector<RecordingPageWriter::Text> RecordingPageWriter::textsOn(int page) const {
  std::vector<Text> out;
  for (const Text& t : texts)
    if (t.page == page) out.push_back(t);
  return out;
}

const RecordingPageWriter::Text* RecordingPageWriter::find(const std::string& text, int page) const {
  for (const Text& t : texts)
    if (t.text == text && (page == 0 || t.page == page)) return &t;
  return nullptr;
}

}  // namespace tavrin::print
