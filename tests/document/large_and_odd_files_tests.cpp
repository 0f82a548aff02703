// Files that are not what a chart usually is: named with a line break, not regular files, or
// huge. None of them may break a line of either file or hang a load: the pipe would block
// for ever and the blank lines would take minutes, a lookup walking them each time.
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

TEST(OddFiles, LineBreaksInNamesPipesAndHugeGroups) {
    const fs::path dir = fs::temp_directory_path() / ("brondel-odd-" + std::to_string(getpid()));
    fs::create_directories(dir / "two\nlines");
    ProgramDir = dir.string() + "/";
    ChartFileName = (dir / "two\nlines" / "org.kpv").string();
    ASSERT_EQ(WriteChartFile(ChartFileName), ChartFileStatus::Done);
    EXPECT_EQ(CrLfLines(Slurp(ChartFileName)).at(3), "Last Project Dir = ");
    WriteSettings();
    EXPECT_EQ(CrLfLines(Slurp(dir / SettingsFileName)).back(), "Last Project = ");

    fs::remove(dir / SettingsFileName);
    ASSERT_EQ(mkfifo((dir / SettingsFileName).c_str(), 0600), 0);
    ASSERT_EQ(mkfifo((dir / "pipe.kpv").c_str(), 0600), 0);
    EXPECT_EQ(ReadChartFile((dir / "pipe.kpv").string()), ChartFileStatus::CannotOpen);
    LastProject.clear();
    ReadSettings();
    EXPECT_EQ(LastProject, "");

    testsupport::Spit(dir / "big.kpv", "[KPVV10]\r\n[Raw Chart Text]\r\n" + Text(64 << 20, '\n') +
                                           "L3-285 = last\r\n");
    ASSERT_EQ(ReadChartFile((dir / "big.kpv").string()), ChartFileStatus::Done);
    EXPECT_EQ(Line3[285], "last");
    fs::remove_all(dir);
}
