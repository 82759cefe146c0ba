#include "plans/plan_file.h"

#include <gtest/gtest.h>

namespace tavrin::plans {
namespace {

const std::vector<std::string> kFixedHeader = {"0", "10", "16", "1000", "80"};

std::string Lines(std::initializer_list<const char*> lines) {
  std::string s;
  for (const char* l : lines) (s += l) += "\r\n";
  return s;
}

TEST(PlanFile, DefaultFixedPlanStartsWithItsInputsThenRowOne) {
  const std::string bytes = FormatPlanFile(PlanKind::Fixed, kFixedHeader, FixedPlan({}));
  EXPECT_EQ(bytes.substr(0, Lines({"0", "10", "16", "1000", "80", "1", "1", "16", "16", "1000", "984", "6150"}).size()),
            Lines({"0", "10", "16", "1000", "80", "1", "1", "16", "16", "1000", "984", "6150"}));
  // 5 header lines and 7 a row, every one ended by CR LF, no blank line.
  std::size_t crlf = 0;
  for (std::size_t i = bytes.find("\r\n"); i != std::string::npos; i = bytes.find("\r\n", i + 2)) ++crlf;
  EXPECT_EQ(crlf, 5u + 80u * 7u);
  EXPECT_EQ(bytes.find("\r\n\r\n"), std::string::npos);
  EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);
}

TEST(PlanFile, HeaderTextsAreWrittenAsTheyStand) {
  PlanTable empty;
  empty.kind = PlanKind::Stage;
  EXPECT_EQ(FormatPlanFile(PlanKind::Stage, {"0", " 10", "x", "1000", "80", "10"}, empty),
            Lines({"0", " 10", "x", "1000", "80", "10"}));
  // A line break inside a text cannot shift the lines after it.
  EXPECT_EQ(FormatPlanFile(PlanKind::Fixed, {"1\r\n2", "10", "16", "1000", "0"}, PlanTable{}),
            Lines({"1  2", "10", "16", "1000", "0"}));
}

TEST(PlanFile, SavedPlansLoadBackTheSame) {
  struct Case {
    PlanKind kind;
    std::vector<std::string> header;
    PlanTable table;
  };
  VariablePlan variable;
  variable.add(8, 0, 10, 1000, 80, "80");
  variable.add(20, 0, 10, 1000, 80, "80");
  const Case cases[] = {{PlanKind::Fixed, kFixedHeader, FixedPlan({})},
                        {PlanKind::Stage, {"0", "10", "16", "1000", "80", "30"}, StagePlan({}, 30)},
                        {PlanKind::Variable, {"0", "10", "16", "1000", "80", "20"}, variable.table()}};
  for (const Case& c : cases) {
    const LoadedPlan back = ReadPlanFile(c.kind, FormatPlanFile(c.kind, c.header, c.table));
    EXPECT_EQ(back.header, c.header);
    EXPECT_EQ(back.draws, 80);
    EXPECT_FALSE(back.error);
    ASSERT_EQ(back.table.rows.size(), c.table.rows.size());
    for (std::size_t i = 0; i < c.table.rows.size(); ++i)
      EXPECT_EQ(RowCells(c.kind, back.table.rows[i]), RowCells(c.kind, c.table.rows[i]));
  }
}

TEST(PlanFile, ReadsLinesEndedByLineFeedAlone) {
  const LoadedPlan p = ReadPlanFile(PlanKind::Fixed, "0\n10\n16\n1000\n2\n1\n1\n16\n16\n1000\n984\n6150");
  ASSERT_EQ(p.table.rows.size(), 1u);
  EXPECT_EQ(p.table.rows[0].rate, 6150);
  EXPECT_FALSE(p.error);
}

TEST(PlanFile, FewerRowsThanThePlanLengthLoadTheRowsThereAre) {
  const LoadedPlan p =
      ReadPlanFile(PlanKind::Fixed, Lines({"0", "10", "16", "1000", "80", "1", "1", "16", "16", "1000", "984", "6150",
                                           "2", "1", "16", "32", "1000", "968", "3025"}));
  EXPECT_EQ(p.table.rows.size(), 2u);
  EXPECT_FALSE(p.error);
  EXPECT_EQ(AverageNet(p.table), (984 + 968) / 2);
}

TEST(PlanFile, MoreRowsThanThePlanLengthAreRefused) {
  const std::string two =
      FormatPlanFile(PlanKind::Fixed, {"0", "10", "16", "1000", "2"}, FixedPlan({0, 10, 16, 1000, 2}));
  EXPECT_NO_THROW(ReadPlanFile(PlanKind::Fixed, two));
  std::string three = two;
  three.replace(three.find("\r\n2\r\n"), 5, "\r\n1\r\n");  // 投注期数 1, two rows
  EXPECT_THROW(ReadPlanFile(PlanKind::Fixed, three), PlanRefused);
  // A variable plan with 3 rows and a length of 2.
  VariablePlan v;
  for (int i = 0; i < 3; ++i) v.add(8, 0, 10, 1000, 80, "80");
  EXPECT_THROW(ReadPlanFile(PlanKind::Variable,
                            FormatPlanFile(PlanKind::Variable, {"0", "10", "16", "1000", "2", "8"}, v.table())),
               PlanRefused);
  // A negative length leaves room for nothing.
  EXPECT_THROW(ReadPlanFile(PlanKind::Fixed, Lines({"0", "10", "16", "1000", "-1"})), PlanRefused);
}

TEST(PlanFile, BadLinesEndTheRowsAndAreNamed) {
  struct Case {
    const char* what;
    std::string tail;
    std::size_t rows;
    std::string error;
  };
  const Case cases[] = {
      {"a word in row 2", Lines({"1", "1", "16", "16", "1000", "984", "6150", "2", "x"}), 1, "'x' 不是有效的整数值"},
      {"a short last row", Lines({"1", "1", "16", "16", "1000", "984", "6150", "2", "1", "16"}), 1,
       "'' 不是有效的整数值"},
      {"a blank line after the rows", Lines({"1", "1", "16", "16", "1000", "984", "6150", ""}), 1,
       "'' 不是有效的整数值"},
      {"a decimal", Lines({"1.5"}), 0, "'1.5' 不是有效的整数值"},
  };
  for (const Case& c : cases) {
    const LoadedPlan p = ReadPlanFile(PlanKind::Fixed, Lines({"0", "10", "16", "1000", "80"}) + c.tail);
    EXPECT_EQ(p.table.rows.size(), c.rows) << c.what;
    ASSERT_TRUE(p.error) << c.what;
    EXPECT_EQ(*p.error, c.error) << c.what;
  }
}

TEST(PlanFile, APlanLengthThatIsNoNumberRefusesTheFile) {
  EXPECT_THROW(ReadPlanFile(PlanKind::Stage, Lines({"0", "10", "16", "1000", "八十", "10"})), ConversionError);
  // A file shorter than its header reads empty texts there.
  EXPECT_THROW(ReadPlanFile(PlanKind::Fixed, Lines({"0", "10"})), ConversionError);
  const LoadedPlan p = ReadPlanFile(PlanKind::Stage, Lines({"0", "10", "16", "1000", "80"}));
  EXPECT_EQ(p.header.back(), "");
  EXPECT_TRUE(p.table.rows.empty());
}

}  // namespace
}  // namespace tavrin::plans
