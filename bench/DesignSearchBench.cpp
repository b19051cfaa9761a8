// Full catalog searches of every application on the toroid, E-core and composite listings.
//   build/bench/korvane_bench --benchmark_min_time=0.5
#include "catalog/CoreCatalog.h"
#include "engine/DesignSearch.h"
#include "format/Messages.h"
#include "materials/PowderMaterialModel.h"
#include "requirements/RequirementEntry.h"
#include "settings/DesignParameters.h"
#include "settings/MaterialSelection.h"

#include <benchmark/benchmark.h>

namespace korvane {
namespace {

struct BenchRequirement {
    Application application;
    CoreShape shape;
    RequirementTexts texts;
};

// Realistic requirements; the last walks the whole toroid catalog without a design.
const BenchRequirement kRequirements[] = {
    {Application::DcBiased,
     CoreShape::Toroid,
     {"100", "0", "10", "", "", "12", "5", "100", "25", "1", "1"}},
    {Application::DcBiased,
     CoreShape::ECore,
     {"100", "0", "10", "", "", "12", "5", "100", "25", "1", "1"}},
    {Application::DcBiased,
     CoreShape::Composite,
     {"100", "0", "10", "", "", "12", "5", "100", "25", "1", "1"}},
    {Application::ControlledSwing,
     CoreShape::Toroid,
     {"100", "0", "10", "150", "1", "12", "5", "100", "25", "1", "1"}},
    {Application::ControlledSwing,
     CoreShape::ECore,
     {"100", "0", "10", "150", "1", "12", "5", "100", "25", "1", "1"}},
    {Application::WideSwing,
     CoreShape::Composite,
     {"100", "0", "10", "500", "1", "12", "5", "100", "25", "1", "1"}},
    {Application::PfcBoost,
     CoreShape::Toroid,
     {"400", "0", "6", "", "", "375", "400", "65", "25", "1", "1"}},
    {Application::PfcBoost,
     CoreShape::ECore,
     {"400", "0", "6", "", "", "375", "400", "65", "25", "1", "1"}},
    {Application::Line60Hz,
     CoreShape::Toroid,
     {"10000", "0", "2", "8000", "0.5", "", "", "60", "25", "1", "1"}},
    {Application::Line60Hz,
     CoreShape::ECore,
     {"10000", "0", "2", "8000", "0.5", "", "", "60", "25", "1", "1"}},
    {Application::Resonant,
     CoreShape::Toroid,
     {"10", "0", "2", "", "", "50", "", "397.9", "25", "1", "1"}},
    {Application::Resonant,
     CoreShape::ECore,
     {"10", "0", "2", "", "", "50", "", "397.9", "25", "1", "1"}},
    {Application::DcBiased,
     CoreShape::Toroid,
     {"100000", "0", "50", "", "", "12", "5", "100", "25", "1", "1"}},
};

// The benchmark's message sink: the end-of-catalog boxes are part of the work, not printed.
class QuietSink : public MessageSink {
  public:
    void show(const std::string&, const std::string&) override {}
};

void BM_DesignSearch(benchmark::State& state) {
    const BenchRequirement& b = kRequirements[state.range(0)];
    QuietSink sink;
    ScopedMessageSink scoped(sink);
    DesignParameters parameters;
    const MaterialSelection selection;
    RequirementEntry entry(parameters);
    entry.activate(b.application);
    entry.setShape(b.shape);
    if (!entry.accept(b.texts)) {
        state.SkipWithError("requirement refused");
        return;
    }
    const DesignPFE design = makeDesignRun(entry.requirement(), parameters.wireSystem());
    // Created once, as the program's session holds them.
    const CoreCatalog catalog;
    const PowderMaterialModel model;
    int accepted = 0;
    for (auto _ : state) {
        DesignPFE run = design;
        const SearchResult result = runDesignSearch(run, parameters, selection, catalog, model);
        accepted = result.accepted;
        benchmark::DoNotOptimize(result.table.slots[0].tempRise);
    }
    state.SetLabel(std::string(applicationCliName(b.application)) + "/" +
                   (b.shape == CoreShape::Toroid  ? "toroid"
                    : b.shape == CoreShape::ECore ? "e-core"
                                                  : "composite") +
                   " designs=" + std::to_string(accepted));
}

BENCHMARK(BM_DesignSearch)
    ->DenseRange(0, static_cast<int>(std::size(kRequirements)) - 1)
    ->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace korvane
