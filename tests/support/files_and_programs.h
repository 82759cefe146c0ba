#pragma once
// Small things the window and command-line suites all need: files read and
// written whole, CR LF lines, the label beside an input, another program run
// to its end (the command-line tool, pdftotext).

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

class QWidget;

namespace tavrin::test {

QByteArray ReadFileBytes(const QString& path);
// Writes bytes to path and returns path.
QString WriteFileBytes(const QString& path, const QByteArray& bytes);
// The lines joined by CR LF, the last one ended too, in UTF-8.
QByteArray CrLfLines(const QStringList& lines);

// The text of the label whose buddy is input, as the user reads it.
QString LabelOf(const QWidget& window, const QWidget* input);

struct ProgramRun {
  int status = -1;
  QByteArray out;  // stdout as written
  QString err;     // stderr, UTF-8
  QString text() const { return QString::fromUtf8(out); }
};

// Runs program to its end, writing input to its standard input first. The
// event loop keeps running meanwhile, so that a server of the test can
// answer the program.
ProgramRun RunProgram(const QString& program, const QStringList& args, const QByteArray& input = {},
                      const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                      int timeoutMs = 60000);

// The text pdftotext reads from a PDF file (extra: its options); empty when
// pdftotext is not installed.
QString PdfText(const QString& pdf, const QStringList& extra = {});
bool HavePdfText();

}  // namespace tavrin::test
