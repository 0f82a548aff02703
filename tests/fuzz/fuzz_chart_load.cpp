// libFuzzer target: any bytes as a preference file, a chart file, a page and a settings file.
// Besides not crashing, it checks what must hold for every input: looked-up values carry no
// line ends, a file that is not a chart leaves the Chart alone, and whatever a chart file
// put into the Chart survives a save and a load unchanged. Built and run by run-fuzz.
#include "document/chart_file.h"
#include "document/prefs.h"
#include "document/settings.h"
#include "chart/chart.h"
#include "html/page.h"
#include "platform/files.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <vector>

namespace {

struct Snapshot {
    std::vector<SlotTable<Text>> texts;
    std::vector<SlotTable<int32_t>> numbers;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take() {
    Snapshot s;
    for (int line = 1; line <= 3; ++line) {
        s.texts.push_back(LineTable(line));
        s.numbers.push_back(BoldTable(line));
        s.numbers.push_back(ItalicTable(line));
        s.numbers.push_back(UnderlineTable(line));
    }
    for (auto* table : {&Red, &Green, &Blue, &HConnector, &VConnector}) s.numbers.push_back(*table);
    return s;
}

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_chart_load: %s\n", what);
    std::abort();
}

void WriteBytes(const Text& path, const Text& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    Require(out.good(), "cannot write the input file");
}

void RequireCleanValue(const Text& value) {
    Require(value.find_first_of(Text("\r\n\0", 3)) == Text::npos, "a value holds a line end");
    Require(value.empty() || value[0] != ' ', "a value keeps a leading space");
}

// The input's first byte chooses a key and a group name from the bytes that follow it.
void LookUp(const Text& bytes) {
    Require(PrefOpen(ProgramDir + "input.ini") != 0, "the input cannot be opened");
    const size_t keyLength = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]) % 16;
    const size_t groupLength = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]) / 16;
    const Text key = bytes.substr(bytes.empty() ? 0 : 1, keyLength);
    const Text group = bytes.size() > 1 + keyLength ? bytes.substr(1 + keyLength, groupLength) : "";
    RequireCleanValue(PrefReadValue(key));
    if (PrefGroup(group))
        RequireCleanValue(PrefReadValue(key));
    else
        Require(PrefReadValue(key, "default") == "default", "a lookup without a group");
    PrefGroup("Common Settings");
    RequireCleanValue(PrefReadValue("Last Project"));
    PrefClose();
}

size_t Count(const Text& text, const Text& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != Text::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// Whatever the Chart holds, its page has 442 lines and exactly the table's 351 cells: no Box
// text can add or close a cell.
void RequireWellFormedPage() {
    const Text page = BuildChartPage();
    Require(Count(page, "\r\n") == 442, "the page does not have 442 lines");
    Require(Count(page, "<td") == 351 && Count(page, "</td>") == 351, "a Box text broke a cell");
    Require(Count(page, "<tr>") == 27, "a Box text broke a row");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char folder[] = "/dev/shm/brondel-fuzz-XXXXXX";
    char fallback[] = "/tmp/brondel-fuzz-XXXXXX";
    const char* made = mkdtemp(folder);
    if (!made) made = mkdtemp(fallback);
    Require(made != nullptr, "no working folder");
    ProgramDir = Text(made) + "/";
    std::atexit([] {
        std::error_code error;
        std::filesystem::remove_all(ProgramDir, error);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Text bytes(reinterpret_cast<const char*>(data), size);
    WriteBytes(ProgramDir + "input.ini", bytes);
    LookUp(bytes);

    ClearChart();
    const Snapshot cleared = Take();
    const ChartFileStatus status = ReadChartFile(ProgramDir + "input.ini");
    Require(status == ChartFileStatus::Done || status == ChartFileStatus::NotAChart,
            "an existing file did not load");
    if (status == ChartFileStatus::NotAChart) Require(Take() == cleared, "a non-chart changed it");
    RequireWellFormedPage();
    // A full 1066-line reload costs as much as dozens of small inputs, so it follows one input
    // in eight, chosen by the input's bytes so that every failure reproduces.
    unsigned sum = 0;
    for (size_t i = 0; i < size; ++i) sum += data[i];
    Require(WriteChartFile(ProgramDir + "saved.kpv") == ChartFileStatus::Done, "save failed");
    if (sum % 8 == 0) {
        const Snapshot loaded = Take();
        ClearChart();
        Require(ReadChartFile(ProgramDir + "saved.kpv") == ChartFileStatus::Done, "reload failed");
        Require(Take() == loaded, "save and load changed the Chart");
    }

    WriteBytes(ProgramDir + SettingsFileName, bytes);
    LastProject.clear();
    ReadSettings();
    RequireCleanValue(LastProject);
    ChartFileName = LastProject;
    WriteSettings();
    LastProject = "not read";
    ReadSettings();
    Require(LastProject == ChartFileName, "the settings file lost Last Project");
    return 0;
}
