#pragma once
// The trend window: the borderless child inside the main window that shows
// the whole draw history as a chart, one row per draw, newest first, with a
// dot in the column of the value drawn. One implementation for the numbers
// and the three groupings; Tfrmcode, Tfrmshengxiao, Tfrmjijie and Tfrmfangwei
// only choose the grouping.

#include <QWidget>
#include <memory>

#include "trend/attributes.h"
#include "trend/trend_grid.h"

namespace tavrin {

class TrendWindow : public QWidget {
  Q_OBJECT
 public:
  AttributeKind kind() const { return kind_; }
  TrendGrid* grdcode = nullptr;

  // Copies the open lottery's draws into the shared DrawHistory and the grid.
  void FormCreate();
  // Sizes the columns for the width the window has now.
  void FormActivate();

  // The window caption for a grouping: "开奖号码走势" and its siblings.
  static QString CaptionOf(AttributeKind kind);

 protected:
  TrendWindow(AttributeKind kind, const char* objectName, QWidget* parent);

  bool event(QEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  AttributeKind kind_;
};

}  // namespace tavrin
