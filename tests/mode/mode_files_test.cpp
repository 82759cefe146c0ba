#include "mode/mode_files.h"

#include <gtest/gtest.h>

namespace tavrin::mode {
namespace {

std::vector<std::string> Lines(std::initializer_list<const char*> l) { return {l.begin(), l.end()}; }

std::vector<BetCode> Codes(std::initializer_list<int> digits) {
  std::vector<BetCode> codes;
  for (int d : digits) codes.push_back({static_cast<int>(codes.size()) + 1, {d}});
  return codes;
}

TEST(ModeFiles, CodesFileOfTheDefaultList) {
  const std::vector<BetCode> codes = GenerateCodes(0, 100, 9);
  const std::vector<std::string> lines = CodesFileLines(0, codes);
  ASSERT_EQ(lines.size(), 102u);
  EXPECT_EQ(lines[0], "0");
  EXPECT_EQ(lines[1], "100");
  for (std::size_t i = 0; i < codes.size(); ++i) EXPECT_EQ(lines[i + 2], std::to_string(codes[i].digits[0]));
  EXPECT_EQ(JoinLines({"0", "1", "7"}), "0\r\n1\r\n7\r\n");
}

TEST(ModeFiles, NothingToSaveWithoutCodes) {
  try {
    CodesFileLines(0, {});
    FAIL();
  } catch (const ModeRefused& e) {
    EXPECT_STREQ(e.what(), "请生成号码！");
  }
  EXPECT_THROW(CombinedFileLines(ModeSettings{}, {}), ModeRefused);
}

TEST(ModeFiles, SettingsAfterClear) {
  ModeSettings s;
  s.plan = "12";
  ClearSettings(s);
  EXPECT_EQ(SettingsFileLines(s),
            Lines({"0", "0", "0", "0", "0", "10000", "100000", "100", "1000", "10", "1", "1", "0"}));
}

TEST(ModeFiles, CombinedFileIsSettingsCountAndCodes) {
  ModeSettings s;
  s.betForm = 0;
  s.wait = "7";
  s.plan = "50";
  s.interval = "100";
  s.count = "10";
  s.carriedLoss = false;
  EXPECT_EQ(CombinedFileLines(s, Codes({1, 4, 4})), Lines({"0", "7", "49", "99", "9", "1000000", "1000000", "100",
                                                           "1000", "10", "0", "1", "0", "3", "1", "4", "4"}));
  EXPECT_EQ(ProposedFileName("双色", 0, ModeFile::Codes), "双色直选投资模式投注号码.txt");
  EXPECT_EQ(ProposedFileName("双色", 3, ModeFile::Settings), "双色组选6投资模式设置.txt");
  EXPECT_EQ(ProposedFileName("双色", 1, ModeFile::Combined), "双色全组选投资模式投注号码和设置.txt");
}

TEST(ModeFiles, TypedComboValueOutsideItsListIsNotSaved) {
  ModeSettings s;
  s.wait = "07";  // item 7 all the same
  EXPECT_EQ(SettingsFileLines(s)[1], "7");
  s.plan = "60";
  EXPECT_THROW(SettingsFileLines(s), ModeRefused);
}

TEST(ModeFiles, SettingsRoundTrip) {
  ModeSettings s;
  s.betForm = 3;
  s.wait = "50";
  s.plan = "33";
  s.interval = "2";
  s.count = "4";
  s.stakeLimit = "1";
  s.outlayLimit = "-2";
  s.codeCount = "120";
  s.prize = "x";  // edit texts travel as they are
  s.rate = "15";
  s.carriedLoss = false;
  const LoadedModeFile loaded = LoadModeFile(ModeFile::Settings, ModeSettings{}, SettingsFileLines(s));
  EXPECT_FALSE(loaded.error);
  EXPECT_EQ(loaded.settings, s);
  EXPECT_TRUE(loaded.formChanged);
  EXPECT_FALSE(loaded.codes);
  EXPECT_FALSE(loaded.runBacktest);
}

TEST(ModeFiles, UncheckedIntervalModeOverridesTheObservationLines) {
  const auto lines = Lines({"0", "3", "4", "9", "5", "10000", "100000", "100", "1000", "10", "1", "0", "0"});
  for (bool wasOn : {true, false}) {
    ModeSettings current;
    SetIntervalMode(current, wasOn);
    const LoadedModeFile loaded = LoadModeFile(ModeFile::Settings, current, lines);
    ASSERT_FALSE(loaded.error);
    EXPECT_FALSE(loaded.settings.intervalMode);
    EXPECT_EQ(loaded.settings.interval, "1");
    EXPECT_EQ(loaded.settings.count, "1");
    EXPECT_EQ(loaded.settings.wait, "3");
    EXPECT_EQ(loaded.settings.plan, "5");
  }
}

TEST(ModeFiles, LoadingCodesSetsFormCountAndList) {
  ModeSettings current;
  current.allWin = "500";
  const LoadedModeFile loaded = LoadModeFile(ModeFile::Codes, current, Lines({"0", "3", "7", "0", "9"}));
  ASSERT_FALSE(loaded.error);
  EXPECT_EQ(loaded.codes, Codes({7, 0, 9}));
  EXPECT_EQ(loaded.settings.codeCount, "3");
  EXPECT_EQ(loaded.settings.allWin, "500");
  EXPECT_FALSE(loaded.formChanged);
  EXPECT_FALSE(loaded.runBacktest);
  EXPECT_TRUE(loaded.notes.empty());
}

TEST(ModeFiles, ShortCodesFileEndsInZeroCodes) {
  const LoadedModeFile loaded = LoadModeFile(ModeFile::Codes, ModeSettings{}, Lines({"2", "4", "5", "6"}));
  ASSERT_FALSE(loaded.error);
  EXPECT_TRUE(loaded.formChanged);
  const std::vector<BetCode> expected{{1, {5}}, {2, {6}}, {0, {0}}, {0, {0}}};
  EXPECT_EQ(loaded.codes, expected);
}

TEST(ModeFiles, LinesBeyondTheCountAreIgnoredAndSaidSo) {
  const LoadedModeFile loaded =
      LoadModeFile(ModeFile::Codes, ModeSettings{}, Lines({"0", "2", "5", "6", "7", "8", ""}));
  ASSERT_FALSE(loaded.error);
  EXPECT_EQ(loaded.codes, Codes({5, 6}));
  ASSERT_EQ(loaded.notes.size(), 1u);
  EXPECT_EQ(loaded.notes[0], "文件中有2行号码超出号码数2，已忽略。");
}

TEST(ModeFiles, CombinedFileFollowsItsCodeCount) {
  auto lines =
      Lines({"0", "1", "2", "0", "0", "10000", "100000", "50", "1000", "10", "1", "1", "0", "3", "1", "2", "3"});
  const LoadedModeFile loaded = LoadModeFile(ModeFile::Combined, ModeSettings{}, lines);
  ASSERT_FALSE(loaded.error);
  EXPECT_EQ(loaded.settings.codeCount, "3");
  EXPECT_EQ(loaded.codes, Codes({1, 2, 3}));
  EXPECT_TRUE(loaded.runBacktest);
  ASSERT_EQ(loaded.notes.size(), 1u);
  EXPECT_EQ(loaded.notes[0], "第8行的单倍注数“50”与第14行的号码数3不同，以第14行为准。");
  lines[7] = "3";
  EXPECT_TRUE(LoadModeFile(ModeFile::Combined, ModeSettings{}, lines).notes.empty());
}

struct BadLine {
  const char* what;
  ModeFile kind;
  std::vector<std::string> lines;
  int line;
  std::string reason;
  // What stayed applied.
  int betForm;
  std::string wait;
  std::optional<std::vector<BetCode>> codes;
};

class MalformedFiles : public ::testing::TestWithParam<BadLine> {};

TEST_P(MalformedFiles, StopAtTheLineAndKeepWhatCameBefore) {
  const BadLine& c = GetParam();
  ModeSettings current;
  current.wait = "9";
  const LoadedModeFile loaded = LoadModeFile(c.kind, current, c.lines);
  ASSERT_TRUE(loaded.error) << c.what;
  EXPECT_EQ(loaded.error->line, c.line) << c.what;
  EXPECT_EQ(loaded.error->reason, c.reason) << c.what;
  EXPECT_EQ(loaded.settings.betForm, c.betForm) << c.what;
  EXPECT_EQ(loaded.settings.wait, c.wait) << c.what;
  EXPECT_EQ(loaded.codes, c.codes) << c.what;
  EXPECT_FALSE(loaded.runBacktest) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MalformedFiles,
    ::testing::Values(
        BadLine{"form outside its list",
                ModeFile::Codes,
                {"4", "1", "1"},
                1,
                "选项序号4超出列表范围（0到3）",
                0,
                "9",
                std::nullopt},
        BadLine{
            "count not a number", ModeFile::Codes, {"1", "a", "1"}, 2, "'a' 不是有效的整数值", 1, "9", std::nullopt},
        BadLine{"negative count", ModeFile::Codes, {"0", "-1"}, 2, "号码数-1超出范围（0到1000）", 0, "9", std::nullopt},
        BadLine{"code not a digit",
                ModeFile::Codes,
                {"0", "3", "4", "x", "6"},
                4,
                "'x' 不是有效的整数值",
                0,
                "9",
                std::vector<BetCode>{{1, {4}}, {0, {0}}, {0, {0}}}},
        BadLine{"empty code line",
                ModeFile::Codes,
                {"0", "2", "", "6"},
                3,
                "'' 不是有效的整数值",
                0,
                "9",
                std::vector<BetCode>{{0, {0}}, {0, {0}}}},
        BadLine{"combo index outside its list",
                ModeFile::Settings,
                {"2", "12", "50"},
                3,
                "选项序号50超出列表范围（0到49）",
                2,
                "12",
                std::nullopt},
        BadLine{"settings file cut short",
                ModeFile::Settings,
                {"1", "5", "0", "0", "0", "1", "2", "3", "4", "5", "1"},
                12,
                "文件在这一行之前已结束",
                1,
                "5",
                std::nullopt},
        BadLine{"combined file without codes",
                ModeFile::Combined,
                {"0", "2", "0", "0", "0", "1", "2", "3", "4", "5", "1", "1", "0"},
                14,
                "文件在这一行之前已结束",
                0,
                "2",
                std::nullopt}),
    [](const ::testing::TestParamInfo<BadLine>& info) { return "Case" + std::to_string(info.index); });

TEST(ModeFiles, AFileCutShortKeepsTheSettingsItHasNoLinesFor) {
  ModeSettings current;
  current.interval = "3";
  current.count = "2";
  current.outlayLimit = "5000";
  current.rate = "30";
  current.carriedLoss = true;
  // Lines 1..6: form, the four lists (interval 4, count 3), the stake limit.
  const LoadedModeFile loaded = LoadModeFile(ModeFile::Settings, current, {"0", "1", "0", "3", "2", "700"});
  ASSERT_TRUE(loaded.error);
  EXPECT_EQ(loaded.error->line, 7);
  EXPECT_EQ(loaded.error->reason, "文件在这一行之前已结束");
  EXPECT_EQ(loaded.settings.interval, "4");
  EXPECT_EQ(loaded.settings.count, "3");
  EXPECT_EQ(loaded.settings.stakeLimit, "700");
  EXPECT_EQ(loaded.settings.outlayLimit, "5000");
  EXPECT_EQ(loaded.settings.rate, "30");
  EXPECT_TRUE(loaded.settings.carriedLoss);
  EXPECT_TRUE(loaded.settings.intervalMode);
}

TEST(ModeFiles, ErrorTextNamesFileAndLine) {
  EXPECT_EQ(LoadErrorText({5, "'x' 不是有效的整数值"}, "L直选投资模式设置.txt"),
            "L直选投资模式设置.txt 第5行：'x' 不是有效的整数值");
}

TEST(ModeFiles, SplitLinesTakesCrLfAndLf) {
  EXPECT_EQ(SplitLines("0\r\n12\r\n\r\n3"), Lines({"0", "12", "", "3"}));
  EXPECT_EQ(SplitLines("0\n1\n"), Lines({"0", "1"}));
  EXPECT_TRUE(SplitLines("").empty());
}

}  // namespace
}  // namespace tavrin::mode
