#pragma once
// The history download without a network: the operator's list and detail
// pages are read as bytes (they may be GBK, so every position counts bytes
// and nothing is decoded before it is cut), and the draws newer than the last
// stored issue are handed to the caller one by one. Fetching and storing are
// functions the caller supplies, so the window, the command line and the
// tests drive the same run.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::store {

inline constexpr int kHistoryPages = 10;
inline constexpr int kDownloadNumbers = 7;

// What one HTTP GET gave: ok is false when no answer came (no connection, a
// timeout), with error saying why; status is the HTTP status of an answer.
struct FetchResult {
  bool ok = false;
  int status = 0;
  std::string body;   // bytes as received
  std::string error;  // UTF-8
};
using FetchFunction = std::function<FetchResult(const std::string& url)>;

// One draw as the pages give it. date holds the bytes of the detail page,
// undecoded (the store turns them into text).
struct DownloadedDraw {
  std::string issue;
  std::array<int, kDownloadNumbers> numbers{};
  std::string date;
};

struct DownloadProgress {
  int page = 0;   // 1..10, the list page being read
  int added = 0;  // draws added so far
};

struct DownloadRequest {
  std::string baseUrl;  // scheme and host of the operator's site, e.g. "http://host:port"
  // L: 记录期号 of the table's last row in text order, "0" for an empty table.
  std::string lastIssue = "0";
  // Every issue already stored; none of them is added again.
  std::vector<std::string> storedIssues;
  FetchFunction fetch;
  // Stores one draw; throws std::exception with the reason when it cannot.
  std::function<void(const DownloadedDraw&)> append;
  // Optional: called before each list page and after each added draw, so a
  // window can repaint its caption.
  std::function<void(const DownloadProgress&)> progress;
};

struct DownloadOutcome {
  bool completed = false;  // all ten pages were read
  int added = 0;
  std::string message;  // "下载完成！", or what stopped the run and how many draws came before it
};

// Reads list pages 1..10 and appends the new draws in page order, top to
// bottom. A failed fetch (no answer, or an HTTP status outside 2xx), a
// number group that is not an integer, or an append that throws ends the
// run; the draws appended before it stay.
DownloadOutcome RunHistoryDownload(const DownloadRequest& request);

// The address of list page i.
std::string HistoryListUrl(const std::string& baseUrl, int page);

// Whether the text of the window's selector starts a download: "所有彩票",
// "广东南粤风采好彩1" or "南粤风采好彩1".
bool DownloadSelectorStartsRun(std::string_view selectorText);

inline constexpr const char* kDownloadCaption = "正在更新南粤风采好彩1。。。";
inline constexpr const char* kDownloadDone = "下载完成！";

}  // namespace tavrin::store
