#pragma once
// The floating windows that the main window makes once and shows again: one
// row each, holding everything the program knows of the window in one place.

#include <QString>
#include <array>
#include <cstddef>

class QAction;
class QWidget;

namespace tavrin {

class Tfrmmain;

enum class SingleWindow { piantai, yilou, sep, qingmi, gudingjihua, jieduanjihua, keibianjihua, tozi, about, count };

// The menu a window's entry sits in.
enum class SingleMenu { Selection, Investment, Help };

struct SingleWindowEntry {
  SingleWindow id;
  const char* name;     // tavrin --window NAME
  const char* caption;  // named by the "not built yet" message
  SingleMenu menu;
  const char* entry;  // the menu entry's text
  QAction* Tfrmmain::*action;
  QWidget* (*make)(QWidget* parent);  // nullptr while not built
  // Floating above the main window (stay-on-top, centred once).
  bool floating;
  // Kept for the whole run instead of dropped when the lottery closes.
  bool keptForTheRun;
};

inline constexpr std::size_t kSingleWindowCount = static_cast<std::size_t>(SingleWindow::count);

// In SingleWindow order, which is also the order of the entries in each menu.
const std::array<SingleWindowEntry, kSingleWindowCount>& SingleWindows();
const SingleWindowEntry& SingleWindowOf(SingleWindow id);
// The row whose name is name, or nullptr.
const SingleWindowEntry* SingleWindowNamed(const QString& name);

}  // namespace tavrin
