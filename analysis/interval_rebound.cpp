#include "analysis/interval_rebound.h"

#include <algorithm>
#include <span>
#include <stdexcept>
#include <utility>

namespace tavrin::analysis {

namespace {

struct Scratch {
  std::vector<int> counts;  // of intervals 1..I
  std::vector<int> keys;    // the counts in sorted order
  std::vector<int> order;
  std::vector<int> chosen;
  std::vector<char> drawn;
};

// The draws as values 1..V, 0 for a draw without a value (a number outside
// 1..36), with the previous and next draw of the same value. A value's gap
// before a target p is then read off the draw p - i itself: its value has gap
// i exactly when its next draw is not before p. This replaces walking back
// through the history once per draw of the window and once per value.
class DrawIndex {
 public:
  DrawIndex(const DrawHistory& history, int valueCount)
      : n_(static_cast<std::ptrdiff_t>(history.entries.size())),
        valueCount_(valueCount),
        values_(history.entries.size()),
        previous_(history.entries.size(), -1),
        next_(history.entries.size(), n_) {
    std::vector<std::ptrdiff_t> last(static_cast<std::size_t>(valueCount) + 1, -1);
    for (std::ptrdiff_t k = 0; k < n_; ++k) {
      const std::optional<int>& v = history.entries[static_cast<std::size_t>(k)].value;
      const int x = v && *v >= 1 && *v <= valueCount ? *v : 0;
      values_[static_cast<std::size_t>(k)] = x;
      if (x == 0) continue;
      std::ptrdiff_t& l = last[static_cast<std::size_t>(x)];
      previous_[static_cast<std::size_t>(k)] = l;
      if (l >= 0) next_[static_cast<std::size_t>(l)] = k;
      l = k;
    }
  }

  int value(std::ptrdiff_t k) const { return values_[static_cast<std::size_t>(k)]; }

  // The rule for target p; every buffer of scratch is reused from row to row.
  void Propose(std::ptrdiff_t p, int intervals, int picks, Scratch& scratch) const {
    // Tally over the draws p - 1 down to p - I - 1 (or the first draw). A
    // draw without a previous draw of its value has interval k + 1: 1 for
    // the first draw of the history.
    std::vector<int>& counts = scratch.counts;
    counts.assign(static_cast<std::size_t>(intervals), 0);
    const std::ptrdiff_t start = std::max<std::ptrdiff_t>(p - intervals - 1, 0);
    for (std::ptrdiff_t k = p - 1; k >= start; --k) {
      if (value(k) == 0) continue;
      const std::ptrdiff_t g = k - previous_[static_cast<std::size_t>(k)];
      if (g <= intervals) ++counts[static_cast<std::size_t>(g - 1)];
    }
    OrderInto(counts, scratch.keys, scratch.order);

    std::vector<int>& chosen = scratch.chosen;
    chosen.clear();
    for (int i : scratch.order) {
      if (static_cast<int>(chosen.size()) >= picks) break;
      if (i <= p) {
        const std::ptrdiff_t k = p - i;
        const int x = value(k);
        if (x != 0 && next_[static_cast<std::size_t>(k)] >= p) chosen.push_back(x);
      } else if (i == p + 1) {
        // Gap p + 1: every value not drawn before p, ascending. Only targets
        // within the first I draws get here.
        std::vector<char>& drawn = scratch.drawn;
        drawn.assign(static_cast<std::size_t>(valueCount_) + 1, 0);
        for (std::ptrdiff_t k = 0; k < p; ++k) drawn[static_cast<std::size_t>(value(k))] = 1;
        for (int x = 1; x <= valueCount_ && static_cast<int>(chosen.size()) < picks; ++x)
          if (!drawn[static_cast<std::size_t>(x)]) chosen.push_back(x);
      }
    }
  }

  // The exchange sort of the window: counts travel with their intervals, and
  // its order of equal counts is part of the result.
  static void OrderInto(std::span<const int> counts, std::vector<int>& keys, std::vector<int>& order) {
    const std::size_t n = counts.size();
    keys.assign(counts.begin(), counts.end());
    order.resize(n);
    for (std::size_t i = 0; i < n; ++i) order[i] = static_cast<int>(i) + 1;
    for (std::size_t a = 0; a + 1 < n; ++a)
      for (std::size_t b = a + 1; b < n; ++b)
        if (keys[b] < keys[a]) {
          std::swap(keys[a], keys[b]);
          std::swap(order[a], order[b]);
        }
  }

 private:
  std::ptrdiff_t n_;
  int valueCount_;
  std::vector<int> values_;
  std::vector<std::ptrdiff_t> previous_;  // -1: none before
  std::vector<std::ptrdiff_t> next_;      // n_: none after
};

void Check(const IntervalSettings& settings) {
  if (auto error = IntervalSettingsError(settings)) throw std::invalid_argument(*error);
}

}  // namespace

std::optional<std::string> IntervalSettingsError(const IntervalSettings& settings) {
  const int v = ValueCountOf(settings.kind);
  if (v == 0) return "未知的号码类别";
  if (settings.intervals < 1 || settings.intervals > kMaxIntervalCount)
    return "间隔期数必须在1到" + std::to_string(kMaxIntervalCount) + "之间";
  if (settings.picks < 1 || settings.picks > v) return "选号个数必须在1到" + std::to_string(v) + "之间";
  return std::nullopt;
}

std::vector<std::string> IntervalCountItems() { return CountItems(kMaxIntervalCount); }

std::vector<std::string> IntervalPickItems(AttributeKind kind) { return CountItems(ValueCountOf(kind)); }

std::vector<int> OrderIntervals(std::span<const int> counts) {
  std::vector<int> keys;
  std::vector<int> order;
  DrawIndex::OrderInto(counts, keys, order);
  return order;
}

std::optional<IntervalProposal> ProposeInterval(const DrawHistory& history, const IntervalSettings& settings,
                                                std::size_t target, const AttributeTables& names) {
  Check(settings);
  if (history.entries.empty()) return std::nullopt;
  const std::string item = TargetItemText(history, target);
  const DrawIndex index(history, ValueCountOf(settings.kind));
  Scratch scratch;
  index.Propose(static_cast<std::ptrdiff_t>(target), settings.intervals, settings.picks, scratch);
  IntervalProposal proposal;
  proposal.counts = std::move(scratch.counts);
  proposal.order = std::move(scratch.order);
  proposal.chosen = std::move(scratch.chosen);
  proposal.betList = BetListText(settings.kind, proposal.chosen, names);
  proposal.text = ProposalText(item, proposal.betList);
  return proposal;
}

SelectionHistory IntervalHistory(const DrawHistory& history, const IntervalSettings& settings,
                                 const AttributeTables& names) {
  Check(settings);
  const DrawIndex index(history, ValueCountOf(settings.kind));
  const std::size_t n = history.entries.size();
  std::vector<std::string> betLists(n);
  std::vector<int> hits(n, 0);
  Scratch scratch;
  for (std::size_t r = 1; r < n; ++r) {
    const auto p = static_cast<std::ptrdiff_t>(r);
    index.Propose(p, settings.intervals, settings.picks, scratch);
    // A draw without a value is nobody's hit: no chosen value is 0.
    hits[r] = static_cast<int>(std::count(scratch.chosen.begin(), scratch.chosen.end(), index.value(p)));
    betLists[r] = BetListText(settings.kind, scratch.chosen, names);
  }
  return AssembleSelectionHistory(history, settings.kind, names, FrameShape{}, std::move(betLists), hits);
}

std::vector<std::string> IntervalReport(const DrawHistory& history, const IntervalSettings& settings,
                                        std::size_t target, const AttributeTables& names) {
  const SelectionHistory s = IntervalHistory(history, settings, names);
  const std::optional<IntervalProposal> proposal = ProposeInterval(history, settings, target, names);
  std::vector<std::string> lines;
  lines.reserve(s.rows.size() + 3);
  lines.push_back(TitleLine());
  for (const SelectionRow& row : s.rows) lines.push_back(RowLine(row));
  lines.push_back(s.summary);
  lines.push_back(proposal ? proposal->text : std::string());
  return lines;
}

}  // namespace tavrin::analysis
