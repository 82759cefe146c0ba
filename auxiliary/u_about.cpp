#include "auxiliary/u_about.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "app/floating.h"
#include "app/guard.h"
#include "app/u_public.h"
#include "auxiliary/aux_fonts.h"
#include "auxiliary/info_text.h"

namespace tavrin {

void TShape::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0, 128, 128), 2));
  p.setBrush(QColor(192, 192, 192));
  p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 10, 10);
}

Tfrmabout::Tfrmabout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint) {
  setWindowTitle(QStringLiteral("关于本程序"));
  setFixedSize(405, 207);

  Shape1 = new TShape(this);
  Shape1->setGeometry(8, 8, 393, 192);

  Label1 = new QLabel(QStringLiteral("Tavrin12.0版"), this);
  Label1->setGeometry(16, 17, 321, 23);
  Label1->setFont(FontOfHeight({QStringLiteral("华文中宋"), QStringLiteral("宋体")}, 20, true, true));
  QPalette red = Label1->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  Label1->setPalette(red);

  const QFont infoFont = FontOfHeight({QStringLiteral("宋体")}, 13, true, true);
  auto info = [&](int top) {
    auto* l = new QLabel(this);
    l->setGeometry(23, top, 209, 16);
    l->setFont(infoFont);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, Qt::blue);
    l->setPalette(pal);
    return l;
  };
  lblauthor = info(55);
  lblbanquan = info(72);
  lblweb = info(102);
  lblqq = info(119);
  lblphone2 = info(136);
  lblphone1 = info(153);
  lblmail = info(170);

  Image1 = new QLabel(this);
  Image1->setGeometry(256, 15, 137, 145);
  Image1->setScaledContents(true);
  Image1->setPixmap(QPixmap(QStringLiteral(":/auxiliary/about.jpg")));

  btnclose = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("关闭"), this);
  btnclose->setGeometry(274, 172, 105, 25);
  btnclose->setDefault(true);
  connect(btnclose, &QPushButton::clicked, this, guarded([this] { btncloseClick(); }));

  MakeFloating(this);

  RunGuarded([this] { FormCreate(); });
}

void Tfrmabout::FormCreate() {
  InfoFile file(AppPath(QStringLiteral("附属/about.txt")));
  for (QLabel* l : {lblauthor, lblbanquan, lblweb, lblqq, lblphone1, lblphone2, lblmail}) l->setText(file.next());
}

void Tfrmabout::btncloseClick() { close(); }

}  // namespace tavrin
