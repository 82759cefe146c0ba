#pragma once
// The window shared by the skew and rebound analyses: the statistics grid,
// the four-series chart, the chart check boxes, the three sorts, the grouping
// and 分析. Tfrmpiantai and Tfrmyilou only choose the mode and the texts.

#include <QAbstractTableModel>
#include <QDialog>

#include "analysis/value_statistics.h"
#include "trend/draw_history.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTableView;

namespace tavrin::analysis {

class StatisticsChart;

// The grid's texts: the titles as the fixed row, the values as the fixed
// column.
class StatisticsModel final : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;
  void setTable(const StatisticsTable& table);
  const StatisticsTable& table() const { return table_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  StatisticsTable table_;
  bool filled_ = false;
};

class StatisticsWindow : public QDialog {
  Q_OBJECT
 public:
  QTableView* tabhistory;
  StatisticsChart* chthistory;
  QGroupBox* GroupBox1;
  QCheckBox *chk0, *chk1, *chk2, *chk3, *chkhistorybiao;
  QPushButton *Button1, *Button2, *Button3, *btnala, *Button4;
  QGroupBox* optqianhou;

  // Item index of optqianhou (AttributeKind), and selecting one as a click does.
  int optqianhouIndex() const;
  void setOptqianhouIndex(int index);

  void FormCreate();
  void btnalaClick();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void optqianhouClick();
  void chkClick();  // chk0..chk3 and chkhistorybiao: redraw only
  void Button4Click();

  // The grouping's value count now in force (36, 12 or 4); the table shown
  // keeps its own until the next 分析 or sort.
  int valueCount() const { return V_; }
  StatisticsMode mode() const { return mode_; }
  SortMode sortMode() const { return sortMode_; }
  const StatisticsTable& table() const { return model_->table(); }
  const DrawHistory& history() const { return history_; }
  StatisticsModel* model() const { return model_; }

 protected:
  StatisticsWindow(StatisticsMode mode, QWidget* parent);
  void resizeEvent(QResizeEvent* e) override;

 private:
  void loadHistory();
  void buildTable();
  void drawChart();
  void analyse(SortMode sort);
  void placeBottomRow();

  StatisticsMode mode_;
  int V_ = 36;
  SortMode sortMode_ = SortMode::None;
  DrawHistory history_;
  StatisticsModel* model_;
  QButtonGroup* kindGroup_;
  std::array<QRadioButton*, 4> kindButtons_{};
};

}  // namespace tavrin::analysis
