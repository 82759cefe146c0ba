#include "print/qt_page_writer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFontDatabase>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace tavrin::print {
namespace {

struct Word {
  double xMin, yMin, xMax, yMax;
  QString text;
};

// The words of page `page` with their boxes in points, as pdftotext sees them.
std::vector<Word> Words(const QString& pdf, int page) {
  QProcess pr;
  pr.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                                         QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
  pr.waitForFinished(30000);
  const QString html = QString::fromUtf8(pr.readAllStandardOutput());
  static const QRegularExpression re(
      QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
  std::vector<Word> out;
  for (auto it = re.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    out.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                   m.captured(4).toDouble(), m.captured(5)});
  }
  return out;
}

const Word* Find(const std::vector<Word>& words, const QString& text) {
  for (const Word& w : words)
    if (w.text == text) return &w;
  return nullptr;
}

class QtPageWriterPdf : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) GTEST_SKIP() << "pdftotext missing";
    pdf = dir.path() + QStringLiteral("/out.pdf");
  }
  QTemporaryDir dir;
  QString pdf;
};

// Texts are placed by their top-left corner in device pixels, fonts sized in
// points, pages broken where asked.
TEST_F(QtPageWriterPdf, PlacesTextByItsTopLeftCorner) {
  int width = 0, pw = 0, ph = 0;
  {
    QPdfWriter device(pdf);
    device.setResolution(600);
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageMargins(QMarginsF(0, 0, 0, 0));
    QtPageWriter out(device);
    out.beginDoc();
    pw = out.pageWidth();
    ph = out.pageHeight();
    out.setFont({"宋体", 10, false, false});
    width = out.textWidth("定位测试");
    out.textOut(600, 1200, "定位测试");
    out.line(600, 1100, 2400, 1100);
    out.newPage();
    out.setFont({"录书", 18, true, true});
    out.textOut(1200, 600, "第二页");
    out.endDoc();
  }
  // A4 at 600 dpi, no margins.
  EXPECT_NEAR(pw, 4958, 3);
  EXPECT_NEAR(ph, 7016, 2);
  // 10 points at 600 dpi is 83 pixels; four CJK characters about as wide each.
  EXPECT_NEAR(width, 4 * 83, 20);

  const auto page1 = Words(pdf, 1);
  const Word* w = Find(page1, QStringLiteral("定位测试"));
  ASSERT_TRUE(w) << "words on page 1: " << page1.size();
  const double pt = 72.0 / 600.0;
  EXPECT_NEAR(w->xMin, 600 * pt, 2.0);
  // The top of the text box, not its baseline, sits at y = 1200.
  EXPECT_NEAR(w->yMin, 1200 * pt, 3.0);
  EXPECT_FALSE(Find(page1, QStringLiteral("第二页")));

  const auto page2 = Words(pdf, 2);
  const Word* big = Find(page2, QStringLiteral("第二页"));
  ASSERT_TRUE(big);
  // 18 points against 10.
  EXPECT_NEAR((big->yMax - big->yMin) / (w->yMax - w->yMin), 1.8, 0.15);
}

TEST(QtPageWriter, MissingPrintFontsFallBackToAChineseFont) {
  const QString fallback = QtPageWriter::resolvedFamily(QStringLiteral("没有这种字体"));
  if (QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty()) GTEST_SKIP() << "no Chinese font";
  EXPECT_TRUE(QFontDatabase::families(QFontDatabase::SimplifiedChinese).contains(fallback)) << fallback.toStdString();
  // An installed family stays as it is.
  const QString installed = QFontDatabase::families().front();
  EXPECT_EQ(QtPageWriter::resolvedFamily(installed), installed);
}

TEST(QtPageWriter, AJobThatCannotStartThrows) {
  QTemporaryDir dir;
  QPdfWriter device(dir.path() + QStringLiteral("/no/such/folder/out.pdf"));
  QtPageWriter out(device);
  EXPECT_THROW(out.beginDoc(), std::runtime_error);
}

}  // namespace
}  // namespace tavrin::print
