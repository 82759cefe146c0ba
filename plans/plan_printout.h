#pragma once
// The print-out of a plan table: title and header line on the first page,
// 25 rows a page with rulings, column titles and a page footer on every page.

#include <string>
#include <vector>

#include "plans/plan_tables.h"
#include "print/page_writer.h"

namespace tavrin::plans {

inline constexpr int kRowsPerPage = 25;

// Title of the print-out ("固定投资计划表", ...).
const char* PrintTitle(PlanKind kind);

// The line under the title: every input with its label, then the date. The
// inputs are the texts of the window's boxes in file order (5 or 6).
std::string PrintHeaderLine(PlanKind kind, const std::vector<std::string>& inputs, const std::string& date);

// Prints the table; the writer's errors pass through. The table must hold a
// row at least.
void PrintPlan(print::PageWriter& out, PlanKind kind, const std::vector<std::string>& inputs, const PlanTable& table,
               const std::string& date);

}  // namespace tavrin::plans
