// Saving and loading a full chart: every Box with three styled lines and a colour, every
// Connector ticked.
#include "document/chart_file.h"
#include "chart/chart.h"
#include "full_chart.h"
#include "platform/files.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

Text BenchFolder() {
    auto folder = std::filesystem::temp_directory_path() / "brondel-bench";
    std::filesystem::create_directories(folder);
    ProgramDir = folder.string() + "/";
    return ProgramDir;
}

void SaveFullChart(benchmark::State& state) {
    FillFullChart();
    const Text path = BenchFolder() + "full.kpv";
    for (auto _ : state)
        if (WriteChartFile(path) != ChartFileStatus::Done) state.SkipWithError("save failed");
}
BENCHMARK(SaveFullChart)->Unit(benchmark::kMicrosecond);

void LoadFullChart(benchmark::State& state) {
    FillFullChart();
    const Text path = BenchFolder() + "full.kpv";
    WriteChartFile(path);
    for (auto _ : state)
        if (ReadChartFile(path) != ChartFileStatus::Done) state.SkipWithError("load failed");
}
BENCHMARK(LoadFullChart)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
