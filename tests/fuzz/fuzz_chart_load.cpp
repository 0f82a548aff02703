// libFuzzer target: any bytes as a preference file, a chart file, a page and a settings file.
// Besides not crashing, it checks what must hold for every input: looked-up values carry no
// line ends, a file that is not a chart leaves the Chart alone, no Box text can break the page's
// table, and whatever a chart file put into the Chart survives a save and a load unchanged.
// Built and run by run-fuzz.
#include "chart/chart.h"
#include "document/chart_file.h"
#include "document/prefs.h"
#include "document/settings.h"
#include "html/page.h"
#include "platform/files.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

static void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_chart_load: %s\n", what);
    std::abort();
}

static bool IsClean(const Text& value) {
    return value.find_first_of(Text("\r\n\0", 3)) == Text::npos && value[0] != ' ';
}

static size_t Count(const Text& text, const Text& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != Text::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// The Chart as the bytes of its file.
static Text Saved(const Text& name) {
    Require(WriteChartFile(ProgramDir + name) == ChartFileStatus::Done, "save failed");
    std::ifstream in(ProgramDir + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char folder[] = "/dev/shm/brondel-fuzz-XXXXXX", fallback[] = "/tmp/brondel-fuzz-XXXXXX";
    ProgramDir = Text(mkdtemp(folder) ? folder : mkdtemp(fallback)) + "/";
    std::atexit([] {
        std::error_code error;
        std::filesystem::remove_all(ProgramDir, error);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Text bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(ProgramDir + "input.ini", std::ios::binary) << bytes;

    // The first byte chooses a key and a group name from the bytes that follow it.
    Require(PrefOpen(ProgramDir + "input.ini") != 0, "the input cannot be opened");
    const size_t keyLength = size ? data[0] % 16 : 0, groupLength = size ? data[0] / 16 : 0;
    const Text key = bytes.substr(size ? 1 : 0, keyLength);
    const Text group = size > 1 + keyLength ? bytes.substr(1 + keyLength, groupLength) : "";
    Require(IsClean(PrefReadValue(key)), "a value holds a line end or a leading space");
    Require(PrefGroup(group) ? IsClean(PrefReadValue(key)) : PrefReadValue(key, "?") == "?",
            "a value holds a line end, or a lookup without a group found one");
    PrefClose();

    ClearChart();
    static const Text empty = Saved("empty.kpv");
    const ChartFileStatus status = ReadChartFile(ProgramDir + "input.ini");
    const Text saved = Saved("saved.kpv");
    Require(status == ChartFileStatus::Done ||
                (status == ChartFileStatus::NotAChart && saved == empty),
            "an existing file did not load, or one that is no chart changed the Chart");
    const Text page = BuildChartPage();
    Require(Count(page, "\r\n") == 442 && Count(page, "<tr>") == 27 && Count(page, "<td") == 351 &&
                Count(page, "</td>") == 351,
            "a Box text broke the page's lines, rows or cells");
    // A full 1066-line reload costs as much as dozens of small inputs, so it follows one input
    // in eight, chosen by the input's bytes so that every failure reproduces.
    unsigned sum = 0;
    for (size_t i = 0; i < size; ++i) sum += data[i];
    if (sum % 8 == 0) {
        ClearChart();
        Require(ReadChartFile(ProgramDir + "saved.kpv") == ChartFileStatus::Done, "reload failed");
        Require(Saved("again.kpv") == saved, "save and load changed the Chart");
    }

    std::ofstream(ProgramDir + SettingsFileName, std::ios::binary) << bytes;
    LastProject.clear();
    ReadSettings();
    Require(IsClean(LastProject), "Last Project holds a line end or a leading space");
    ChartFileName = LastProject;
    WriteSettings();
    LastProject = "not read";
    ReadSettings();
    Require(LastProject == ChartFileName, "the settings file lost Last Project");
    return 0;
}
