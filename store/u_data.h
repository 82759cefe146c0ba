#pragma once
// The draw data window: the draws of one lottery in a grid, typed in and
// corrected row by row through the navigator, and exported to a text file.
// It works through a connection of its own to the database file.

#include <QDialog>
#include <QTableView>
#include <array>
#include <memory>

class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;

namespace tavrin {

namespace store {
class Database;
class DrawTableModel;
}  // namespace store

// The grid: a table view that can hand a field still open in its editor to
// the model before a button acts on the row.
class DataGrid final : public QTableView {
  Q_OBJECT
 public:
  using QTableView::QTableView;
  void commitOpenEditor();
};

// The ten buttons that move through the rows and edit them, each with its
// hint, in equal widths side by side.
class DataNavigator final : public QWidget {
  Q_OBJECT
 public:
  enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh, Count };
  explicit DataNavigator(QWidget* parent = nullptr);
  QToolButton* button(Button b) const { return buttons_[static_cast<std::size_t>(b)]; }
  // Enables each button by where the current row stands and whether a row
  // is being edited.
  void updateButtons(int currentRow, int rowCount, bool editing);

 signals:
  void clicked(int button);

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  std::array<QToolButton*, Count> buttons_{};
};

class Tfrmdata final : public QDialog {
  Q_OBJECT
 public:
  // Opens the window's own connection and lists the lotteries; throws with
  // the database's message.
  explicit Tfrmdata(QWidget* parent = nullptr);
  ~Tfrmdata() override;

  // Controls, named as the rest of the program speaks of them.
  QLabel* lbltishi = nullptr;
  QListWidget* lstcaipiao = nullptr;
  QLabel* lblshuju = nullptr;
  DataGrid* grdcaipiao = nullptr;
  DataNavigator* dbv_caipiao = nullptr;
  QPushButton* btnadd = nullptr;
  QPushButton* btnedit = nullptr;
  QPushButton* btnsave = nullptr;
  QPushButton* btnext = nullptr;

  void lstcaipiaoClick();
  void btneditClick();
  void btnaddClick();
  void btnsaveClick();
  void dbv_caipiaoClick(int button);
  // Places "+" over the navigator's insert button and sizes the columns.
  void FormResize();

  // The rows of the lottery shown; nullptr before one is chosen.
  store::DrawTableModel* rst() const { return rst_.get(); }
  int currentRow() const;
  void setCurrentRow(int row);

  // Closing (close box, Escape, 关闭) comes here; refused while adding.
  void reject() override;

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  // FormCloseQuery: false (and the warning) while adding.
  bool mayClose();
  bool adding() const;
  void layoutControls();
  void sizeColumns();
  void currentRowChanged(int row);
  void updateNavigator();

  std::unique_ptr<store::Database> con_;
  std::unique_ptr<store::DrawTableModel> rst_;
  bool reverting_ = false;
};

}  // namespace tavrin
