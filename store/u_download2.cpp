#include "store/u_download2.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "app/guard.h"
#include "app/u_public.h"
#include "base/http_client.h"
#include "store/draw_transfer.h"
#include "store/http_fetch.h"
#include "store/lottery_store.h"

namespace tavrin {

namespace {

// The one lottery the operator's pages fill.
const char* const kTarget = "南粤风采36选7";

}  // namespace

Tfrmdownload2::Tfrmdownload2(QWidget* parent) : QDialog(parent) {
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setFixedSize(354, 74);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(0, 128, 0));
  pal.setColor(QPalette::WindowText, Qt::white);
  setPalette(pal);

  lbltishi = new QLabel(QStringLiteral("选择彩票："), this);
  lbltishi->setGeometry(12, 25, 72, 24);
  comdown = new QComboBox(this);
  comdown->setEditable(true);
  comdown->addItems({QStringLiteral("所有彩票"), QStringLiteral("广东南粤风采好彩1")});
  comdown->setCurrentIndex(0);
  comdown->setGeometry(84, 25, 150, 24);
  btndown = new QPushButton(QStringLiteral("开始下载"), this);
  btndown->setGeometry(246, 8, 96, 27);
  btndown->setDefault(true);
  btnclose = new QPushButton(QStringLiteral("退出"), this);
  btnclose->setGeometry(246, 40, 96, 27);
  btnclose->setAutoDefault(false);
  lbltitle = new QLabel(QString::fromUtf8(store::kDownloadCaption), this);
  lbltitle->setGeometry(12, 25, 330, 24);
  lbltitle->setAlignment(Qt::AlignCenter);
  lbltitle->hide();

  connect(btndown, &QPushButton::clicked, this, guarded([this] { btndownClick(); }));
  connect(btnclose, &QPushButton::clicked, this, &QDialog::reject);
}

void Tfrmdownload2::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (centred_) return;
  centred_ = true;
  if (QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
    QRect r = frameGeometry();
    r.moveCenter(s->availableGeometry().center());
    move(r.topLeft());
  }
}

void Tfrmdownload2::reject() {
  if (running_) return;
  QDialog::reject();
}

void Tfrmdownload2::btndownClick() {
  if (running_) return;
  const QString selected = comdown->currentText();
  running_ = true;
  lbltishi->hide();
  comdown->hide();
  btndown->hide();
  btnclose->hide();
  lbltitle->show();
  repaint();

  QString message;
  try {
    store::Database db(DatabaseFile());
    if (!store::DownloadSelectorStartsRun(selected.toStdString())) {
      // Nothing was fetched: the user hears so rather than "下载完成！".
      message = QStringLiteral("不能下载“%1”，只能下载南粤风采好彩1。未下载任何数据。").arg(selected);
    } else {
      lbltitle->setText(QString::fromUtf8(store::kDownloadCaption));
      lbltitle->repaint();
      // Each page is waited for in a local event loop: the window paints
      // meanwhile, and its buttons are hidden, so nothing else starts.
      const store::DownloadOutcome out =
          store::DownloadHistory(db, QString::fromUtf8(kTarget), OperatorUrl().toStdString(), store::HttpFetch());
      message = QString::fromStdString(out.message);
    }
  } catch (...) {
    running_ = false;
    accept();
    throw;
  }
  running_ = false;
  accept();
  ShowMessage(message, parentWidget());
}

}  // namespace tavrin
