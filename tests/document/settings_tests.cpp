// The settings file beside the program: its four lines, which "Last Project" line counts,
// and that no failure is ever noisy or destructive.
#include "document/settings.h"
#include "document_test.h"

using namespace doctest;

namespace {

class SettingsTest : public DocumentTest {
  protected:
    void SetUp() override {
        DocumentTest::SetUp();
        fs::create_directory(dir / "elsewhere");
        SetCurrentDir((dir / "elsewhere").string()); // the file must still go beside the program
    }
    Text Settings() const { return Slurp(dir / SettingsFileName); }
};

TEST_F(SettingsTest, WritesExactlyFourLines) {
    ChartFileName = "/charts/org.kpv";
    WriteSettings();
    EXPECT_EQ(Settings(), Golden("settings.ini"));
    EXPECT_EQ(EntryCount(), 2u); // the settings file and "elsewhere", no temporary file

    ChartFileName.clear();
    WriteSettings();
    EXPECT_EQ(Settings(), "[KPVV10]\r\n;Brondel file.\r\n[Common Settings]\r\nLast Project = \r\n");
}

TEST_F(SettingsTest, ReadsWhatItWrote) {
    ChartFileName = "/home/user/My Charts/org  ";
    WriteSettings();
    SetCurrentDir((dir / "elsewhere").string());
    ReadSettings();
    EXPECT_EQ(LastProject, "/home/user/My Charts/org  ");
    EXPECT_EQ(fs::current_path(), dir);
}

TEST_F(SettingsTest, OnlyTheLastProjectLineOfCommonSettingsCounts) {
    const std::pair<Text, Text> cases[] = {
        {"", ""},                                                         // no file at all
        {"[Common Settings]\r\nLast Project = /a/b.kpv\r\n", "/a/b.kpv"}, // no magic needed
        {"[KPVV10]\r\nLast Project = /a/b.kpv\r\n[Common Settings]\r\n", ""},
        {"Last Project = /a/b.kpv\r\n[Common Settings]\r\nx = y\r\n", ""},
        {"[Common Settings]\r\nLast Project Dir = /a/\r\n", ""},
        {"[Common Settings]\nLast Project Dir = /a/\nlast project = /c/d.kpv\n", "/c/d.kpv"},
        {"[Other]\r\nLast Project = /a/b.kpv\r\n[Common Settings]\r\n", ""},
        {"[Common Settings]\r\n[Other]\r\nLast Project = /a/b.kpv\r\n", ""},
        {"\x01\x02garbage\xFF", ""},
    };
    for (const auto& [bytes, project] : cases) {
        fs::remove(dir / SettingsFileName);
        if (!bytes.empty()) Spit(dir / SettingsFileName, bytes);
        LastProject.clear();
        ReadSettings();
        EXPECT_EQ(LastProject, project) << bytes;
    }
}

TEST_F(SettingsTest, AFailedWriteKeepsTheOldFile) {
    Spit(dir / SettingsFileName, "[Common Settings]\r\nLast Project = /old.kpv\r\n");
    ChartFileName = "/a/rather/long/path/that/does/not/fit/into/the/limit.kpv";
    WithFileSizeLimit(40, [] { WriteSettings(); });
    LastProject.clear();
    ReadSettings();
    EXPECT_EQ(LastProject, "/old.kpv");
    EXPECT_EQ(EntryCount(), 2u);

    fs::remove(dir / SettingsFileName);
    fs::create_directory(dir / SettingsFileName); // cannot be replaced by a file
    WriteSettings();
    EXPECT_TRUE(fs::is_directory(dir / SettingsFileName));
    ReadSettings();
    EXPECT_EQ(LastProject, "/old.kpv");
}

} // namespace
