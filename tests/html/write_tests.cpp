// Writing a generation: the page beside the chart file with its images, the statuses of a
// generation without a chart or without a place to write, and failures that must leave the
// previous page exactly as it was.
#include "html_test.h"

using namespace htmltest;

namespace {

using testsupport::WithFileSizeLimit;

class WritePageTest : public HtmlTest {
  protected:
    size_t EntryCount(const fs::path& folder) const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
    }
};

TEST_F(WritePageTest, PageAndImagesLandBesideTheChartFile) {
    SetBox(BoxOf(0, 0), {"Sales"}, {"100"}, 227, 222, 188);
    HConnector[0] = 1;
    ASSERT_EQ(WriteChartPage(Path("staff.kpv")), GeneratePageStatus::Done);
    EXPECT_EQ(HtmlFileName, Path("staff.html"));
    EXPECT_EQ(Slurp(Path("staff.html")), BuildChartPage());
    EXPECT_EQ(EntryCount(dir / "gfx"), 34u);
    EXPECT_EQ(EntryCount(dir), 2u); // the page and gfx: no temporary file left behind
    EXPECT_STREQ(GeneratePageMessage(GeneratePageStatus::Done), "");

    // Generating again replaces the page with the new Chart's.
    Line1[BoxOf(0, 0)] = "Marketing";
    ASSERT_EQ(WriteChartPage(Path("staff.kpv")), GeneratePageStatus::Done);
    EXPECT_NE(Slurp(Path("staff.html")).find(">Marketing</B>"), Text::npos);
}

TEST_F(WritePageTest, WithoutAChartNothingIsWritten) {
    SetCurrentDir(dir.string());
    HtmlFileName = "untouched";
    EXPECT_EQ(WriteChartPage(""), GeneratePageStatus::NoChart);
    EXPECT_EQ(HtmlFileName, "untouched");
    EXPECT_EQ(EntryCount(dir), 0u);
    EXPECT_STREQ(GeneratePageMessage(GeneratePageStatus::NoChart),
                 "You need to LOAD or SAVE a CHART first!");
}

TEST_F(WritePageTest, MissingFolderCannotBeCreated) {
    EXPECT_EQ(WriteChartPage(Path("gone/staff.kpv")), GeneratePageStatus::CannotCreate);
    EXPECT_EQ(EntryCount(dir), 0u);
    EXPECT_STREQ(GeneratePageMessage(GeneratePageStatus::CannotCreate),
                 "Could not generate chart. File already open or damaged?");
}

TEST_F(WritePageTest, AFailedWriteKeepsTheOldPage) {
    ASSERT_TRUE(WriteMissingImages(dir.string() + "/"));
    Spit(Path("staff.html"), "the old page");
    SetBox(BoxOf(3, 3), {"New"});
    GeneratePageStatus status = GeneratePageStatus::Done;
    WithFileSizeLimit(1000, [&] { status = WriteChartPage(Path("staff.kpv")); });
    EXPECT_EQ(status, GeneratePageStatus::CannotCreate);
    EXPECT_EQ(Slurp(Path("staff.html")), "the old page");
    EXPECT_EQ(EntryCount(dir), 2u);
    // The tables are clean for the next generation, which succeeds.
    ASSERT_EQ(WriteChartPage(Path("staff.kpv")), GeneratePageStatus::Done);
    EXPECT_EQ(Slurp(Path("staff.html")), BuildChartPage());
}

TEST_F(WritePageTest, ImagesThatCannotBeWrittenFailTheGeneration) {
    Spit(Path("staff.html"), "the old page");
    Spit(dir / "gfx", "not a folder");
    EXPECT_EQ(WriteChartPage(Path("staff.kpv")), GeneratePageStatus::CannotCreate);
    EXPECT_EQ(Slurp(Path("staff.html")), "the old page");

    // An image cut short by a full disk is not left behind half written.
    fs::remove(dir / "gfx");
    WithFileSizeLimit(40, [&] { EXPECT_FALSE(WriteMissingImages(dir.string() + "/")); });
    for (const auto& entry : fs::directory_iterator(dir / "gfx"))
        EXPECT_LE(fs::file_size(entry.path()), 40u) << entry.path();
    EXPECT_LT(EntryCount(dir / "gfx"), 34u);
}

TEST_F(WritePageTest, APageNameTakenByAFolderFails) {
    fs::create_directory(dir / "staff.html");
    EXPECT_EQ(WriteChartPage(Path("staff.kpv")), GeneratePageStatus::CannotCreate);
    EXPECT_TRUE(fs::is_directory(dir / "staff.html"));
    EXPECT_EQ(EntryCount(dir), 1u); // refused before anything was written
}

TEST_F(WritePageTest, AReadOnlyPageIsNotReplaced) {
    if (geteuid() == 0) GTEST_SKIP() << "root may write read-only files";
    Spit(Path("staff.html"), "the old page");
    fs::permissions(Path("staff.html"), fs::perms::owner_read);
    EXPECT_EQ(WriteChartPage(Path("staff.kpv")), GeneratePageStatus::CannotCreate);
    EXPECT_EQ(Slurp(Path("staff.html")), "the old page");
}

} // namespace

// A page linked into another folder (a web folder, say) stays linked and gets the new page.
TEST_F(WritePageTest, APageReachedThroughALinkUpdatesItsTarget) {
    fs::create_directory(dir / "web");
    Spit(Path("web/staff.html"), "the old page");
    fs::create_symlink(dir / "web" / "staff.html", dir / "staff.html");
    SetBox(BoxOf(3, 3), {"New"});
    ASSERT_EQ(WriteChartPage(Path("staff.kpv")), GeneratePageStatus::Done);
    EXPECT_TRUE(fs::is_symlink(dir / "staff.html"));
    EXPECT_EQ(Slurp(Path("web/staff.html")), BuildChartPage());
    EXPECT_EQ(EntryCount(dir / "web" / "gfx"), 34u);
}
