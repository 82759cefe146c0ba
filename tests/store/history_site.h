#pragma once
// Operator pages laid out by the download's byte positions, and a fake site
// that serves them, so a whole download runs without a network.
//
// A list line is 49 bytes: 37 before the issue, the 7-byte issue, 5 after.
// The numbers line ends in the 14 digits and a 7-byte tail. Six lines on, the
// detail link sits between 25 leading and 14 trailing bytes. A detail page's
// marker line has the date 10 bytes from its 26th byte.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "store/history_pages.h"

namespace tavrin::test {

inline const std::string kBase = "http://127.0.0.1:9";

struct ListedDraw {
  ListedDraw(std::string i, std::string n = "01020304050607") : issue(std::move(i)), numbers(std::move(n)) {}
  std::string issue;
  std::string numbers;
  std::string detailPath;  // defaults to /detail/<issue>.html
  std::string lead;        // bytes at the start of the list line (up to 37)
};

inline std::string ListLine(const std::string& issue, const std::string& lead = "<tr><td>") {
  return lead + std::string(37 - lead.size(), 'x') + issue + "</td>";
}

inline std::string DetailPath(const ListedDraw& d) {
  return d.detailPath.empty() ? "/detail/" + d.issue + ".html" : d.detailPath;
}

// The lines of one listed draw: its list line, the numbers, five lines of
// filler and the detail link.
inline std::string DrawLines(const ListedDraw& d, const char* eol = "\n") {
  std::string s = "  " + ListLine(d.issue, d.lead.empty() ? "<tr><td>" : d.lead) + eol;
  s += "    <td><em>" + d.numbers + "</span>" + eol;
  for (int i = 0; i < 5; ++i) s += std::string("<td>-</td>") + eol;
  s += "\t<td class=\"lnk\"><a href=\"" + DetailPath(d) + "\">see</a></td>" + eol;
  return s;
}

inline std::string ListPage(const std::vector<ListedDraw>& draws, const char* eol = "\n") {
  std::string s = std::string("<html><body><table>") + eol;
  for (const ListedDraw& d : draws) s += DrawLines(d, eol);
  return s + "</table></body></html>" + eol;
}

inline std::string DetailPage(const std::string& date) {
  return "<html>\r\n<body>\r\n  <div class=\"play_R_tbox\">" + date + "</div>\r\n</body>\r\n</html>\r\n";
}

// Serves pages by address; an address it does not know answers 404.
struct FakeSite {
  std::map<std::string, store::FetchResult> pages;
  std::vector<std::string> fetched;

  void list(int page, const std::string& body) { pages[store::HistoryListUrl(kBase, page)] = {true, 200, body, {}}; }
  // Serves the list page and a detail page with date for each draw on it.
  void listWithDetails(int page, const std::vector<ListedDraw>& draws, const std::string& date = "2008-01-01") {
    list(page, ListPage(draws));
    for (const ListedDraw& d : draws) pages[kBase + DetailPath(d)] = {true, 200, DetailPage(date), {}};
  }
  // Every list page not given so far is served empty.
  void emptyPagesElsewhere() {
    for (int i = 1; i <= store::kHistoryPages; ++i)
      pages.try_emplace(store::HistoryListUrl(kBase, i), store::FetchResult{true, 200, "<html></html>\n", {}});
  }

  store::FetchFunction fetch() {
    return [this](const std::string& url) {
      fetched.push_back(url);
      auto it = pages.find(url);
      return it != pages.end() ? it->second : store::FetchResult{true, 404, "Not Found", {}};
    };
  }
};

}  // namespace tavrin::test
