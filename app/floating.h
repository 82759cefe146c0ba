#pragma once
// The style of the windows that float above the main window: a top-level
// window that stays on top and is centred on the screen the first time it is
// shown; later showings keep where the user put it. One helper for every
// such window, whatever its base class.

class QWidget;

namespace tavrin {

// Safe to call more than once.
void MakeFloating(QWidget* window);

}  // namespace tavrin
