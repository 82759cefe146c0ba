#include "analysis/affinity.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace tavrin::analysis {

namespace {

// The stretch a target's look-back counts is one run of consecutive draws:
// from the draw after the latest earlier draw of v back to the second draw
// after its S-th latest (or to draw 1). So the counts are differences of
// per-value prefix counts, and the S-th latest draw of v is found by its
// rank among the draws of v; no walk through the history is needed.
class DrawIndex {
 public:
  DrawIndex(const DrawHistory& history, int valueCount)
      : n_(history.entries.size()),
        valueCount_(valueCount),
        values_(n_),
        previous_(n_, -1),
        rank_(n_, 0),
        positions_(static_cast<std::size_t>(valueCount) + 1),
        prefix_((n_ + 1) * static_cast<std::size_t>(valueCount), 0) {
    const auto width = static_cast<std::size_t>(valueCount);
    for (std::size_t k = 0; k < n_; ++k) {
      const std::optional<int>& v = history.entries[k].value;
      const int x = v && *v >= 1 && *v <= valueCount ? *v : 0;
      values_[k] = x;
      std::copy_n(prefix_.begin() + static_cast<std::ptrdiff_t>(k * width), width,
                  prefix_.begin() + static_cast<std::ptrdiff_t>((k + 1) * width));
      if (x == 0) continue;
      ++prefix_[(k + 1) * width + static_cast<std::size_t>(x - 1)];
      std::vector<std::ptrdiff_t>& pos = positions_[static_cast<std::size_t>(x)];
      previous_[k] = pos.empty() ? -1 : pos.back();
      rank_[k] = pos.size();
      pos.push_back(static_cast<std::ptrdiff_t>(k));
    }
  }

  int value(std::size_t k) const { return values_[k]; }

  // The affinity totals of values 1..V for target p (1 ≤ p ≤ N).
  void Totals(std::size_t p, int stages, std::vector<int>& totals) const {
    totals.assign(static_cast<std::size_t>(valueCount_), 0);
    // Nothing is counted for a draw without a value, for v not drawn before,
    // and for one stage, whose walk stops at the latest earlier draw of v.
    const int v = values_[p - 1];
    if (v == 0 || stages == 1) return;
    const std::ptrdiff_t latest = previous_[p - 1];
    if (latest < 0) return;
    // Counted draws lo..hi. The S-th latest earlier draw of v stops the walk
    // and the draw after it is not counted; with fewer earlier draws, or
    // without a limit, the walk runs down to draw 0, counting from draw 1.
    const auto hi = static_cast<std::size_t>(latest) + 1;
    std::size_t lo = 1;
    const std::size_t rank = rank_[static_cast<std::size_t>(latest)];
    if (stages >= 2) {
      const auto back = static_cast<std::size_t>(stages - 1);
      const std::vector<std::ptrdiff_t>& draws = positions_[static_cast<std::size_t>(v)];
      if (rank >= back) lo = static_cast<std::size_t>(draws[rank - back]) + 2;
    }
    const auto width = static_cast<std::size_t>(valueCount_);
    const int* upper = prefix_.data() + (hi + 1) * width;
    const int* lower = prefix_.data() + lo * width;
    for (std::size_t x = 0; x < width; ++x) totals[x] = upper[x] - lower[x];
  }

 private:
  std::size_t n_;
  int valueCount_;
  std::vector<int> values_;  // 0 for a draw without a value
  std::vector<std::ptrdiff_t> previous_;
  std::vector<std::size_t> rank_;  // how many draws of the same value precede
  std::vector<std::vector<std::ptrdiff_t>> positions_;
  std::vector<int> prefix_;  // row i: draws of each value among draws 0..i-1
};

// The exchange sort of the window, descending, over its first `passes`
// positions: each pass settles one position for good, so the first K passes
// give the first K ranks of the whole sort.
void RankInto(std::span<const int> totals, std::size_t passes, std::vector<int>& keys, std::vector<int>& values) {
  const std::size_t n = totals.size();
  keys.assign(totals.begin(), totals.end());
  values.resize(n);
  for (std::size_t i = 0; i < n; ++i) values[i] = static_cast<int>(i) + 1;
  for (std::size_t a = 0; a < passes && a + 1 < n; ++a)
    for (std::size_t b = a + 1; b < n; ++b)
      if (keys[a] < keys[b]) {
        std::swap(keys[a], keys[b]);
        std::swap(values[a], values[b]);
      }
}

void Check(const AffinitySettings& settings) {
  if (auto error = AffinitySettingsError(settings)) throw std::invalid_argument(*error);
}

}  // namespace

std::optional<std::string> AffinitySettingsError(const AffinitySettings& settings) {
  const int v = ValueCountOf(settings.kind);
  if (v == 0) return "未知的号码类别";
  if (settings.stages < 0) return "阶段次数不能小于0";
  if (settings.picks < 1 || settings.picks > v) return "投注号码数必须在1到" + std::to_string(v) + "之间";
  return std::nullopt;
}

std::vector<std::string> AffinityPickItems(AttributeKind kind) {
  // The combo offers 20 numbers; any count up to V may be typed.
  return CountItems(kind == AttributeKind::Number ? 20 : ValueCountOf(kind));
}

std::vector<std::string> StageItems(std::size_t drawCount) {
  std::vector<std::string> items;
  items.reserve(drawCount + 1);
  items.push_back(kAllStagesText);
  for (std::size_t s = 1; s <= drawCount; ++s) items.push_back(std::to_string(s));
  return items;
}

std::vector<AffinityTotal> RankTotals(std::span<const int> totals) {
  std::vector<int> keys;
  std::vector<int> values;
  RankInto(totals, totals.size(), keys, values);
  std::vector<AffinityTotal> ranking(totals.size());
  for (std::size_t i = 0; i < ranking.size(); ++i) ranking[i] = {values[i], keys[i]};
  return ranking;
}

std::string TabcodeText(std::span<const AffinityTotal> ranking) {
  std::string text = kTabcodeTitle;
  for (const AffinityTotal& t : ranking) text += std::to_string(t.value) + ":" + std::to_string(t.total) + "次 ";
  return text;
}

std::optional<AffinityProposal> ProposeAffinity(const DrawHistory& history, const AffinitySettings& settings,
                                                std::size_t target, const AttributeTables& names) {
  Check(settings);
  if (history.entries.empty()) return std::nullopt;
  const std::string item = TargetItemText(history, target);
  AffinityProposal proposal;
  if (target > 0) {
    const DrawIndex index(history, ValueCountOf(settings.kind));
    std::vector<int> totals;
    index.Totals(target, settings.stages, totals);
    proposal.ranking = RankTotals(totals);
    for (int i = 0; i < settings.picks; ++i)
      proposal.chosen.push_back(proposal.ranking[static_cast<std::size_t>(i)].value);
    std::sort(proposal.chosen.begin(), proposal.chosen.end());
  }
  proposal.betList = BetListText(settings.kind, proposal.chosen, names);
  proposal.text = ProposalText(item, proposal.betList);
  proposal.tabcode = TabcodeText(proposal.ranking);
  return proposal;
}

SelectionHistory AffinityHistory(const DrawHistory& history, const AffinitySettings& settings,
                                 const AttributeTables& names) {
  Check(settings);
  const DrawIndex index(history, ValueCountOf(settings.kind));
  const std::size_t n = history.entries.size();
  const auto picks = static_cast<std::size_t>(settings.picks);
  std::vector<std::string> betLists(n);
  std::vector<int> hits(n, 0);
  std::vector<int> totals;
  std::vector<int> keys;
  std::vector<int> ranked;
  for (std::size_t r = 1; r < n; ++r) {
    index.Totals(r, settings.stages, totals);
    RankInto(totals, picks, keys, ranked);
    std::sort(ranked.begin(), ranked.begin() + static_cast<std::ptrdiff_t>(picks));
    const std::span<const int> chosen(ranked.data(), picks);
    // A draw without a value is nobody's hit: no chosen value is 0.
    hits[r] = static_cast<int>(std::count(chosen.begin(), chosen.end(), index.value(r)));
    betLists[r] = BetListText(settings.kind, chosen, names);
  }
  FrameShape shape;
  shape.rowZeroShowsHits = false;
  shape.summaryCountsRowZero = false;
  shape.firstPlottedRow = static_cast<std::size_t>(settings.stages) + 1;
  return AssembleSelectionHistory(history, settings.kind, names, shape, std::move(betLists), hits);
}

std::vector<std::string> AffinityReport(const DrawHistory& history, const AffinitySettings& settings,
                                        std::size_t target, const AttributeTables& names) {
  const SelectionHistory s = AffinityHistory(history, settings, names);
  const std::optional<AffinityProposal> proposal = ProposeAffinity(history, settings, target, names);
  std::vector<std::string> lines;
  lines.reserve(s.rows.size() + 4);
  lines.push_back(TitleLine());
  for (const SelectionRow& row : s.rows) lines.push_back(RowLine(row));
  lines.push_back(s.summary);
  lines.push_back(proposal ? proposal->text : std::string());
  lines.push_back(proposal ? proposal->tabcode : std::string());
  return lines;
}

}  // namespace tavrin::analysis
