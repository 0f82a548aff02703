// brondel-generate: turns chart files into their pages without any window, each chart read as
// "Load Chart" reads it and written as "Generate Chart" writes it.
//
//   brondel-generate [--open] CHART.kpv [CHART.kpv ...]
//
// Prints each page's absolute path on stdout; a chart that fails is named on stderr with the
// editor's message and the others still go on. Exit status: 0 all written, 1 any failed,
// 2 usage error.
#include "document/chart_file.h"
#include "chart/chart.h"
#include "html/page.h"
#include "platform/files.h"
#include "platform/start_program.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* Usage = "usage: brondel-generate [--open] CHART.kpv [CHART.kpv ...]\n";
constexpr const char* NotAChartFileMessage = "not a .kpv chart file";

struct ChartArgument {
    Text argument; // as typed, for messages
    Text path;     // absolute, taken before anything changes the current directory
};

bool HasChartExtension(const Text& path) {
    return path.size() >= 4 && TextEqualIgnoringAsciiCase(".kpv", 4, path.substr(path.size() - 4));
}

Text AbsolutePath(const Text& argument) {
    std::error_code error;
    fs::path absolute = fs::absolute(fs::path(argument), error);
    return error ? argument : absolute.lexically_normal().string();
}

void Fail(const ChartArgument& chart, const char* message) {
    std::fprintf(stderr, "%s: %s\n", chart.argument.c_str(), message);
}

// One chart from an empty Chart; true when its page was written.
bool GenerateOne(const ChartArgument& chart, bool open) {
    if (!HasChartExtension(chart.path)) {
        Fail(chart, NotAChartFileMessage);
        return false;
    }
    ClearChart();
    ChartFileStatus read = ReadChartFile(chart.path);
    if (read != ChartFileStatus::Done) {
        Fail(chart, ChartFileMessage(read));
        return false;
    }
    ChartFileName = chart.path;
    GeneratePageStatus written = WriteChartPage(ChartFileName);
    if (written != GeneratePageStatus::Done) {
        Fail(chart, GeneratePageMessage(written));
        return false;
    }
    std::printf("%s\n", HtmlFileName.c_str());
    std::fflush(stdout);
    if (open) StartProgram(HtmlFileName, "", "", 0);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    bool open = false, optionsDone = false;
    std::vector<ChartArgument> charts;
    for (int i = 1; i < argc; ++i) {
        const Text argument = argv[i];
        if (!optionsDone && argument == "--help") {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (!optionsDone && argument == "--open") {
            open = true;
        } else if (!optionsDone && argument == "--") {
            optionsDone = true;
        } else if (!optionsDone && argument.size() > 1 && argument[0] == '-') {
            std::fprintf(stderr, "brondel-generate: unknown option %s\n%s", argument.c_str(),
                         Usage);
            return 2;
        } else {
            charts.push_back({argument, AbsolutePath(argument)});
        }
    }
    if (charts.empty()) {
        std::fputs(Usage, stderr);
        return 2;
    }
    TakeProgramDir(argv[0]);

    bool allWritten = true;
    for (const ChartArgument& chart : charts) allWritten = GenerateOne(chart, open) && allWritten;
    return allWritten ? 0 : 1;
}
