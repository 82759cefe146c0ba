#include "mode/mode_printout.h"

#include <gtest/gtest.h>

namespace tavrin::mode {
namespace {

using print::RecordingPageWriter;

// An A4 page at 600 dpi.
constexpr int kW = 4760;
constexpr int kH = 6779;

std::vector<BetCode> Codes(int n) {
  std::vector<BetCode> codes;
  for (int i = 1; i <= n; ++i) codes.push_back({i, {i % 10}});
  return codes;
}

TEST(CodesPrintout, SeventySixCodesOnTwoPages) {
  RecordingPageWriter out(kW, kH, 40);
  PrintCodes(out, "L", "2024100", 0, Codes(76), "2024-3-5");
  EXPECT_TRUE(out.begun && out.ended);
  EXPECT_EQ(out.pages, 2);

  const std::string title = "L  2024100期直选投注号码";
  ASSERT_EQ(out.texts[0].text, title);
  EXPECT_EQ(out.texts[0].x, (kW - 17 * 40) / 2);
  EXPECT_EQ(out.texts[0].y, kH / 29 - 50);
  EXPECT_EQ(out.texts[0].font, print::kTitleFont);
  EXPECT_EQ(out.texts[1].text, "共76注 打印日期:2024-3-5");
  EXPECT_EQ(out.texts[1].x, kW / 14);
  EXPECT_EQ(out.texts[1].y, 2 * kH / 29 - 20);
  EXPECT_EQ(out.texts[1].font, print::kBodyFont);

  const int x0 = kW / 14;
  for (int page = 1; page <= 2; ++page) {
    std::vector<RecordingPageWriter::Line> lines;
    for (const auto& l : out.lines)
      if (l.page == page) lines.push_back(l);
    ASSERT_EQ(lines.size(), 27u + 9u);
    for (int i = 0; i <= 26; ++i) {
      EXPECT_EQ(lines[i].x1, x0);
      EXPECT_EQ(lines[i].x2, x0 + 72 * kW / 10 / 8);
      EXPECT_EQ(lines[i].y1, (i + 3) * kH / 29 - 120);
      EXPECT_EQ(lines[i].y2, lines[i].y1);
    }
    for (int i = 0; i <= 8; ++i) {
      const auto& l = lines[27 + i];
      EXPECT_EQ(l.x1, x0 + 9 * i * kW / 10 / 8);
      EXPECT_EQ(l.x2, l.x1);
      EXPECT_EQ(l.y1, 3 * kH / 29 - 120);
      EXPECT_EQ(l.y2, kH - 120);
    }
    int titles = 0;
    for (const auto& t : out.textsOn(page))
      if (t.text == "序号" || t.text == "投注号码") {
        EXPECT_EQ(t.y, 3 * kH / 30);
        ++titles;
      }
    EXPECT_EQ(titles, 6);
    const auto* footer = out.find("共2页\\第" + std::to_string(page) + "页", page);
    ASSERT_TRUE(footer);
    EXPECT_EQ(footer->x, 8 * kW / 10 + 330);
    EXPECT_EQ(footer->y, 28 * kH / 29 + 130);
  }
  EXPECT_EQ(out.find("序号", 1)->x, x0 + 100);
  EXPECT_EQ(out.find("投注号码", 1)->x, x0 + 9 * kW / 10 / 8 + 120);

  // Number a of block B on line l, its code beside it.
  struct Placed {
    int a, page, block, line;
  };
  for (const Placed& p : {Placed{1, 1, 0, 1}, Placed{25, 1, 0, 25}, Placed{26, 1, 1, 1}, Placed{51, 1, 2, 1},
                          Placed{75, 1, 2, 25}, Placed{76, 2, 0, 1}}) {
    const auto* number = out.find(std::to_string(p.a), p.page);
    ASSERT_TRUE(number) << p.a;
    EXPECT_EQ(number->x, x0 + 27 * p.block * kW / 10 / 8 + 170) << p.a;
    EXPECT_EQ(number->y, (p.line + 3) * kH / 29) << p.a;
    // The code is the text written right after its number.
    const auto texts = out.textsOn(p.page);
    std::size_t k = 0;
    while (k < texts.size() && !(texts[k].x == number->x && texts[k].y == number->y)) ++k;
    ASSERT_LT(k + 1, texts.size()) << p.a;
    EXPECT_EQ(texts[k + 1].text, std::to_string(p.a % 10)) << p.a;
    EXPECT_EQ(texts[k + 1].x, x0 + (3 * p.block + 1) * 9 * kW / 10 / 8 + 180) << p.a;
    EXPECT_EQ(texts[k + 1].y, number->y) << p.a;
  }
  EXPECT_EQ(out.textsOn(2).size(), 6u + 2u + 1u);  // column titles, code 76, footer
}

TEST(CodesPrintout, NeedsCodes) {
  RecordingPageWriter out(kW, kH);
  try {
    PrintCodes(out, "L", "1", 0, {}, "2024-3-5");
    FAIL();
  } catch (const ModeRefused& e) {
    EXPECT_STREQ(e.what(), "请先生成表格！");
  }
  EXPECT_FALSE(out.begun);
}

TEST(SettingsPrintout, TwoColumnsOfSettingsOnOnePage) {
  ModeSettings s;
  s.betForm = 3;
  s.allWin = "-1200";
  s.carriedLoss = false;
  RecordingPageWriter out(kW, kH, 40);
  PrintSettings(out, "L", "2024100", s, "2024-3-5");
  EXPECT_EQ(out.pages, 1);
  EXPECT_TRUE(out.ended);
  EXPECT_EQ(out.texts[0].text, "L  2024100期组选6投资模式设置");
  EXPECT_EQ(out.texts[0].font, print::kTitleFont);
  EXPECT_EQ(out.texts[1].text, "打印日期:2024-3-5");
  EXPECT_EQ(out.texts[1].x, kW / 14);
  EXPECT_EQ(out.texts[1].y, 2 * kH / 29 - 20);

  const std::vector<std::pair<std::string, std::string>> rows{
      {"观察间隔数：1", "单期最大投入：1000000"}, {"观察间隔连续次数：1", "累计最大投入：1000000"},
      {"中出后间隔数：0", "单倍注数：100"},       {"连续投入期数：1", "单注奖金：1000"},
      {"总体赢余：-1200", "预期利润：10"},        {"取消预计亏损", "选中间隔模式"}};
  ASSERT_EQ(out.texts.size(), 2u + 12u);
  for (int k = 4; k <= 9; ++k) {
    const auto& left = out.texts[static_cast<std::size_t>(2 + 2 * (k - 4))];
    const auto& right = out.texts[static_cast<std::size_t>(3 + 2 * (k - 4))];
    EXPECT_EQ(left.text, rows[static_cast<std::size_t>(k - 4)].first);
    EXPECT_EQ(right.text, rows[static_cast<std::size_t>(k - 4)].second);
    EXPECT_EQ(left.x, kW / 10);
    EXPECT_EQ(right.x, kW / 10 + kW / 2);
    EXPECT_EQ(left.y, k * kH / 30);
    EXPECT_EQ(right.y, left.y);
    EXPECT_EQ(left.font, print::kBodyFont);
  }
}

}  // namespace
}  // namespace tavrin::mode
