// Path rules on both systems: Windows paths are checked here too, with the Windows rules, so
// that a slip in them shows on any machine. Each case: the folder, the chart name the
// extension rule makes, whether it is absolute, and StartProgram's working folder.
#include "document/chart_file.h"
#include "platform/start_program.h"

#include <gtest/gtest.h>

#include <tuple>

using PathCase = std::tuple<PathRules, const char*, const char*, const char*, bool, const char*>;

TEST(Paths, FolderExtensionAbsoluteAndWorkingFolderOnBothSystems) {
    for (auto [rules, path, folder, chart, absolute, working] : {
             PathCase{WindowsPaths, R"(C:\d\o.txt)", R"(C:\d\)", R"(C:\d\o.kpv)", true, R"(C:\d\)"},
             PathCase{WindowsPaths, "C:/a.b/my.c.txt", "C:/a.b/", "C:/a.b/my.kpv", true, "C:/a.b/"},
             PathCase{WindowsPaths, R"(\\h\s/o)", R"(\\h\s/)", R"(\\h\s/o.kpv)", true, R"(\\h\s/)"},
             PathCase{WindowsPaths, R"(\top.html)", R"(\)", R"(\top.kpv)", true, ""},
             PathCase{WindowsPaths, "d:o.txt", "", "d:o.kpv", false, ""},
             PathCase{PosixPaths, R"(C:\x.y\p)", "", R"(C:\x.kpv)", false, ""},
         }) {
        SCOPED_TRACE(path);
        EXPECT_EQ(PathFolder(path, rules), folder);
        EXPECT_EQ(ApplyChartExtension(path, rules), chart);
        EXPECT_EQ(IsAbsolutePath(path, rules), absolute);
        EXPECT_EQ(StartProgramWorkingFolder(path, "", rules), working);
    }
}
