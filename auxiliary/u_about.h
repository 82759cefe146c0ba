#pragma once
// The about window: the product's name and version, its picture, and the
// author and contact lines of 附属/about.txt, read once when it is made.

#include <QDialog>

class QLabel;
class QPushButton;

namespace tavrin {

// The rounded silver panel behind the texts.
class TShape : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override;
};

class Tfrmabout : public QDialog {
  Q_OBJECT
 public:
  explicit Tfrmabout(QWidget* parent = nullptr);

  TShape* Shape1;
  QLabel* Label1;
  QLabel *lblauthor, *lblbanquan, *lblweb, *lblqq, *lblphone1, *lblphone2, *lblmail;
  QLabel* Image1;
  QPushButton* btnclose;

  void FormCreate();
  void btncloseClick();
};

}  // namespace tavrin
