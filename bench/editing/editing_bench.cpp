// The main window's painting: RefreshChart of a full chart, and one keystroke in the box editor
// from the key to the repainted Box on the main window. Runs on the offscreen platform.
#include "chart/chart.h"
#include "editor/editor.h"
#include "full_chart.h"
#include "harness.h"
#include "gui/gui.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <functional>

namespace {

void OpenMainWindowOn(bool withText) {
    LoadProgramFonts();
    OpenMainWindow();
    FillFullChart(withText ? EmptyBoxes::None : EmptyBoxes::All);
    RefreshChart();
}

// Every Box drawn on a cleared canvas, as every refresh does.
void RefreshChartFull(benchmark::State& state) {
    OpenMainWindowOn(true);
    for (auto _ : state) RefreshChart();
    ReleaseAll();
}
BENCHMARK(RefreshChartFull)->Name("RefreshChart/full chart")->Unit(benchmark::kMillisecond);

void RefreshChartLines(benchmark::State& state) {
    OpenMainWindowOn(false);
    for (auto _ : state) RefreshChart();
    ReleaseAll();
}
BENCHMARK(RefreshChartLines)
    ->Name("RefreshChart/empty Boxes, every connector line drawn")
    ->Unit(benchmark::kMillisecond);

// The box editor's own loop drives the benchmark: before each wait the script presses one key
// in line 1, and an iteration lasts from that key to the editor's next wait, by which time it
// has stored the text and repainted the Box on the main window.
void Keystroke(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    OpenMainWindowOn(true);
    constexpr int box = 230;
    Script script;
    Clock::time_point mark;
    bool timing = false;
    int typed = 0;
    std::function<void()> iterate = [&] {
        if (timing)
            state.SetIterationTime(std::chrono::duration<double>(Clock::now() - mark).count());
        timing = false;
        if (!state.KeepRunning()) {
            script.ClickGadget(OkButton);
            return;
        }
        if (++typed % 40 == 0) script.ClearText(TextFieldOf(1)); // keeps the line inside the Box
        script
            .Call([&] {
                mark = Clock::now();
                timing = true;
            })
            .PressKey('X')
            .Call(iterate);
    };
    script.TypeText(TextFieldOf(1), "").Call(iterate);
    script.Run([] {
        CurrentBox = box;
        DrawCurrentBox = 1;
        PaintCurrentBox();
        EditBox();
    });
    if (Line1[box].find('x') == Text::npos && Line1[box].find('X') == Text::npos)
        state.SkipWithError("the keys did not reach the box editor");
}
BENCHMARK(Keystroke)
    ->Name("Keystroke in the box editor to its repainted Box")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    PreparePlatform(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
