// The chart's SVG picture and the single-file page of a full chart in memory, beside the page
// itself (page_bench.cpp): every Box with three styled lines and a colour, every Connector
// ticked; and the same with every other Box empty, so that half the Boxes carry junctions.
#include "full_chart.h"
#include "html/page.h"
#include "html/picture.h"
#include "html/single_file.h"

#include <benchmark/benchmark.h>

namespace {

EmptyBoxes EmptyOf(const benchmark::State& state) {
    return state.range(0) != 0 ? EmptyBoxes::EveryOther : EmptyBoxes::None;
}

void BuildFullChartPicture(benchmark::State& state) {
    FillFullChart(EmptyOf(state));
    for (auto _ : state) benchmark::DoNotOptimize(BuildChartPicture());
}
BENCHMARK(BuildFullChartPicture)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The built-in images: no gfx folder beside the page.
void BuildFullChartSingleFilePage(benchmark::State& state) {
    FillFullChart(EmptyOf(state));
    std::vector<LeftOutImage> leftOut;
    for (auto _ : state) benchmark::DoNotOptimize(SingleFilePageLines("/nonexistent/", leftOut));
}
BENCHMARK(BuildFullChartSingleFilePage)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
