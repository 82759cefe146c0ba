#include "analysis/statistics_chart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsLayout>
#include <QLegend>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>

namespace tavrin::analysis {

namespace {

constexpr qreal kBarWidth = 0.8;  // share of a value's slot the group of bars fills

// The highest value the axis must show, with room above the bars for their
// marks; never below 4 so that an empty history still gets whole-number ticks.
qreal AxisTop(qreal highest, bool roomForMarks) { return std::max<qreal>(4, highest * (roomForMarks ? 1.25 : 1.05)); }

}  // namespace

StatisticsChart::StatisticsChart(QWidget* parent) : QChartView(parent) {
  auto* c = new QChart();
  c->setTitle(QStringLiteral("总体中奖分析图表"));
  QFont titleFont = c->titleFont();
  titleFont.setPointSize(9);
  titleFont.setBold(true);
  c->setTitleFont(titleFont);
  c->setMargins(QMargins(2, 0, 2, 0));
  c->layout()->setContentsMargins(0, 0, 0, 0);
  c->setBackgroundRoundness(0);
  c->setAnimationOptions(QChart::NoAnimation);
  c->legend()->setAlignment(Qt::AlignRight);
  QFont legendFont = c->legend()->font();
  legendFont.setPointSize(8);
  c->legend()->setFont(legendFont);

  bars_ = new QBarSeries(c);
  bars_->setBarWidth(kBarWidth);
  c->addSeries(bars_);
  axisX_ = new QBarCategoryAxis(c);
  axisY_ = new QValueAxis(c);
  QFont axisFont = axisX_->labelsFont();
  axisFont.setPointSize(7);
  axisX_->setLabelsFont(axisFont);
  axisY_->setLabelsFont(axisFont);
  axisY_->setLabelFormat(QStringLiteral("%d"));
  axisY_->setTickCount(5);
  c->addAxis(axisX_, Qt::AlignBottom);
  c->addAxis(axisY_, Qt::AlignLeft);
  bars_->attachAxis(axisX_);
  bars_->attachAxis(axisY_);
  setChart(c);
  setRenderHint(QPainter::Antialiasing, false);
}

void StatisticsChart::setData(const QStringList& labels, const std::array<ChartSeries, kSeriesCount>& series,
                              bool marks) {
  labels_ = labels;
  series_ = series;
  marks_ = marks;

  bars_->clear();
  axisX_->clear();
  axisX_->append(labels_);
  qreal highest = 0;
  for (const ChartSeries& s : series_) {
    // A hidden series leaves no gap in the groups and no entry in the legend.
    if (!s.visible) continue;
    auto* set = new QBarSet(s.title);
    QList<qreal> values;
    values.reserve(static_cast<qsizetype>(s.values.size()));
    for (double v : s.values) {
      values.append(v);
      highest = std::max(highest, static_cast<qreal>(v));
    }
    set->append(values);
    set->setColor(s.colour);
    set->setBorderColor(s.colour.darker(150));
    bars_->append(set);
  }
  axisY_->setTickCount(5);
  axisY_->setRange(0, AxisTop(highest, marks_));
  axisY_->applyNiceNumbers();
  viewport()->update();
}

void StatisticsChart::drawForeground(QPainter* painter, const QRectF& rect) {
  QChartView::drawForeground(painter, rect);
  if (!marks_ || labels_.isEmpty()) return;
  std::vector<const ChartSeries*> shown;
  for (const ChartSeries& s : series_)
    if (s.visible) shown.push_back(&s);
  if (shown.empty()) return;

  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, false);
  QFont f = font();
  f.setPointSize(7);
  painter->setFont(f);
  const QFontMetrics fm(f);
  const QRectF plot = chart()->mapRectToScene(chart()->plotArea());
  const auto count = static_cast<qreal>(shown.size());
  for (std::size_t s = 0; s < shown.size(); ++s) {
    const ChartSeries& cs = *shown[s];
    for (qsizetype i = 0; i < labels_.size() && i < static_cast<qsizetype>(cs.values.size()); ++i) {
      // The bars of value i share the slot i − w/2 .. i + w/2 in set order.
      const qreal x = static_cast<qreal>(i) - kBarWidth / 2 + (static_cast<qreal>(s) + 0.5) * kBarWidth / count;
      const QPointF top =
          chart()->mapToScene(chart()->mapToPosition(QPointF(x, cs.values[static_cast<std::size_t>(i)]), bars_));
      const QPointF arrowEnd(top.x(), top.y() - kMarkArrowLength);
      painter->setPen(QPen(cs.colour.darker(130), 1));
      painter->drawLine(top, arrowEnd);
      const QString text = i < cs.markTexts.size() ? cs.markTexts[i] : QString();
      const int w = fm.horizontalAdvance(text) + 4;
      const int h = fm.height();
      QRectF box(arrowEnd.x() - w / 2.0, arrowEnd.y() - h, w, h);
      // Keep the box inside the chart so the highest bars' marks stay legible.
      if (box.top() < plot.top() - 12) box.moveTop(plot.top() - 12);
      painter->setPen(QPen(Qt::black, 1));
      painter->setBrush(QColor(255, 255, 225));
      painter->drawRect(box);
      painter->drawText(box, Qt::AlignCenter, text);
    }
  }
  painter->restore();
}

}  // namespace tavrin::analysis
