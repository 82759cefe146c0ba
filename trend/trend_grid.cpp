#include "trend/trend_grid.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace tavrin {

namespace {

const QColor kSeparatorFill(100, 100, 100);
const QColor kValueFill(150, 150, 100);

// A cell rectangle handed to the painter leaves the grid line at its right
// and bottom edge, as the body cells of the view do.
QRect cellOf(const QRect& section) { return section.adjusted(0, 0, -1, -1); }

void drawGridLines(QPainter& p, const QRect& section, const QColor& color) {
  p.setPen(color);
  p.drawLine(section.topRight(), section.bottomRight());
  p.drawLine(section.bottomLeft(), section.bottomRight());
}

// The title row (horizontal) or the issue column (vertical), painted by the
// grid's own cell painter instead of the style's header look.
class TrendHeader final : public QHeaderView {
 public:
  TrendHeader(Qt::Orientation o, TrendGrid* grid) : QHeaderView(o, grid), grid_(grid) {
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Fixed);
    setMinimumSectionSize(0);
    setDefaultSectionSize(kTrendRowHeight);
  }

 protected:
  void paintEvent(QPaintEvent* e) override {
    QPainter p(viewport());
    p.setFont(grid_->font());
    const QPalette& pal = grid_->palette();
    p.fillRect(e->rect(), pal.color(QPalette::ToolTipBase));
    if (count() == 0) return;
    const QColor line = grid_->gridLineColor();
    const bool horizontal = orientation() == Qt::Horizontal;
    const QRect area = e->rect();
    int first = visualIndexAt(horizontal ? area.left() : area.top());
    int last = visualIndexAt(horizontal ? area.right() : area.bottom());
    if (first < 0) first = 0;
    if (last < 0) last = count() - 1;
    for (int v = first; v <= last; ++v) {
      const int logical = logicalIndex(v);
      const int pos = sectionViewportPosition(logical);
      const int size = sectionSize(logical);
      if (size <= 0) continue;
      const QRect section =
          horizontal ? QRect(pos, 0, size, viewport()->height()) : QRect(0, pos, viewport()->width(), size);
      if (horizontal)
        grid_->grdcodeDrawCell(p, logical + 1, 0, cellOf(section));
      else
        grid_->grdcodeDrawCell(p, 0, logical + 1, cellOf(section));
      drawGridLines(p, section, line);
    }
  }

 private:
  TrendGrid* grid_;
};

class TrendDelegate final : public QStyledItemDelegate {
 public:
  explicit TrendDelegate(TrendGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    grid_->grdcodeDrawCell(*p, index.column() + 1, index.row() + 1, option.rect);
    if (option.state & QStyle::State_HasFocus) {
      QStyleOptionFocusRect focus;
      focus.QStyleOption::operator=(option);
      focus.backgroundColor = option.palette.color(QPalette::ToolTipBase);
      grid_->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, p, grid_);
    }
  }

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return {kTrendSeparatorWidth, kTrendRowHeight};
  }

 private:
  TrendGrid* grid_;
};

const std::shared_ptr<const TrendTable>& emptyTable() {
  static const std::shared_ptr<const TrendTable> t =
      std::make_shared<const TrendTable>(AttributeKind::Number, DrawHistory{}, AttributeTables{});
  return t;
}

}  // namespace

TrendModel::TrendModel(QObject* parent) : QAbstractTableModel(parent), table_(emptyTable()) {}

void TrendModel::setTable(std::shared_ptr<const TrendTable> table) {
  beginResetModel();
  table_ = table ? std::move(table) : emptyTable();
  endResetModel();
}

int TrendModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : table_->drawRows(); }

int TrendModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : table_->columnCount() - 1;
}

QVariant TrendModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) return {};
  return QString::fromStdString(table_->text(index.row() + 1, index.column() + 1));
}

QVariant TrendModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
  if (orientation == Qt::Horizontal) return QString::fromStdString(table_->text(0, section + 1));
  return QString::fromStdString(table_->text(section + 1, 0));
}

int TrendCellPainter::layoutWidth(const QFontMetrics& fm, const char* text) const {
  auto it = widths_.constFind(text);
  if (it != widths_.cend()) return *it;
  const int w = fm.horizontalAdvance(QString::fromUtf8(text));
  widths_.insert(text, w);
  return w;
}

void TrendCellPainter::paint(QPainter& p, const QRect& cell, const TrendTable& table, int row, int column,
                             const QPalette& palette) const {
  switch (table.fill(column)) {
    case TrendFill::Text:
      p.fillRect(cell, palette.color(QPalette::ToolTipBase));
      break;
    case TrendFill::Separator:
      p.fillRect(cell, kSeparatorFill);
      return;
    case TrendFill::Value:
      p.fillRect(cell, kValueFill);
      break;
  }
  const std::string text = table.text(row, column);
  if (text.empty()) return;
  const QFontMetrics fm = p.fontMetrics();
  const TrendOffset off =
      CentreOffset(cell.width(), cell.height(), layoutWidth(fm, table.layoutText(row, column)), fm.height());
  const QString shown = QString::fromStdString(text);
  p.save();
  // A text wider than its cell must not spill into the neighbours.
  p.setClipRect(cell, Qt::IntersectClip);
  p.setPen(palette.color(QPalette::WindowText));
  p.drawText(QPoint(cell.left() + off.dx, cell.top() + off.dy + fm.ascent()), shown);
  p.restore();
}

TrendGrid::TrendGrid(QWidget* parent) : QTableView(parent), model_(new TrendModel(this)) {
  setObjectName(QStringLiteral("grdcode"));
  setHorizontalHeader(new TrendHeader(Qt::Horizontal, this));
  setVerticalHeader(new TrendHeader(Qt::Vertical, this));
  setModel(model_);
  setItemDelegate(new TrendDelegate(this));

  horizontalHeader()->setFixedHeight(kTrendRowHeight);
  verticalHeader()->setFixedWidth(kTrendIssueWidth);
  verticalHeader()->setDefaultSectionSize(kTrendRowHeight);

  QPalette pal = palette();
  pal.setColor(QPalette::Base, pal.color(QPalette::ToolTipBase));
  setPalette(pal);

  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setWordWrap(false);
  setTabKeyNavigation(false);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  // One step of the wheel or the arrows moves a whole draw.
  verticalScrollBar()->setSingleStep(kTrendRowHeight);
  horizontalScrollBar()->setSingleStep(kTrendRowHeight);

  setCornerButtonEnabled(false);
  corner_ = findChild<QAbstractButton*>();
  if (corner_) corner_->installEventFilter(this);
}

void TrendGrid::setTable(std::shared_ptr<const TrendTable> table) {
  model_->setTable(std::move(table));
  layoutColumns();
}

int TrendGrid::clientWidth() const { return verticalHeader()->width() + viewport()->width(); }

int TrendGrid::gridColumnWidth(int column) const {
  if (column == 0) return verticalHeader()->width();
  return horizontalHeader()->sectionSize(column - 1);
}

void TrendGrid::layoutColumns() {
  const std::vector<int> widths = TrendColumnWidths(clientWidth(), table().valueCount());
  QHeaderView* h = horizontalHeader();
  for (int c = 1; c < static_cast<int>(widths.size()) && c - 1 < h->count(); ++c)
    if (h->sectionSize(c - 1) != widths[static_cast<std::size_t>(c)])
      h->resizeSection(c - 1, widths[static_cast<std::size_t>(c)]);
}

QColor TrendGrid::gridLineColor() const {
  QStyleOptionViewItem opt;
  initViewItemOption(&opt);
  return QColor::fromRgba(static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &opt, this)));
}

void TrendGrid::grdcodeDrawCell(QPainter& p, int column, int row, const QRect& rect) const {
  painter_.paint(p, rect, table(), row, column, palette());
}

void TrendGrid::resizeEvent(QResizeEvent* e) {
  QTableView::resizeEvent(e);
  // The value columns share whatever width the window gives the grid.
  layoutColumns();
}

void TrendGrid::changeEvent(QEvent* e) {
  if (e->type() == QEvent::FontChange) painter_.fontChanged();
  QTableView::changeEvent(e);
}

bool TrendGrid::eventFilter(QObject* watched, QEvent* e) {
  if (watched == corner_ && e->type() == QEvent::Paint) {
    QPainter p(corner_);
    p.setFont(font());
    const QRect section = corner_->rect();
    grdcodeDrawCell(p, 0, 0, cellOf(section));
    drawGridLines(p, section, gridLineColor());
    return true;
  }
  return QTableView::eventFilter(watched, e);
}

}  // namespace tavrin
