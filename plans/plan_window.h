#pragma once
// What the three plan windows share: the grid on the left, the inputs and
// buttons on the right, saving, loading and printing the table.

#include <QAbstractTableModel>
#include <QWidget>
#include <vector>

#include "plans/plan_file.h"
#include "plans/plan_tables.h"

class QLineEdit;
class QPushButton;
class QTableView;
class QGridLayout;
class QVBoxLayout;

namespace tavrin {

// The plan table as the grid shows it: decimal text, the titles as the
// fixed title row.
class PlanGridModel final : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit PlanGridModel(plans::PlanKind kind, QObject* parent = nullptr);
  void setTable(const plans::PlanTable& table);
  void appendRow(const plans::PlanRow& row);
  const plans::PlanTable& table() const { return table_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  plans::PlanTable table_;
};

class PlanWindow : public QWidget {
  Q_OBJECT
 public:
  PlanWindow(plans::PlanKind kind, const QString& caption, QWidget* parent);

  QTableView* grdjihua = nullptr;
  QLineEdit *edtprekui = nullptr, *edtlirun = nullptr, *edtinofsin = nullptr, *edtoutofsin = nullptr,
            *edtdays = nullptr;
  QPushButton *btnsave = nullptr, *btnload = nullptr, *btnprint = nullptr, *btnclose = nullptr;

  void btnsaveClick();
  void btnloadClick();
  void btnprintClick();
  void btncloseClick() { close(); }

  // The table the grid shows.
  const plans::PlanTable& table() const { return model_->table(); }

 protected:
  // The sixth input (阶段次数 or 本期注数), added by the window that has one.
  QLineEdit* addInput(const char* objectName, const QString& label, const QString& text);
  QPushButton* addButton(const char* objectName, const QString& caption);
  // Return in any input clicks this button, as a dialog's default button.
  void setDefaultButton(QPushButton* button);
  // Wires the shared buttons; call once the window's own ones are added.
  void finishLayout();

  // The inputs in file order.
  std::vector<QLineEdit*> headerEdits() const;
  plans::Money readInteger(QLineEdit* edit) const;
  // The five inputs every generated plan starts from, in the order they are
  // checked: 投注期数, then 前期亏损, 预期利润, 单倍投入, 单注奖金.
  plans::PlanInputs readInputs() const;
  void showTable(const plans::PlanTable& table);
  void appendRow(const plans::PlanRow& row);
  void showAverage(plans::Money average);
  // Runs f; a plan that cannot be made is told in a plain box.
  template <class F>
  void refusing(F&& f) {
    try {
      f();
    } catch (const plans::PlanRefused& e) {
      tell(e.what());
    }
  }
  void tell(const std::string& text);

  // After the table of a loaded file is shown: the announcements and state
  // changes that differ between the windows.
  virtual void loaded(const plans::LoadedPlan& plan) = 0;
  virtual void saved() {}

  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

  const plans::PlanKind kind_;

 private:
  void layoutColumns();

  PlanGridModel* model_;
  QGridLayout* inputs_;
  QVBoxLayout* buttons_;
  QPushButton* default_ = nullptr;
  QLineEdit* extra_ = nullptr;  // 阶段次数 or 本期注数
};

}  // namespace tavrin
