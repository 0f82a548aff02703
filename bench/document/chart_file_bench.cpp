// Saving and loading a full chart: every Box with three styled lines and a colour, every
// Connector ticked.
#include "document/chart_file.h"
#include "editor/chart.h"
#include "platform/files.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

void FillChart() {
    for (int box = FirstBox; box <= LastBox; ++box) {
        for (int line = 1; line <= 3; ++line) {
            LineTable(line)[box] = "Line " + DecimalText(line) + " of box " + DecimalText(box);
            BoldTable(line)[box] = line == 1;
            ItalicTable(line)[box] = line == 2;
            UnderlineTable(line)[box] = line == 3;
        }
        Red[box] = box % 256;
        Green[box] = 200;
        Blue[box] = 17;
    }
    for (int h = FirstHConnector; h <= LastHConnector; ++h) HConnector[h] = 1;
    for (int v = FirstVConnector; v <= LastVConnector; ++v) VConnector[v] = 1;
}

Text BenchFolder() {
    auto folder = std::filesystem::temp_directory_path() / "brondel-bench";
    std::filesystem::create_directories(folder);
    ProgramDir = folder.string() + "/";
    return ProgramDir;
}

void SaveFullChart(benchmark::State& state) {
    FillChart();
    const Text path = BenchFolder() + "full.kpv";
    for (auto _ : state)
        if (WriteChartFile(path) != ChartFileStatus::Done) state.SkipWithError("save failed");
}
BENCHMARK(SaveFullChart)->Unit(benchmark::kMicrosecond);

void LoadFullChart(benchmark::State& state) {
    FillChart();
    const Text path = BenchFolder() + "full.kpv";
    WriteChartFile(path);
    for (auto _ : state)
        if (ReadChartFile(path) != ChartFileStatus::Done) state.SkipWithError("load failed");
}
BENCHMARK(LoadFullChart)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
