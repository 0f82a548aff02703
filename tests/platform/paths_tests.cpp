// Path rules on both systems: Windows paths are checked here too, with the Windows rules, so
// that a slip in them shows on any machine.
#include "document/chart_file.h"
#include "platform/start_program.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
    PathRules rules;
    const char *path, *folder, *chart;
    bool absolute;
    const char* workingFolder;
};

const PathCase PathCases[] = {
    {WindowsPaths, R"(C:\Charts\org.txt)", R"(C:\Charts\)", R"(C:\Charts\org.kpv)", true,
     R"(C:\Charts\)"},
    {WindowsPaths, "C:/a.b/my.chart.txt", "C:/a.b/", "C:/a.b/my.kpv", true, "C:/a.b/"},
    {WindowsPaths, R"(\\server\share\a.b/org)", R"(\\server\share\a.b/)",
     R"(\\server\share\a.b/org.kpv)", true, R"(\\server\share\a.b/)"},
    {WindowsPaths, R"(\top.html)", R"(\)", R"(\top.kpv)", true, ""},
    {WindowsPaths, "d:org.txt", "", "d:org.kpv", false, ""},
    {WindowsPaths, "org", "", "org.kpv", false, ""},
    {PosixPaths, "/home/a.b/org", "/home/a.b/", "/home/a.b/org.kpv", true, "/home/a.b/"},
    {PosixPaths, R"(C:\x.y\p)", "", R"(C:\x.kpv)", false, ""},
};

TEST(Paths, FolderExtensionAbsoluteAndWorkingFolderOnBothSystems) {
    for (const PathCase& c : PathCases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(PathFolder(c.path, c.rules), c.folder);
        EXPECT_EQ(ApplyChartExtension(c.path, c.rules), c.chart);
        EXPECT_EQ(IsAbsolutePath(c.path, c.rules), c.absolute);
        EXPECT_EQ(StartProgramWorkingFolder(c.path, "", c.rules), c.workingFolder);
    }
}

} // namespace
