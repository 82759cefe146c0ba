#include "analysis/u_qingmi.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <algorithm>

#include "app/guard.h"

namespace tavrin {

using namespace analysis;

namespace {

constexpr int kDefaultStages = 7;
constexpr int kTabcodeWidth = 250;

// Keeps each "value:total次" of tabcode in one piece when the cell wraps:
// lines break only at the spaces between the entries. The cell's text stays
// as it is; only what is painted joins the characters.
class EntryDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    static const QChar kWordJoiner(0x2060);
    QString joined;
    joined.reserve(option->text.size() * 2);
    for (const QChar c : option->text) {
      if (!joined.isEmpty() && c != QLatin1Char(' ') && joined.back() != QLatin1Char(' ')) joined += kWordJoiner;
      joined += c;
    }
    option->text = joined;
  }
};

}  // namespace

Tfrmqingmi::Tfrmqingmi(QWidget* parent)
    : SelectionWindow({QStringLiteral("最优亲密数字选号"),
                       QStringLiteral("最优亲密数字选号历史中奖图表"),
                       1,
                       {55, 100, 130, 50},
                       true},
                      parent) {
  setObjectName(QStringLiteral("frmqingmi"));
  comselnum = addCountCombo("comselnum", QStringLiteral("投注号码数："), 0, 0, [this] { comselnumChange(); });
  comjieduanqi = addListCombo("comjieduanqi", QStringLiteral("阶段次数："), 0, 1, [this] { comjieduanqiChange(); });
  setPickCombo(comselnum);
  fillCounts(comselnum, AffinityPickItems(AttributeKind::Number), K_);

  // One cell beside the tally chart; its text wraps between the entries so
  // that every value's total can be read.
  tabcode = new QTableWidget(1, 1, this);
  tabcode->setObjectName(QStringLiteral("tabcode"));
  tabcode->horizontalHeader()->hide();
  tabcode->verticalHeader()->hide();
  tabcode->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tabcode->setWordWrap(true);
  tabcode->setShowGrid(false);
  tabcode->setItemDelegate(new EntryDelegate(tabcode));
  tabcode->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  tabcode->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  tabcode->setFixedWidth(kTabcodeWidth);
  tabcode->setColumnWidth(0, kTabcodeWidth - 30);
  tabcode->setItem(0, 0, new QTableWidgetItem);
  tabcode->item(0, 0)->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
  lowerRow()->addWidget(tabcode);
  tabcode->viewport()->installEventFilter(this);

  // "显示标注" redraws at once here: the chart reads the box when it changes.
  RunGuarded([this] { FormCreate(); });
}

AffinitySettings Tfrmqingmi::settings() const { return {AttributeKindFromIndex(optqianhouIndex()), S_, K_}; }

QString Tfrmqingmi::tabcodeText() const { return tabcode->item(0, 0)->text(); }

void Tfrmqingmi::setTabcodeText(const QString& text) {
  tabcode->item(0, 0)->setText(text);
  fitTabcodeRow();
}

void Tfrmqingmi::fitTabcodeRow() {
  tabcode->resizeRowsToContents();
  // The cell fills the grid at least, as the one cell it is.
  tabcode->setRowHeight(0, std::max(tabcode->rowHeight(0), tabcode->viewport()->height()));
}

bool Tfrmqingmi::eventFilter(QObject* watched, QEvent* e) {
  if (watched == tabcode->viewport() && e->type() == QEvent::Resize) fitTabcodeRow();
  return SelectionWindow::eventFilter(watched, e);
}

void Tfrmqingmi::FormCreate() {
  V_ = ValueCountOf(AttributeKind::Number);
  loadHistory();
  fillTargets();
  // "全部期数", then 1..N. With fewer than 7 draws the largest count stands
  // in for 7: either looks back to the first draw and plots no row.
  const std::size_t n = history_.entries.size();
  {
    const QSignalBlocker quiet(comjieduanqi);
    static_cast<QStringListModel*>(comjieduanqi->model())->setStringList([&] {
      QStringList items;
      for (const std::string& s : StageItems(n)) items << QString::fromStdString(s);
      return items;
    }());
    S_ = static_cast<int>(std::min<std::size_t>(kDefaultStages, n));
    comjieduanqi->setCurrentIndex(S_);
  }
  showStatistics(computeStatistics());
}

SelectionHistory Tfrmqingmi::computeStatistics() const {
  return AffinityHistory(history_, settings(), FilledAttributeTables());
}

void Tfrmqingmi::btngenClick() {
  // The pick count is read from the combo's text; a refused text stops here.
  if (!commitPicks()) return;
  loadHistory();
  std::optional<AffinityProposal> p;
  if (target_ >= 0)
    p = ProposeAffinity(history_, settings(), static_cast<std::size_t>(target_), FilledAttributeTables());
  setTabcodeText(p ? QString::fromStdString(p->tabcode) : QString());
  showProposal(p ? QString::fromStdString(p->text) : QString());
}

void Tfrmqingmi::comselnumChange() { commitPicks(); }

void Tfrmqingmi::comjieduanqiChange() { S_ = std::max(comjieduanqi->currentIndex(), 0); }

std::vector<std::string> Tfrmqingmi::pickItems(AttributeKind kind) const { return AffinityPickItems(kind); }

std::optional<std::string> Tfrmqingmi::pickError(int picks) const {
  return AffinitySettingsError({settings().kind, S_, picks});
}

}  // namespace tavrin
