#pragma once
// Plan files: the inputs one a line, then every table cell one a line, each
// line ended by CR LF. The bytes are the system's code page; this layer only
// sees them as bytes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plans/plan_tables.h"

namespace tavrin::plans {

// Header lines: 5 for the fixed plan, 6 for the stage (last 阶段次数) and
// variable (last 本期注数) plans. The fifth is 投注期数.
int HeaderLineCount(PlanKind kind);
inline constexpr int kDrawsHeaderLine = 4;

// Default file names under 附属.
std::string DefaultPlanFileName(PlanKind kind);

// The file's bytes. Header texts are written as given; a line break inside
// one would shift every later line, so it is written as a blank.
std::string FormatPlanFile(PlanKind kind, const std::vector<std::string>& header, const PlanTable& table);

struct LoadedPlan {
  std::vector<std::string> header;  // always HeaderLineCount texts, "" where the file ran out
  Money draws = 0;                  // the 投注期数 line
  PlanTable table;                  // the complete rows before the first bad line
  // The conversion error of the first table line that is not an integer
  // (an incomplete last row included); nothing when every row was whole.
  std::optional<std::string> error;
};

// Reads a plan file. Throws ConversionError when the 投注期数 line is not an
// integer, and PlanRefused when the file holds more rows than that, so that
// a refused file changes nothing.
LoadedPlan ReadPlanFile(PlanKind kind, std::string_view bytes);

extern const char* const kTooManyRows;  // the refusal of an over-long file

}  // namespace tavrin::plans
