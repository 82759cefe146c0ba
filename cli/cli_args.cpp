#include "cli/cli_args.h"

#include <cstdio>

namespace tavrin::cli {

Args::Args(const QStringList& args) {
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a.startsWith(QLatin1String("--")) && a.size() > 2) {
      const int eq = a.indexOf(QLatin1Char('='));
      if (eq > 0) {
        options_[a.mid(2, eq - 2)] = a.mid(eq + 1);
      } else {
        if (i + 1 >= args.size()) throw UsageError(("选项 " + a + " 缺少取值").toStdString());
        options_[a.mid(2)] = args[++i];
      }
    } else {
      positional_ << a;
    }
  }
}

QString Args::text(const QString& name, const QString& fallback) const { return options_.value(name, fallback); }

QString Args::required(const QString& name) const {
  if (!options_.contains(name)) throw UsageError(("缺少选项 --" + name).toStdString());
  return options_.value(name);
}

long long Args::integer(const QString& name, long long fallback) const {
  if (!options_.contains(name)) return fallback;
  return requiredInteger(name);
}

long long Args::requiredInteger(const QString& name) const {
  const QString v = required(name);
  bool ok = false;
  const long long n = v.toLongLong(&ok);
  if (!ok) throw UsageError(("--" + name + " 的取值 '" + v + "' 不是有效的整数值").toStdString());
  return n;
}

void Args::only(const QStringList& known) const {
  for (auto it = options_.begin(); it != options_.end(); ++it)
    if (!known.contains(it.key())) throw UsageError(("未知选项 --" + it.key()).toStdString());
}

void Out(const QString& text) {
  const QByteArray b = text.toUtf8();
  std::fwrite(b.constData(), 1, static_cast<std::size_t>(b.size()), stdout);
}

}  // namespace tavrin::cli
