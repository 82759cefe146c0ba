#include "store/draw_export.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace tavrin::store {

namespace {

// "%.2d" followed by the field separator.
void appendField(std::string& out, std::int64_t v) {
  char buf[24];
  char* p = buf;
  if (v < 0) *p++ = '-';
  const std::uint64_t magnitude = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  if (magnitude < 10) *p++ = '0';
  p = std::to_chars(p, buf + sizeof buf, magnitude).ptr;
  out.append(buf, p);
  out.push_back(' ');
}

void appendLine(std::string& out, const DrawRecord& row, int numberColumns) {
  std::int32_t issue = 0;
  try {
    issue = IssueToInt(row.issue);
  } catch (const std::exception& e) {
    throw ExportError(row.issue, "无法导出期号 " + row.issue + " 的记录：" + e.what());
  }
  appendField(out, issue);
  if (row.numberProblem)
    throw ExportError(row.issue, "无法导出期号 " + row.issue + " 的记录：" + row.numberProblem->message);
  for (int k = 1; k <= numberColumns; ++k) {
    const auto idx = static_cast<std::size_t>(k - 1);
    if (idx >= row.numbers.size() || !row.numbers[idx])
      throw ExportError(row.issue, "无法导出期号 " + row.issue + " 的记录：字段 '" + std::to_string(k) +
                                       "' 为空，'' 不是有效的整数值");
    appendField(out, *row.numbers[idx]);
  }
  out += "\r\n";
}

}  // namespace

ExportError::ExportError(std::string issue, const std::string& message)
    : std::runtime_error(message), issue_(std::move(issue)) {}

std::string ExportLine(const DrawRecord& row, int numberColumns) {
  std::string out;
  appendLine(out, row, numberColumns);
  return out;
}

std::string ExportFile(const std::vector<DrawRecord>& rows, int numberColumns) {
  std::string out;
  // A 7-digit issue and two-digit numbers, each with its space, and CR LF.
  out.reserve(rows.size() * static_cast<std::size_t>(10 + 3 * std::max(numberColumns, 0)));
  for (const DrawRecord& r : rows) appendLine(out, r, numberColumns);
  return out;
}

}  // namespace tavrin::store
