// Paints the program's pictures:
//   tavrin-art OUTDIR          back.bmp, flash.jpg and toolbar/<name>.png
//   tavrin-art --about FILE    the about window's picture (a JPEG)
// Everything the windows show as a picture is drawn here, so the look is ours
// and can be changed in one place: deep blue and gold, with the 36 numbers as
// lottery balls.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

const QColor kNavy(20, 38, 74);
const QColor kDeepNavy(10, 20, 46);
const QColor kGold(242, 196, 84);
const QColor kCream(253, 244, 214);

QFont ArtFont(int px, bool bold = true) {
  QFont f(QStringLiteral("WenQuanYi Zen Hei"));
  f.setPixelSize(px);
  f.setBold(bold);
  return f;
}

// A lottery ball with its number, lit from the upper left.
void Ball(QPainter& p, QPointF centre, qreal radius, const QColor& colour, int number) {
  QRadialGradient g(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.3);
  g.setColorAt(0, colour.lighter(170));
  g.setColorAt(0.45, colour);
  g.setColorAt(1, colour.darker(170));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(centre, radius, radius);
  p.setBrush(QColor(255, 255, 255, 235));
  p.drawEllipse(centre, radius * 0.58, radius * 0.58);
  p.setPen(colour.darker(200));
  p.setFont(ArtFont(std::max(6, static_cast<int>(radius * 0.78))));
  const QRectF box(centre.x() - radius, centre.y() - radius, radius * 2, radius * 2);
  p.drawText(box, Qt::AlignCenter, QString::asprintf("%02d", number));
}

QColor BallColour(int number) {
  static const QColor colours[] = {QColor(200, 30, 40), QColor(30, 90, 200), QColor(30, 150, 70)};
  return colours[(number - 1) % 3];
}

bool paintBackground(const QString& file) {
  QImage img(1024, 768, QImage::Format_RGB888);
  QPainter p(&img);
  QLinearGradient g(0, 0, 0, img.height());
  g.setColorAt(0, QColor(214, 222, 232));
  g.setColorAt(1, QColor(176, 190, 208));
  p.fillRect(img.rect(), g);
  // A quiet grid of the 36 numbers, the program's own motif.
  p.setPen(QColor(255, 255, 255, 70));
  QFont f(QStringLiteral("WenQuanYi Zen Hei"));
  f.setPixelSize(26);
  p.setFont(f);
  for (int n = 1; n <= 36; ++n) {
    const int col = (n - 1) % 6, row = (n - 1) / 6;
    const QRect r(600 + col * 64, 250 + row * 64, 56, 56);
    p.drawEllipse(r);
    p.drawText(r, Qt::AlignCenter, QString::asprintf("%02d", n));
  }
  f.setPixelSize(72);
  f.setBold(true);
  p.setFont(f);
  p.setPen(QColor(255, 255, 255, 120));
  p.drawText(QRect(60, 560, 600, 100), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tavrin"));
  p.end();
  return img.save(file, "BMP");
}

// The splash: a gold band for the red name at the top, deep blue below for
// the yellow information lines (left 144 to 513, tops 168 to 288).
bool paintFlash(const QString& file) {
  QImage img(551, 337, QImage::Format_RGB888);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient band(0, 0, 0, 140);
  band.setColorAt(0, kCream);
  band.setColorAt(1, kGold);
  p.fillRect(QRect(0, 0, 551, 140), band);
  QLinearGradient deep(0, 140, 0, 337);
  deep.setColorAt(0, kNavy);
  deep.setColorAt(1, kDeepNavy);
  p.fillRect(QRect(0, 140, 551, 197), deep);
  p.fillRect(QRect(0, 138, 551, 4), QColor(190, 140, 40));

  // A row of small balls across the top, like a ticket's header.
  for (int i = 0; i < 12; ++i) Ball(p, QPointF(38 + i * 43.2, 36), 14, BallColour(i + 1), i * 3 + 1);

  // A faint trend line behind the information lines.
  p.setPen(QPen(QColor(242, 196, 84, 32), 2));
  QPainterPath trend;
  for (int i = 0; i <= 24; ++i) {
    const qreal x = 140 + i * 16.5;
    const qreal y = 300 - 110 * std::fabs(std::sin(i * 1.7 + 0.3));
    if (i == 0)
      trend.moveTo(x, y);
    else
      trend.lineTo(x, y);
  }
  p.setBrush(Qt::NoBrush);
  p.drawPath(trend);

  // Balls on both sides of the text.
  const struct {
    qreal x, y, r;
    int n;
  } balls[] = {{48, 190, 30, 8},  {100, 238, 24, 19}, {46, 278, 22, 27}, {104, 300, 16, 36},
               {532, 196, 14, 5}, {528, 258, 12, 30}, {536, 312, 10, 12}};
  for (const auto& b : balls) Ball(p, QPointF(b.x, b.y), b.r, BallColour(b.n), b.n);

  p.setPen(QColor(242, 196, 84, 160));
  p.setFont(ArtFont(11, false));
  p.drawText(QRect(144, 308, 369, 20), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("号码走势 · 选号分析 · 投资计划 · 投资模式"));
  p.end();
  return img.save(file, "JPG", 92);
}

// The about picture: the 36 numbers as a ticket, a few of them drawn.
bool paintAbout(const QString& file) {
  QImage img(137, 145, QImage::Format_RGB888);
  img.fill(QColor(192, 192, 192));
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, 145);
  g.setColorAt(0, kNavy);
  g.setColorAt(1, kDeepNavy);
  p.setPen(QPen(kGold, 2));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(1, 1, 135, 143), 10, 10);
  for (int n = 1; n <= 36; ++n) {
    const int col = (n - 1) % 6, row = (n - 1) / 6;
    const QPointF c(16 + col * 21, 16 + row * 19);
    const bool drawn = n == 7 || n == 16 || n == 23 || n == 34;
    if (drawn) {
      Ball(p, c, 9, BallColour(n), n);
    } else {
      p.setPen(QPen(QColor(242, 196, 84, 120), 1));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(c, 8, 8);
      p.setPen(QColor(230, 230, 240, 170));
      p.setFont(ArtFont(8, false));
      p.drawText(QRectF(c.x() - 9, c.y() - 9, 18, 18), Qt::AlignCenter, QString::asprintf("%02d", n));
    }
  }
  p.setPen(kGold);
  p.setFont(ArtFont(17));
  p.drawText(QRect(0, 118, 137, 24), Qt::AlignCenter, QStringLiteral("Tavrin"));
  p.end();
  return img.save(file, "JPG", 92);
}

// Toolbar icons: one rounded tile per button, each in its own hue, with a
// white glyph. Drawn on a 64-unit square at four times the size, then scaled
// down so the edges stay smooth.
constexpr int kIconSize = 24;

bool paintIcon(const QString& file, const QColor& hue, const std::function<void(QPainter&)>& glyph) {
  const int big = kIconSize * 4;
  QImage img(big, big, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(big / 64.0, big / 64.0);
  QLinearGradient g(0, 0, 0, 64);
  g.setColorAt(0, hue.lighter(135));
  g.setColorAt(1, hue.darker(125));
  p.setPen(QPen(hue.darker(170), 2.5));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 14, 14);
  QPen white(Qt::white, 6.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(white);
  p.setBrush(Qt::NoBrush);
  glyph(p);
  p.end();
  return img.scaled(kIconSize, kIconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).save(file, "PNG");
}

bool paintToolbar(const QString& dir) {
  QDir().mkpath(dir);
  const auto fillWhite = [](QPainter& p) {
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
  };
  struct Icon {
    const char* name;
    QColor hue;
    std::function<void(QPainter&)> glyph;
  };
  const Icon icons[] = {
      {"tlbopen", QColor(224, 150, 40),
       [&](QPainter& p) {
         fillWhite(p);
         QPainterPath back;
         back.moveTo(12, 18);
         back.lineTo(26, 18);
         back.lineTo(31, 23);
         back.lineTo(50, 23);
         back.lineTo(50, 30);
         back.lineTo(12, 30);
         back.closeSubpath();
         p.drawPath(back);
         QPainterPath front;
         front.moveTo(10, 48);
         front.lineTo(18, 31);
         front.lineTo(56, 31);
         front.lineTo(48, 48);
         front.closeSubpath();
         p.drawPath(front);
         p.drawRect(QRectF(12, 28, 5, 20));
       }},
      {"tlbdata", QColor(34, 150, 136),
       [&](QPainter& p) {
         QPen thin = p.pen();
         thin.setWidthF(5);
         p.setPen(thin);
         p.drawRoundedRect(QRectF(13, 14, 38, 36), 3, 3);
         p.drawLine(QPointF(13, 26), QPointF(51, 26));
         p.drawLine(QPointF(13, 38), QPointF(51, 38));
         p.drawLine(QPointF(27, 14), QPointF(27, 50));
       }},
      {"tlbpiantai", QColor(50, 100, 210),
       [&](QPainter& p) {
         fillWhite(p);
         p.drawRect(QRectF(13, 34, 8, 16));
         p.drawRect(QRectF(24, 16, 8, 34));
         p.drawRect(QRectF(35, 40, 8, 10));
         p.drawRect(QRectF(46, 26, 8, 24));
       }},
      {"tlbyilou", QColor(130, 80, 200),
       [&](QPainter& p) {
         p.drawArc(QRectF(15, 15, 34, 34), 60 * 16, 280 * 16);
         fillWhite(p);
         QPainterPath head;
         head.moveTo(35, 8);
         head.lineTo(47, 17);
         head.lineTo(33, 23);
         head.closeSubpath();
         p.drawPath(head);
       }},
      {"tlblunhuan", QColor(205, 70, 115),
       [&](QPainter& p) {
         QPen ring = p.pen();
         ring.setWidthF(6);
         p.setPen(ring);
         p.drawEllipse(QPointF(25, 32), 12, 12);
         p.drawEllipse(QPointF(39, 32), 12, 12);
       }},
      {"tlbgudingjihua", QColor(50, 150, 60),
       [&](QPainter& p) {
         // The money sign: what a staking plan is about.
         p.drawLine(QPointF(20, 13), QPointF(32, 29));
         p.drawLine(QPointF(44, 13), QPointF(32, 29));
         p.drawLine(QPointF(32, 29), QPointF(32, 52));
         p.drawLine(QPointF(21, 33), QPointF(43, 33));
         p.drawLine(QPointF(21, 42), QPointF(43, 42));
       }},
      {"tlbexit", QColor(200, 50, 50),
       [&](QPainter& p) {
         p.drawArc(QRectF(16, 17, 32, 32), 125 * 16, 290 * 16);
         p.drawLine(QPointF(32, 12), QPointF(32, 31));
       }},
  };
  for (const Icon& icon : icons)
    if (!paintIcon(dir + QLatin1Char('/') + QLatin1String(icon.name) + QStringLiteral(".png"), icon.hue, icon.glyph))
      return false;
  return true;
}

int fail(const char* what) {
  std::fprintf(stderr, "tavrin-art: cannot write %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc == 3 && QByteArray(argv[1]) == "--about") {
    const QString file = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(QFileInfo(file).absolutePath());
    return paintAbout(file) ? 0 : fail("the about picture");
  }
  if (argc != 2) {
    std::fputs("usage: tavrin-art OUTDIR | tavrin-art --about FILE\n", stderr);
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);
  if (!paintBackground(out + QStringLiteral("/back.bmp"))) return fail("back.bmp");
  if (!paintFlash(out + QStringLiteral("/flash.jpg"))) return fail("flash.jpg");
  if (!paintToolbar(out + QStringLiteral("/toolbar"))) return fail("the toolbar icons");
  return 0;
}
