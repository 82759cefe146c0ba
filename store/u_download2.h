#pragma once
// The history download window: fetches the operator's published draws and
// adds those newer than the last stored issue to the lottery
// "南粤风采36选7". It keeps painting while the pages come in, and tells the
// user at the end how the run went.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace tavrin {

class Tfrmdownload2 final : public QDialog {
  Q_OBJECT
 public:
  explicit Tfrmdownload2(QWidget* parent = nullptr);

  // Controls, named as the rest of the program speaks of them.
  QLabel* lbltishi = nullptr;
  QComboBox* comdown = nullptr;
  QPushButton* btndown = nullptr;
  QPushButton* btnclose = nullptr;
  QLabel* lbltitle = nullptr;

  void btndownClick();
  bool running() const { return running_; }
  // Neither Escape nor the window system closes the window during a run.
  void reject() override;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  bool running_ = false;
  bool centred_ = false;
};

}  // namespace tavrin
