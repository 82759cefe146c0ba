#pragma once
// The frame the interval rebound and affinity windows share: the history
// grid, the chart of hits per draw with its "显示标注" box, the hit tally
// chart, the summary, the proposal text, the target draw, the grouping and
// the two buttons. Tfrmsep and Tfrmqingmi add their own selectors and rule.

#include <QAbstractTableModel>
#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "analysis/selection_frame.h"
#include "trend/draw_history.h"

class QBarSeries;
class QButtonGroup;
class QChartView;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QValueAxis;
class QBarCategoryAxis;

namespace tavrin::analysis {

class HitChart;

// The history grid's texts: the titles as the fixed row, the issues as the
// fixed column, one row per draw painted on demand.
class SelectionHistoryModel final : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;
  void setHistory(std::shared_ptr<const SelectionHistory> history);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::shared_ptr<const SelectionHistory> history_;
};

class SelectionWindow : public QDialog {
  Q_OBJECT
 public:
  QTableView* tabhistory;
  HitChart* chthistory;
  QCheckBox* chkhistorybiao;
  QChartView* chtcishu;
  QPlainTextEdit* mem;
  QLineEdit* edtcurcode;
  QComboBox* comcurqi;
  QGroupBox* optqianhou;
  QPushButton* btntongji;
  QPushButton* btngen;

  // Item index of optqianhou (AttributeKind), and selecting one as a click does.
  int optqianhouIndex() const;
  void setOptqianhouIndex(int index);

  // 历史统计: reload, compute every row, fill the grid, the summary and both charts.
  void btntongjiClick();
  // 生成号码: reload and propose for the target draw.
  virtual void btngenClick() = 0;
  void comcurqiChange();
  void optqianhouClick();

  // The window's state: the value count of the grouping now in force, the
  // pick count, and the item index of comcurqi (-1 while it has no items).
  int valueCount() const { return V_; }
  int pickCount() const { return K_; }
  int targetIndex() const { return target_; }
  const DrawHistory& history() const { return history_; }
  // What the grid, the summary and the charts show; empty before the first run.
  const SelectionHistory& statistics() const;
  SelectionHistoryModel* model() const { return model_; }
  QBarSeries* tallySeries() const { return tallySeries_; }

 protected:
  struct Shape {
    QString caption;
    QString chartTitle;
    int kindColumns;            // of optqianhou
    std::array<int, 4> widths;  // of the grid's columns; -x: the grid's width minus x
    bool labelsRedrawAtOnce;    // "显示标注" redraws, or waits for 历史统计
  };
  SelectionWindow(const Shape& shape, QWidget* parent);

  // The rule's 历史统计 on history() for the current settings.
  virtual SelectionHistory computeStatistics() const = 0;
  // The items of the pick combo for a grouping.
  virtual std::vector<std::string> pickItems(AttributeKind kind) const = 0;
  // Why a pick count is refused in the grouping now in force, or nothing.
  virtual std::optional<std::string> pickError(int picks) const = 0;

  AttributeKind kind() const;
  void loadHistory();
  // comcurqi: every issue, then the next one, which is selected.
  void fillTargets();
  void showStatistics(SelectionHistory statistics);
  void showProposal(const QString& text);

  // An editable combo of counts in the selector area at (row, column);
  // changed runs when an item is chosen or typed text is finished with.
  QComboBox* addCountCombo(const char* name, const QString& caption, int row, int column,
                           std::function<void()> changed);
  // A drop-down list in the selector area; changed runs on a new item.
  QComboBox* addListCombo(const char* name, const QString& caption, int row, int column, std::function<void()> changed);
  // The pick combo is the derived window's; the frame refills it when the
  // grouping changes.
  void setPickCombo(QComboBox* combo);
  // Reads a typed or chosen count into setting. A text that is no integer
  // keeps the setting, puts it back into the combo and throws the conversion
  // error; a value refused by error() does the same with a message. Returns
  // whether the setting now holds the text's value.
  bool commitCount(QComboBox* combo, int& setting, const std::function<std::optional<std::string>(int)>& error);
  // Commits the pick combo's text into K.
  bool commitPicks();
  static void fillCounts(QComboBox* combo, const std::vector<std::string>& items, int selected);

  QHBoxLayout* lowerRow() const { return lowerRow_; }

  DrawHistory history_;
  int V_ = 36;
  int K_ = 2;
  int target_ = -1;

 private:
  void drawTally(const BarData& bars);
  void lotteryClosing();

  Shape shape_;
  SelectionHistoryModel* model_;
  std::shared_ptr<const SelectionHistory> shown_;
  QComboBox* pickCombo_ = nullptr;
  QGridLayout* selectors_;
  QHBoxLayout* lowerRow_;
  QButtonGroup* kindGroup_;
  std::array<QRadioButton*, 4> kindButtons_{};
  QBarSeries* tallySeries_;
  QBarCategoryAxis* tallyAxisX_;
  QValueAxis* tallyAxisY_;
};

}  // namespace tavrin::analysis
