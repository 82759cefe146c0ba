#include "cli/cli_args.h"

#include <cstdio>

#include "base/integer_text.h"

namespace tavrin::cli {

Args::Args(const CommandForm& form, const QStringList& arguments) : form_(form) {
  parser_.setApplicationDescription(QString::fromUtf8(form.summary));
  parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser_.addHelpOption();
  parser_.addOption(
      QCommandLineOption(QStringLiteral("db"), QStringLiteral("使用这个数据库文件"), QStringLiteral("FILE")));
  for (const OptionForm& o : form.options) {
    if (o.valueName)
      parser_.addOption(QCommandLineOption(QString::fromUtf8(o.name), QString::fromUtf8(o.description),
                                           QString::fromUtf8(o.valueName)));
    else
      parser_.addOption(QCommandLineOption(QString::fromUtf8(o.name), QString::fromUtf8(o.description)));
  }
  if (*form.arguments)
    parser_.addPositionalArgument(QString::fromUtf8(form.arguments), QString::fromUtf8(form.argumentsHelp),
                                  QString::fromUtf8(form.arguments));
  // The parser wants the program's name first.
  if (!parser_.parse(QStringList{QStringLiteral("tavrin-cli ") + QString::fromUtf8(form.name)} + arguments)) {
    const QStringList unknown = parser_.unknownOptionNames();
    if (!unknown.isEmpty()) throw UsageError(("未知选项 --" + unknown.first()).toStdString());
    throw UsageError(parser_.errorText().toStdString());
  }
  help_ = parser_.isSet(QStringLiteral("help"));
  positional_ = parser_.positionalArguments();
  if (help_) return;
  if (positional_.size() > form.maxArguments)
    throw UsageError(("多余的参数 " + positional_.value(form.maxArguments)).toStdString());
  if (positional_.size() < form.minArguments)
    throw UsageError(("缺少参数 " + QString::fromUtf8(form.arguments)).toStdString());
}

QString Args::helpText() const {
  // Qt's first line names the program by its path; ours names the command.
  QString text = parser_.helpText();
  text = text.mid(text.indexOf(QLatin1Char('\n')) + 1);
  QString usage = QStringLiteral("tavrin-cli [--db FILE] ") + QString::fromUtf8(form_.name) + QStringLiteral(" [选项]");
  if (*form_.arguments) usage += QLatin1Char(' ') + QString::fromUtf8(form_.arguments);
  return QStringLiteral("用法：") + usage + QLatin1Char('\n') + text;
}

bool Args::has(const QString& name) const { return parser_.isSet(name); }

QString Args::text(const QString& name, const QString& fallback) const {
  return parser_.isSet(name) ? parser_.value(name) : fallback;
}

QString Args::required(const QString& name) const {
  if (!parser_.isSet(name)) throw UsageError(("缺少选项 --" + name).toStdString());
  return parser_.value(name);
}

long long Args::integer(const QString& name, long long fallback) const {
  if (!parser_.isSet(name)) return fallback;
  return requiredInteger(name);
}

long long Args::requiredInteger(const QString& name) const {
  const QString v = required(name);
  const auto n = ParseInteger(v.toStdString());
  if (!n) throw UsageError(("--" + name + " 的取值 '" + v + "' 不是有效的整数值").toStdString());
  return *n;
}

long long Args::integerIn(const QString& name, long long fallback, long long lo, long long hi,
                          const char* rangeMessage) const {
  const long long n = integer(name, fallback);
  if (n < lo || n > hi) throw UsageError(rangeMessage);
  return n;
}

void Out(const QString& text) {
  const QByteArray b = text.toUtf8();
  std::fwrite(b.constData(), 1, static_cast<std::size_t>(b.size()), stdout);
}

}  // namespace tavrin::cli
