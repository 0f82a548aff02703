// Shared set-up of the editor's tests: the whole editor (start-up, loop, commands) run on the real
// platform layer (Qt, or Win32 under Wine) with a scripted user, an empty Chart, a scratch folder
// holding a copy of data/scratch, and no settings file left beside the test program. Those files:
// xdg-open, a stand-in for the desktop's opener; team.v2.kpv (Box 202 "Sales" in bold, coloured;
// Connector 12 ticked), other.kpv (the same, but Box 202 "Other"), a.kpv (Box 210's line 2 "Loaded"
// in bold, vertical Connector 95) and plain.kpv (no chart).
#pragma once
#include "chart/chart.h"
#include "editor/editor.h"
#include "harness.h"
#include "test_files.h"

#include <filesystem>

namespace fs = std::filesystem;

class EditorTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Runs the editor as started from its command line, with the script as its user.
    int RunEditor(Script& script, Text argument = {});
    Text Path(const Text& name) const { return (folder / name).string(); }
    Text Masked(Text seen) const; // the scratch folder written as FOLDER
    testsupport::ScratchFolder scratch{"editor"};
    fs::path folder = scratch.path, settings;
};

// Pixel of the main window's canvas relative to a Box's top-left corner, as 0xRRGGBB when it is
// painted (opaque), else 0xFF000000 and more.
uint32_t BoxPixel(int box, int x, int y);

// Every requester the script answered, one line each: kind | caption | text | default file |
// pattern | flags.
Text Asked(const Script& script);

inline std::string Golden(const char* name) {
    return BRONDEL_EDITOR_GOLDEN_DIR "/" + std::string(name);
}
