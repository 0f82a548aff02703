// brondel-generate: turns chart files into their pages without any window, each chart read as
// "Load Chart" reads it and written as "Generate Chart" writes it.
//
//   brondel-generate [--svg] [--html] [--single-file] [--open] CHART.kpv [CHART.kpv ...]
//
// --svg writes the chart's SVG picture instead of the page, --html the page as well;
// --single-file writes the page with its images inside. Prints the absolute path of every file
// written, the page first; a chart that fails is named on stderr with the editor's message and
// the others still go on. --open opens the page, else the picture, and says on stderr when no
// program could open it. --single-file names on stderr each file of gfx/ left out (only a GIF
// of at most 1 MiB is taken). Exit status: 0 all written, 1 any failed, 2 usage error.
#include "chart/chart.h"
#include "document/chart_file.h"
#include "html/page.h"
#include "html/picture.h"
#include "html/single_file.h"
#include "system/console.h"
#include "system/files.h"
#include "system/start_program.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* Usage = "usage: brondel-generate [--svg] [--html] [--single-file] [--open] "
                              "CHART.kpv [CHART.kpv ...]\n";
constexpr const char* Help =
    "\nWrites the page of each chart beside it, as \"Generate Chart\" does, and prints the path\n"
    "of every file written.\n"
    "  --svg          write the chart's SVG picture (CHART.svg) instead of its page\n"
    "  --html         write the page too, with --svg\n"
    "  --single-file  write the page with its images inside, without the gfx folder\n"
    "  --open         open the page, or else the picture, in the desktop's program for it\n"
    "Exit status: 0 when every file was written, 1 when any chart failed, 2 on a usage error.\n";
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

// The chart the system reaches through the path, as the editor opens it: ".." after a link
// to a folder leads out of the folder the link points to, not back to the link's own.
Text AbsolutePath(const Text& argument) {
    std::error_code error;
    const fs::path absolute = fs::absolute(PathOfText(argument), error);
    if (error) return argument;
    const fs::path folder = fs::weakly_canonical(absolute.parent_path(), error);
    return TextOfPath(error ? absolute : folder / absolute.filename());
}

void Fail(const ChartArgument& chart, const char* message, const Text& reason = {}) {
    PrintText(stderr,
              chart.argument + ": " + message + (reason.empty() ? "" : " (" + reason + ")") + "\n");
}

// Why a chart could not be opened: the system's reason, or why the file itself is refused.
Text ReasonNotOpened(const Text& path) {
    std::error_code error;
    const fs::file_status status = fs::status(PathOfText(path), error);
    if (error) return error.message();
    if (fs::is_directory(status)) return "Is a directory";
    if (!fs::is_regular_file(status)) return "not a regular file";
    errno = 0;
    if (std::ifstream(PathOfText(path), std::ios::binary)) return "";
    return std::strerror(errno);
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
        Fail(chart, ChartFileMessage(read),
             read == ChartFileStatus::CannotOpen ? ReasonNotOpened(chart.path) : "");
        return false;
    }
    ChartFileName = chart.path;
    Text toOpen;
    if (outputs.page) {
        std::vector<LeftOutImage> leftOut;
        GeneratePageStatus written = outputs.singleFile
                                         ? WriteSingleFilePage(ChartFileName, leftOut)
                                         : WriteChartPage(ChartFileName);
        for (const LeftOutImage& image : leftOut)
            PrintText(stderr,
                      image.path + ": " + image.reason + ", the built-in image is used instead\n");
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
    // Whether the page opened leaves the status alone: the files asked for are written.
    if (outputs.open && StartProgram(toOpen, "", "", 0) == OpenOutcome::NotOpened)
        PrintText(stderr, PageNotOpenedMessage(toOpen) + "\n");
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
            std::printf("%s%s", Usage, Help);
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
