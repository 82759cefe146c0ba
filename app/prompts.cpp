#include "app/prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QThread>

namespace tavrin {

namespace {

QMessageBox::Icon toIcon(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::None:
      return QMessageBox::NoIcon;
    case PromptIcon::Information:
      return QMessageBox::Information;
    case PromptIcon::Warning:
      return QMessageBox::Warning;
    case PromptIcon::Error:
      return QMessageBox::Critical;
    case PromptIcon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

// Filters written as "文本文件(*.txt)|*.txt" become Qt's form.
QString qtFilter(const QString& filter) {
  if (!filter.contains(QLatin1Char('|'))) return filter;
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString label = parts[i];
    const QString pattern = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
    if (!label.contains(QLatin1Char('('))) label += QStringLiteral(" (") + pattern + QLatin1Char(')');
    out << label;
  }
  return out.join(QStringLiteral(";;"));
}

class DialogPrompts final : public Prompts {
 public:
  void message(QWidget* owner, const QString& title, const QString& text, PromptIcon icon) override {
    QMessageBox box(toIcon(icon), title, text, QMessageBox::Ok, owner);
    box.exec();
  }
  bool question(QWidget* owner, const QString& title, const QString& text, PromptIcon icon) override {
    QMessageBox box(toIcon(icon), title, text, QMessageBox::Yes | QMessageBox::No, owner);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    return box.exec() == QMessageBox::Yes;
  }
  QString openFileName(QWidget* owner, const QString& title, const QString& dir, const QString& filter) override {
    return QFileDialog::getOpenFileName(owner, title, dir, qtFilter(filter));
  }
  QString saveFileName(QWidget* owner, const QString& title, const QString& path, const QString& filter) override {
    return QFileDialog::getSaveFileName(owner, title, path, qtFilter(filter));
  }
  QString saveFileNameReplacing(QWidget* owner, const QString& title, const QString& path,
                                const QString& filter) override {
    return QFileDialog::getSaveFileName(owner, title, path, qtFilter(filter), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
  }
  bool printDialog(QWidget* owner, QPrinter& printer) override {
    QPrintDialog dlg(&printer, owner);
    return dlg.exec() == QDialog::Accepted;
  }
};

std::unique_ptr<Prompts>& current() {
  static std::unique_ptr<Prompts> p = std::make_unique<DialogPrompts>();
  return p;
}

QString appTitle() {
  const QString t = QApplication::applicationName();
  return t.isEmpty() ? QStringLiteral("Tavrin") : t;
}

}  // namespace

Prompts& prompts() {
  // Dialogs belong to the GUI thread; a worker reports through its window.
  Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
  return *current();
}

std::unique_ptr<Prompts> setPrompts(std::unique_ptr<Prompts> p) {
  std::swap(current(), p);
  if (!current()) current() = std::make_unique<DialogPrompts>();
  return p;
}

void ShowMessage(const QString& text, QWidget* owner) { prompts().message(owner, appTitle(), text, PromptIcon::None); }

void ShowErrorBox(const QString& text, QWidget* owner) {
  prompts().message(owner, appTitle(), text, PromptIcon::Error);
}

}  // namespace tavrin
