// Writes an information file from its readable text:
//   tavrin-seal SOURCE OUT
// SOURCE is UTF-8, one label's text per line; lines starting with "#" explain
// the file and are left out. OUT gets each line enciphered from GBK as the
// splash and about windows read it.

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <exception>

#include "auxiliary/info_text.h"
#include "base/atomic_file.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 3) {
    std::fputs("usage: tavrin-seal SOURCE OUT\n", stderr);
    return 2;
  }
  QFile in(QString::fromLocal8Bit(argv[1]));
  if (!in.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "tavrin-seal: cannot read %s\n", argv[1]);
    return 1;
  }
  QByteArray out;
  try {
    const QStringList lines = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
      QString line = lines[i];
      if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
      if (line.startsWith(QLatin1Char('#'))) continue;
      if (i == lines.size() - 1 && line.isEmpty()) break;  // the file's final newline
      out += tavrin::EncipherInfoLine(line) + "\r\n";
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tavrin-seal: %s: %s\n", argv[1], e.what());
    return 1;
  }
  if (const auto error = tavrin::WriteFileAtomically(QString::fromLocal8Bit(argv[2]), out)) {
    std::fprintf(stderr, "tavrin-seal: %s\n", error->toUtf8().constData());
    return 1;
  }
  return 0;
}
