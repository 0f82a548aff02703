// Files that are not what a chart usually is: named with a line break, not regular files, or
// huge. None of them may break a line of either file or hang a load: the pipe would block
// for ever and the blank lines would take minutes, a lookup walking them each time.
#include "chart/chart.h"
#include "document/chart_file.h"
#include "document/settings.h"
#include "system/files.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace testsupport;
using OddFiles = ScratchTest;

TEST_F(OddFiles, LineBreaksInNamesPipesAndHugeGroups) {
#ifndef _WIN32 // Windows' names hold no line break, and it has no named pipes in folders
    fs::create_directories(dir / "two\nlines");
    ChartFileName = Path("two\nlines/org.kpv");
    ASSERT_EQ(WriteChartFile(ChartFileName), ChartFileStatus::Done);
    EXPECT_NE(Slurp(ChartFileName).find("\r\nLast Project Dir = \r\n"), Text::npos);
    WriteSettings();
    EXPECT_EQ(Slurp(dir / SettingsFileName).ends_with("\r\nLast Project = \r\n"), true);

    fs::remove(dir / SettingsFileName);
    ASSERT_EQ(mkfifo((dir / SettingsFileName).c_str(), 0600), 0);
    LastProject.clear();
    ReadSettings();
    EXPECT_EQ(LastProject, "");
#endif

    Spit(dir / "big.kpv",
         "[KPVV10]\r\n[Raw Chart Text]\r\n" + Text(64 << 20, '\n') + "L3-285 = last\r\n");
    ASSERT_EQ(ReadChartFile(Path("big.kpv")), ChartFileStatus::Done);
    EXPECT_EQ(Line3[285], "last");
}
