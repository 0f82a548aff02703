// Shared fixture of the document tests: a private folder that is also ProgramDir, file
// helpers, a snapshot of the whole Chart, and running a step with a small file-size limit.
#pragma once
#include "document/prefs.h"
#include "chart/chart.h"
#include "platform/files.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace doctest {

namespace fs = std::filesystem;

using testsupport::CrLfLines;
using testsupport::Slurp;
using testsupport::Spit;
using testsupport::WithFileSizeLimit;

inline Text Golden(const char* name) { return Slurp(fs::path(BRONDEL_GOLDEN_DIR) / name); }

// Every table of the Chart, all 301 slots.
struct ChartSnapshot {
    std::vector<SlotTable<Text>> texts;
    std::vector<SlotTable<int32_t>> numbers;
    static ChartSnapshot Take() {
        ChartSnapshot s;
        for (int line = 1; line <= 3; ++line) {
            s.texts.push_back(LineTable(line));
            s.numbers.push_back(BoldTable(line));
            s.numbers.push_back(ItalicTable(line));
            s.numbers.push_back(UnderlineTable(line));
        }
        for (auto* table : {&Red, &Green, &Blue, &HConnector, &VConnector})
            s.numbers.push_back(*table);
        return s;
    }
    bool operator==(const ChartSnapshot&) const = default;
};

class DocumentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              ("brondel-doc-" + std::to_string(getpid()) + "-" + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        ProgramDir = dir.string() + "/";
        ClearChart();
        LastProject.clear();
        LastProjectDir.clear();
    }
    void TearDown() override {
        PrefClose();
        SetCurrentDir(fs::temp_directory_path().string());
        fs::remove_all(dir);
    }
    Text Path(const Text& name) const { return (dir / name).string(); }
    size_t EntryCount() const { return std::distance(fs::directory_iterator(dir), {}); }
    fs::path dir;
};

} // namespace doctest
