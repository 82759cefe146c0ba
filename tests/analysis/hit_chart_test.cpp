#include "analysis/hit_chart.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QWheelEvent>

using namespace tavrin::analysis;

namespace {

std::shared_ptr<const BarData> Bars(int count) {
  auto b = std::make_shared<BarData>();
  for (int i = 0; i < count; ++i) {
    b->labels.push_back(std::to_string(2000001 + i));
    b->values.push_back(i % 2 == 0 ? 1 : 0);  // every even bar hits
  }
  return b;
}

bool IsRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80; }

}  // namespace

TEST(HitChartTest, PaintsOnlyTheBarsInViewAndScrollsThroughAll) {
  HitChart chart;
  chart.resize(640, 260);
  chart.show();
  chart.setBars(Bars(20000), QStringLiteral("中奖个数"), false);
  ASSERT_EQ(chart.barCount(), 20000);
  // The newest draws are in view first.
  const int shown = chart.visibleBarCount();
  EXPECT_GT(shown, 20);
  EXPECT_LT(shown, 60);
  EXPECT_EQ(chart.firstVisibleBar() + shown, 20000);

  chart.scrollToBar(0);
  EXPECT_EQ(chart.firstVisibleBar(), 0);
  // Bar 0 hits and is painted red at its slot's centre; bar 1 is empty.
  const QImage image = chart.viewport()->grab().toImage();
  int redAt0 = 0, redAt1 = 0;
  for (int y = 0; y < image.height(); ++y) {
    redAt0 += IsRed(image.pixel(chart.barSlot(0).center().x(), y));
    redAt1 += IsRed(image.pixel(chart.barSlot(1).center().x(), y));
  }
  EXPECT_EQ(chart.barSlot(1).left(), chart.barSlot(0).right() + 1);
  EXPECT_GE(chart.barSlot(0).left(), 0);
  EXPECT_EQ(chart.barAt(chart.barSlot(5).center()), 5);
  EXPECT_EQ(chart.barAt(QPoint(1, 100)), -1) << "the value axis";
  EXPECT_GT(redAt0, 50);
  EXPECT_EQ(redAt1, 0);

  // The wheel moves along the draws; with Ctrl it makes the bars narrower.
  chart.scrollToBar(10000);
  const int middle = chart.firstVisibleBar() + chart.visibleBarCount() / 2;
  QWheelEvent down(QPointF(100, 100), chart.mapToGlobal(QPointF(100, 100)), {}, QPoint(0, -120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(chart.viewport(), &down);
  EXPECT_EQ(chart.firstVisibleBar(), 10003);
  QWheelEvent zoomOut(QPointF(100, 100), chart.mapToGlobal(QPointF(100, 100)), {}, QPoint(0, -120 * 3), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(chart.viewport(), &zoomOut);
  EXPECT_EQ(chart.slotWidth(), HitChart::kDefaultSlotWidth - 6);
  EXPECT_GT(chart.visibleBarCount(), shown);
  EXPECT_NEAR(chart.firstVisibleBar() + chart.visibleBarCount() / 2, middle + 3, 2) << "the middle stays";
  chart.setSlotWidth(0);
  EXPECT_EQ(chart.slotWidth(), HitChart::kMinSlotWidth);
  EXPECT_GT(chart.visibleBarCount(), 200);

  // New bars keep the view's distance from the newest one.
  chart.scrollToBar(19000);
  const int fromEnd = 20000 - chart.firstVisibleBar();
  chart.setBars(Bars(20010), QStringLiteral("中奖个数"), true);
  EXPECT_EQ(20010 - chart.firstVisibleBar(), fromEnd);
  EXPECT_TRUE(chart.valueLabelsVisible());
  chart.clear();
  EXPECT_EQ(chart.barCount(), 0);
  EXPECT_EQ(chart.visibleBarCount(), 0);
  chart.viewport()->grab();
}
