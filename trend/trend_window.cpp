#include "trend/trend_window.h"

#include <QEvent>
#include <QVBoxLayout>

#include "app/prompts.h"
#include "store/lottery_session.h"
#include "trend/shared_history.h"

namespace tavrin {

TrendWindow::TrendWindow(AttributeKind kind, const char* objectName, QWidget* parent) : QWidget(parent), kind_(kind) {
  setObjectName(QString::fromLatin1(objectName));
  setWindowTitle(CaptionOf(kind));
  setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
  auto* layout = new QVBoxLayout(this);
  // The grid keeps its place in the window: 8 left, 48 top, 11 right and bottom.
  layout->setContentsMargins(8, 48, 11, 11);
  grdcode = new TrendGrid(this);
  layout->addWidget(grdcode);
  FormCreate();
}

QString TrendWindow::CaptionOf(AttributeKind kind) {
  switch (kind) {
    case AttributeKind::Number:
      return QStringLiteral("开奖号码走势");
    case AttributeKind::Zodiac:
      return QStringLiteral("开奖生肖走势");
    case AttributeKind::Season:
      return QStringLiteral("开奖季节走势");
    case AttributeKind::Direction:
      return QStringLiteral("开奖方位走势");
  }
  return {};
}

void TrendWindow::FormCreate() {
  lotterySession().setGrouping(ValueCountOf(kind_), 1);
  // Without an open lottery there are no draws: the grid shows its titles
  // and the shared copy is emptied, so nothing reads an earlier lottery's.
  const std::shared_ptr<const DrawSnapshot> snapshot = lotterySession().snapshot();
  DrawHistory history = snapshot ? LoadDrawHistory(*snapshot, kind_) : DrawHistory{};
  PublishDrawHistory(std::make_shared<const DrawHistory>(history));
  const std::optional<std::string> error = history.error;
  grdcode->setTable(std::make_shared<const TrendTable>(kind_, std::move(history), FilledAttributeTables()));
  if (error) ShowErrorBox(QString::fromStdString(*error), this);
}

void TrendWindow::FormActivate() { grdcode->layoutColumns(); }

bool TrendWindow::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) FormActivate();
  return QWidget::event(e);
}

void TrendWindow::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  FormActivate();
}

}  // namespace tavrin
