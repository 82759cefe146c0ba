#pragma once
// The splash window: the product's name over its picture, with the producer
// and contact lines of 附属/flash.txt. Shown modally at start-up; it closes
// itself on its fifth one-second tick.

#include <QDialog>

class QLabel;
class QTimer;

namespace tavrin {

class Tfrmflash : public QDialog {
  Q_OBJECT
 public:
  explicit Tfrmflash(QWidget* parent = nullptr);

  QLabel* Image1;
  QLabel* Label1;
  QLabel *lblchuping, *lblshiyong, *lblweb, *lblqq, *lblmail, *lblphone;
  QTimer* Timer1;

  void FormCreate();
  void Timer1Timer();
  int ticks() const { return ticks_; }

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void readTexts();
  void loadPicture();
  int ticks_ = 0;
};

}  // namespace tavrin
