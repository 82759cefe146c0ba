#include "store/history_pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "tests/store/history_site.h"

using namespace tavrin;
using namespace tavrin::store;
using test::FakeSite;
using test::kBase;
using test::ListedDraw;

namespace {

struct DownloadRun {
  FakeSite site;
  std::vector<DownloadedDraw> appended;
  std::vector<DownloadProgress> progress;
  std::string lastIssue = "0";
  std::vector<std::string> stored;

  DownloadOutcome go() {
    DownloadRequest r;
    r.baseUrl = kBase;
    r.lastIssue = lastIssue;
    r.storedIssues = stored;
    r.fetch = site.fetch();
    r.append = [this](const DownloadedDraw& d) { appended.push_back(d); };
    r.progress = [this](const DownloadProgress& p) { progress.push_back(p); };
    return RunHistoryDownload(r);
  }

  std::vector<std::string> issues() const {
    std::vector<std::string> out;
    for (const DownloadedDraw& d : appended) out.push_back(d.issue);
    return out;
  }
};

using Issues = std::vector<std::string>;

}  // namespace

TEST(HistoryDownload, AnEmptyTableTakesEveryMatchingLineOfAllTenPages) {
  DownloadRun run;
  for (int page = 1; page <= kHistoryPages; ++page)
    run.site.listWithDetails(page, {{std::to_string(2008000 + 2 * page)}, {std::to_string(2008001 + 2 * page)}});
  run.site.pages[kBase + "/detail/2008003.html"].body = test::DetailPage("2008-01-03");
  const DownloadOutcome out = run.go();
  EXPECT_TRUE(out.completed);
  EXPECT_EQ(out.message, "下载完成！");
  EXPECT_EQ(out.added, 20);
  ASSERT_EQ(run.appended.size(), 20u);
  // Page order, top to bottom.
  EXPECT_EQ(run.appended.front().issue, "2008002");
  EXPECT_EQ(run.appended[1].issue, "2008003");
  EXPECT_EQ(run.appended.back().issue, "2008021");
  EXPECT_EQ(run.appended[0].numbers, (std::array<int, 7>{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(run.appended[0].date, "2008-01-01");
  EXPECT_EQ(run.appended[1].date, "2008-01-03");
  // Ten list pages and one detail page per draw, at the addresses the pages give.
  EXPECT_EQ(run.site.fetched.size(), 30u);
  EXPECT_EQ(run.site.fetched[0], kBase + "/datas/history/367/history_1.html");
  EXPECT_EQ(run.site.fetched[1], kBase + "/detail/2008002.html");
  EXPECT_EQ(run.progress.front().page, 1);
  EXPECT_EQ(run.progress.back().added, 20);
}

TEST(HistoryDownload, OnlyFortyNineByteLinesWithAnIntegerIssueCount) {
  DownloadRun run;
  std::string page = test::ListPage({{"2008001"}});
  // One byte short, one too many, and an issue that is not a number; each is
  // followed by lines that would make a draw of it.
  for (const std::string& line :
       {test::ListLine("2008002").substr(1), test::ListLine("2008003") + "x", test::ListLine("20080a4")}) {
    page += line + "\n    <td><em>01020304050607</span>\n";
    for (int i = 0; i < 5; ++i) page += "<td>-</td>\n";
    page += "<td class=\"lnk\"><a href=\"/detail/x.html\">see</a></td>\n";
  }
  page += test::DrawLines({"2008005", "36350102030405"});
  run.site.list(1, page);
  run.site.pages[kBase + "/detail/2008001.html"] = {true, 200, test::DetailPage("2008-01-01"), {}};
  run.site.pages[kBase + "/detail/2008005.html"] = {true, 200, test::DetailPage("2008-01-05"), {}};
  run.site.emptyPagesElsewhere();
  const DownloadOutcome out = run.go();
  EXPECT_TRUE(out.completed) << out.message;
  EXPECT_EQ(run.issues(), (Issues{"2008001", "2008005"}));
  EXPECT_EQ(run.appended[1].numbers, (std::array<int, 7>{36, 35, 1, 2, 3, 4, 5}));
}

TEST(HistoryDownload, DrawsUpToTheLastStoredIssueAreSkipped) {
  DownloadRun run;
  run.lastIssue = "2008005";
  run.site.listWithDetails(1, {{"2008004"}, {"2008005"}, {"2008006"}});
  // L stays what it was before the run: a draw below one just added still comes in.
  run.site.listWithDetails(2, {{"2008008"}, {"2008007"}});
  run.site.emptyPagesElsewhere();
  EXPECT_TRUE(run.go().completed);
  EXPECT_EQ(run.issues(), (Issues{"2008006", "2008008", "2008007"}));
}

TEST(HistoryDownload, AnIssueAlreadyStoredOrAddedComesInOnce) {
  DownloadRun run;
  // Text order puts "999" last, so L is 999 and 2008002 lies above it though stored.
  run.lastIssue = "999";
  run.stored = {"2008002", "999"};
  run.site.listWithDetails(1, {{"2008001"}, {"2008002"}, {"2008003"}});
  run.site.listWithDetails(3, {{"2008003"}, {"2008004"}});
  run.site.emptyPagesElsewhere();
  const DownloadOutcome out = run.go();
  EXPECT_TRUE(out.completed);
  EXPECT_EQ(out.added, 3);
  EXPECT_EQ(run.issues(), (Issues{"2008001", "2008003", "2008004"}));
  // A draw that is skipped costs no detail page.
  EXPECT_EQ(std::count(run.site.fetched.begin(), run.site.fetched.end(), kBase + "/detail/2008002.html"), 0);
}

TEST(HistoryDownload, ADetailPageWithoutTheMarkerKeepsTheDateBeforeIt) {
  DownloadRun run;
  run.site.listWithDetails(1, {{"2008001"}, {"2008002"}, {"2008003"}});
  const std::string noMarker = "<html>\n<div class=\"play_X_tbox\">2008-01-09</div>\n</html>\n";
  run.site.pages[kBase + "/detail/2008001.html"].body = noMarker;
  run.site.pages[kBase + "/detail/2008002.html"].body = test::DetailPage("2008-01-02");
  run.site.pages[kBase + "/detail/2008003.html"].body = noMarker;
  run.site.emptyPagesElsewhere();
  EXPECT_TRUE(run.go().completed);
  ASSERT_EQ(run.appended.size(), 3u);
  EXPECT_EQ(run.appended[0].date, "");  // nothing found yet in this run
  EXPECT_EQ(run.appended[1].date, "2008-01-02");
  EXPECT_EQ(run.appended[2].date, "2008-01-02");
}

TEST(HistoryDownload, PositionsCountBytesOfGbkPages) {
  DownloadRun run;
  // "第期开奖号码" in GBK: 12 bytes, 6 characters. Decoding first would put
  // the issue and the date elsewhere.
  const std::string gbk = "\xb5\xda\xc6\xda\xbf\xaa\xbd\xb1\xba\xc5\xc2\xeb";
  ListedDraw d{"2008001"};
  d.lead = "<tr><td>" + gbk;
  d.detailPath = "/detail/" + gbk + ".html";
  run.site.list(1, test::ListPage({d}, "\r\n"));
  // "08年1月1日": 10 bytes of GBK from the 26th byte of the marker line.
  const std::string gbkDate =
      "08\xc4\xea"
      "1\xd4\xc2"
      "1\xc8\xd5";
  run.site.pages[kBase + d.detailPath] = {
      true, 200, "<p>" + gbk + "</p>\r\n<div class=\"play_R_tbox\">" + gbkDate + "</div>\r\n", {}};
  run.site.emptyPagesElsewhere();
  const DownloadOutcome out = run.go();
  EXPECT_TRUE(out.completed) << out.message;
  ASSERT_EQ(run.issues(), (Issues{"2008001"}));
  EXPECT_EQ(run.appended[0].date, gbkDate);
  // A message names the address with those bytes escaped, as valid text.
  run.site.pages.erase(kBase + d.detailPath);
  const DownloadOutcome failed = run.go();
  EXPECT_NE(failed.message.find("/detail/%B5%DA%C6%DA"), std::string::npos) << failed.message;
}

struct FailureCase {
  const char* name;
  std::string failingUrl;
  store::FetchResult answer;
  int addedBefore;
  std::string messagePart;
};

class DownloadFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(DownloadFailures, EndTheRunSayingWhatFailedAndHowManyCameBefore) {
  const FailureCase& c = GetParam();
  DownloadRun run;
  run.site.listWithDetails(1, {{"2008001"}, {"2008002"}});
  run.site.listWithDetails(2, {{"2008003"}});
  run.site.listWithDetails(3, {{"2008004"}});
  run.site.emptyPagesElsewhere();
  run.site.pages[c.failingUrl] = c.answer;
  const DownloadOutcome out = run.go();
  EXPECT_FALSE(out.completed);
  EXPECT_EQ(out.added, c.addedBefore);
  EXPECT_EQ(static_cast<int>(run.appended.size()), c.addedBefore);
  EXPECT_NE(out.message, "下载完成！");
  EXPECT_NE(out.message.find(c.messagePart), std::string::npos) << out.message;
  EXPECT_NE(out.message.find("此前已下载" + std::to_string(c.addedBefore) + "期"), std::string::npos) << out.message;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DownloadFailures,
    ::testing::Values(
        FailureCase{
            "NoConnection", HistoryListUrl(kBase, 1), {false, 0, "", "Connection refused"}, 0, "Connection refused"},
        FailureCase{"ListPageNotFound", HistoryListUrl(kBase, 3), {true, 404, "Not Found", ""}, 3, "HTTP 404"},
        FailureCase{"ServerError", HistoryListUrl(kBase, 2), {true, 500, "", ""}, 2, "第2页"},
        FailureCase{"DetailTimedOut", kBase + "/detail/2008002.html", {false, 0, "", "操作超时"}, 1, "第2008002期"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HistoryDownload, NumberGroupsThatAreNotIntegersEndTheRunNamingTheIssue) {
  DownloadRun run;
  run.site.listWithDetails(1, {{"2008001"}, {"2008002", "0102030a050607"}, {"2008003"}});
  run.site.emptyPagesElsewhere();
  const DownloadOutcome out = run.go();
  EXPECT_FALSE(out.completed);
  EXPECT_EQ(run.issues(), (Issues{"2008001"}));
  EXPECT_NE(out.message.find("2008002"), std::string::npos) << out.message;
  EXPECT_NE(out.message.find("此前已下载1期"), std::string::npos) << out.message;
}

TEST(HistoryDownload, AStoreThatRefusesADrawEndsTheRun) {
  DownloadRun run;
  run.site.listWithDetails(1, {{"2008001"}, {"2008002"}});
  run.site.emptyPagesElsewhere();
  DownloadRequest r;
  r.baseUrl = kBase;
  r.fetch = run.site.fetch();
  int stored = 0;
  r.append = [&](const DownloadedDraw& d) {
    if (d.issue == "2008002") throw std::runtime_error("disk I/O error");
    ++stored;
  };
  const DownloadOutcome out = RunHistoryDownload(r);
  EXPECT_FALSE(out.completed);
  EXPECT_EQ(stored, 1);
  EXPECT_NE(out.message.find("disk I/O error"), std::string::npos) << out.message;
}

TEST(HistoryDownload, ALastIssueThatIsNotANumberStopsAtTheFirstDraw) {
  DownloadRun run;
  run.lastIssue = "abc";
  run.site.emptyPagesElsewhere();
  EXPECT_TRUE(run.go().completed);  // no draw line, nothing to compare with
  run.site.listWithDetails(2, {{"2008001"}});
  const DownloadOutcome out = run.go();
  EXPECT_FALSE(out.completed);
  EXPECT_NE(out.message.find("abc"), std::string::npos) << out.message;
  EXPECT_TRUE(run.appended.empty());
}

TEST(HistoryDownload, TheSelectorStartsARunForItsThreeNames) {
  for (const char* t : {"所有彩票", "广东南粤风采好彩1", "南粤风采好彩1"})
    EXPECT_TRUE(DownloadSelectorStartsRun(t)) << t;
  for (const char* t : {"", "南粤风采36选7", "所有彩票 "}) EXPECT_FALSE(DownloadSelectorStartsRun(t)) << t;
}

TEST(HistoryDownload, ListAddressesIgnoreATrailingSlashOfTheBase) {
  EXPECT_EQ(HistoryListUrl("http://h:1/", 10), "http://h:1/datas/history/367/history_10.html");
  EXPECT_EQ(HistoryListUrl("http://h:1", 1), "http://h:1/datas/history/367/history_1.html");
}
