#include "mode/draw_marks.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace tavrin::mode {

std::vector<DrawMark> BuildMarks(const DrawHistory& history, const std::vector<BetCode>& codes, int form) {
  if (auto refusal = BetFormRefusal(form)) throw ModeRefused(*refusal);
  if (history.error) throw std::runtime_error(*history.error);
  // A draw is hit when its value is some code's digit: test each draw against
  // the set of digits rather than every code.
  std::array<bool, 10> digit{};
  for (const BetCode& c : codes) digit[static_cast<std::size_t>(c.digits[0])] = true;
  static_assert(kCodePositions == 1, "the digit set stands for one-position codes");
  std::vector<DrawMark> marks;
  marks.reserve(history.entries.size());
  std::int64_t last = -1;
  for (std::size_t i = 0; i < history.entries.size(); ++i) {
    const DrawEntry& e = history.entries[i];
    const bool hit = e.value && *e.value >= 0 && *e.value <= 9 && digit[static_cast<std::size_t>(*e.value)];
    if (hit) last = static_cast<std::int64_t>(i);
    marks.push_back({e.issue, hit ? 0 : static_cast<std::int64_t>(i) - last});
  }
  return marks;
}

std::vector<DrawMark> MarksOfHits(const std::vector<bool>& hits, std::int64_t firstIssue) {
  std::vector<DrawMark> marks;
  marks.reserve(hits.size());
  std::int64_t last = -1;
  for (std::size_t i = 0; i < hits.size(); ++i) {
    if (hits[i]) last = static_cast<std::int64_t>(i);
    marks.push_back({firstIssue + static_cast<std::int64_t>(i), hits[i] ? 0 : static_cast<std::int64_t>(i) - last});
  }
  return marks;
}

std::string MarkText(const DrawMark& m) { return m.hit() ? kHitSign : std::to_string(m.mark); }

std::vector<std::int64_t> HitGaps(std::span<const DrawMark> marks) {
  std::vector<std::int64_t> gaps;
  std::int64_t p = 0;
  const auto n = static_cast<std::int64_t>(marks.size());
  for (std::int64_t t = 1; t <= n; ++t)
    if (marks[static_cast<std::size_t>(t - 1)].hit()) {
      gaps.push_back(t - p);
      p = t;
    }
  if (!gaps.empty() && p != n) gaps.push_back(n - p + 1);
  return gaps;
}

std::optional<std::vector<IntervalRun>> IntervalRunStatistics(std::span<const DrawMark> marks) {
  const std::vector<std::int64_t> g = HitGaps(marks);
  if (g.empty()) return std::nullopt;
  std::int64_t maxMark = 0;
  for (const DrawMark& m : marks) maxMark = std::max(maxMark, m.mark);
  const std::int64_t limit = maxMark + 1;

  // For a threshold m the stretches are the maximal runs of gaps >= m. Each
  // such run has a leftmost smallest gap i, bordered by the nearest smaller
  // gaps on both sides, and is a stretch exactly for the thresholds above
  // both borders up to g[i]. So every stretch length comes with one range of
  // thresholds, found with monotonic stacks instead of a walk per threshold.
  const auto count = static_cast<std::ptrdiff_t>(g.size());
  std::vector<std::ptrdiff_t> left(g.size()), leftOrEqual(g.size()), right(g.size());
  std::vector<std::ptrdiff_t> stack;
  for (std::ptrdiff_t i = 0; i < count; ++i) {
    while (!stack.empty() && g[stack.back()] >= g[i]) stack.pop_back();
    left[i] = stack.empty() ? -1 : stack.back();
    stack.push_back(i);
  }
  stack.clear();
  for (std::ptrdiff_t i = 0; i < count; ++i) {
    while (!stack.empty() && g[stack.back()] > g[i]) stack.pop_back();
    leftOrEqual[i] = stack.empty() ? -1 : stack.back();
    stack.push_back(i);
  }
  stack.clear();
  for (std::ptrdiff_t i = count - 1; i >= 0; --i) {
    while (!stack.empty() && g[stack.back()] >= g[i]) stack.pop_back();
    right[i] = stack.empty() ? count : stack.back();
    stack.push_back(i);
  }

  // Per run length, +1 where its threshold range starts and -1 after it ends.
  std::map<std::int64_t, std::vector<std::pair<std::int64_t, int>>> events;
  for (std::ptrdiff_t i = 0; i < count; ++i) {
    if (leftOrEqual[i] != left[i]) continue;  // not the leftmost smallest gap of its run
    if (right[i] == count) continue;          // the run reaches the end of the list
    const std::int64_t outside = std::max(left[i] >= 0 ? g[left[i]] : 0, g[right[i]]);
    const std::int64_t lo = std::max<std::int64_t>(outside + 1, 1);
    const std::int64_t hi = std::min(g[i], limit);
    if (lo > hi) continue;
    auto& e = events[right[i] - left[i] - 1];
    e.emplace_back(lo, 1);
    e.emplace_back(hi + 1, -1);
  }

  std::vector<IntervalRun> rows;
  for (auto& [length, e] : events) {
    std::sort(e.begin(), e.end());
    std::int64_t times = 0;
    for (std::size_t k = 0; k < e.size();) {
      const std::int64_t from = e[k].first;
      while (k < e.size() && e[k].first == from) times += e[k++].second;
      const std::int64_t to = k < e.size() ? e[k].first : from;
      if (times > 0)
        for (std::int64_t m = from; m < to; ++m) rows.push_back({m, length, times});
    }
  }
  std::sort(rows.begin(), rows.end(), [](const IntervalRun& a, const IntervalRun& b) {
    return a.interval != b.interval ? a.interval < b.interval : a.length < b.length;
  });
  return rows;
}

}  // namespace tavrin::mode
