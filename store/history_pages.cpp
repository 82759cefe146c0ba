#include "store/history_pages.h"

#include <optional>
#include <unordered_set>

#include "base/draw_snapshot.h"

namespace tavrin::store {

namespace {

// Blanks and control characters; bytes of GBK characters are above them.
std::string_view trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

// Characters from 1-based position pos, at most count of them; what lies
// beyond the end of the line is simply not there.
std::string_view copy(std::string_view s, std::size_t pos, std::size_t count) {
  if (pos < 1 || pos > s.size()) return {};
  return s.substr(pos - 1, count);
}

std::string_view right(std::string_view s, std::size_t count) {
  return s.size() <= count ? s : s.substr(s.size() - count);
}

// The page's lines as read from a text file. Reading past the end yields
// empty lines, as a text file does.
class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text) {}
  bool atEnd() const { return pos_ >= text_.size(); }
  std::string_view next() {
    if (atEnd()) return {};
    const std::size_t nl = text_.find('\n', pos_);
    const std::size_t end = nl == std::string_view::npos ? text_.size() : nl;
    const std::string_view line = text_.substr(pos_, end - pos_);
    pos_ = nl == std::string_view::npos ? text_.size() : nl + 1;
    return line;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

std::optional<std::int32_t> toInt(std::string_view s) {
  try {
    return IssueToInt(std::string(s));
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

bool fetchFailed(const FetchResult& r) { return !r.ok || r.status < 200 || r.status > 299; }

std::string fetchProblem(const FetchResult& r) {
  if (!r.ok) return r.error.empty() ? std::string("没有回应") : r.error;
  return "HTTP " + std::to_string(r.status);
}

// The date on a detail page: 10 characters from position 26 of the first
// line holding the marker; none when no line holds it.
std::optional<std::string> detailDate(std::string_view page) {
  Lines lines(page);
  while (!lines.atEnd()) {
    const std::string_view line = trim(lines.next());
    if (line.find("play_R_tbox") != std::string_view::npos) return std::string(copy(line, 26, 10));
  }
  return std::nullopt;
}

// An address as a message can show it: bytes of a GBK page percent-encoded.
std::string shown(std::string_view url) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char ch : url) {
    const auto c = static_cast<unsigned char>(ch);
    if (c > ' ' && c < 0x7f) {
      out.push_back(ch);
    } else {
      out.push_back('%');
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 15]);
    }
  }
  return out;
}

std::string withoutTrailingSlash(std::string url) {
  while (!url.empty() && url.back() == '/') url.pop_back();
  return url;
}

}  // namespace

std::string HistoryListUrl(const std::string& baseUrl, int page) {
  return withoutTrailingSlash(baseUrl) + "/datas/history/367/history_" + std::to_string(page) + ".html";
}

bool DownloadSelectorStartsRun(std::string_view t) {
  return t == "所有彩票" || t == "广东南粤风采好彩1" || t == "南粤风采好彩1";
}

DownloadOutcome RunHistoryDownload(const DownloadRequest& req) {
  DownloadOutcome out;
  auto stop = [&out](const std::string& why) {
    out.message = "下载中断：" + why + "。此前已下载" + std::to_string(out.added) + "期。";
    return out;
  };
  auto progress = [&](int page) {
    if (req.progress) req.progress(DownloadProgress{page, out.added});
  };
  const std::string base = withoutTrailingSlash(req.baseUrl);

  std::unordered_set<std::int32_t> known;
  for (const std::string& s : req.storedIssues)
    if (auto v = toInt(s)) known.insert(*v);
  // L is converted where it is first compared, so a run whose pages hold no
  // draw line never trips over it.
  std::optional<std::int32_t> last;
  // A detail page without a date keeps the one found before it.
  std::string date;

  for (int page = 1; page <= kHistoryPages; ++page) {
    progress(page);
    const std::string listUrl = HistoryListUrl(base, page);
    const FetchResult list = req.fetch(listUrl);
    if (fetchFailed(list))
      return stop("无法取得第" + std::to_string(page) + "页 " + shown(listUrl) + "（" + fetchProblem(list) + "）");
    Lines lines(list.body);
    while (!lines.atEnd()) {
      const std::string_view line = trim(lines.next());
      if (line.size() != 49) continue;
      const std::string_view d = copy(right(line, 12), 1, 7);
      const std::optional<std::int32_t> issue = toInt(d);
      if (!issue) continue;
      if (!last) {
        last = toInt(req.lastIssue);
        if (!last) return stop("已存最后一期的期号“" + req.lastIssue + "”不是有效的整数值");
      }
      if (*issue <= *last) continue;

      // The numbers follow on the next line, the detail link six lines on.
      const std::string_view numbers = copy(right(trim(lines.next()), 21), 1, 14);
      std::string_view link;
      for (int i = 0; i < 6; ++i) link = lines.next();
      link = trim(link);
      const std::string_view path = link.size() > 39 ? copy(link, 26, link.size() - 39) : std::string_view();

      if (!known.insert(*issue).second) continue;
      DownloadedDraw draw;
      draw.issue = std::string(d);
      for (int k = 1; k <= kDownloadNumbers; ++k) {
        const std::optional<std::int32_t> n = toInt(copy(numbers, static_cast<std::size_t>(2 * k - 1), 2));
        if (!n) return stop("第" + draw.issue + "期的开奖号码不是整数");
        draw.numbers[static_cast<std::size_t>(k - 1)] = *n;
      }

      const std::string detailUrl = base + std::string(path);
      const FetchResult detail = req.fetch(detailUrl);
      if (fetchFailed(detail))
        return stop("无法取得第" + draw.issue + "期的详情页 " + shown(detailUrl) + "（" + fetchProblem(detail) + "）");
      if (std::optional<std::string> found = detailDate(detail.body)) date = std::move(*found);
      draw.date = date;

      try {
        req.append(draw);
      } catch (const std::exception& e) {
        return stop("第" + draw.issue + "期无法保存：" + e.what());
      }
      ++out.added;
      progress(page);
    }
  }
  out.completed = true;
  out.message = kDownloadDone;
  return out;
}

}  // namespace tavrin::store
