// The operator's pages: the input is cut into the list and detail pages the
// fake site serves, in the order they are asked for.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/history_pages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> pages;
  std::size_t start = 0;
  while (start <= input.size()) {
    const std::size_t at = input.find('\x01', start);
    pages.emplace_back(input.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
    if (at == std::string_view::npos) break;
    start = at + 1;
  }
  std::size_t next = 0;
  tavrin::store::DownloadRequest req;
  req.baseUrl = "http://127.0.0.1:9";
  req.lastIssue = "2008100";
  req.storedIssues = {"2008099", "2008100"};
  req.fetch = [&](const std::string&) {
    tavrin::store::FetchResult r;
    r.ok = next < pages.size();
    r.status = r.ok ? 200 : 0;
    if (r.ok) r.body = pages[next++];
    return r;
  };
  int added = 0;
  req.append = [&](const tavrin::store::DownloadedDraw&) { ++added; };
  const tavrin::store::DownloadOutcome out = tavrin::store::RunHistoryDownload(req);
  if (out.added != added) __builtin_trap();
  return 0;
}
