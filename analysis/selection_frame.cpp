#include "analysis/selection_frame.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace tavrin::analysis {

std::string BetListText(AttributeKind kind, std::span<const int> values, const AttributeTables& names) {
  std::string text;
  if (kind != AttributeKind::Number) {
    for (int x : values) text += names.Name(kind, x);
    return text;
  }
  text.reserve(values.size() * 3);
  for (int x : values) {
    // Written by hand for 0..99: the history formats one list per draw, and
    // printf would be most of the time spent.
    if (x >= 0 && x <= 99) {
      text += static_cast<char>('0' + x / 10);
      text += static_cast<char>('0' + x % 10);
      text += ' ';
    } else {
      char buf[16];
      std::snprintf(buf, sizeof buf, "%.2d ", x);
      text += buf;
    }
  }
  return text;
}

std::string DrawnValueText(AttributeKind kind, const DrawEntry& entry, const AttributeTables& names) {
  if (kind == AttributeKind::Number || !entry.value) return std::to_string(entry.value.value_or(entry.number));
  return names.Name(kind, *entry.value);
}

std::vector<std::string> TargetItems(const DrawHistory& history) {
  std::vector<std::string> items;
  if (history.entries.empty()) return items;
  items.reserve(history.entries.size() + 1);
  for (const DrawEntry& e : history.entries) items.push_back(std::to_string(e.issue));
  items.push_back(std::to_string(std::int64_t{history.entries.back().issue} + 1));
  return items;
}

std::string TargetItemText(const DrawHistory& history, std::size_t target) {
  const std::size_t n = history.entries.size();
  if (n == 0 || target > n) throw std::invalid_argument("目前投注期超出范围");
  if (target < n) return std::to_string(history.entries[target].issue);
  return std::to_string(std::int64_t{history.entries.back().issue} + 1);
}

std::string ProposalText(const std::string& targetItem, const std::string& betList) {
  return targetItem + kProposalSeparator + betList;
}

std::string SummaryText(std::span<const int> countedHits) {
  int most = 0;
  int least = 0;
  if (!countedHits.empty()) {
    // max starts at 0 and min at 1000; with a row to count, min is its least.
    most = std::max(0, *std::max_element(countedHits.begin(), countedHits.end()));
    least = std::min(1000, *std::min_element(countedHits.begin(), countedHits.end()));
  }
  return "最大中奖号码数为" + std::to_string(most) + "个，" + "最小中奖号码数为" + std::to_string(least) + "个";
}

std::vector<std::string> CountItems(int last) {
  std::vector<std::string> items;
  for (int i = 1; i <= last; ++i) items.push_back(std::to_string(i));
  return items;
}

std::string TitleLine() {
  std::string line;
  for (const char* t : kSelectionTitles) {
    if (!line.empty()) line += '\t';
    line += t;
  }
  return line;
}

std::string RowLine(const SelectionRow& row) { return row[0] + '\t' + row[1] + '\t' + row[2] + '\t' + row[3]; }

SelectionHistory AssembleSelectionHistory(const DrawHistory& history, AttributeKind kind, const AttributeTables& names,
                                          const FrameShape& shape, std::vector<std::string> betLists,
                                          const std::vector<int>& hits) {
  const std::size_t n = history.entries.size();
  if (betLists.size() != n || hits.size() != n) throw std::invalid_argument("每期须有一个投注号码和中奖个数");
  SelectionHistory s;
  s.rows.resize(n);
  for (std::size_t r = 0; r < n; ++r) {
    SelectionRow& row = s.rows[r];
    row[0] = std::to_string(history.entries[r].issue);
    row[1] = DrawnValueText(kind, history.entries[r], names);
    row[2] = std::move(betLists[r]);
    if (r > 0 || shape.rowZeroShowsHits) row[3] = std::to_string(hits[r]);
    if (r > 0 && hits[r] >= 0 && hits[r] <= kValuesPerDraw) ++s.tally[static_cast<std::size_t>(hits[r])];
  }

  const std::size_t firstCounted = shape.summaryCountsRowZero ? 0 : 1;
  s.summary = SummaryText(std::span<const int>(hits).subspan(std::min(firstCounted, n)));

  s.firstPlottedRow = std::min(shape.firstPlottedRow, n);
  s.hitChart.labels.reserve(n - s.firstPlottedRow);
  s.hitChart.values.reserve(n - s.firstPlottedRow);
  for (std::size_t r = s.firstPlottedRow; r < n; ++r) {
    s.hitChart.labels.push_back(s.rows[r][0]);
    s.hitChart.values.push_back(hits[r]);
  }
  // Without draws both charts stay empty.
  for (std::size_t h = 0; n > 0 && h < s.tally.size(); ++h) {
    s.tallyChart.labels.push_back(std::to_string(h));
    s.tallyChart.values.push_back(s.tally[h]);
  }
  return s;
}

}  // namespace tavrin::analysis
