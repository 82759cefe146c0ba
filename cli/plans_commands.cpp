#include <QStringList>

#include "cli/commands.h"
#include "plans/plan_tables.h"

namespace tavrin::cli {

namespace {

using namespace tavrin::plans;

// The variable plan's stake comes from its bets, so it takes no --unit.
PlanInputs ReadInputs(const Args& args, bool withUnit = true) {
  PlanInputs in;
  in.loss = args.integer(QStringLiteral("loss"), in.loss);
  in.profit = args.integer(QStringLiteral("profit"), in.profit);
  if (withUnit) in.unit = args.integer(QStringLiteral("unit"), in.unit);
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

}  // namespace

int CmdFixedPlan(const Context&, const Args& args) {
  const PlanTable t = FixedPlan(ReadInputs(args));
  PrintTable(t, AverageNet(t));
  return 0;
}

int CmdStagePlan(const Context&, const Args& args) {
  const PlanTable t = StagePlan(ReadInputs(args), args.integer(QStringLiteral("stages"), 10));
  PrintTable(t, AverageNet(t));
  return 0;
}

int CmdVariablePlan(const Context&, const Args& args) {
  const PlanInputs in = ReadInputs(args, false);
  const QStringList bets = args.text(QStringLiteral("bets"), QStringLiteral("8")).split(QLatin1Char(','));
  VariablePlan plan;
  for (const QString& b : bets) {
    const auto n = ParseInteger(b.toStdString());
    if (!n) throw UsageError(("--bets 的取值 '" + b + "' 不是有效的整数值").toStdString());
    plan.add(*n, in.loss, in.profit, in.prize, in.draws, std::to_string(in.draws));
  }
  PrintTable(plan.table(), AverageNet(plan.table()));
  return 0;
}

}  // namespace tavrin::cli
