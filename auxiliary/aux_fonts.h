#pragma once
// Fonts asked for by their cell height, the way the windows were laid out:
// the largest pixel size whose line still fits the height.

#include <QFont>
#include <QFontMetrics>
#include <QStringList>

namespace tavrin {

inline QFont FontOfHeight(const QStringList& families, int height, bool bold, bool italic) {
  QFont f;
  f.setFamilies(families);
  f.setBold(bold);
  f.setItalic(italic);
  int px = height;
  for (; px > 6; --px) {
    f.setPixelSize(px);
    if (QFontMetrics(f).height() <= height) break;
  }
  f.setPixelSize(px);
  return f;
}

}  // namespace tavrin
