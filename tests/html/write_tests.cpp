// Writing a generation: the page beside the chart file with the images it lacks (a user's own
// stay), the messages of a generation without a chart or without a place to write, failures
// that leave the previous page as it was, and a page reached through a link.
#include "html/picture.h"
#include "html/single_file.h"
#include "html_test.h"

#include <functional>
#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace htmltest;
using WritePage = ScratchTest;

TEST_F(WritePage, AFailedGenerationSaysSoAndKeepsTheOldPage) {
#ifdef _WIN32
    GTEST_SKIP() << "a full disk, file modes and symbolic links are POSIX's; Windows' refusals "
                    "are tested in windows_files_tests.cpp";
#else
    EXPECT_STREQ(GeneratePageMessage(WriteChartPage("")),
                 "You need to LOAD or SAVE a CHART first!");
    const Text failed = "Could not generate chart. File already open or damaged?";
    EXPECT_EQ(GeneratePageMessage(WriteChartPage(Path("gone/staff.kpv"))), failed);
    fs::create_directory(dir / "staff.html");
    EXPECT_EQ(GeneratePageMessage(WriteChartPage(Path("staff.kpv"))), failed);
    EXPECT_EQ(EntryCount(), 1u) << "a page that may not be replaced is refused before anything";

    fs::remove(dir / "staff.html");
    Spit(dir / "staff.html", "the old page");
    Line1[BoxOf(3, 3)] = "New";
    Spit(dir / "gfx", "not a folder");
    EXPECT_EQ(GeneratePageMessage(WriteChartPage(Path("staff.kpv"))), failed);
    fs::remove(dir / "gfx");
    fs::create_directory(dir / "gfx"); // with pictures of the user's own, which always stay
    Spit(dir / "gfx" / "strek_centercross.gif", "my own picture");
    fs::create_symlink(dir / "nowhere.gif", dir / "gfx" / "strek_middle.gif");
    // On a full disk: every image is larger than 40 bytes, and none may be left half written.
    const auto generate = [&] { return int(WriteChartPage(Path("staff.kpv"))); };
    EXPECT_EQ(InChild(generate, 40), int(GeneratePageStatus::CannotCreate));
    EXPECT_EQ(EntryCount("gfx"), 2u);
    fs::permissions(dir, fs::perms::all); // a page that may be written, images that may not
    fs::permissions(dir / "staff.html", fs::perms::all);
    EXPECT_EQ(InChild(generate, RLIM_INFINITY, true), int(GeneratePageStatus::CannotCreate));
    ASSERT_TRUE(WriteMissingImages(ProgramDir));
    EXPECT_EQ(InChild(generate, 1000), int(GeneratePageStatus::CannotCreate));
    EXPECT_EQ(Slurp(dir / "staff.html"), "the old page");
    EXPECT_EQ(EntryCount(), 2u) << "a temporary file was left behind";
    ASSERT_EQ(WriteChartPage(Path("staff.kpv")), GeneratePageStatus::Done);
    EXPECT_EQ(Slurp(HtmlFileName), BuildChartPage());
    EXPECT_EQ(HtmlFileName + DecimalText(EntryCount("gfx")) +
                  Slurp(dir / "gfx/strek_centercross.gif"),
              Path("staff.html") + "34my own picture");
    EXPECT_TRUE(fs::is_symlink(dir / "gfx/strek_middle.gif") && !fs::exists(dir / "nowhere.gif"));
#endif
}

// A page linked into another folder (a web folder, say) stays linked and gets the new page,
// which keeps the permissions of the page it replaces.
TEST_F(WritePage, APageReachedThroughALinkUpdatesItsTarget) {
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links and file modes are POSIX's (Wine has no symbolic links)";
#else
    fs::create_directory(dir / "web");
    Spit(dir / "web" / "staff.html", "the old page");
    fs::permissions(dir / "web" / "staff.html", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(dir / "web" / "staff.html", dir / "staff.html");
    Line1[BoxOf(3, 3)] = "New";
    ASSERT_EQ(WriteChartPage(Path("staff.kpv")), GeneratePageStatus::Done);
    EXPECT_TRUE(fs::is_symlink(dir / "staff.html"));
    EXPECT_EQ(Slurp(dir / "web" / "staff.html"), BuildChartPage());
    EXPECT_EQ(fs::status(dir / "web" / "staff.html").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(std::pair(EntryCount("web/gfx"), EntryCount("gfx")),
              (std::pair<size_t, size_t>(34, 34)));
    // Links placed for a page and a picture that do not exist yet: made where they point.
    fs::create_symlink("web/new.html", dir / "new.html");
    fs::create_symlink(dir / "web" / "new.svg", dir / "new.svg");
    ASSERT_EQ(WriteChartPage(Path("new.kpv")), GeneratePageStatus::Done);
    ASSERT_TRUE(WritePictureFile(Path("new.svg"), "<svg/>"));
    EXPECT_TRUE(fs::is_symlink(dir / "new.html") && fs::is_symlink(dir / "new.svg"));
    EXPECT_EQ(Slurp(dir / "web" / "new.html") + Slurp(dir / "web" / "new.svg"),
              BuildChartPage() + "<svg/>");
#endif
}

// The page and the picture of a chart are named after it: ".kpv" in any letter case gives way to
// their own extension, a name without it keeps its whole name. Always beside the chart.
TEST_F(WritePage, ThePageAndPictureAreNamedAfterTheChartBesideIt) {
    fs::create_directory(dir / "charts");
    const std::pair<Text, Text> charts[] = {{"org", "org"}, {"a.KpV", "a"}, {"v1.2.kpv", "v1.2"}};
    for (const auto& [name, stem] : charts) {
        ASSERT_EQ(WriteChartPage(Path("charts/" + name)), GeneratePageStatus::Done) << name;
        EXPECT_EQ(HtmlFileName, Path("charts/" + stem + ".html"));
        EXPECT_EQ(SvgFileNameOf(Path("charts/" + name)), Path("charts/" + stem + ".svg"));
    }
    EXPECT_EQ(std::pair(EntryCount(), EntryCount("charts")), (std::pair<size_t, size_t>(1, 3 + 1)))
        << "only the three pages and their gfx folder, beside the charts";
}

#ifndef _WIN32
// coreutils' base64 of a file: the encoding checked against another program's.
static Text Base64Of(const fs::path& file) {
    Text out;
    std::FILE* pipe = popen(("base64 -w0 '" + file.string() + "'").c_str(), "r");
    for (int c; pipe && (c = std::fgetc(pipe)) != EOF;) out += static_cast<char>(c);
    if (pipe) pclose(pipe);
    return out;
}
#endif

// The page that travels: the page with its images inline, no folder beside it; refused like
// the page.
TEST_F(WritePage, TheSingleFilePageIsThePageWithItsImagesInline) {
#ifdef _WIN32
    GTEST_SKIP() << "checked against coreutils' base64, which Windows has not; the Windows "
                    "program's single-file pages are compared with Linux's by windows_pages.sh";
#else
    fs::create_directory(dir / "staff.html");
    std::vector<LeftOutImage> leftOut;
    EXPECT_EQ(GeneratePageMessage(WriteSingleFilePage(Path("staff.kpv"), leftOut)),
              Text("Could not generate chart. File already open or damaged?"));
    fs::remove(dir / "staff.html");
    fs::create_directories(dir / "gfx"); // the user's own image wins, beside either page
    fs::create_directories(dir / "plain" / "gfx");
    Spit(dir / "gfx" / "strek_middlehori_tom.gif", "GIF89a;;"); // 8 bytes: one "=" of padding
    HConnector[0] = 1; // its line's image has 63 bytes: no padding
    fs::copy(dir / "gfx", dir / "plain" / "gfx", fs::copy_options::recursive);
    ASSERT_EQ(WriteSingleFilePage(Path("staff.kpv"), leftOut), GeneratePageStatus::Done);
    EXPECT_EQ(HtmlFileName + DecimalText(EntryCount("gfx")) + DecimalText(leftOut.size()),
              Path("staff.html") + "10");
    ASSERT_EQ(WriteChartPage(Path("plain/staff.kpv")), GeneratePageStatus::Done);
    Text page = Slurp(dir / "staff.html");
    for (const auto& image : fs::directory_iterator(dir / "plain" / "gfx")) {
        const Text uri = "data:image/gif;base64," + Base64Of(image.path()) + ">";
        for (size_t at; (at = page.find(uri)) != Text::npos;)
            page.replace(at, uri.size(), "gfx/" + image.path().filename().string() + ">");
    }
    EXPECT_EQ(page, Slurp(dir / "plain" / "staff.html"));
#endif
}

// A folder received from someone else may put anything under an image's name: only a regular
// file that is a GIF of at most 1 MiB travels in the page; anything else is named, and the
// built-in image goes in its place (a link to a private file: GenerateCommand).
TEST_F(WritePage, TheSingleFilePageTakesOnlySmallGifsFromGfx) {
    std::vector<LeftOutImage> leftOut;
    const std::vector<Text> builtIn = SingleFilePageLines(Path("none/"), leftOut);
    const fs::path image = dir / "gfx" / "strek_middlehori_tom.gif";
    const std::vector<std::pair<std::function<void()>, Text>> cases = {
        {[&] { Spit(image, "GIF87a" + Text((1 << 20) - 6, ';')); }, ""},
        {[&] { Spit(image, "GIF89a" + Text(1 << 20, ';')); }, "larger than 1 MiB"},
        {[&] { Spit(image, "GIF8a"); }, "not a GIF image"},
#ifndef _WIN32
        {[&] { mkfifo(image.c_str(), 0600); }, "not a regular file"},
#endif
        {[&] { fs::create_directory(image); }, "not a regular file"},
    };
    for (const auto& [makeImage, reason] : cases) {
        fs::remove_all(dir / "gfx"), fs::create_directory(dir / "gfx"), makeImage();
        leftOut.clear();
        const bool taken = SingleFilePageLines(ProgramDir, leftOut) != builtIn;
        EXPECT_EQ(DecimalText(taken) +
                      (leftOut.empty() ? "" : leftOut[0].path + ": " + leftOut[0].reason),
                  reason.empty() ? "1" : "0" + image.string() + ": " + reason);
    }
}
