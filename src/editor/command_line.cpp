// The command line: `brondel CHART.kpv` starts with that chart loaded, as the desktop's
// opener starts it for a chart file. The platform's own options (-platform, -style, ...) are
// taken out by the platform before the rest is read here.
#include "editor.h"
#include "gui/gui.h"
#include "system/console.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

constexpr const char* Usage =
    "Usage: brondel [CHART.kpv]\n"
    "Starts the Brondel chart editor, with the chart CHART.kpv loaded when one is named.\n"
    "\n"
    "  --help     show this help and end\n"
    "  --version  show the version and end\n"
#ifndef _WIN32
    "\n"
    "Qt's own options (-platform, -style, ...) are taken too.\n"
#endif
    ;

bool Is(const char* arg, const char* option) { return std::strcmp(arg, option) == 0; }

// Where there is nowhere to print (a Windows program started from the desktop), the text is
// shown in a message box.
void Tell(std::FILE* stream, const Text& text) {
    if (CanPrintOn(stream))
        PrintText(stream, text);
    else
        ShowMessage("Brondel 2004", text, stream == stderr ? MB_ICONERROR : MB_ICONINFORMATION);
}

} // namespace

// A chart whose name starts with '-' is named after "--".
bool AnswerInfoOption(int argc, char** argv) {
    for (int i = 1; i < argc && !Is(argv[i], "--"); ++i) {
        if (Is(argv[i], "--help") || Is(argv[i], "-h")) {
            Tell(stdout, Usage);
            return true;
        }
        if (Is(argv[i], "--version")) {
            Tell(stdout, Text("Brondel 2004 ") + ProgramVersion + "\n");
            return true;
        }
    }
    return false;
}

bool ReadChartArgument(int argc, char** argv) {
    ChartArgument.clear();
    bool optionsEnded = false;
    int charts = 0;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!optionsEnded && Is(arg, "--")) {
            optionsEnded = true;
            continue;
        }
        const bool option = !optionsEnded && arg[0] == '-' && arg[1] != '\0';
        if (option || ++charts > 1) {
            Tell(stderr, Text(option ? "brondel: unknown option '"
                                     : "brondel: one chart at a time, not also '") +
                             arg + "'\n" + Usage);
            return false;
        }
        // Loaded as named: the extension rule of the requesters does not apply.
        std::error_code error;
        ChartArgument = std::filesystem::absolute(std::filesystem::path(arg), error).string();
        if (error) ChartArgument = arg;
    }
    return true;
}
