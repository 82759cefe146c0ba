#include "plans/plan_printout.h"

#include <algorithm>
#include <stdexcept>

namespace tavrin::plans {

namespace {

using print::kBodyFont;
using print::kTitleFont;

// Where the columns sit: the variable plan's eight are narrower and
// shifted less within their cells.
struct Geometry {
  int columns;
  int titleShift;  // column titles from the column's left rule
  int cellShift;   // cells likewise
};

Geometry GeometryOf(PlanKind kind) {
  if (kind == PlanKind::Variable) return {8, 80, 180};
  return {7, 100, 220};
}

int FooterX(PlanKind kind, int pw) { return kind == PlanKind::Variable ? pw * 8 / 10 + 350 : pw * 7 / 10 + 800; }

int RuleRight(PlanKind kind, int pw) { return kind == PlanKind::Variable ? pw * 72 / 10 / 8 : pw * 63 / 10 / 7; }

}  // namespace

const char* PrintTitle(PlanKind kind) {
  switch (kind) {
    case PlanKind::Fixed:
      return "固定投资计划表";
    case PlanKind::Stage:
      return "阶段投资计划表";
    case PlanKind::Variable:
      return "可变投资计划表";
  }
  return "";
}

std::string PrintHeaderLine(PlanKind kind, const std::vector<std::string>& inputs, const std::string& date) {
  std::vector<std::string> labels = {"前期亏损:", "预测利润:", "单倍投入:", "单注奖金:", "投注天数:"};
  if (kind == PlanKind::Stage) labels.push_back("阶段次数:");
  if (kind == PlanKind::Variable) labels.push_back("本期注数:");
  labels.push_back("打印日期:");
  // The fixed plan's line is shorter, so it spaces its labels wider.
  const std::string gap = kind == PlanKind::Fixed ? "  " : " ";
  std::string line;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    if (i > 0) line += gap;
    line += labels[i];
    if (i + 1 < labels.size())
      line += i < inputs.size() ? inputs[i] : std::string();
    else
      line += date;
  }
  return line;
}

void PrintPlan(print::PageWriter& out, PlanKind kind, const std::vector<std::string>& inputs, const PlanTable& table,
               const std::string& date) {
  if (table.rows.empty()) throw std::invalid_argument("nothing to print");
  const Geometry g = GeometryOf(kind);
  const std::vector<std::string>& titles = ColumnTitles(kind);

  out.beginDoc();
  const int pw = out.pageWidth();
  const int ph = out.pageHeight();

  out.setFont(kTitleFont);
  const std::string title = PrintTitle(kind);
  out.textOut((pw - out.textWidth(title)) / 2, ph / 29 - 50, title);

  out.setFont(kBodyFont);
  out.textOut(pw / 12, ph * 2 / 29 - 20, PrintHeaderLine(kind, inputs, date));

  const auto rows = static_cast<long long>(table.rows.size());
  const long long pages = rows / kRowsPerPage + (rows % kRowsPerPage != 0 ? 1 : 0);
  const int x0 = pw / 13;
  const auto q = [&](int i) { return static_cast<int>(static_cast<long long>(i) * pw * 9 / 10 / g.columns); };

  for (long long p = 1; p <= pages; ++p) {
    for (int k = 0; k <= 26; ++k) {
      const int y = static_cast<int>(static_cast<long long>(k + 3) * ph / 29 - 120);
      out.line(x0, y, x0 + RuleRight(kind, pw), y);
    }
    for (int i = 0; i <= g.columns; ++i) out.line(x0 + q(i), ph * 3 / 29 - 120, x0 + q(i), ph - 120);

    out.setFont(kBodyFont);
    for (int j = 0; j < g.columns; ++j)
      out.textOut(x0 + q(j) + g.titleShift, ph * 3 / 30, titles[static_cast<std::size_t>(j)]);

    const long long last = std::min(kRowsPerPage * p, rows);
    for (long long r = kRowsPerPage * (p - 1) + 1; r <= last; ++r) {
      const long long slot = r % kRowsPerPage == 0 ? kRowsPerPage : r % kRowsPerPage;
      const int y = static_cast<int>((slot + 3) * ph / 29);
      const std::vector<Money> cells = RowCells(kind, table.rows[static_cast<std::size_t>(r - 1)]);
      for (int j = 0; j < g.columns; ++j)
        out.textOut(x0 + q(j) + g.cellShift, y, std::to_string(cells[static_cast<std::size_t>(j)]));
    }

    out.textOut(FooterX(kind, pw), ph * 28 / 29 + 130,
                "共" + std::to_string(pages) + "页\\第" + std::to_string(p) + "页");
    if (p < pages) out.newPage();
  }
  out.endDoc();
}

}  // namespace tavrin::plans
