#include "auxiliary/u_flash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <stdexcept>

#include "app/guard.h"
#include "app/u_public.h"
#include "auxiliary/aux_fonts.h"
#include "auxiliary/info_text.h"

namespace tavrin {

namespace {

QLabel* InfoLabel(QWidget* parent, int top) {
  auto* l = new QLabel(parent);
  l->setGeometry(144, top, 369, 16);
  l->setFont(FontOfHeight({QStringLiteral("宋体")}, 13, true, true));
  QPalette pal = l->palette();
  pal.setColor(QPalette::WindowText, Qt::yellow);
  l->setPalette(pal);
  l->setAttribute(Qt::WA_TranslucentBackground);
  return l;
}

}  // namespace

Tfrmflash::Tfrmflash(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setFixedSize(551, 337);

  Image1 = new QLabel(this);
  Image1->setGeometry(0, 0, 551, 337);
  Image1->setScaledContents(true);

  Label1 = new QLabel(QStringLiteral("Tavrin"), this);
  Label1->setGeometry(22, 72, 518, 44);
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setFont(FontOfHeight({QStringLiteral("隶书")}, 44, true, true));
  QPalette red = Label1->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  Label1->setPalette(red);

  lblchuping = InfoLabel(this, 168);
  lblshiyong = InfoLabel(this, 188);
  lblshiyong->setText(QStringLiteral("适用：广东福彩南粤风采好彩1"));
  lblweb = InfoLabel(this, 209);
  lblqq = InfoLabel(this, 230);
  lblmail = InfoLabel(this, 251);
  lblphone = InfoLabel(this, 272);

  // Started when the splash shows, so that an error box during creation does
  // not eat its five seconds.
  Timer1 = new QTimer(this);
  Timer1->setInterval(1000);
  connect(Timer1, &QTimer::timeout, this, guarded([this] { Timer1Timer(); }));

  FormCreate();
}

void Tfrmflash::FormCreate() {
  // A bad text file costs only its own lines: the picture and the topmost
  // step still happen.
  RunGuarded([this] { readTexts(); });
  RunGuarded([this] { loadPicture(); });
  setAttribute(Qt::WA_ShowWithoutActivating);
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  if (QScreen* screen = QGuiApplication::primaryScreen()) move(screen->availableGeometry().center() - rect().center());
}

void Tfrmflash::readTexts() {
  InfoFile file(AppPath(QStringLiteral("附属/flash.txt")));
  lblchuping->setText(file.next());
  file.skip();  // the scope line keeps the caption it was given
  for (QLabel* l : {lblweb, lblqq, lblmail, lblphone}) l->setText(file.next());
}

void Tfrmflash::loadPicture() {
  const QString file = AppPath(QStringLiteral("图片/flash.jpg"));
  QPixmap pic;
  if (!pic.load(file)) throw std::runtime_error(("无法打开图片：" + file).toStdString());
  Image1->setPixmap(pic);
}

void Tfrmflash::Timer1Timer() {
  ++ticks_;
  if (ticks_ >= 5) {
    Timer1->stop();
    done(QDialog::Accepted);
  }
}

void Tfrmflash::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!Timer1->isActive() && ticks_ < 5) Timer1->start();
}

}  // namespace tavrin
