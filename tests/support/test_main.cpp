// Every suite runs headless, with a QApplication so that windows, fonts and
// the database driver are there.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>

#include "app/main/startup.h"
#include "tests/support/http_fakes.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // A private runtime folder, as a desktop session would have, keeps Qt quiet.
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    const QByteArray dir = QDir::tempPath().toLocal8Bit() + "/tavrin-tests-runtime";
    QDir().mkpath(QString::fromLocal8Bit(dir));
    QFile::setPermissions(QString::fromLocal8Bit(dir),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", dir);
  }
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  tavrin::ConfigureApplication();
  // No window suite reaches the network: a test that wants HTTP installs its
  // own client (a fake, or the real one against a server on 127.0.0.1).
  tavrin::setHttpClient(std::make_unique<tavrin::test::FakeHttpClient>());
  return RUN_ALL_TESTS();
}
