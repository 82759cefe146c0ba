#include "app/title_header.h"

#include <QHeaderView>
#include <QMetaObject>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QTableView>
#include <algorithm>

namespace tavrin {

namespace {

class TitleHeader final : public QHeaderView {
 public:
  explicit TitleHeader(QTableView* view) : QHeaderView(Qt::Horizontal, view) {
    // The header passes these flags on to the text it draws, word wrap included.
    setDefaultAlignment(Qt::Alignment(int(Qt::AlignCenter) | int(Qt::TextWordWrap)));
    setTextElideMode(Qt::ElideNone);
    setSectionsClickable(true);
    // A changed width may need another line: the view lays out again.
    connect(this, &QHeaderView::sectionResized, this,
            [view] { QMetaObject::invokeMethod(view, "updateGeometries", Qt::QueuedConnection); });
  }

 protected:
  QSize sectionSizeFromContents(int logicalIndex) const override {
    QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
    if (!model()) return size;
    const QString title = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
    const int width = std::max(sectionSize(logicalIndex) - 2 * margin, 1);
    const QRect text = fontMetrics().boundingRect(QRect(0, 0, width, 10000), Qt::AlignCenter | Qt::TextWordWrap, title);
    size.setHeight(std::max(size.height(), text.height() + 2 * margin));
    return size;
  }
};

}  // namespace

void UseTitleHeader(QTableView* view) {
  auto* header = new TitleHeader(view);
  const QHeaderView* old = view->horizontalHeader();
  header->setSectionResizeMode(old->sectionResizeMode(0));
  header->setStretchLastSection(old->stretchLastSection());
  header->setVisible(!old->isHidden());
  view->setHorizontalHeader(header);
}

}  // namespace tavrin
