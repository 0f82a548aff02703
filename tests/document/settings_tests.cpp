// The settings file beside the program: its four lines, and which "Last Project" line counts
// (settings_reads.tsv). Every failure is silent.
#include "document/prefs.h"
#include "document/settings.h"

#include "test_files.h"

using namespace testsupport;
using Settings = ScratchTest;

TEST_F(Settings, FourLinesBesideTheProgramOfWhichOneCounts) {
    fs::create_directory(dir / "elsewhere");
    SetCurrentDir(Path("elsewhere"));
    ChartFileName = "/charts/org.kpv";
    WriteSettings();
    EXPECT_EQ(Slurp(dir / SettingsFileName), Slurp(TestData("document/golden/settings.ini")));
    for (const auto& row : Cases("document/settings_reads.tsv")) {
        if (row[0] != "(as written)") Spit(dir / SettingsFileName, row[0]);
        SetCurrentDir(Path("elsewhere"));
        LastProject = "(as before)";
        ReadSettings();
        EXPECT_EQ(LastProject + DecimalText(PrefGroup("Common Settings")), row[1] + "0")
            << row[0] << ": read, or the file was left open";
    }
    fs::remove(dir / SettingsFileName);
    ReadSettings();
    EXPECT_EQ(LastProject, "(as before)") << "without a file";
}
