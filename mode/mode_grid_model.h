#pragma once
// The grids of the investment mode window hold texts that the core makes on
// demand: a grid keeps the row count and a function giving the text of a
// cell, so grdsep's 20000 rows cost nothing until they are painted.

#include <QAbstractTableModel>
#include <functional>
#include <string>
#include <vector>

namespace tavrin {

class ModeGridModel final : public QAbstractTableModel {
  Q_OBJECT
 public:
  using Cell = std::function<std::string(int row, int column)>;

  // The titles are the grid's fixed title row; their count is the column count.
  explicit ModeGridModel(std::vector<std::string> titles, QObject* parent = nullptr);

  // rows rows whose texts cell gives; cell may keep the data it reads.
  void setRows(int rows, Cell cell);
  // The title row alone.
  void clear() { setRows(0, {}); }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The text of a cell as the grid shows it.
  QString text(int row, int column) const;

 private:
  std::vector<std::string> titles_;
  int rows_ = 0;
  Cell cell_;
};

}  // namespace tavrin
