#include "store/draw_export.h"

#include <gtest/gtest.h>

using namespace tavrin;
using namespace tavrin::store;

namespace {

DrawRecord row(std::string issue, std::vector<std::optional<int>> numbers, std::string date = "2001-01-01") {
  DrawRecord r;
  r.issue = std::move(issue);
  r.numbers = std::move(numbers);
  r.date = std::move(date);
  return r;
}

struct LineCase {
  const char* name;
  DrawRecord row;
  int columns;
  std::string line;
};

class ExportLines : public ::testing::TestWithParam<LineCase> {};

}  // namespace

TEST_P(ExportLines, AsTheGridShowsThemWithoutTheDate) {
  const LineCase& c = GetParam();
  EXPECT_EQ(ExportLine(c.row, c.columns), c.line);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportLines,
    ::testing::Values(LineCase{"ThreeNumbers", row("2001001", {5, 12, 36}), 3, "2001001 05 12 36 \r\n"},
                      LineCase{"SevenIsZeroSeven", row("2001002", {7}), 1, "2001002 07 \r\n"},
                      LineCase{"TenStaysTen", row("2001003", {10}), 1, "2001003 10 \r\n"},
                      LineCase{"ZeroAndHundred", row("2001004", {0, 100}), 2, "2001004 00 100 \r\n"},
                      LineCase{"NegativeKeepsTwoDigits", row("2001005", {-3}), 1, "2001005 -03 \r\n"},
                      LineCase{"IssueAsItsInteger", row(" 0012345 ", {1}), 1, "12345 01 \r\n"},
                      LineCase{"ShortIssueLikeANumber", row("7", {1}), 1, "07 01 \r\n"},
                      LineCase{"NoNumberColumns", row("2001006", {}), 0, "2001006 \r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExportFile, RowsInTheOrderGivenAndNothingForNoRows) {
  EXPECT_EQ(ExportFile({}, 7), "");
  EXPECT_EQ(ExportFile({row("2001001", {1, 2}), row("2001002", {3, 4}, "")}, 2),
            "2001001 01 02 \r\n2001002 03 04 \r\n");
}

struct BadCase {
  const char* name;
  std::vector<DrawRecord> rows;
  std::string issue;
};

class ExportFailures : public ::testing::TestWithParam<BadCase> {};

TEST_P(ExportFailures, NameTheIssueOfTheRowThatFailed) {
  const BadCase& c = GetParam();
  try {
    ExportFile(c.rows, 2);
    FAIL() << "exported";
  } catch (const ExportError& e) {
    EXPECT_EQ(e.issue(), c.issue);
    EXPECT_NE(std::string(e.what()).find(c.issue), std::string::npos) << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportFailures,
    ::testing::Values(BadCase{"EmptyCell", {row("2001001", {1, 2}), row("2001002", {1, std::nullopt})}, "2001002"},
                      BadCase{"MissingColumn", {row("2001003", {1})}, "2001003"},
                      BadCase{"IssueNotANumber", {row("2001001", {1, 2}), row("20a1002", {1, 2})}, "20a1002"},
                      BadCase{"EmptyIssue", {row("", {1, 2})}, ""}),
    [](const auto& info) { return std::string(info.param.name); });
