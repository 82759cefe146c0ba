#pragma once
// The bar chart of the statistics windows: up to four series of one bar per
// value, grouped by value, each with its own colour, legend title and value
// marks (a 20-pixel arrow up from the bar to a small box with its text).

#include <QChartView>
#include <QColor>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

class QBarCategoryAxis;
class QBarSeries;
class QValueAxis;

namespace tavrin::analysis {

inline constexpr int kSeriesCount = 4;
inline constexpr int kMarkArrowLength = 20;

struct ChartSeries {
  QString title;
  QColor colour;
  std::vector<double> values;  // one per label
  QStringList markTexts;       // what each bar's mark says
  bool visible = true;
};

class StatisticsChart final : public QChartView {
  Q_OBJECT
 public:
  explicit StatisticsChart(QWidget* parent = nullptr);

  // Replaces every bar: labels along the axis, the four series in order.
  void setData(const QStringList& labels, const std::array<ChartSeries, kSeriesCount>& series, bool marks);

  // What is drawn now, for the window's checks.
  const QStringList& labels() const { return labels_; }
  const std::array<ChartSeries, kSeriesCount>& series() const { return series_; }
  bool marksShown() const { return marks_; }
  QBarSeries* barSeries() const { return bars_; }
  QValueAxis* valueAxis() const { return axisY_; }

 protected:
  void drawForeground(QPainter* painter, const QRectF& rect) override;

 private:
  QBarSeries* bars_;
  QBarCategoryAxis* axisX_;
  QValueAxis* axisY_;
  QStringList labels_;
  std::array<ChartSeries, kSeriesCount> series_;
  bool marks_ = false;
};

}  // namespace tavrin::analysis
