#pragma once
// The upper chart of the selection windows: one bar per history row, so up to
// 20000 bars. A scene item per bar would make every redraw slow, so this
// chart paints only the bars in view and scrolls through the rest: the
// mouse wheel or the scroll bar moves along the draws, Ctrl + wheel (or +
// and -) makes the bars wider or narrower. The value axis, the title and the
// legend stay in place; the issues under the bars are written upright so
// that each stays readable however narrow the bars are, and the mouse
// pointer's tip names the draw under it.

#include <QAbstractScrollArea>
#include <QColor>
#include <QString>
#include <memory>

#include "analysis/selection_frame.h"

namespace tavrin::analysis {

class HitChart final : public QAbstractScrollArea {
  Q_OBJECT
 public:
  static constexpr int kMinSlotWidth = 2;
  static constexpr int kMaxSlotWidth = 48;
  static constexpr int kDefaultSlotWidth = 16;

  explicit HitChart(QWidget* parent = nullptr);

  void setTitle(const QString& title);
  QString title() const { return title_; }

  // Replaces every bar. The view keeps its distance from the newest bar, so
  // the first filling shows the newest draws and a new run stays where the
  // user looked.
  void setBars(std::shared_ptr<const BarData> bars, const QString& seriesTitle, bool valueLabels);
  void clear();
  // The value written above each bar.
  void setValueLabelsVisible(bool on);

  int barCount() const;
  const BarData& bars() const;
  QString seriesTitle() const { return seriesTitle_; }
  QColor colour() const { return colour_; }
  bool valueLabelsVisible() const { return valueLabels_; }

  // Pixels per bar, gap included.
  int slotWidth() const { return slot_; }
  // Clamped to kMinSlotWidth..kMaxSlotWidth; the bar in the middle of the
  // view stays there.
  void setSlotWidth(int pixels);
  // The bars at least partly in view: the first one and how many.
  int firstVisibleBar() const;
  int visibleBarCount() const;
  // Scrolls so that bar index is the first in view, as far as the range allows.
  void scrollToBar(int index);
  // The slot of bar index in the viewport: its left edge, its width, the
  // plot's height; outside the viewport when the bar is not in view.
  QRect barSlot(int index) const;
  // The bar whose slot holds a point of the viewport, or -1.
  int barAt(QPoint viewportPoint) const;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;
  // A tip names the draw and its hits under the mouse, whose issue may be
  // one of those left unwritten when the bars are narrow.
  bool viewportEvent(QEvent* e) override;

 private:
  // Where the bars are drawn, in viewport coordinates.
  QRect plotRect() const;
  int labelHeight() const;
  void updateScrollRange();

  QString title_;
  QString seriesTitle_;
  QColor colour_ = Qt::red;
  std::shared_ptr<const BarData> bars_;
  bool valueLabels_ = false;
  int slot_ = kDefaultSlotWidth;
  int highest_ = 1;           // top of the value axis
  qsizetype labelChars_ = 7;  // of the longest issue
};

}  // namespace tavrin::analysis
