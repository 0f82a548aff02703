// The page of a full chart in memory and on disk: every Box with three styled lines and a
// colour, every Connector ticked; and the same with every other Box empty, so that half the
// Boxes carry junction images.
#include "chart/chart.h"
#include "full_chart.h"
#include "html/page.h"
#include "system/files.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

void BuildFullChartPage(benchmark::State& state) {
    FillFullChart(state.range(0) != 0 ? EmptyBoxes::EveryOther : EmptyBoxes::None);
    for (auto _ : state) benchmark::DoNotOptimize(BuildChartPage());
}
BENCHMARK(BuildFullChartPage)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// On disk: through a temporary file, flushed and moved into place; the images exist already.
void WriteFullChartPage(benchmark::State& state) {
    FillFullChart();
    auto folder = std::filesystem::temp_directory_path() / "brondel-bench-page";
    std::filesystem::create_directories(folder);
    const Text chart = (folder / "full.kpv").string();
    WriteChartPage(chart);
    for (auto _ : state)
        if (WriteChartPage(chart) != GeneratePageStatus::Done) state.SkipWithError("write failed");
    std::filesystem::remove_all(folder);
}
BENCHMARK(WriteFullChartPage)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
