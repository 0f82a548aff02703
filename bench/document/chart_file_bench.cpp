// Saving and loading a full chart: every Box with three styled lines and a colour, every
// Connector ticked.
#include "chart/chart.h"
#include "document/chart_file.h"
#include "full_chart.h"
#include "system/files.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>

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

// The same chart with 200 MB of blank lines right after its "[Raw Chart Text]" line: reading
// stays linear in the file's size.
void LoadChartWithHugeGroup(benchmark::State& state) {
    FillFullChart();
    const Text path = BenchFolder() + "huge.kpv";
    WriteChartFile(path);
    Text bytes{std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}};
    bytes.insert(bytes.find("[Raw Chart Text]\r\n") + 18, Text(200 << 20, '\n'));
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    for (auto _ : state)
        if (ReadChartFile(path) != ChartFileStatus::Done) state.SkipWithError("load failed");
    std::filesystem::remove(path);
}
BENCHMARK(LoadChartWithHugeGroup)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
