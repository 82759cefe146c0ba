#include "base/worker_thread.h"

#include <QMetaObject>
#include <QThread>

namespace tavrin {

WorkerThread::WorkerThread()
    : alive_(std::make_shared<std::atomic<bool>>(true)), newest_(std::make_shared<std::atomic<unsigned>>(0)) {}

WorkerThread::~WorkerThread() {
  alive_->store(false);
  stop();
}

bool WorkerThread::running() const { return thread_ && thread_->isRunning(); }

bool WorkerThread::start(std::function<void(const WorkControl&)> job, QObject* context,
                         std::function<void()> finished) {
  if (running()) return false;
  wait();
  stop_.store(false);
  WorkControl control;
  control.stop = &stop_;
  thread_.reset(QThread::create([job = std::move(job), control] { job(control); }));
  if (finished && context) {
    // Queued to the owner's thread; Qt drops it when context is destroyed.
    std::shared_ptr<std::atomic<bool>> alive = alive_;
    std::shared_ptr<std::atomic<unsigned>> newest = newest_;
    const unsigned job = newest->load() + 1;
    QObject::connect(
        thread_.get(), &QThread::finished, context,
        [alive, newest, job, finished = std::move(finished)] {
          if (alive->load() && newest->load() == job) finished();
        },
        Qt::QueuedConnection);
  }
  newest_->fetch_add(1);
  thread_->start();
  return true;
}

void WorkerThread::requestStop() { stop_.store(true); }

void WorkerThread::wait() {
  if (thread_) thread_->wait();
}

void PostTo(QObject* context, std::function<void()> fn) {
  QMetaObject::invokeMethod(context, std::move(fn), Qt::QueuedConnection);
}

}  // namespace tavrin
