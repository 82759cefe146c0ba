// The base under every window: GBK, the atomic file write, the worker thread.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <chrono>
#include <thread>

#include "base/atomic_file.h"
#include "base/gbk.h"
#include "base/worker_thread.h"
#include "tests/support/http_fakes.h"

using namespace tavrin;
using namespace tavrin::test;

TEST(Gbk, RoundTripsAndRefusesWhatItCannotHold) {
  const QString text = QStringLiteral("南粤风采36选7 直选");
  const QByteArray bytes = ToGbk(text);
  EXPECT_EQ(bytes.size(), 18);  // two bytes for each of 7 Chinese characters, one for the rest
  EXPECT_EQ(FromGbk(bytes), text);
  EXPECT_EQ(GbkToUtf8(Utf8ToGbk("投注号码")), "投注号码");
  try {
    ToGbk(QStringLiteral("出品 \U0001F600"));
    FAIL();
  } catch (const GbkError& e) {
    EXPECT_NE(QString::fromUtf8(e.what()).indexOf(QStringLiteral("“\U0001F600”")), -1) << e.what();
  }
}

TEST(Gbk, BytesThatAreNotGbkAreAnErrorNotReplacementCharacters) {
  EXPECT_TRUE(IsGbk(ToGbk(QStringLiteral("01年4月"))));
  const QByteArray broken = QByteArray("01") + char(0x81) + char(0x20);  // a lead byte without its trail
  EXPECT_FALSE(IsGbk(broken));
  EXPECT_FALSE(IsGbk(QByteArray("01") + char(0x81)));  // cut off after a lead byte
  try {
    FromGbk(broken);
    FAIL();
  } catch (const GbkError& e) {
    EXPECT_STREQ(e.what(), "第3个字符处不是有效的GBK文字");
  }
}

TEST(AtomicFile, AFailedWriteLeavesThePreviousFile) {
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/plan.txt");
  EXPECT_EQ(WriteFileAtomically(path, "first"), std::nullopt);
  EXPECT_EQ(WriteFileAtomically(path, "second"), std::nullopt);
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "second");
  f.close();
  // A folder that does not exist: the message names the file, nothing is made.
  const QString missing = dir.path() + QStringLiteral("/没有/plan.txt");
  const std::optional<QString> error = WriteFileAtomically(missing, "x");
  ASSERT_TRUE(error.has_value());
  EXPECT_TRUE(error->startsWith(QStringLiteral("无法创建文件 ") + QDir::toNativeSeparators(missing)))
      << error->toStdString();
  EXPECT_THROW(SaveFileAtomically(missing, "x"), std::runtime_error);
  // No temporary file is left beside the target.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("plan.txt")});
}

TEST(WorkerThread, StopsAndWaitsBeforeItsOwnerGoes) {
  std::atomic<int> steps{0};
  std::atomic<bool> sawStop{false};
  QThread* gui = QThread::currentThread();
  std::atomic<bool> ranOnWorker{false};
  {
    QObject owner;
    WorkerThread worker;
    ASSERT_TRUE(worker.start(
        [&](const WorkControl& control) {
          ranOnWorker = QThread::currentThread() != gui;
          while (!control.stopRequested()) {
            ++steps;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
          }
          sawStop = true;
        },
        &owner));
    EXPECT_TRUE(worker.running());
    // One job at a time.
    EXPECT_FALSE(worker.start([](const WorkControl&) {}, &owner));
    ASSERT_TRUE(WaitFor([&] { return steps.load() > 3; }));
  }  // the worker goes first: it asks the job to stop and waits for it
  EXPECT_TRUE(sawStop);
  EXPECT_TRUE(ranOnWorker);
}

TEST(WorkerThread, FinishedRunsOnTheOwnersThread) {
  QObject owner;
  WorkerThread worker;
  QThread* finishedOn = nullptr;
  std::atomic<long long> lastDone{0};
  ASSERT_TRUE(worker.start(
      [&](const WorkControl& control) {
        WorkControl c = control;
        c.progress = [&](long long done, long long) { lastDone = done; };
        for (long long i = 1; i <= 10; ++i) c.report(i, 10);
      },
      &owner, [&] { finishedOn = QThread::currentThread(); }));
  ASSERT_TRUE(WaitFor([&] { return finishedOn != nullptr; }));
  EXPECT_EQ(finishedOn, QThread::currentThread());
  EXPECT_EQ(lastDone.load(), 10);
  EXPECT_FALSE(worker.running());
}

TEST(WorkerThread, ALateFinishedCallIsNeverTakenForTheNextJobs) {
  QObject owner;
  WorkerThread worker;
  std::vector<int> finishedJobs;
  ASSERT_TRUE(worker.start([](const WorkControl&) {}, &owner, [&] { finishedJobs.push_back(1); }));
  worker.wait();
  // The first job has returned, its finished call not yet made; the second
  // starts in that moment and keeps running until released.
  std::atomic<bool> release{false};
  ASSERT_TRUE(worker.start(
      [&](const WorkControl&) {
        while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      },
      &owner, [&] { finishedJobs.push_back(2); }));
  QCoreApplication::processEvents();
  EXPECT_TRUE(finishedJobs.empty());
  release = true;
  ASSERT_TRUE(WaitFor([&] { return !finishedJobs.empty(); }));
  EXPECT_EQ(finishedJobs, std::vector<int>{2});
}

TEST(WorkerThread, PostToRunsOnTheContextsThreadAndIsDroppedWithIt) {
  QObject context;
  QThread* ranOn = nullptr;
  std::thread t([&] { PostTo(&context, [&] { ranOn = QThread::currentThread(); }); });
  t.join();
  ASSERT_TRUE(WaitFor([&] { return ranOn != nullptr; }));
  EXPECT_EQ(ranOn, QThread::currentThread());

  bool ran = false;
  {
    QObject gone;
    PostTo(&gone, [&] { ran = true; });
  }
  QCoreApplication::processEvents();
  EXPECT_FALSE(ran);
}
