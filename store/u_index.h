#pragma once
// The lottery manager: lists the lotteries of the database file, shows the
// options of the one clicked, adds and drops lotteries, and opens one.

#include <QDialog>
#include <array>

class QListWidget;
class QLineEdit;
class QGroupBox;
class QRadioButton;
class QCheckBox;
class QPushButton;
class QButtonGroup;

namespace tavrin {

class Tfrmindex : public QDialog {
  Q_OBJECT
 public:
  explicit Tfrmindex(QWidget* parent = nullptr);

  // Controls, named as the rest of the program speaks of them.
  QListWidget* lstcaipiao = nullptr;
  QLineEdit* edtcainame = nullptr;
  QGroupBox* optcaitype = nullptr;
  QButtonGroup* optcaitypeItems = nullptr;
  QLineEdit* edtcaisum = nullptr;
  QLineEdit* edtcaisel = nullptr;
  QLineEdit* edtcaitime = nullptr;
  QGroupBox* grpweek = nullptr;
  std::array<QCheckBox*, 8> weekBoxes{};  // slots 1..7
  QPushButton* btnadd = nullptr;
  QPushButton* btndel = nullptr;
  QPushButton* btnopen = nullptr;
  QPushButton* btnext = nullptr;

  void ListLotteries();
  void lstcaipiaoClick();
  void btnaddClick();
  void btndelClick();
  void btnopenClick();

  int typeIndex() const;
  QString tickedWeekdays() const;

 private:
  void setOptionsEnabled(bool nameTimeWeek, bool others);
};

}  // namespace tavrin
