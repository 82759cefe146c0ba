#include "mode/mode_printout.h"

#include <algorithm>

namespace tavrin::mode {

namespace {

using print::kBodyFont;
using print::kTitleFont;

void Title(print::PageWriter& out, const std::string& title) {
  out.setFont(kTitleFont);
  out.textOut((out.pageWidth() - out.textWidth(title)) / 2, out.pageHeight() / 29 - 50, title);
  out.setFont(kBodyFont);
}

int Scaled(long long v) { return static_cast<int>(v); }

}  // namespace

std::string PrintoutTitle(std::string_view lottery, std::string_view newestIssue, int form, bool codes) {
  return std::string(lottery) + "  " + std::string(newestIssue) + "期" + BetFormText(form) +
         (codes ? "投注号码" : "投资模式设置");
}

void PrintCodes(print::PageWriter& out, std::string_view lottery, std::string_view newestIssue, int form,
                const std::vector<BetCode>& codes, const std::string& date) {
  if (codes.empty()) throw ModeRefused(kPrintTableFirst);
  out.beginDoc();
  const long long W = out.pageWidth();
  const long long H = out.pageHeight();
  Title(out, PrintoutTitle(lottery, newestIssue, form, true));
  const auto n = static_cast<long long>(codes.size());
  out.textOut(Scaled(W / 14), Scaled(2 * H / 29 - 20), "共" + std::to_string(n) + "注 打印日期:" + date);

  const long long pages = n / kCodesPerPage + (n % kCodesPerPage > 0 ? 1 : 0);
  const long long x0 = W / 14;
  // The left edge of column block b's number and code columns.
  const auto numberColumn = [&](long long b) { return x0 + 27 * b * W / 10 / 8; };
  const auto codeColumn = [&](long long b) { return x0 + (3 * b + 1) * 9 * W / 10 / 8; };
  for (long long p = 1; p <= pages; ++p) {
    for (long long i = 0; i <= 26; ++i) {
      const long long y = (i + 3) * H / 29 - 120;
      out.line(Scaled(x0), Scaled(y), Scaled(x0 + 72 * W / 10 / 8), Scaled(y));
    }
    for (long long i = 0; i <= 8; ++i) {
      const long long x = x0 + 9 * i * W / 10 / 8;
      out.line(Scaled(x), Scaled(3 * H / 29 - 120), Scaled(x), Scaled(H - 120));
    }
    for (long long b = 0; b < 3; ++b) {
      out.textOut(Scaled(numberColumn(b) + 100), Scaled(3 * H / 30), "序号");
      out.textOut(Scaled(codeColumn(b) + 120), Scaled(3 * H / 30), "投注号码");
    }
    for (long long a = (p - 1) * kCodesPerPage + 1; a <= std::min(p * kCodesPerPage, n); ++a) {
      const long long block = (a - 1) / kCodesPerBlock % 3;
      const long long line = (a - 1) % kCodesPerBlock + 1;
      const long long y = (line + 3) * H / 29;
      out.textOut(Scaled(numberColumn(block) + 170), Scaled(y), std::to_string(a));
      out.textOut(Scaled(codeColumn(block) + 180), Scaled(y), CodeText(codes[static_cast<std::size_t>(a - 1)]));
    }
    out.textOut(Scaled(8 * W / 10 + 330), Scaled(28 * H / 29 + 130),
                "共" + std::to_string(pages) + "页\\第" + std::to_string(p) + "页");
    if (p < pages) out.newPage();
  }
  out.endDoc();
}

void PrintSettings(print::PageWriter& out, std::string_view lottery, std::string_view newestIssue,
                   const ModeSettings& s, const std::string& date) {
  out.beginDoc();
  const long long W = out.pageWidth();
  const long long H = out.pageHeight();
  Title(out, PrintoutTitle(lottery, newestIssue, s.betForm, false));
  out.textOut(Scaled(W / 14), Scaled(2 * H / 29 - 20), "打印日期:" + date);
  const std::string rows[][2] = {
      {"观察间隔数：" + s.interval, "单期最大投入：" + s.stakeLimit},
      {"观察间隔连续次数：" + s.count, "累计最大投入：" + s.outlayLimit},
      {"中出后间隔数：" + s.wait, "单倍注数：" + s.codeCount},
      {"连续投入期数：" + s.plan, "单注奖金：" + s.prize},
      {"总体赢余：" + s.allWin, "预期利润：" + s.rate},
      {s.carriedLoss ? "选中预计亏损" : "取消预计亏损", s.intervalMode ? "选中间隔模式" : "取消间隔模式"},
  };
  for (long long k = 4; k <= 9; ++k) {
    const long long y = k * H / 30;
    out.textOut(Scaled(W / 10), Scaled(y), rows[k - 4][0]);
    out.textOut(Scaled(W / 10 + W / 2), Scaled(y), rows[k - 4][1]);
  }
  out.endDoc();
}

}  // namespace tavrin::mode
