#pragma once
// A window that runs work on a thread of its own implements this, so that
// closing the lottery or the program can stop that work and wait for it
// before the window goes away.

class QObject;

namespace tavrin {

class BackgroundWork {
 public:
  virtual ~BackgroundWork() = default;
  // Asks the work to stop and waits until it has; the window stays usable.
  virtual void stopBackgroundWork() = 0;
};

// Stops the work of w when it has any (w may be null).
void StopBackgroundWork(QObject* w);

}  // namespace tavrin
