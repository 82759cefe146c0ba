#pragma once
// The trend grid grdcode: a table view over a TrendTable, every cell painted
// on demand. The title row is the horizontal header and the issue column the
// vertical header, so both stay in view while the draws scroll.

#include <QAbstractTableModel>
#include <QHash>
#include <QTableView>
#include <memory>

#include "trend/trend_table.h"

class QAbstractButton;

namespace tavrin {

// Grid rows 1..N and columns 1..V+3 as model rows and columns; row 0 and
// column 0 are the headers' sections.
class TrendModel final : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TrendModel(QObject* parent = nullptr);

  void setTable(std::shared_ptr<const TrendTable> table);
  const TrendTable& table() const { return *table_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::shared_ptr<const TrendTable> table_;
};

// Paints one cell of the grid: its column's fill over the whole rectangle,
// then its text placed by the centring rule.
class TrendCellPainter {
 public:
  void paint(QPainter& p, const QRect& cell, const TrendTable& table, int row, int column,
             const QPalette& palette) const;
  void fontChanged() { widths_.clear(); }

 private:
  int layoutWidth(const QFontMetrics& fm, const char* text) const;
  // The layout texts are a handful of constants: measure each once.
  mutable QHash<const char*, int> widths_;
};

class TrendGrid final : public QTableView {
  Q_OBJECT
 public:
  explicit TrendGrid(QWidget* parent = nullptr);

  void setTable(std::shared_ptr<const TrendTable> table);
  const TrendTable& table() const { return model_->table(); }
  TrendModel* trendModel() const { return model_; }

  // The width the column formula works on: the grid's inside, fixed column
  // included, without the vertical scroll bar.
  int clientWidth() const;
  // Widths of grid columns 0 .. V + 3 as they are now.
  int gridColumnWidth(int column) const;
  // Sizes the columns for the current client width.
  void layoutColumns();

  // Draws cell (column, row) of the grid; the headers and the corner paint
  // through here too.
  void grdcodeDrawCell(QPainter& p, int column, int row, const QRect& rect) const;
  QColor gridLineColor() const;

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  TrendModel* model_;
  QAbstractButton* corner_ = nullptr;
  TrendCellPainter painter_;
};

}  // namespace tavrin
