#include "mode/mode_grid_model.h"

namespace tavrin {

ModeGridModel::ModeGridModel(std::vector<std::string> titles, QObject* parent)
    : QAbstractTableModel(parent), titles_(std::move(titles)) {}

void ModeGridModel::setRows(int rows, Cell cell) {
  beginResetModel();
  rows_ = rows;
  cell_ = std::move(cell);
  endResetModel();
}

int ModeGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int ModeGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(titles_.size());
}

QString ModeGridModel::text(int row, int column) const {
  if (row < 0 || row >= rows_ || column < 0 || column >= columnCount() || !cell_) return {};
  return QString::fromStdString(cell_(row, column));
}

QVariant ModeGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || role != Qt::DisplayRole) return {};
  return text(index.row(), index.column());
}

QVariant ModeGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  if (section < 0 || section >= columnCount()) return {};
  return QString::fromStdString(titles_[static_cast<std::size_t>(section)]);
}

}  // namespace tavrin
