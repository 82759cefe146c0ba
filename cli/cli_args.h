#pragma once
// The command line of tavrin-cli: COMMAND, then --name value options and
// plain arguments.

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

namespace tavrin::cli {

// A wrong command line or bad input: the message goes to stderr, status 1.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class Args {
 public:
  Args(const QStringList& args);
  const QStringList& positional() const { return positional_; }
  bool has(const QString& name) const { return options_.contains(name); }
  QString text(const QString& name, const QString& fallback = {}) const;
  QString required(const QString& name) const;
  long long integer(const QString& name, long long fallback) const;
  long long requiredInteger(const QString& name) const;
  // Fails on every option not in known: a typo must not pass silently.
  void only(const QStringList& known) const;

 private:
  QMap<QString, QString> options_;
  QStringList positional_;
};

// Writes UTF-8 text to stdout.
void Out(const QString& text);

}  // namespace tavrin::cli
