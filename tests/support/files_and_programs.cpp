#include "tests/support/files_and_programs.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>

#include "tests/support/http_fakes.h"

namespace tavrin::test {

QByteArray ReadFileBytes(const QString& path) {
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
  return f.readAll();
}

QString WriteFileBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  f.write(bytes);
  return path;
}

QByteArray CrLfLines(const QStringList& lines) {
  return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

QString LabelOf(const QWidget& window, const QWidget* input) {
  for (QLabel* l : window.findChildren<QLabel*>())
    if (l->buddy() == input) return l->text();
  return {};
}

ProgramRun RunProgram(const QString& program, const QStringList& args, const QByteArray& input,
                      const QProcessEnvironment& environment, int timeoutMs) {
  QProcess p;
  p.setProcessEnvironment(environment);
  p.start(program, args);
  EXPECT_TRUE(p.waitForStarted(10000)) << program.toStdString();
  p.write(input);
  p.closeWriteChannel();
  EXPECT_TRUE(WaitFor([&] { return p.state() == QProcess::NotRunning; }, timeoutMs)) << program.toStdString();
  if (p.state() != QProcess::NotRunning) {
    p.kill();
    p.waitForFinished();
  }
  return {p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
}

bool HavePdfText() { return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }

QString PdfText(const QString& pdf, const QStringList& extra) {
  if (!HavePdfText()) return {};
  return RunProgram(QStringLiteral("pdftotext"), QStringList(extra) << pdf << QStringLiteral("-")).text();
}

}  // namespace tavrin::test
