// The page of a full chart in memory and on disk: every Box with three styled lines and a
// colour, every Connector ticked; and the same with every other Box empty, so that half the
// Boxes carry junction images.
#include "editor/chart.h"
#include "html/page.h"
#include "platform/files.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

void FillChart(bool withEmptyBoxes) {
    ClearChart();
    for (int box = FirstBox; box <= LastBox; ++box) {
        if (withEmptyBoxes && box % 2 == 0) continue;
        for (int line = 1; line <= 3; ++line) {
            LineTable(line)[box] = "Line " + DecimalText(line) + " of box " + DecimalText(box);
            BoldTable(line)[box] = line == 1;
            ItalicTable(line)[box] = line == 2;
            UnderlineTable(line)[box] = line == 3;
        }
        Red[box] = 226;
        Green[box] = 234;
        Blue[box] = 249;
    }
    for (int h = FirstHConnector; h <= LastHConnector; ++h) HConnector[h] = 1;
    for (int v = FirstVConnector; v <= LastVConnector; ++v) VConnector[v] = 1;
}

void BuildFullChartPage(benchmark::State& state) {
    FillChart(state.range(0) != 0);
    for (auto _ : state) benchmark::DoNotOptimize(BuildChartPage());
}
BENCHMARK(BuildFullChartPage)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// On disk: through a temporary file, flushed and moved into place; the images exist already.
void WriteFullChartPage(benchmark::State& state) {
    FillChart(false);
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
