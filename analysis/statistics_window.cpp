#include "analysis/statistics_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableView>

#include "analysis/statistics_chart.h"
#include "app/floating.h"
#include "app/guard.h"
#include "app/title_header.h"
#include "app/u_public.h"
#include "store/u_datamod.h"

namespace tavrin::analysis {

namespace {

constexpr int kClientWidth = 962;
constexpr int kClientHeight = 677;

// The series colours: chase value, omission, hits, longest omission.
const std::array<QColor, kSeriesCount> kSeriesColours = {QColor(Qt::red), QColor(Qt::green), QColor(Qt::yellow),
                                                         QColor(Qt::blue)};

QString Text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

// ---- StatisticsModel ------------------------------------------------------

void StatisticsModel::setTable(const StatisticsTable& table) {
  beginResetModel();
  table_ = table;
  filled_ = true;
  endResetModel();
}

int StatisticsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int StatisticsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || !filled_ ? 0 : kColumnCount;
}

QVariant StatisticsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumnCount) return {};
  const auto& row = table_.rows[static_cast<std::size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
      return Text(row[static_cast<std::size_t>(index.column())]);
    case Qt::TextAlignmentRole:
      return int(Qt::AlignCenter);
    case Qt::BackgroundRole:
      // The value column is the grid's fixed column.
      if (index.column() == kColValue) return QApplication::palette().button();
      return {};
    default:
      return {};
  }
}

QVariant StatisticsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumnCount) return {};
  return Text(table_.titles[static_cast<std::size_t>(section)]);
}

// ---- StatisticsWindow -----------------------------------------------------

StatisticsWindow::StatisticsWindow(StatisticsMode mode, QWidget* parent) : QDialog(parent), mode_(mode) {
  const bool skew = mode == StatisticsMode::Skew;
  setWindowTitle(skew ? QStringLiteral("中奖偏态分析选号") : QStringLiteral("中奖回补分析选号"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  MakeFloating(this);
  setModal(false);
  resize(kClientWidth, kClientHeight);

  model_ = new StatisticsModel(this);
  tabhistory = new QTableView(this);
  tabhistory->setObjectName(QStringLiteral("tabhistory"));
  tabhistory->setGeometry(16, 16, 929, 289);
  tabhistory->setModel(model_);
  UseTitleHeader(tabhistory);
  tabhistory->setShowGrid(true);
  tabhistory->setSelectionMode(QAbstractItemView::ContiguousSelection);
  tabhistory->setSelectionBehavior(QAbstractItemView::SelectItems);
  tabhistory->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tabhistory->verticalHeader()->hide();
  tabhistory->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  tabhistory->verticalHeader()->setDefaultSectionSize(22);
  tabhistory->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  tabhistory->horizontalHeader()->setStretchLastSection(false);

  chthistory = new StatisticsChart(this);
  chthistory->setObjectName(QStringLiteral("chthistory"));
  chthistory->setGeometry(16, 322, 929, 249);

  GroupBox1 = new QGroupBox(this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setGeometry(16, 578, 929, 41);
  auto check = [this](const char* name, const QString& caption, bool on, int x, int w) {
    auto* c = new QCheckBox(caption, GroupBox1);
    c->setObjectName(QString::fromLatin1(name));
    c->setChecked(on);
    c->setGeometry(x, 12, w, 22);
    connect(c, &QCheckBox::toggled, this, guarded([this] { chkClick(); }));
    return c;
  };
  chk0 = check("chk0", QStringLiteral("追号价值"), true, 16, 110);
  chk1 = check("chk1", skew ? QStringLiteral("目前遗漏") : QStringLiteral("前次遗漏"), true, 136, 110);
  chk2 = check("chk2", QStringLiteral("中奖总次数"), true, 256, 120);
  chk3 = check("chk3", QStringLiteral("历史最大遗漏"), true, 386, 130);
  chkhistorybiao = check("chkhistorybiao", QStringLiteral("显示标注"), false, 929 - 16 - 100, 100);

  auto button = [this](const char* name, const QString& caption, void (StatisticsWindow::*handler)()) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    connect(b, &QPushButton::clicked, this, guarded([this, handler] { (this->*handler)(); }));
    return b;
  };
  Button1 = button("Button1", QStringLiteral("追号价值排序"), &StatisticsWindow::Button1Click);
  Button2 = button("Button2", skew ? QStringLiteral("目前遗漏排序") : QStringLiteral("前次遗漏排序"),
                   &StatisticsWindow::Button2Click);
  Button3 = button("Button3", QStringLiteral("总次数排序"), &StatisticsWindow::Button3Click);
  btnala = button("btnala", QStringLiteral("分析"), &StatisticsWindow::btnalaClick);
  Button4 = button("Button4", QStringLiteral("关闭"), &StatisticsWindow::Button4Click);
  btnala->setDefault(true);

  optqianhou = new QGroupBox(this);
  optqianhou->setObjectName(QStringLiteral("optqianhou"));
  auto* grid = new QGridLayout(optqianhou);
  grid->setContentsMargins(8, 2, 8, 2);
  grid->setVerticalSpacing(0);
  kindGroup_ = new QButtonGroup(this);
  for (int i = 0; i < 4; ++i) {
    auto* r = new QRadioButton(QString::fromUtf8(AttributeKindText(static_cast<AttributeKind>(i))), optqianhou);
    kindButtons_[static_cast<std::size_t>(i)] = r;
    kindGroup_->addButton(r, i);
    grid->addWidget(r, i / 2, i % 2);  // two columns, items row by row
  }
  kindButtons_[0]->setChecked(true);
  connect(kindGroup_, &QButtonGroup::idClicked, this, guarded<int>([this](int) { optqianhouClick(); }));

  placeBottomRow();
  // Computes at once, as on every opening; a load error leaves the window
  // open with an empty grid.
  RunGuarded([this] { FormCreate(); });
}

int StatisticsWindow::optqianhouIndex() const { return kindGroup_->checkedId(); }

void StatisticsWindow::setOptqianhouIndex(int index) {
  if (index < 0 || index > 3) return;
  kindButtons_[static_cast<std::size_t>(index)]->setChecked(true);
  optqianhouClick();
}

void StatisticsWindow::placeBottomRow() {
  // Placed at the design size of the client area; the row keeps its distance
  // to the right and bottom edges.
  const std::pair<QWidget*, QRect> row[] = {
      {Button1, QRect(268, 638, 98, 27)},     {Button2, QRect(372, 638, 98, 27)}, {Button3, QRect(476, 638, 90, 27)},
      {optqianhou, QRect(574, 624, 200, 48)}, {btnala, QRect(782, 638, 78, 27)},  {Button4, QRect(867, 638, 78, 27)},
  };
  const int dx = width() - kClientWidth;
  const int dy = height() - kClientHeight;
  for (const auto& [w, r] : row) w->setGeometry(r.translated(dx, dy));
}

void StatisticsWindow::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  placeBottomRow();
}

void StatisticsWindow::loadHistory() {
  // Only a complete history replaces the one computed on before.
  history_ = LoadCompleteDrawHistory(datamod().t_caipiao(), AttributeKindFromIndex(optqianhouIndex()));
}

void StatisticsWindow::buildTable() {
  const AttributeKind kind = AttributeKindFromIndex(optqianhouIndex());
  model_->setTable(AnalyseHistory(history_, kind, mode_, sortMode_, FilledAttributeTables()));
  const int w = (tabhistory->width() - 30) / kColumnCount;
  for (int c = 0; c < kColumnCount; ++c) tabhistory->setColumnWidth(c, w);
}

void StatisticsWindow::drawChart() {
  const StatisticsTable& t = model_->table();
  const ChartSeriesData data = ChartFromTable(t);
  const auto titles = SeriesTitles(mode_);
  const std::array<const QCheckBox*, kSeriesCount> shown = {chk0, chk1, chk2, chk3};
  QStringList labels;
  labels.reserve(static_cast<qsizetype>(data.labels.size()));
  for (const std::string& l : data.labels) labels << Text(l);
  std::array<ChartSeries, kSeriesCount> series;
  for (std::size_t s = 0; s < kSeriesCount; ++s) {
    ChartSeries& cs = series[s];
    cs.title = Text(titles[s]);
    cs.colour = kSeriesColours[s];
    cs.values = data.values[s];
    cs.visible = shown[s]->isChecked();
    // The fourth series marks its bars with their value's name or number.
    if (s == 3) {
      cs.markTexts = labels;
    } else {
      for (double v : cs.values) cs.markTexts << QString::number(static_cast<qint64>(v));
    }
  }
  chthistory->setData(labels, series, chkhistorybiao->isChecked());
}

void StatisticsWindow::analyse(SortMode sort) {
  loadHistory();
  sortMode_ = sort;
  buildTable();
  drawChart();
}

void StatisticsWindow::FormCreate() {
  V_ = 36;
  analyse(SortMode::None);
}

void StatisticsWindow::btnalaClick() { analyse(SortMode::None); }
void StatisticsWindow::Button1Click() { analyse(SortMode::ChaseValue); }
void StatisticsWindow::Button2Click() { analyse(SortMode::Omission); }
void StatisticsWindow::Button3Click() { analyse(SortMode::ActualHits); }

void StatisticsWindow::optqianhouClick() {
  // Nothing is recomputed: the table and chart keep the grouping they were
  // built in until the next 分析 or sort.
  V_ = ValueCountOf(AttributeKindFromIndex(optqianhouIndex()));
}

void StatisticsWindow::chkClick() { drawChart(); }

void StatisticsWindow::Button4Click() { close(); }

}  // namespace tavrin::analysis
