// brondel-generate: turns chart files into their pages without any window, each chart read as
// "Load Chart" reads it and written as "Generate Chart" writes it.
//
//   brondel-generate [--svg] [--html] [--single-file] [--open] CHART.kpv [CHART.kpv ...]
//
// --svg writes the chart's SVG picture instead of the page, --html the page as well;
// --single-file writes the page with its images inside. Prints the absolute path of every file
// written, the page first; a chart that fails is named on stderr with the editor's message and
// the others still go on. --open opens the page, else the picture. Exit status: 0 all written,
// 1 any failed, 2 usage error.
#include "chart/chart.h"
#include "document/chart_file.h"
#include "html/page.h"
#include "html/picture.h"
#include "html/single_file.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/start_program.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* Usage = "usage: brondel-generate [--svg] [--html] [--single-file] [--open] "
                              "CHART.kpv [CHART.kpv ...]\n";
constexpr const char* NotAChartFileMessage = "not a .kpv chart file";

struct Outputs {
    bool page = false, singleFile = false, svg = false, open = false;
};

struct ChartArgument {
    Text argument; // as typed, for messages
    Text path;     // absolute, taken before anything changes the current directory
};

bool HasChartExtension(const Text& path) {
    return path.size() >= 4 && TextEqualIgnoringAsciiCase(".kpv", 4, path.substr(path.size() - 4));
}

Text AbsolutePath(const Text& argument) {
    std::error_code error;
    fs::path absolute = fs::absolute(PathOfText(argument), error);
    return error ? argument : TextOfPath(absolute.lexically_normal());
}

void Fail(const ChartArgument& chart, const char* message) {
    PrintText(stderr, chart.argument + ": " + message + "\n");
}

void Written(const Text& path) {
    PrintText(stdout, path + "\n");
    std::fflush(stdout);
}

// One chart from an empty Chart; true when every file asked for was written.
bool GenerateOne(const ChartArgument& chart, const Outputs& outputs) {
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
    Text toOpen;
    if (outputs.page) {
        GeneratePageStatus written =
            outputs.singleFile ? WriteSingleFilePage(ChartFileName) : WriteChartPage(ChartFileName);
        if (written != GeneratePageStatus::Done) {
            Fail(chart, GeneratePageMessage(written));
            return false;
        }
        Written(toOpen = HtmlFileName);
    }
    if (outputs.svg) {
        const Text picture = SvgFileNameOf(ChartFileName);
        if (!WritePictureFile(picture, BuildChartPicture().svg)) {
            Fail(chart, GenerateFailedMessage);
            return false;
        }
        Written(picture);
        if (toOpen.empty()) toOpen = picture;
    }
    if (outputs.open) StartProgram(toOpen, "", "", 0);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    TakeUtf8Arguments(argc, argv);
    Outputs outputs;
    bool optionsDone = false;
    std::vector<ChartArgument> charts;
    for (int i = 1; i < argc; ++i) {
        const Text argument = argv[i];
        if (!optionsDone && argument == "--help") {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (!optionsDone && argument == "--open") {
            outputs.open = true;
        } else if (!optionsDone && argument == "--svg") {
            outputs.svg = true;
        } else if (!optionsDone && argument == "--html") {
            outputs.page = true;
        } else if (!optionsDone && argument == "--single-file") {
            outputs.page = outputs.singleFile = true;
        } else if (!optionsDone && argument == "--") {
            optionsDone = true;
        } else if (!optionsDone && argument.size() > 1 && argument[0] == '-') {
            PrintText(stderr, "brondel-generate: unknown option " + argument + "\n" + Usage);
            return 2;
        } else {
            charts.push_back({argument, AbsolutePath(argument)});
        }
    }
    if (charts.empty()) {
        std::fputs(Usage, stderr);
        return 2;
    }
    if (!outputs.svg) outputs.page = true;
    TakeProgramDir(argv[0]);

    bool allWritten = true;
    for (const ChartArgument& chart : charts)
        allWritten = GenerateOne(chart, outputs) && allWritten;
    return allWritten ? 0 : 1;
}
