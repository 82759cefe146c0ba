#include <QStringList>

#include "cli/commands.h"
#include "plans/plan_tables.h"

namespace tavrin::cli {

namespace {

using namespace tavrin::plans;

PlanInputs ReadInputs(const Args& args) {
  PlanInputs in;
  in.loss = args.integer(QStringLiteral("loss"), in.loss);
  in.profit = args.integer(QStringLiteral("profit"), in.profit);
  in.unit = args.integer(QStringLiteral("unit"), in.unit);
  in.prize = args.integer(QStringLiteral("prize"), in.prize);
  in.draws = args.integer(QStringLiteral("draws"), in.draws);
  return in;
}

QString Utf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The table as the window's grid shows it, then the average as its message
// box says it.
void PrintTable(const PlanTable& table, Money average) {
  QString out;
  QStringList titles;
  for (const std::string& t : ColumnTitles(table.kind)) titles << Utf8(t);
  out += titles.join(QLatin1Char('\t')) + QLatin1Char('\n');
  for (const PlanRow& r : table.rows) {
    QStringList cells;
    for (Money v : RowCells(table.kind, r)) cells << QString::number(v);
    out += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
  }
  out += Utf8(AverageText(average)) + QLatin1Char('\n');
  Out(out);
}

const QStringList kCommon = {QStringLiteral("loss"), QStringLiteral("profit"), QStringLiteral("unit"),
                             QStringLiteral("prize"), QStringLiteral("draws")};

}  // namespace

int CmdFixedPlan(const Context&, const Args& args) {
  args.only(kCommon);
  const PlanTable t = FixedPlan(ReadInputs(args));
  PrintTable(t, AverageNet(t));
  return 0;
}

int CmdStagePlan(const Context&, const Args& args) {
  args.only(kCommon + QStringList{QStringLiteral("stages")});
  const PlanTable t = StagePlan(ReadInputs(args), args.integer(QStringLiteral("stages"), 10));
  PrintTable(t, AverageNet(t));
  return 0;
}

int CmdVariablePlan(const Context&, const Args& args) {
  args.only(kCommon + QStringList{QStringLiteral("bets")});
  const PlanInputs in = ReadInputs(args);
  const QStringList bets = args.text(QStringLiteral("bets"), QStringLiteral("8")).split(QLatin1Char(','));
  VariablePlan plan;
  for (const QString& b : bets) {
    bool ok = false;
    const Money n = b.trimmed().toLongLong(&ok);
    if (!ok) throw UsageError(("--bets 的取值 '" + b + "' 不是有效的整数值").toStdString());
    plan.add(n, in.loss, in.profit, in.prize, in.draws, std::to_string(in.draws));
  }
  PrintTable(plan.table(), AverageNet(plan.table()));
  return 0;
}

}  // namespace tavrin::cli
