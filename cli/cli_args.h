#pragma once
// The command line of tavrin-cli: COMMAND, then its options and plain
// arguments, parsed by Qt's command-line parser against what the command
// declares. Unknown options, missing values and stray arguments are refused
// the same way for every command, and every command has its own --help.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

namespace tavrin::cli {

// A wrong command line or bad input: the message goes to stderr, status 1.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct OptionForm {
  const char* name;       // without "--"
  const char* valueName;  // nullptr for a switch
  const char* description;
};

struct CommandForm {
  const char* name;
  const char* summary;
  std::vector<OptionForm> options;
  const char* arguments = "";  // how the plain arguments read in the help ("FILE", "[FILE]")
  int minArguments = 0;
  int maxArguments = 0;
  bool usesDatabase = false;       // only these open (and on first use create) the database
  const char* argumentsHelp = "";  // what the plain arguments are
};

class Args {
 public:
  // Parses arguments (the command's own, without the command name). Throws
  // UsageError for anything the command does not take.
  Args(const CommandForm& form, const QStringList& arguments);

  // --help was given: the text to print instead of running.
  bool helpWanted() const { return help_; }
  QString helpText() const;

  const QStringList& positional() const { return positional_; }
  bool has(const QString& name) const;
  QString text(const QString& name, const QString& fallback = {}) const;
  QString required(const QString& name) const;
  long long integer(const QString& name, long long fallback) const;
  long long requiredInteger(const QString& name) const;
  // An integer that must lie in lo..hi; otherwise rangeMessage.
  long long integerIn(const QString& name, long long fallback, long long lo, long long hi,
                      const char* rangeMessage) const;

 private:
  const CommandForm& form_;
  QCommandLineParser parser_;
  QStringList positional_;
  bool help_ = false;
};

// Writes UTF-8 text to stdout.
void Out(const QString& text);

}  // namespace tavrin::cli
