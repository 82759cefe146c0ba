// Paints the program's pictures into a folder: tavrin-art OUTDIR.
// Everything the windows show as a picture is drawn here, so the look is ours
// and can be changed in one place.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <cstdio>

namespace {

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

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fputs("usage: tavrin-art OUTDIR\n", stderr);
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);
  if (!paintBackground(out + QStringLiteral("/back.bmp"))) {
    std::fputs("tavrin-art: cannot write back.bmp\n", stderr);
    return 1;
  }
  return 0;
}
