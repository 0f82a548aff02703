// Shared helpers of the page tests: a private folder per test, file helpers, Boxes set up in a
// line, and where each cell of the page stands among its 442 lines.
#pragma once
#include "chart/chart.h"
#include "html/page.h"
#include "platform/files.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace htmltest {

namespace fs = std::filesystem;

using testsupport::CrLfLines;
using testsupport::Slurp;
using testsupport::Spit;

inline fs::path GoldenPath(const Text& name) { return fs::path(BRONDEL_HTML_GOLDEN_DIR) / name; }

// A Box's lines, StyleCodes ("100") and colour, set in one go; lines not given are emptied.
inline void SetBox(int box, std::initializer_list<const char*> lines,
                   std::initializer_list<const char*> codes = {}, int r = 0, int g = 0, int b = 0) {
    int line = 1;
    for (const char* text : lines) LineTable(line++)[box] = text;
    for (; line <= 3; ++line) LineTable(line)[box].clear();
    line = 1;
    for (const char* code : codes) {
        BoldTable(line)[box] = code[0] - '0';
        ItalicTable(line)[box] = code[1] - '0';
        UnderlineTable(line)[box] = code[2] - '0';
        ++line;
    }
    Red[box] = r;
    Green[box] = g;
    Blue[box] = b;
}

// 0-based line numbers in the page: a head of 7 lines, then table rows of 16 lines; grid row r
// is table row 2r, the spacer row below it table row 2r + 1.
inline size_t BoxCellLine(int row, int column) { return 7 + 32 * row + 1 + 2 * column; }
inline size_t HConnectorCellLine(int row, int gap) { return 7 + 32 * row + 2 + 2 * gap; }
inline size_t VConnectorCellLine(int gap, int column) { return 7 + 32 * gap + 16 + 1 + 2 * column; }

inline const char* const StandardCell =
    "<td bgcolor=#FFFFFF valign=center align=center nowrap width=150 height=40>";
inline const char* const NarrowCell =
    "<td bgcolor=#FFFFFF valign=center align=center nowrap width=150 height=20>";

class HtmlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        Text name = info->name(); // "Case/0" for a parameterised test
        for (char& c : name)
            if (c == '/') c = '_';
        dir = fs::temp_directory_path() / ("brondel-html-" + std::to_string(getpid()) + "-" + name);
        fs::remove_all(dir);
        fs::create_directories(dir);
        ProgramDir = dir.string() + "/";
        ClearChart();
        HtmlFileName.clear();
    }
    void TearDown() override {
        SetCurrentDir(fs::temp_directory_path().string());
        fs::remove_all(dir);
    }
    Text Path(const Text& name) const { return (dir / name).string(); }
    fs::path dir;
};

} // namespace htmltest
