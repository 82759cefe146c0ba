#pragma once
// The interval rebound and affinity rules written out literally, loop for
// loop as the windows first did them: every interval found by walking back
// to the previous draw of the value, every gap by walking back per value,
// every affinity count by walking through the earlier draws one at a time,
// every ranking by the whole exchange sort. Quadratic, and so the oracle the
// fast versions must agree with, texts and orders of equal keys included.
// The decided behaviour is written in too: "全部期数" looks back without
// limit, a draw without a value is nobody's value, the summary reads 0 and 0
// with no row to count, and nothing is proposed without draws or, for
// affinity, for the oldest draw.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/affinity.h"
#include "analysis/interval_rebound.h"

namespace tavrin::oracle {

namespace detail {

inline int ValueAt(const DrawHistory& h, int k, int V) {
  const std::optional<int>& v = h.entries[static_cast<std::size_t>(k)].value;
  return v && *v >= 1 && *v <= V ? *v : 0;
}

inline std::string BetList(AttributeKind kind, const std::vector<int>& values, const AttributeTables& names) {
  std::string s;
  for (int x : values) {
    if (kind == AttributeKind::Number) {
      char buf[16];
      std::snprintf(buf, sizeof buf, "%.2d ", x);
      s += buf;
    } else {
      s += names.Name(kind, x);
    }
  }
  return s;
}

inline std::string Item(const DrawHistory& h, std::size_t target) {
  if (target < h.entries.size()) return std::to_string(h.entries[target].issue);
  return std::to_string(static_cast<long long>(h.entries.back().issue) + 1);
}

inline std::string Drawn(AttributeKind kind, const DrawEntry& e, const AttributeTables& names) {
  if (!e.value) return std::to_string(e.number);
  if (kind == AttributeKind::Number) return std::to_string(*e.value);
  return names.Name(kind, *e.value);
}

// Rows, tally, summary and charts from the bet lists and hits of every row.
inline analysis::SelectionHistory Frame(const DrawHistory& h, AttributeKind kind, const AttributeTables& names,
                                        const std::vector<std::string>& bets, const std::vector<int>& hits,
                                        bool rowZeroHits, int firstSummaryRow, long long firstChartRow) {
  analysis::SelectionHistory s;
  const int n = static_cast<int>(h.entries.size());
  int most = 0, least = 1000;
  bool counted = false;
  for (int r = 0; r < n; ++r) {
    const DrawEntry& e = h.entries[static_cast<std::size_t>(r)];
    analysis::SelectionRow row;
    row[0] = std::to_string(e.issue);
    row[1] = Drawn(kind, e, names);
    row[2] = bets[static_cast<std::size_t>(r)];
    row[3] = r == 0 && !rowZeroHits ? "" : std::to_string(hits[static_cast<std::size_t>(r)]);
    s.rows.push_back(row);
    if (r >= 1) s.tally[static_cast<std::size_t>(hits[static_cast<std::size_t>(r)])] += 1;
    if (r >= firstSummaryRow) {
      counted = true;
      if (hits[static_cast<std::size_t>(r)] > most) most = hits[static_cast<std::size_t>(r)];
      if (hits[static_cast<std::size_t>(r)] < least) least = hits[static_cast<std::size_t>(r)];
    }
  }
  if (!counted) least = 0;
  s.summary = "最大中奖号码数为" + std::to_string(most) + "个，" + "最小中奖号码数为" + std::to_string(least) + "个";
  s.firstPlottedRow = static_cast<std::size_t>(firstChartRow < n ? firstChartRow : n);
  for (long long r = firstChartRow; r < n; ++r) {
    s.hitChart.labels.push_back(s.rows[static_cast<std::size_t>(r)][0]);
    s.hitChart.values.push_back(hits[static_cast<std::size_t>(r)]);
  }
  if (n > 0) {
    s.tallyChart.labels = {"0", "1"};
    s.tallyChart.values = {s.tally[0], s.tally[1]};
  }
  return s;
}

}  // namespace detail

// The interval rule for target p, N ≥ 1.
inline analysis::IntervalProposal IntervalProposal(const DrawHistory& h, AttributeKind kind, int I, int K, int p,
                                                   const AttributeTables& names) {
  const int V = ValueCountOf(kind);
  auto value = [&](int k) { return detail::ValueAt(h, k, V); };
  const int s = p - I - 1 >= 0 ? p - I - 1 : 0;
  std::vector<std::pair<int, int>> tally;  // interval, count
  for (int i = 1; i <= I; ++i) tally.emplace_back(i, 0);
  for (int k = p - 1; k >= s; --k) {
    const int v = value(k);
    if (v == 0) continue;
    int m = -1;
    for (int j = k - 1; j >= 0; --j)
      if (value(j) == v) {
        m = j;
        break;
      }
    const int g = k - m;
    if (g >= 1 && g <= I) tally[static_cast<std::size_t>(g - 1)].second += 1;
  }
  analysis::IntervalProposal out;
  for (const auto& t : tally) out.counts.push_back(t.second);
  for (int a = 0; a < I - 1; ++a)
    for (int b = a + 1; b < I; ++b)
      if (tally[static_cast<std::size_t>(b)].second < tally[static_cast<std::size_t>(a)].second)
        std::swap(tally[static_cast<std::size_t>(a)], tally[static_cast<std::size_t>(b)]);
  for (const auto& t : tally) out.order.push_back(t.first);
  std::vector<int> gap(static_cast<std::size_t>(V) + 1);
  for (int x = 1; x <= V; ++x) {
    int m = -1;
    for (int j = p - 1; j >= 0; --j)
      if (value(j) == x) {
        m = j;
        break;
      }
    gap[static_cast<std::size_t>(x)] = p - m;
  }
  int chosen = 0;
  for (const auto& t : tally)
    for (int x = 1; x <= V; ++x)
      if (gap[static_cast<std::size_t>(x)] == t.first && chosen < K) {
        ++chosen;
        out.chosen.push_back(x);
      }
  out.betList = detail::BetList(kind, out.chosen, names);
  out.text = detail::Item(h, static_cast<std::size_t>(p)) + "期推荐投注号码：" + out.betList;
  return out;
}

inline analysis::SelectionHistory IntervalHistory(const DrawHistory& h, AttributeKind kind, int I, int K,
                                                  const AttributeTables& names) {
  const int n = static_cast<int>(h.entries.size());
  std::vector<std::string> bets(static_cast<std::size_t>(n));
  std::vector<int> hits(static_cast<std::size_t>(n), 0);
  for (int r = 1; r < n; ++r) {
    const analysis::IntervalProposal prop = IntervalProposal(h, kind, I, K, r, names);
    const int drawn = detail::ValueAt(h, r, ValueCountOf(kind));
    for (int x : prop.chosen)
      if (x == drawn) hits[static_cast<std::size_t>(r)] += 1;
    bets[static_cast<std::size_t>(r)] = prop.betList;
  }
  return detail::Frame(h, kind, names, bets, hits, true, 0, 0);
}

// The affinity rule for target p, N ≥ 1.
inline analysis::AffinityProposal AffinityProposal(const DrawHistory& h, AttributeKind kind, int S, int K, int p,
                                                   const AttributeTables& names) {
  analysis::AffinityProposal out;
  const std::string item = detail::Item(h, static_cast<std::size_t>(p));
  std::string tab = "各亲密数字总次数";
  if (p == 0) {
    out.text = item + "期推荐投注号码：";
    out.tabcode = tab;
    return out;
  }
  const int V = ValueCountOf(kind);
  auto value = [&](int k) { return detail::ValueAt(h, k, V); };
  std::vector<int> count(static_cast<std::size_t>(V) + 1, 0);
  const int v = value(p - 1);
  if (v != 0) {
    int occurrences = 0;
    bool marker = false;
    for (int j = p - 2; j >= 0; --j) {
      if (value(j) == v) {
        marker = true;
        ++occurrences;
      }
      if (S != 0 && occurrences >= S) break;
      if (marker && value(j + 1) != 0) count[static_cast<std::size_t>(value(j + 1))] += 1;
    }
  }
  std::vector<std::pair<int, int>> totals;  // value, total
  for (int x = 1; x <= V; ++x) totals.emplace_back(x, count[static_cast<std::size_t>(x)]);
  for (int a = 0; a < V - 1; ++a)
    for (int b = a + 1; b < V; ++b)
      if (totals[static_cast<std::size_t>(a)].second < totals[static_cast<std::size_t>(b)].second)
        std::swap(totals[static_cast<std::size_t>(a)], totals[static_cast<std::size_t>(b)]);
  std::vector<bool> flag(static_cast<std::size_t>(V) + 1, false);
  for (int i = 0; i < K; ++i) flag[static_cast<std::size_t>(totals[static_cast<std::size_t>(i)].first)] = true;
  for (int x = 1; x <= V; ++x)
    if (flag[static_cast<std::size_t>(x)]) out.chosen.push_back(x);
  for (const auto& t : totals) {
    out.ranking.push_back({t.first, t.second});
    tab += std::to_string(t.first) + ":" + std::to_string(t.second) + "次 ";
  }
  out.betList = detail::BetList(kind, out.chosen, names);
  out.text = item + "期推荐投注号码：" + out.betList;
  out.tabcode = tab;
  return out;
}

inline analysis::SelectionHistory AffinityHistory(const DrawHistory& h, AttributeKind kind, int S, int K,
                                                  const AttributeTables& names) {
  const int n = static_cast<int>(h.entries.size());
  std::vector<std::string> bets(static_cast<std::size_t>(n));
  std::vector<int> hits(static_cast<std::size_t>(n), 0);
  for (int r = 1; r < n; ++r) {
    const analysis::AffinityProposal prop = AffinityProposal(h, kind, S, K, r, names);
    const int drawn = detail::ValueAt(h, r, ValueCountOf(kind));
    for (int x : prop.chosen)
      if (x == drawn) hits[static_cast<std::size_t>(r)] += 1;
    bets[static_cast<std::size_t>(r)] = prop.betList;
  }
  return detail::Frame(h, kind, names, bets, hits, false, 1, static_cast<long long>(S) + 1);
}

}  // namespace tavrin::oracle
