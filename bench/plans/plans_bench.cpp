// What the plan windows make the user wait for: the multiplier rule against
// its literal scan, whole plans, plan files and the print-out layout, and
// one generation in the window with its grid.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "app/prompts.h"
#include "plans/plan_file.h"
#include "plans/plan_printout.h"
#include "plans/plan_tables.h"
#include "plans/u_gudingjihua.h"

using namespace tavrin;
using namespace tavrin::plans;

namespace {

std::optional<Money> ScanMultiplier(Money outlay, Money unit, Money prize, Money profit) {
  for (Money m = 1; m <= kMaxMultiple; ++m)
    if (m * prize - (outlay + m * unit) >= profit) return m;
  return std::nullopt;
}

// The hardest case for the scan: no multiple fits, every one is tried.
void BM_MultiplierScan(benchmark::State& s) {
  Money outlay = 10'000'000;
  for (auto _ : s) {
    benchmark::DoNotOptimize(outlay);
    benchmark::DoNotOptimize(ScanMultiplier(outlay, 16, 1000, 10));
  }
}

void BM_MultiplierClosedForm(benchmark::State& s) {
  Money outlay = 10'000'000;
  for (auto _ : s) {
    benchmark::DoNotOptimize(outlay);
    benchmark::DoNotOptimize(Multiplier(outlay, 16, 1000, 10));
  }
}

void BM_FixedPlan(benchmark::State& s) {
  const PlanInputs in{0, 10, 1, 1'000'000'000, s.range(0)};
  for (auto _ : s) benchmark::DoNotOptimize(FixedPlan(in).rows.size());
  s.SetItemsProcessed(s.iterations() * s.range(0));
}

void BM_StagePlan(benchmark::State& s) {
  const PlanInputs in{0, 10, 1, 1'000'000'000, s.range(0)};
  for (auto _ : s) benchmark::DoNotOptimize(StagePlan(in, s.range(0) / 10).rows.size());
  s.SetItemsProcessed(s.iterations() * s.range(0));
}

void BM_VariablePlanAdds(benchmark::State& s) {
  for (auto _ : s) {
    VariablePlan plan;
    for (Money i = 0; i < s.range(0); ++i) plan.add(8 + i % 5, 0, 10, 1'000'000'000, s.range(0), "");
    benchmark::DoNotOptimize(plan.size());
  }
  s.SetItemsProcessed(s.iterations() * s.range(0));
}

void BM_PlanFileWriteRead(benchmark::State& s) {
  const PlanTable t = FixedPlan({0, 10, 1, 1'000'000'000, s.range(0)});
  const std::vector<std::string> header = {"0", "10", "1", "1000000000", std::to_string(s.range(0))};
  for (auto _ : s) {
    const std::string bytes = FormatPlanFile(PlanKind::Fixed, header, t);
    benchmark::DoNotOptimize(ReadPlanFile(PlanKind::Fixed, bytes).table.rows.size());
  }
  s.SetItemsProcessed(s.iterations() * s.range(0));
}

void BM_PrintLayout(benchmark::State& s) {
  const PlanTable t = FixedPlan({0, 10, 1, 1'000'000'000, s.range(0)});
  for (auto _ : s) {
    print::RecordingPageWriter out(4958, 7016);
    PrintPlan(out, PlanKind::Fixed, {"0", "10", "1", "1000000000", "x"}, t, "2024-3-5");
    benchmark::DoNotOptimize(out.texts.size());
  }
  s.SetItemsProcessed(s.iterations() * s.range(0));
}

// Messages are counted, not shown.
class SilentPrompts final : public Prompts {
 public:
  void message(QWidget*, const QString&, const QString&, PromptIcon) override {}
  bool question(QWidget*, const QString&, const QString&, PromptIcon) override { return false; }
  QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
  QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
  bool printDialog(QWidget*, QPrinter&) override { return false; }
};

// 生成计划 in the window: the plan, the grid model and a repaint.
void BM_WindowGenerate(benchmark::State& s) {
  Tfrmgudingjihua w;
  w.edtinofsin->setText(QStringLiteral("1"));
  w.edtoutofsin->setText(QStringLiteral("1000000000"));
  w.edtdays->setText(QString::number(s.range(0)));
  w.show();
  QApplication::processEvents();
  for (auto _ : s) {
    w.btnala->click();
    w.repaint();
  }
}

}  // namespace

BENCHMARK(BM_MultiplierScan);
BENCHMARK(BM_MultiplierClosedForm);
BENCHMARK(BM_FixedPlan)->Arg(80)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StagePlan)->Arg(80)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_VariablePlanAdds)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlanFileWriteRead)->Arg(80)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PrintLayout)->Arg(80)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WindowGenerate)->Arg(80)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  setPrompts(std::make_unique<SilentPrompts>());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
