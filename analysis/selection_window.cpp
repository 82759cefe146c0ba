#include "analysis/selection_window.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QGraphicsLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <climits>

#include "analysis/hit_chart.h"
#include "app/floating.h"
#include "app/guard.h"
#include "app/title_header.h"
#include "base/integer_text.h"
#include "store/lottery_session.h"
#include "store/u_datamod.h"

namespace tavrin::analysis {

namespace {

constexpr int kClientWidth = 1080;
constexpr int kClientHeight = 681;
constexpr int kGridWidth = 420;
constexpr int kRowHeight = 20;

QString Text(const std::string& s) { return QString::fromStdString(s); }

QStringList Texts(const std::vector<std::string>& items) {
  QStringList out;
  out.reserve(static_cast<qsizetype>(items.size()));
  for (const std::string& s : items) out << Text(s);
  return out;
}

}  // namespace

// ---- SelectionHistoryModel --------------------------------------------------

void SelectionHistoryModel::setHistory(std::shared_ptr<const SelectionHistory> history) {
  beginResetModel();
  history_ = std::move(history);
  endResetModel();
}

int SelectionHistoryModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !history_ ? 0 : static_cast<int>(history_->rows.size());
}

int SelectionHistoryModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(kSelectionTitles.size());
}

QVariant SelectionHistoryModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  switch (role) {
    case Qt::DisplayRole:
      return Text(history_->rows[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())]);
    case Qt::TextAlignmentRole:
      return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole:
      // The issue column is the grid's fixed column.
      if (index.column() == 0) return QApplication::palette().button();
      return {};
    default:
      return {};
  }
}

QVariant SelectionHistoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount()) return {};
  return QString::fromUtf8(kSelectionTitles[static_cast<std::size_t>(section)]);
}

// ---- SelectionWindow --------------------------------------------------------

SelectionWindow::SelectionWindow(const Shape& shape, QWidget* parent) : QDialog(parent), shape_(shape) {
  setWindowTitle(shape.caption);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  MakeFloating(this);
  setModal(false);
  resize(kClientWidth, kClientHeight);

  model_ = new SelectionHistoryModel(this);
  tabhistory = new QTableView(this);
  tabhistory->setObjectName(QStringLiteral("tabhistory"));
  tabhistory->setModel(model_);
  tabhistory->setFixedWidth(kGridWidth);
  tabhistory->setShowGrid(true);
  tabhistory->setSelectionMode(QAbstractItemView::ContiguousSelection);
  tabhistory->setSelectionBehavior(QAbstractItemView::SelectItems);
  tabhistory->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tabhistory->setWordWrap(false);
  tabhistory->verticalHeader()->hide();
  tabhistory->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  tabhistory->verticalHeader()->setDefaultSectionSize(kRowHeight);
  tabhistory->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  tabhistory->horizontalHeader()->setStretchLastSection(false);
  UseTitleHeader(tabhistory);

  chthistory = new HitChart(this);
  chthistory->setObjectName(QStringLiteral("chthistory"));
  chthistory->setTitle(shape.chartTitle);
  chthistory->setMinimumHeight(200);

  chkhistorybiao = new QCheckBox(QStringLiteral("显示标注"), this);
  chkhistorybiao->setObjectName(QStringLiteral("chkhistorybiao"));
  if (shape.labelsRedrawAtOnce)
    connect(chkhistorybiao, &QCheckBox::toggled, this,
            guarded<bool>([this](bool on) { chthistory->setValueLabelsVisible(on); }));

  // The hit tally: two bars, each with its count written on it.
  auto* tally = new QChart();
  tally->setTitle(QStringLiteral("历史中奖次数图表"));
  QFont titleFont = tally->titleFont();
  titleFont.setPointSize(9);
  titleFont.setBold(true);
  tally->setTitleFont(titleFont);
  tally->setMargins(QMargins(2, 0, 2, 0));
  tally->layout()->setContentsMargins(0, 0, 0, 0);
  tally->setBackgroundRoundness(0);
  tally->setAnimationOptions(QChart::NoAnimation);
  QFont smallFont = tally->legend()->font();
  smallFont.setPointSize(8);
  tally->legend()->setFont(smallFont);
  tally->legend()->setAlignment(Qt::AlignTop);
  tallySeries_ = new QBarSeries(tally);
  tallySeries_->setLabelsVisible(true);
  tallySeries_->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
  tallySeries_->setBarWidth(0.5);
  tally->addSeries(tallySeries_);
  tallyAxisX_ = new QBarCategoryAxis(tally);
  tallyAxisY_ = new QValueAxis(tally);
  tallyAxisX_->setLabelsFont(smallFont);
  tallyAxisY_->setLabelsFont(smallFont);
  tallyAxisY_->setLabelFormat(QStringLiteral("%d"));
  tally->addAxis(tallyAxisX_, Qt::AlignBottom);
  tally->addAxis(tallyAxisY_, Qt::AlignLeft);
  tallySeries_->attachAxis(tallyAxisX_);
  tallySeries_->attachAxis(tallyAxisY_);
  chtcishu = new QChartView(tally, this);
  chtcishu->setObjectName(QStringLiteral("chtcishu"));
  chtcishu->setMinimumHeight(150);
  drawTally(BarData{});

  mem = new QPlainTextEdit(this);
  mem->setObjectName(QStringLiteral("mem"));
  mem->setReadOnly(true);
  mem->setFixedHeight(mem->fontMetrics().height() + 12);
  mem->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  edtcurcode = new QLineEdit(this);
  edtcurcode->setObjectName(QStringLiteral("edtcurcode"));
  edtcurcode->setReadOnly(true);

  optqianhou = new QGroupBox(this);
  optqianhou->setObjectName(QStringLiteral("optqianhou"));
  auto* kinds = new QGridLayout(optqianhou);
  kinds->setContentsMargins(8, 2, 8, 2);
  kinds->setVerticalSpacing(0);
  kindGroup_ = new QButtonGroup(this);
  for (int i = 0; i < 4; ++i) {
    auto* r = new QRadioButton(QString::fromUtf8(AttributeKindText(static_cast<AttributeKind>(i))), optqianhou);
    kindButtons_[static_cast<std::size_t>(i)] = r;
    kindGroup_->addButton(r, i);
    kinds->addWidget(r, i / shape.kindColumns, i % shape.kindColumns);  // items row by row
  }
  kindButtons_[0]->setChecked(true);
  connect(kindGroup_, &QButtonGroup::idClicked, this, guarded<int>([this](int) { optqianhouClick(); }));

  btntongji = new QPushButton(QStringLiteral("历史统计"), this);
  btntongji->setObjectName(QStringLiteral("btntongji"));
  btngen = new QPushButton(QStringLiteral("生成号码"), this);
  btngen->setObjectName(QStringLiteral("btngen"));
  for (QPushButton* b : {btntongji, btngen}) {
    // Enter in a count combo takes the typed count; it presses no button.
    b->setAutoDefault(false);
    b->setMinimumWidth(96);
  }
  connect(btntongji, &QPushButton::clicked, this, guarded([this] { btntongjiClick(); }));
  connect(btngen, &QPushButton::clicked, this, guarded([this] { btngenClick(); }));

  // The grid on the left; charts, texts and controls on the right.
  auto* root = new QHBoxLayout(this);
  root->setContentsMargins(10, 10, 10, 10);
  root->setSpacing(10);
  root->addWidget(tabhistory);
  auto* right = new QVBoxLayout;
  right->setSpacing(4);
  root->addLayout(right, 1);
  right->addWidget(chthistory, 3);
  auto* marks = new QHBoxLayout;
  marks->addStretch(1);
  marks->addWidget(chkhistorybiao);
  right->addLayout(marks);
  lowerRow_ = new QHBoxLayout;
  lowerRow_->addWidget(chtcishu, 1);
  right->addLayout(lowerRow_, 2);
  right->addWidget(new QLabel(QStringLiteral("历史中奖汇总："), this));
  right->addWidget(mem);
  right->addWidget(new QLabel(QStringLiteral("目前投注号码："), this));
  right->addWidget(edtcurcode);
  auto* controls = new QHBoxLayout;
  controls->setSpacing(12);
  selectors_ = new QGridLayout;
  selectors_->setHorizontalSpacing(6);
  selectors_->setVerticalSpacing(6);
  controls->addLayout(selectors_);
  controls->addStretch(1);
  controls->addWidget(optqianhou);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(btntongji);
  buttons->addWidget(btngen);
  controls->addLayout(buttons);
  right->addSpacing(4);
  right->addLayout(controls);

  comcurqi = addListCombo("comcurqi", QStringLiteral("目前投注期："), 1, 0, [this] { comcurqiChange(); });

  // Closing the lottery closes the window and lets go of its draws.
  connect(&lotterySession(), &LotterySession::aboutToClose, this, guarded([this] { lotteryClosing(); }));
}

const SelectionHistory& SelectionWindow::statistics() const {
  static const SelectionHistory none;
  return shown_ ? *shown_ : none;
}

int SelectionWindow::optqianhouIndex() const { return kindGroup_->checkedId(); }

void SelectionWindow::setOptqianhouIndex(int index) {
  if (index < 0 || index > 3) return;
  kindButtons_[static_cast<std::size_t>(index)]->setChecked(true);
  optqianhouClick();
}

AttributeKind SelectionWindow::kind() const { return AttributeKindFromIndex(optqianhouIndex()); }

QComboBox* SelectionWindow::addListCombo(const char* name, const QString& caption, int row, int column,
                                         std::function<void()> changed) {
  auto* combo = new QComboBox(this);
  combo->setObjectName(QString::fromLatin1(name));
  combo->setEditable(false);
  // Up to 20001 items: a plain list model, rows of one height, and a width
  // that does not depend on measuring every item.
  combo->setModel(new QStringListModel(combo));
  if (auto* list = qobject_cast<QListView*>(combo->view())) list->setUniformItemSizes(true);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(9);
  combo->setMaxVisibleItems(20);
  connect(combo, &QComboBox::currentIndexChanged, this,
          guarded<int>([changed = std::move(changed)](int) { changed(); }));
  auto* label = new QLabel(caption, this);
  label->setBuddy(combo);
  selectors_->addWidget(label, row, 2 * column, Qt::AlignRight);
  selectors_->addWidget(combo, row, 2 * column + 1);
  return combo;
}

QComboBox* SelectionWindow::addCountCombo(const char* name, const QString& caption, int row, int column,
                                          std::function<void()> changed) {
  auto* combo = new QComboBox(this);
  combo->setObjectName(QString::fromLatin1(name));
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(4);
  combo->setMaxVisibleItems(20);
  // Typing goes on undisturbed; the count is read when an item is chosen or
  // the typing is finished (Enter, or the focus moves on).
  connect(combo, &QComboBox::activated, this, guarded<int>([changed](int) { changed(); }));
  connect(combo->lineEdit(), &QLineEdit::editingFinished, this, guarded([changed] { changed(); }));
  auto* label = new QLabel(caption, this);
  label->setBuddy(combo);
  selectors_->addWidget(label, row, 2 * column, Qt::AlignRight);
  selectors_->addWidget(combo, row, 2 * column + 1);
  return combo;
}

void SelectionWindow::setPickCombo(QComboBox* combo) { pickCombo_ = combo; }

void SelectionWindow::fillCounts(QComboBox* combo, const std::vector<std::string>& items, int selected) {
  const QSignalBlocker quiet(combo);
  combo->clear();
  combo->addItems(Texts(items));
  const int at = combo->findText(QString::number(selected));
  if (at >= 0)
    combo->setCurrentIndex(at);
  else
    combo->setEditText(QString::number(selected));
}

bool SelectionWindow::commitCount(QComboBox* combo, int& setting,
                                  const std::function<std::optional<std::string>(int)>& error) {
  const QString text = combo->currentText();
  const std::optional<std::int64_t> n = ParseInteger(text.toStdString());
  if (n && *n == setting) return true;
  // The setting in force goes back into the combo before anything is said,
  // so that the message box taking the focus finds nothing more to commit.
  auto restore = [&] {
    const QSignalBlocker quiet(combo);
    const int at = combo->findText(QString::number(setting));
    if (at >= 0) combo->setCurrentIndex(at);
    combo->setEditText(QString::number(setting));
  };
  if (!n) {
    restore();
    throw ConversionError(ConversionMessage(text.toStdString()));
  }
  const int value = static_cast<int>(std::clamp<std::int64_t>(*n, INT_MIN, INT_MAX));
  if (std::optional<std::string> refused = error(value)) {
    restore();
    ShowMessage(Text(*refused), this);
    return false;
  }
  setting = value;
  return true;
}

bool SelectionWindow::commitPicks() {
  if (!pickCombo_) return true;
  return commitCount(pickCombo_, K_, [this](int k) { return pickError(k); });
}

void SelectionWindow::loadHistory() {
  // Only a complete history replaces the one computed on before.
  history_ = LoadCompleteDrawHistory(datamod().t_caipiao(), kind());
}

void SelectionWindow::fillTargets() {
  const QSignalBlocker quiet(comcurqi);
  auto* items = static_cast<QStringListModel*>(comcurqi->model());
  items->setStringList(Texts(TargetItems(history_)));
  // The draw after the newest, or nothing without draws.
  target_ = static_cast<int>(history_.entries.size());
  if (history_.entries.empty()) target_ = -1;
  comcurqi->setCurrentIndex(target_);
}

void SelectionWindow::showStatistics(SelectionHistory statistics) {
  shown_ = std::make_shared<const SelectionHistory>(std::move(statistics));
  model_->setHistory(shown_);
  for (std::size_t c = 0; c < shape_.widths.size(); ++c) {
    const int w = shape_.widths[c];
    tabhistory->setColumnWidth(static_cast<int>(c), w >= 0 ? w : tabhistory->width() + w);
  }
  // The issue column was sized for a smaller font: it grows as far as its
  // issues need, so that none is cut short.
  qsizetype digits = 0;
  for (const SelectionRow& row : shown_->rows) digits = std::max(digits, static_cast<qsizetype>(row[0].size()));
  const int issueWidth = tabhistory->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0'))) + 12;
  tabhistory->setColumnWidth(0, std::max(tabhistory->columnWidth(0), issueWidth));
  mem->setPlainText(Text(shown_->summary));
  chthistory->setBars(std::shared_ptr<const BarData>(shown_, &shown_->hitChart),
                      QString::fromUtf8(kHitChartSeriesTitle), chkhistorybiao->isChecked());
  drawTally(shown_->tallyChart);
}

void SelectionWindow::showProposal(const QString& text) { edtcurcode->setText(text); }

void SelectionWindow::drawTally(const BarData& bars) {
  tallySeries_->clear();
  tallyAxisX_->clear();
  auto* set = new QBarSet(QString::fromUtf8(kTallyChartSeriesTitle));
  set->setColor(Qt::red);
  set->setBorderColor(QColor(Qt::red).darker(150));
  set->setLabelColor(Qt::black);
  int highest = 0;
  for (std::size_t i = 0; i < bars.values.size(); ++i) {
    tallyAxisX_->append(Text(bars.labels[i]));
    *set << bars.values[i];
    highest = std::max(highest, bars.values[i]);
  }
  tallySeries_->append(set);
  // Room above the higher bar for its count.
  tallyAxisY_->setRange(0, std::max(4, highest + highest / 5 + 1));
  tallyAxisY_->setTickCount(5);
  tallyAxisY_->applyNiceNumbers();
}

void SelectionWindow::btntongjiClick() {
  loadHistory();
  showStatistics(computeStatistics());
}

void SelectionWindow::comcurqiChange() { target_ = comcurqi->currentIndex(); }

void SelectionWindow::optqianhouClick() {
  // Nothing is recomputed: the grid and charts keep the grouping they were
  // built in until the next 历史统计 or 生成号码. The pick count starts again.
  V_ = ValueCountOf(kind());
  K_ = 2;
  if (pickCombo_) fillCounts(pickCombo_, pickItems(kind()), K_);
}

void SelectionWindow::lotteryClosing() {
  history_ = DrawHistory{};
  close();
}

}  // namespace tavrin::analysis
