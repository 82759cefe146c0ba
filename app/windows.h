#pragma once
// The windows the main window opens. Each folder's windows.cpp makes its own;
// a factory that returns nullptr names a window that is not built yet, and
// the main window says so.

#include <QString>

class QWidget;

namespace tavrin {

// Trend child for tab 0..3 (numbers, zodiac, season, direction), made for the
// main window's client area; nullptr for any other index.
QWidget* CreateTrendWindow(int tabIndex, QWidget* parent);

// Single, stay-on-top floating windows.
QWidget* CreateTfrmpiantai(QWidget* parent);
QWidget* CreateTfrmyilou(QWidget* parent);
QWidget* CreateTfrmsep(QWidget* parent);
QWidget* CreateTfrmqingmi(QWidget* parent);
QWidget* CreateTfrmgudingjihua(QWidget* parent);
QWidget* CreateTfrmjieduanjihua(QWidget* parent);
QWidget* CreateTfrmkeibianjihua(QWidget* parent);
QWidget* CreateTfrmtozi(QWidget* parent);
QWidget* CreateTfrmabout(QWidget* parent);

// Modal windows made anew on every use; nullptr while not built.
QWidget* CreateTfrmdata(QWidget* parent);
QWidget* CreateTfrmdownload2(QWidget* parent);

// The splash before the main window: shown modally until it closes itself.
// Returns false when there is no splash yet.
bool RunSplash();

// What a menu entry says while its window is not built yet.
QString NotBuiltText(const QString& windowCaption);

}  // namespace tavrin
