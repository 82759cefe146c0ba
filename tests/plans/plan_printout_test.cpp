#include "plans/plan_printout.h"

#include <gtest/gtest.h>

namespace tavrin::plans {
namespace {

using print::RecordingPageWriter;

// An A4 page at 600 dpi, as many printers give it.
constexpr int kPw = 4760;
constexpr int kPh = 6779;

PlanTable Rows(PlanKind kind, int count) {
  if (kind != PlanKind::Variable) return FixedPlan({0, 10, 16, 1000, count});
  VariablePlan v;
  for (int i = 0; i < count; ++i) v.add(8, 0, 10, 1000, count, "");
  return v.table();
}

TEST(PlanPrintout, DateAndHeaderLines) {
  EXPECT_EQ(print::PrintDate(2024, 3, 5), "2024-3-5");
  EXPECT_EQ(print::PrintDate(2008, 12, 15), "2008-12-15");
  EXPECT_EQ(PrintHeaderLine(PlanKind::Fixed, {"0", "10", "16", "1000", "80"}, "2024-3-5"),
            "前期亏损:0  预测利润:10  单倍投入:16  单注奖金:1000  投注天数:80  打印日期:2024-3-5");
  EXPECT_EQ(PrintHeaderLine(PlanKind::Stage, {"0", "10", "16", "1000", "80", "10"}, "2024-3-5"),
            "前期亏损:0 预测利润:10 单倍投入:16 单注奖金:1000 投注天数:80 阶段次数:10 打印日期:2024-3-5");
  EXPECT_EQ(PrintHeaderLine(PlanKind::Variable, {"0", "10", "16", "1000", "80", "8"}, "2024-3-5"),
            "前期亏损:0 预测利润:10 单倍投入:16 单注奖金:1000 投注天数:80 本期注数:8 打印日期:2024-3-5");
}

struct Geometry {
  PlanKind kind;
  int columns, titleShift, cellShift, ruleRight, footerX;
};

class PlanPrintoutGeometry : public ::testing::TestWithParam<Geometry> {};

// 26 rows: two pages, row 26 alone in slot 1 of page 2.
TEST_P(PlanPrintoutGeometry, TwentySixRowsAtTheirCoordinates) {
  const Geometry g = GetParam();
  const PlanTable table = Rows(g.kind, 26);
  RecordingPageWriter out(kPw, kPh, 40);
  const std::vector<std::string> inputs = {"0", "10", "16", "1000", "26", "8"};
  PrintPlan(out, g.kind, inputs, table, "2024-3-5");

  EXPECT_TRUE(out.begun && out.ended);
  EXPECT_EQ(out.pages, 2);
  const int x0 = kPw / 13;  // 366

  // Title centred with its own font, first page only.
  const std::string title = PrintTitle(g.kind);
  const auto* t = out.find(title);
  ASSERT_TRUE(t);
  EXPECT_EQ(t->page, 1);
  EXPECT_EQ(t->x, (kPw - 7 * 40) / 2);
  EXPECT_EQ(t->y, kPh / 29 - 50);
  EXPECT_EQ(t->font, (print::FontSpec{"录书", 18, true, true}));
  EXPECT_EQ(out.texts[1].text.rfind("前期亏损:0 ", 0), 0u);
  EXPECT_NE(out.texts[1].text.find("投注天数:26 "), std::string::npos);
  EXPECT_EQ(out.texts[1].x, kPw / 12);
  EXPECT_EQ(out.texts[1].y, kPh * 2 / 29 - 20);
  EXPECT_EQ(out.texts[1].font, (print::FontSpec{"宋体", 10, false, false}));

  for (int page = 1; page <= 2; ++page) {
    std::vector<RecordingPageWriter::Line> lines;
    for (const auto& l : out.lines)
      if (l.page == page) lines.push_back(l);
    ASSERT_EQ(lines.size(), 27u + g.columns + 1u);
    for (int k = 0; k <= 26; ++k) {
      const int y = (k + 3) * kPh / 29 - 120;
      EXPECT_EQ(lines[k].x1, x0);
      EXPECT_EQ(lines[k].x2, x0 + g.ruleRight);
      EXPECT_EQ(lines[k].y1, y);
      EXPECT_EQ(lines[k].y2, y);
    }
    for (int i = 0; i <= g.columns; ++i) {
      const auto& l = lines[27 + i];
      EXPECT_EQ(l.x1, x0 + i * kPw * 9 / 10 / g.columns);
      EXPECT_EQ(l.x2, l.x1);
      EXPECT_EQ(l.y1, kPh * 3 / 29 - 120);
      EXPECT_EQ(l.y2, kPh - 120);
    }
    const auto texts = out.textsOn(page);
    const std::size_t skip = page == 1 ? 2 : 0;  // title and header line
    // Column titles on every page.
    EXPECT_EQ(texts[skip].text, "投注期号");
    EXPECT_EQ(texts[skip].x, x0 + g.titleShift);
    EXPECT_EQ(texts[skip].y, kPh * 3 / 30);
    EXPECT_EQ(texts[skip + g.columns - 1].text, "当期利润率(%)");
    EXPECT_EQ(texts[skip + g.columns - 1].x, x0 + (g.columns - 1) * kPw * 9 / 10 / g.columns + g.titleShift);
    // Footer last.
    EXPECT_EQ(texts.back().text, "共2页\\第" + std::to_string(page) + "页");
    EXPECT_EQ(texts.back().x, g.footerX);
    EXPECT_EQ(texts.back().y, kPh * 28 / 29 + 130);
    const std::size_t rows = page == 1 ? 25 : 1;
    EXPECT_EQ(texts.size(), skip + g.columns + rows * g.columns + 1);
  }

  // Row 25 in slot 25 of page 1, row 26 in slot 1 of page 2.
  auto cell = [&](int page, int index) { return out.textsOn(page)[static_cast<std::size_t>(index)]; };
  const int firstCell1 = 2 + g.columns;
  const auto row25 = cell(1, firstCell1 + 24 * g.columns);
  EXPECT_EQ(row25.text, "25");
  EXPECT_EQ(row25.x, x0 + g.cellShift);
  EXPECT_EQ(row25.y, (25 + 3) * kPh / 29);
  const auto row26 = cell(2, g.columns);
  EXPECT_EQ(row26.text, "26");
  EXPECT_EQ(row26.x, x0 + g.cellShift);
  EXPECT_EQ(row26.y, (1 + 3) * kPh / 29);
  // Its last cell is the profit rate of row 26.
  const auto rate26 = cell(2, 2 * g.columns - 1);
  EXPECT_EQ(rate26.text, std::to_string(table.rows[25].rate));
  EXPECT_EQ(rate26.x, x0 + (g.columns - 1) * kPw * 9 / 10 / g.columns + g.cellShift);
}

INSTANTIATE_TEST_SUITE_P(
    Plans, PlanPrintoutGeometry,
    ::testing::Values(Geometry{PlanKind::Fixed, 7, 100, 220, kPw * 63 / 10 / 7, kPw * 7 / 10 + 800},
                      Geometry{PlanKind::Variable, 8, 80, 180, kPw * 72 / 10 / 8, kPw * 8 / 10 + 350}));

TEST(PlanPrintout, TwentyFiveRowsFitOnePage) {
  RecordingPageWriter out(kPw, kPh);
  PrintPlan(out, PlanKind::Stage, {"0", "10", "16", "1000", "25", "5"}, Rows(PlanKind::Stage, 25), "2024-3-5");
  EXPECT_EQ(out.pages, 1);
  EXPECT_TRUE(out.find("共1页\\第1页"));
  EXPECT_TRUE(out.find("阶段投资计划表"));
}

}  // namespace
}  // namespace tavrin::plans
