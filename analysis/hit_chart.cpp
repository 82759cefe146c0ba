#include "analysis/hit_chart.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <climits>

namespace tavrin::analysis {

namespace {

constexpr int kRightMargin = 10;
constexpr int kPadding = 6;        // inside the plot, before the first and after the last bar
constexpr int kLabelGap = 3;       // between the plot and the issues under it
constexpr double kBarShare = 0.7;  // of a slot the bar fills

const BarData& NoBars() {
  static const BarData none;
  return none;
}

QFont SmallFont(const QFont& base) {
  QFont f = base;
  f.setPointSize(8);
  return f;
}

QFont TitleFont(const QFont& base) {
  QFont f = base;
  f.setPointSize(9);
  f.setBold(true);
  return f;
}

// Every how many bars a text of this width fits beside the previous one.
int Stride(int textWidth, int slot) { return std::max(1, (textWidth + 3 + slot - 1) / slot); }

int TickStep(int highest) { return highest <= 5 ? 1 : (highest + 3) / 4; }

}  // namespace

HitChart::HitChart(QWidget* parent) : QAbstractScrollArea(parent) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setAutoFillBackground(true);
  QPalette p = viewport()->palette();
  p.setColor(QPalette::Base, Qt::white);
  viewport()->setPalette(p);
  viewport()->setBackgroundRole(QPalette::Base);
  updateScrollRange();
}

void HitChart::setTitle(const QString& title) {
  title_ = title;
  viewport()->update();
}

void HitChart::setBars(std::shared_ptr<const BarData> bars, const QString& seriesTitle, bool valueLabels) {
  QScrollBar* sb = horizontalScrollBar();
  const int fromEnd = sb->maximum() - sb->value();
  bars_ = std::move(bars);
  seriesTitle_ = seriesTitle;
  valueLabels_ = valueLabels;
  highest_ = 1;
  labelChars_ = 7;
  if (bars_) {
    for (int v : bars_->values) highest_ = std::max(highest_, v);
    for (const std::string& l : bars_->labels) labelChars_ = std::max(labelChars_, static_cast<qsizetype>(l.size()));
  }
  updateScrollRange();
  sb->setValue(sb->maximum() - fromEnd);
  viewport()->update();
}

void HitChart::clear() { setBars(nullptr, seriesTitle_, valueLabels_); }

void HitChart::setValueLabelsVisible(bool on) {
  valueLabels_ = on;
  viewport()->update();
}

int HitChart::barCount() const { return bars_ ? static_cast<int>(bars_->values.size()) : 0; }

const BarData& HitChart::bars() const { return bars_ ? *bars_ : NoBars(); }

void HitChart::setSlotWidth(int pixels) {
  pixels = std::clamp(pixels, kMinSlotWidth, kMaxSlotWidth);
  if (pixels == slot_) return;
  const int width = std::max(plotRect().width(), 1);
  // The draw in the middle of the view stays in the middle.
  const double middle = (horizontalScrollBar()->value() - kPadding + width / 2.0) / slot_;
  slot_ = pixels;
  updateScrollRange();
  horizontalScrollBar()->setValue(static_cast<int>(middle * slot_ + kPadding - width / 2.0));
  viewport()->update();
}

int HitChart::firstVisibleBar() const {
  if (barCount() == 0) return 0;
  return std::clamp((horizontalScrollBar()->value() - kPadding) / slot_, 0, barCount() - 1);
}

int HitChart::visibleBarCount() const {
  if (barCount() == 0) return 0;
  const int right = horizontalScrollBar()->value() + std::max(plotRect().width(), 1) - 1 - kPadding;
  const int last = std::clamp(right / slot_, 0, barCount() - 1);
  return std::max(last - firstVisibleBar() + 1, 0);
}

void HitChart::scrollToBar(int index) { horizontalScrollBar()->setValue(index * slot_ + kPadding); }

QRect HitChart::barSlot(int index) const {
  const QRect plot = plotRect();
  return QRect(plot.left() + kPadding - horizontalScrollBar()->value() + index * slot_, plot.top(), slot_,
               plot.height());
}

int HitChart::barAt(QPoint viewportPoint) const {
  const QRect plot = plotRect();
  if (barCount() == 0 || viewportPoint.x() < plot.left() || viewportPoint.x() > plot.right()) return -1;
  const int offset = viewportPoint.x() - barSlot(0).left();
  if (offset < 0) return -1;
  const int index = offset / slot_;
  return index < barCount() ? index : -1;
}

bool HitChart::viewportEvent(QEvent* e) {
  if (e->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(e);
    const int i = barAt(help->pos());
    if (i < 0) {
      QToolTip::hideText();
    } else {
      const auto at = static_cast<std::size_t>(i);
      QToolTip::showText(
          help->globalPos(),
          QStringLiteral("%1期 %2：%3")
              .arg(QString::fromStdString(bars_->labels[at]), seriesTitle_, QString::number(bars_->values[at])),
          viewport());
    }
    return true;
  }
  return QAbstractScrollArea::viewportEvent(e);
}

int HitChart::labelHeight() const {
  // Issues are digits: the longest one decides, without measuring each.
  const QFontMetrics fm(SmallFont(font()));
  return fm.horizontalAdvance(QString(labelChars_, QLatin1Char('0'))) + 2 * kLabelGap;
}

QRect HitChart::plotRect() const {
  const QFontMetrics small(SmallFont(font()));
  const QFontMetrics big(TitleFont(font()));
  const int top = big.height() + 4 + small.height() + 6;
  const int left = small.horizontalAdvance(QString::number(highest_)) + 14;
  const QRect r = viewport()->rect();
  return QRect(left, top, std::max(r.width() - left - kRightMargin, 0), std::max(r.height() - top - labelHeight(), 0));
}

void HitChart::updateScrollRange() {
  const int width = plotRect().width();
  QScrollBar* sb = horizontalScrollBar();
  sb->setRange(0, std::max(0, barCount() * slot_ + 2 * kPadding - width));
  sb->setPageStep(std::max(width, 1));
  sb->setSingleStep(slot_);
}

void HitChart::resizeEvent(QResizeEvent* e) {
  QScrollBar* sb = horizontalScrollBar();
  const int fromEnd = sb->maximum() - sb->value();
  QAbstractScrollArea::resizeEvent(e);
  updateScrollRange();
  sb->setValue(sb->maximum() - fromEnd);
}

void HitChart::scrollContentsBy(int, int) { viewport()->update(); }

void HitChart::wheelEvent(QWheelEvent* e) {
  const QPoint delta = e->angleDelta();
  const int steps = (std::abs(delta.y()) >= std::abs(delta.x()) ? delta.y() : delta.x()) / 120;
  if (steps == 0) {
    e->ignore();
    return;
  }
  if (e->modifiers() & Qt::ControlModifier) {
    setSlotWidth(slot_ + 2 * steps);
  } else {
    QScrollBar* sb = horizontalScrollBar();
    sb->setValue(sb->value() - steps * 3 * slot_);  // wheel up goes back to older draws
  }
  e->accept();
}

void HitChart::keyPressEvent(QKeyEvent* e) {
  QScrollBar* sb = horizontalScrollBar();
  switch (e->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      setSlotWidth(slot_ + 2);
      break;
    case Qt::Key_Minus:
      setSlotWidth(slot_ - 2);
      break;
    case Qt::Key_Home:
      sb->setValue(sb->minimum());
      break;
    case Qt::Key_End:
      sb->setValue(sb->maximum());
      break;
    case Qt::Key_Left:
      sb->triggerAction(QAbstractSlider::SliderSingleStepSub);
      break;
    case Qt::Key_Right:
      sb->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      break;
    case Qt::Key_PageUp:
      sb->triggerAction(QAbstractSlider::SliderPageStepSub);
      break;
    case Qt::Key_PageDown:
      sb->triggerAction(QAbstractSlider::SliderPageStepAdd);
      break;
    default:
      QAbstractScrollArea::keyPressEvent(e);
      return;
  }
  e->accept();
}

void HitChart::paintEvent(QPaintEvent*) {
  QPainter p(viewport());
  const QRect area = viewport()->rect();
  const QRect plot = plotRect();
  const QFont small = SmallFont(font());
  const QFont big = TitleFont(font());
  const QFontMetrics fs(small);
  const QFontMetrics fb(big);

  // Title, then the legend under it.
  p.setPen(Qt::black);
  p.setFont(big);
  p.drawText(QRect(0, 2, area.width(), fb.height()), Qt::AlignCenter, title_);
  p.setFont(small);
  if (!seriesTitle_.isEmpty()) {
    const int box = fs.ascent() - 2;
    const int textWidth = fs.horizontalAdvance(seriesTitle_);
    const int x = (area.width() - box - 4 - textWidth) / 2;
    const int y = fb.height() + 4;
    p.fillRect(QRect(x, y + (fs.height() - box) / 2, box, box), colour_);
    p.drawText(QRect(x + box + 4, y, textWidth + 2, fs.height()), Qt::AlignLeft | Qt::AlignVCenter, seriesTitle_);
  }
  if (plot.width() <= 0 || plot.height() <= 0) return;

  // The value axis and its grid lines; room is kept above for the values.
  const int room = fs.height() + 2;
  const int usable = std::max(plot.height() - room, 1);
  auto yOf = [&](int v) { return plot.bottom() - static_cast<int>(static_cast<qint64>(v) * usable / highest_); };
  const int step = TickStep(highest_);
  for (int v = 0; v <= highest_; v += step) {
    const int y = yOf(v);
    p.setPen(QColor(225, 225, 225));
    if (v > 0) p.drawLine(plot.left() + 1, y, plot.right(), y);
    p.setPen(Qt::black);
    p.drawLine(plot.left() - 4, y, plot.left(), y);
    p.drawText(QRect(0, y - fs.height() / 2, plot.left() - 6, fs.height()), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(v));
  }
  p.drawLine(plot.left(), plot.top(), plot.left(), plot.bottom());
  p.drawLine(plot.left(), plot.bottom(), plot.right(), plot.bottom());
  if (barCount() == 0) return;

  // Bar i fills the slot starting at origin + i * slot.
  const int origin = barSlot(0).left();
  const int first = firstVisibleBar();
  const int last = first + visibleBarCount() - 1;
  const int barWidth = std::max(1, static_cast<int>(slot_ * kBarShare));
  const BarData& data = *bars_;
  const int labelStride = Stride(fs.height(), slot_);
  const int valueStride = Stride(fs.horizontalAdvance(QString::number(highest_)), slot_);
  const int labelHeight = this->labelHeight();

  p.setClipRect(QRect(plot.left() + 1, 0, plot.width(), area.height()));
  p.setPen(colour_.darker(140));
  p.setBrush(colour_);
  for (int i = first; i <= last; ++i) {
    const int v = data.values[static_cast<std::size_t>(i)];
    if (v <= 0) continue;
    const int x = origin + i * slot_ + (slot_ - barWidth) / 2;
    const int top = yOf(v);
    if (barWidth <= 2)
      p.fillRect(QRect(x, top, barWidth, plot.bottom() - top), colour_);
    else
      p.drawRect(QRect(x, top, barWidth - 1, plot.bottom() - top - 1));
  }

  p.setPen(Qt::black);
  // Values: every bar's when there is room for each; otherwise the hits
  // only, each where it does not run into the one before.
  int clearFrom = INT_MIN;
  for (int i = first; valueLabels_ && i <= last; ++i) {
    const int v = data.values[static_cast<std::size_t>(i)];
    if (valueStride > 1 && v <= 0) continue;
    const QString text = QString::number(v);
    const int w = fs.horizontalAdvance(text) + 2;
    const int centre = origin + i * slot_ + slot_ / 2;
    if (centre - w / 2 < clearFrom) continue;
    p.drawText(QRect(centre - w / 2, yOf(v) - fs.height() - 1, w, fs.height()), Qt::AlignHCenter | Qt::AlignBottom,
               text);
    clearFrom = centre - w / 2 + w + 1;
  }
  for (int i = first - first % labelStride; i <= last; i += labelStride) {
    // Written upright, reading upwards and ending just under the axis.
    const int centre = origin + i * slot_ + slot_ / 2;
    p.save();
    p.translate(centre, plot.bottom() + kLabelGap);
    p.rotate(-90);
    p.drawText(QRect(-(labelHeight - kLabelGap), -fs.height() / 2, labelHeight - 2 * kLabelGap, fs.height()),
               Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(data.labels[static_cast<std::size_t>(i)]));
    p.restore();
    p.drawLine(centre, plot.bottom(), centre, plot.bottom() + 2);
  }
}

}  // namespace tavrin::analysis
