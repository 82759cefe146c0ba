#pragma once
// Every slot runs through guarded(): an error thrown by the database, a file,
// a conversion or the cipher ends the handler and is shown in the standard
// error box, and the program goes on. Exceptions never cross the event loop.
//
//   connect(btnala, &QPushButton::clicked, this, guarded([this] { btnalaClick(); }));
//   connect(tab, &QTabBar::currentChanged, this, guarded<int>([this](int i) { ... }));

#include <exception>
#include <utility>

#include "app/prompts.h"

namespace tavrin {

void ReportException(const std::exception& e);
void ReportUnknownException();

// Runs f now under the same rule; returns false when it threw.
template <class F>
bool RunGuarded(F&& f) {
  try {
    std::forward<F>(f)();
    return true;
  } catch (const std::exception& e) {
    ReportException(e);
  } catch (...) {
    ReportUnknownException();
  }
  return false;
}

template <class... Args, class F>
auto guarded(F f) {
  return [f = std::move(f)](Args... args) -> void { RunGuarded([&] { f(args...); }); };
}

}  // namespace tavrin
