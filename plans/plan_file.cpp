#include "plans/plan_file.h"

#include "plans/plan_printout.h"

namespace tavrin::plans {

namespace {

std::vector<std::string_view> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = next;
  }
  return lines;
}

}  // namespace

const char* const kTooManyRows = "计划文件的行数超过投注期数，无法载入！";

int HeaderLineCount(PlanKind kind) { return kind == PlanKind::Fixed ? 5 : 6; }

std::string DefaultPlanFileName(PlanKind kind) {
  // The file is named after the table it holds, as the print-out is titled.
  return std::string(PrintTitle(kind)) + ".txt";
}

std::string FormatPlanFile(PlanKind kind, const std::vector<std::string>& header, const PlanTable& table) {
  std::string out;
  out.reserve(64 + table.rows.size() * 8 * 8);
  const auto count = static_cast<std::size_t>(HeaderLineCount(kind));
  for (std::size_t i = 0; i < count; ++i) {
    std::string line = i < header.size() ? header[i] : std::string();
    for (char& c : line)
      if (c == '\r' || c == '\n') c = ' ';
    out += line;
    out += "\r\n";
  }
  for (const PlanRow& r : table.rows)
    for (Money v : RowCells(kind, r)) {
      out += std::to_string(v);
      out += "\r\n";
    }
  return out;
}

LoadedPlan ReadPlanFile(PlanKind kind, std::string_view bytes) {
  const std::vector<std::string_view> lines = SplitLines(bytes);
  LoadedPlan plan;
  plan.table.kind = kind;
  const auto headerLines = static_cast<std::size_t>(HeaderLineCount(kind));
  for (std::size_t i = 0; i < headerLines; ++i)
    plan.header.emplace_back(i < lines.size() ? lines[i] : std::string_view());
  plan.draws = ToInteger(plan.header[kDrawsHeaderLine]);

  const auto width = static_cast<std::size_t>(ColumnCount(kind));
  std::vector<Money> cells;
  cells.reserve(width);
  for (std::size_t i = headerLines; i < lines.size() || !cells.empty(); ++i) {
    // Past the end a short last row reads empty texts, which do not convert.
    const std::string_view line = i < lines.size() ? lines[i] : std::string_view();
    const auto v = ParseInteger(line);
    if (!v) {
      plan.error = ConversionMessage(line);
      break;
    }
    cells.push_back(*v);
    if (cells.size() == width) {
      plan.table.rows.push_back(RowFromCells(kind, cells));
      cells.clear();
      if (static_cast<Money>(plan.table.rows.size()) > plan.draws) throw PlanRefused(kTooManyRows);
    }
  }
  if (static_cast<Money>(plan.table.rows.size()) > plan.draws) throw PlanRefused(kTooManyRows);
  return plan;
}

}  // namespace tavrin::plans
