#pragma once
// A job on a thread of its own that can never outlive its owner: the owner
// (a window) holds a WorkerThread as its last member, so that it is destroyed
// first; destroying it asks the job to stop and waits for the thread before
// anything else of the owner goes away.
//
// The job gets a WorkControl (stop request, progress callback) and plain
// inputs; it never touches a widget. Whatever it reports is carried to the
// owner's thread with PostTo().

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>

#include "base/work.h"

class QThread;

namespace tavrin {

class WorkerThread {
 public:
  WorkerThread();
  ~WorkerThread();
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // Starts job on a new thread; refused (false) while a job runs. When the job
  // has returned, finished runs on context's thread (not at all when context
  // is gone by then, the worker is being destroyed, or a newer job has been
  // started: a late finished is never taken for the next job's).
  bool start(std::function<void(const WorkControl&)> job, QObject* context, std::function<void()> finished = {});
  bool running() const;
  // Asks the job to stop; it returns at its next check.
  void requestStop();
  // Waits until the job has returned (at once when none runs).
  void wait();
  // Both: what closing a window or the lottery does.
  void stop() {
    requestStop();
    wait();
  }

 private:
  std::unique_ptr<QThread> thread_;
  std::atomic<bool> stop_{false};
  std::shared_ptr<std::atomic<bool>> alive_;
  // The number of the newest job; a finished call of an older one is dropped.
  std::shared_ptr<std::atomic<unsigned>> newest_;
};

// Runs fn on context's thread, from any thread; dropped when context is gone.
void PostTo(QObject* context, std::function<void()> fn);

}  // namespace tavrin
