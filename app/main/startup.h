#pragma once
// What start-up does before the main window exists, shared by the program
// and the tests that start it.

class QString;

namespace tavrin {

// What the program sets up before its first window: its name (never a
// display name, which the windowing system would append to every title),
// Qt's texts in Chinese and the font substitutes.
void ConfigureApplication();

// Maps the fonts the windows ask for by name ("宋体", "MS Sans Serif", ...) to
// an installed Chinese font.
void InstallFontSubstitutes();

// Creates the database file with the default lottery when there is none.
void PrepareDataFolders();

}  // namespace tavrin
