#pragma once
// One line of a history file as the import reads it: the issue, exactly as
// many numbers as the lottery draws, and optionally the draw date. The import
// accepts exactly what every reader of the stored draws accepts, so one line
// can never break a lottery later.

#include <stdexcept>
#include <string>
#include <string_view>

#include "base/draw_snapshot.h"

namespace tavrin::store {

// What is wrong with a line, in the user's words (without the line number).
struct DrawLineError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Fields are separated by blanks (spaces, tabs). The issue has at most 7
// characters and is a whole number; each number is a whole number; the date,
// when present, looks like one (2008-01-02, 2008/1/2, 2008.1.2, 2008年1月2日
// or 20080102) in at most 10 characters. Throws DrawLineError.
DrawRecord ParseDrawLine(std::string_view line, int picks);

// A text as a message may show it: control characters and invalid bytes
// written visibly ("\x0B"), cut after maxChars characters with "…".
std::string VisibleText(std::string_view text, std::size_t maxChars = 60);

}  // namespace tavrin::store
