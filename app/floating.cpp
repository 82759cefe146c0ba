#include "app/floating.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>

namespace tavrin {

namespace {

// Centres its window on the first show, then removes itself.
class CentreOnce final : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Show) {
      auto* w = static_cast<QWidget*>(watched);
      if (QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen()) {
        QRect r = w->frameGeometry();
        r.moveCenter(s->availableGeometry().center());
        w->move(r.topLeft());
      }
      w->removeEventFilter(this);
      deleteLater();
    }
    return false;
  }
};

}  // namespace

void MakeFloating(QWidget* window) {
  if (window->property("tavrinFloating").toBool()) return;
  window->setProperty("tavrinFloating", true);
  window->setWindowFlag(Qt::Window, true);
  window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
  window->installEventFilter(new CentreOnce(window));
}

}  // namespace tavrin
