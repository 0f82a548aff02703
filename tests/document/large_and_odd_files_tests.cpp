// Files that are not what a chart usually is: huge, not regular files, or named with a line
// break. None of them may hang a load or break a line of either file.
#include "chart/chart.h"
#include "document/chart_file.h"
#include "document/settings.h"
#include "platform/files.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using testsupport::CrLfLines;
using testsupport::Slurp;
using testsupport::Spit;

namespace {

class OddFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(dir);
        ProgramDir = dir.string() + "/";
        ClearChart();
        LastProject.clear();
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir = fs::temp_directory_path() / ("brondel-odd-" + std::to_string(getpid()));
};

TEST_F(OddFilesTest, ANameWithALineBreakIsWrittenAsAnEmptyValue) {
    fs::create_directory(dir / "two\nlines");
    ChartFileName = (dir / "two\nlines" / "org.kpv").string();
    ASSERT_EQ(WriteChartFile(ChartFileName), ChartFileStatus::Done);
    const auto chart = CrLfLines(Slurp(ChartFileName));
    ASSERT_EQ(chart.size(), 1066u);
    EXPECT_EQ(chart[3], "Last Project Dir = ");
    WriteSettings();
    EXPECT_EQ(CrLfLines(Slurp(dir / SettingsFileName)).back(), "Last Project = ");
}

// Each load would block for ever (a pipe) or take minutes (a lookup walking the blank lines).
TEST_F(OddFilesTest, PipesAreRefusedAndHugeGroupsReadInOnePass) {
    ASSERT_EQ(mkfifo((dir / "pipe.kpv").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo((dir / SettingsFileName).c_str(), 0600), 0);
    EXPECT_EQ(ReadChartFile((dir / "pipe.kpv").string()), ChartFileStatus::CannotOpen);
    ReadSettings();
    EXPECT_EQ(LastProject, "");

    Line3[285] = "last";
    ASSERT_EQ(WriteChartFile((dir / "big.kpv").string()), ChartFileStatus::Done);
    Text bytes = Slurp(dir / "big.kpv");
    bytes.insert(bytes.find("[Raw Chart Text]\r\n") + 18, Text(64 << 20, '\n'));
    Spit(dir / "big.kpv", bytes);
    ClearChart();
    ASSERT_EQ(ReadChartFile((dir / "big.kpv").string()), ChartFileStatus::Done);
    EXPECT_EQ(Line3[285], "last");
}

} // namespace
