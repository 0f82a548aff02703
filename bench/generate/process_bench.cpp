// The whole brondel-generate process on a full chart, as a user of the command waits for it:
// started with posix_spawn and waited for, page written through its flushed temporary file.
// Once in a folder on disk (the temporary folder), once in memory (/dev/shm, where flushing
// costs nothing), to tell the disk's share from the program's.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// A full chart: 98 Boxes of three styled lines with a colour, every Connector ticked.
void WriteFullChart(const fs::path& path) {
    std::ofstream out(path, std::ios::binary);
    auto line = [&](const std::string& text) { out << text << "\r\n"; };
    line("[KPVV10]");
    line(";Brondel file.");
    line("[Common Settings]");
    line("Last Project Dir = " + path.parent_path().string() + "/");
    line("[Raw Chart Text]");
    for (int n = 1; n <= 3; ++n)
        for (int b = 188; b <= 285; ++b)
            line("L" + std::to_string(n) + "-" + std::to_string(b) + " = Line " +
                 std::to_string(n) + " of box " + std::to_string(b));
    line("[Raw Chart Text Styles]");
    const char* codes[] = {"100", "010", "011"};
    for (int n = 1; n <= 3; ++n)
        for (int b = 188; b <= 285; ++b)
            line("S" + std::to_string(n) + "-" + std::to_string(b) + " = " + codes[n - 1]);
    line("[Raw Chart Box Colors]");
    const int colour[] = {226, 234, 249};
    for (int n = 1; n <= 3; ++n)
        for (int b = 188; b <= 285; ++b)
            line("C" + std::to_string(n) + "-" + std::to_string(b) + " = " +
                 std::to_string(colour[n - 1]));
    line("[Raw Chart CheckBox Horizontally]");
    for (int h = 0; h <= 83; ++h) line("H-" + std::to_string(h) + " = 1");
    line("[Raw Chart CheckBox Vertically]");
    for (int v = 90; v <= 180; ++v) line("V-" + std::to_string(v) + " = 1");
}

bool Run(const char* program, const std::string& argument) {
    char* argv[] = {const_cast<char*>(program), const_cast<char*>(argument.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

void GenerateFullChart(benchmark::State& state, fs::path base) {
    fs::path folder = base / ("brondel-bench-generate-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const std::string chart = (folder / "full.kpv").string();
    WriteFullChart(chart);
    if (!Run(BRONDEL_GENERATE, chart))
        state.SkipWithError("brondel-generate failed"); // writes the images
    for (auto _ : state)
        if (!Run(BRONDEL_GENERATE, chart)) state.SkipWithError("brondel-generate failed");
    fs::remove_all(folder);
}

const bool registered = [] {
    benchmark::RegisterBenchmark("brondel-generate, full chart (whole process, on disk)",
                                 GenerateFullChart, fs::temp_directory_path())
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    if (fs::is_directory("/dev/shm"))
        benchmark::RegisterBenchmark("brondel-generate, full chart (whole process, in memory)",
                                     GenerateFullChart, fs::path("/dev/shm"))
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    // The floor: the cost of starting and waiting for any process on this machine.
    benchmark::RegisterBenchmark("reference: /bin/true (whole process)",
                                 [](benchmark::State& state) {
                                     for (auto _ : state)
                                         if (!Run("/bin/true", "")) state.SkipWithError("failed");
                                 })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    return true;
}();

} // namespace

BENCHMARK_MAIN();
