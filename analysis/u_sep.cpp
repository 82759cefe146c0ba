#include "analysis/u_sep.h"

#include <QComboBox>

#include "app/guard.h"

namespace tavrin {

using namespace analysis;

Tfrmsep::Tfrmsep(QWidget* parent)
    : SelectionWindow({QStringLiteral("最优间隔回补选号"),
                       QStringLiteral("最优间隔回补选号历史中奖图表"),
                       2,
                       {60, 100, 130, -320},
                       false},
                      parent) {
  setObjectName(QStringLiteral("frmsep"));
  comqishu = addCountCombo("comqishu", QStringLiteral("间隔期数："), 0, 0, [this] { comqishuChange(); });
  comcodenum = addCountCombo("comcodenum", QStringLiteral("选号个数："), 0, 1, [this] { comcodenumChange(); });
  setPickCombo(comcodenum);
  fillCounts(comqishu, IntervalCountItems(), I_);
  fillCounts(comcodenum, IntervalPickItems(AttributeKind::Number), K_);
  // Computes at once, as on every opening; a load error leaves the window
  // open with an empty grid.
  RunGuarded([this] { FormCreate(); });
}

IntervalSettings Tfrmsep::settings() const { return {AttributeKindFromIndex(optqianhouIndex()), I_, K_}; }

void Tfrmsep::FormCreate() {
  V_ = ValueCountOf(AttributeKind::Number);
  loadHistory();
  fillTargets();
  showStatistics(computeStatistics());
}

SelectionHistory Tfrmsep::computeStatistics() const {
  return IntervalHistory(history_, settings(), FilledAttributeTables());
}

void Tfrmsep::btngenClick() {
  loadHistory();
  std::optional<IntervalProposal> p;
  if (target_ >= 0)
    p = ProposeInterval(history_, settings(), static_cast<std::size_t>(target_), FilledAttributeTables());
  showProposal(p ? QString::fromStdString(p->text) : QString());
}

void Tfrmsep::comqishuChange() {
  commitCount(comqishu, I_, [this](int i) { return IntervalSettingsError({settings().kind, i, K_}); });
}

void Tfrmsep::comcodenumChange() { commitPicks(); }

std::vector<std::string> Tfrmsep::pickItems(AttributeKind kind) const { return IntervalPickItems(kind); }

std::optional<std::string> Tfrmsep::pickError(int picks) const {
  return IntervalSettingsError({settings().kind, I_, picks});
}

}  // namespace tavrin
