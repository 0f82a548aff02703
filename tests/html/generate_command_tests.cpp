// brondel-generate as a user runs it: its usage, each chart's page equal to the editor's, and
// charts that fail named with the editor's messages while the others go on.
#include "document/chart_file.h"
#include "html/picture.h"
#include "html_test.h"
#ifdef _WIN32
#include "system/text_windows.h"
#endif

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace htmltest;
using GenerateCommand = ScratchTest;

// The file's lines as the cases write them, ended by LF; on Windows every line ends in CR LF.
static Text LinesOf(const fs::path& file) {
    Text text = Slurp(file);
#ifdef _WIN32
    size_t crlf = 0;
    for (size_t at = 0; (at = text.find("\r\n", at)) != Text::npos; at += 2) ++crlf;
    EXPECT_EQ(crlf, size_t(std::count(text.begin(), text.end(), '\n'))) << "a line without CR";
    std::erase(text, '\r');
#endif
    return text;
}

// "status|stdout|stderr" of brondel-generate run in folder, which leads PATH. On Windows the
// command line is a wide one, as Explorer and every shell of Windows give it.
static Text Generate(const fs::path& folder, const Text& arguments) {
    const Text in = TextOfPath(folder), redirected = " >out.txt 2>err.txt";
#ifdef _WIN32
    const int status =
        _wsystem(WideText("cd /d \"" + in + "\" && set PATH=" + in + ";%PATH% && \"" +
                          BRONDEL_GENERATE + "\" " + arguments + redirected)
                     .c_str());
#else
    const int status = WEXITSTATUS(std::system(("cd " + in + " && PATH=" + in + ":$PATH " +
                                                BRONDEL_GENERATE + " " + arguments + redirected)
                                                   .c_str()));
#endif
    return DecimalText(status) + "|" + LinesOf(folder / "out.txt") + "|" +
           LinesOf(folder / "err.txt");
}

TEST_F(GenerateCommand, UsageErrorsAndHelp) {
    const Text usage = "usage: brondel-generate [--svg] [--html] [--single-file] [--open] "
                       "CHART.kpv [CHART.kpv ...]\n";
    EXPECT_EQ(Generate(dir, ""), "2||" + usage);
    EXPECT_EQ(Generate(dir, "--quiet a.kpv"),
              "2||brondel-generate: unknown option --quiet\n" + usage);
    EXPECT_EQ(Generate(dir, "missing.kpv"), "1||missing.kpv: Could not load chart, already in use "
                                            "or unknown error? (No such file or directory)\n");
    EXPECT_EQ(Generate(dir, "-- --html"), "1||--html: not a .kpv chart file\n"); // a name after --
    const Text help = Generate(dir, "--help"); // each option and the exit statuses on a line
    EXPECT_TRUE(help.starts_with("0|" + usage) && help.ends_with("|")) << help;
    for (const char* line : {"  --svg", "  --html", "  --single-file", "  --open", "Exit status:"})
        EXPECT_NE(help.find("\n" + Text(line) + " "), Text::npos) << line;
}

TEST_F(GenerateCommand, EachChartGivesTheEditorsPageAndFailuresAreNamed) {
    fs::create_directories(dir / "sub" / "deep");
    fs::copy_file(GoldenPath("examples.kpv"), dir / "sub" / "org.kpv");
    fs::copy_file(GoldenPath("escaped.kpv"), dir / "LOUD.KPV");
    fs::copy_file(GoldenPath("empty.kpv"), dir / "blocked.kpv");
    fs::create_directory(dir / "blocked.html");
    Spit(dir / "header.kpv", "[kpvv10]\r\n"); // a chart with nothing in it
    Spit(dir / "notes.kpv", "just some notes\r\n");
    Spit(dir / "chart.txt", "[KPVV10]\r\n");
    fs::create_directory(dir / "folder.kpv");
    const Text notLoaded = ": Could not load chart, already in use or unknown error? (";
#ifdef _WIN32 // no symbolic links or named pipes under Wine
    const Text org = "sub/./org.kpv", pipe, pipeFailed;
#else
    fs::create_directory_symlink(dir / "sub" / "deep", dir / "lnk"); // lnk/.. is sub, as the
    mkfifo(Path("pipe.kpv").c_str(), 0600);                          // system takes it
    const Text org = "lnk/.././org.kpv", pipe = " pipe.kpv",
               pipeFailed = "pipe.kpv" + notLoaded + "not a regular file)\n";
#endif
    EXPECT_EQ(Generate(dir, org + " missing.kpv header.kpv notes.kpv chart.txt " +
                                Path("LOUD.KPV") + " blocked.kpv folder.kpv" + pipe),
              "1|" + Path("sub/org.html") + "\n" + Path("header.html") + "\n" + Path("LOUD.html") +
                  "\n|missing.kpv" + notLoaded +
                  "No such file or directory)\n"
                  "notes.kpv: This is not a valid .KPV file!\n"
                  "chart.txt: not a .kpv chart file\n"
                  "blocked.kpv: Could not generate chart. File already open or damaged?\n"
                  "folder.kpv" +
                  notLoaded + "Is a directory)\n" + pipeFailed);
    EXPECT_EQ(Slurp(dir / "sub" / "org.html"), Slurp(GoldenPath("examples.html")));
    // Each chart starts from an empty Chart: nothing of the one before shows in its page.
    EXPECT_EQ(Slurp(dir / "header.html"), Slurp(GoldenPath("empty.html")));
    EXPECT_FALSE(fs::exists(dir / "notes.html") || fs::exists(dir / "chart.html"));
}

TEST_F(GenerateCommand, TheSvgPictureBesideTheChartOrItsFailureNamed) {
    fs::copy_file(GoldenPath("examples.kpv"), dir / "org.kpv");
    fs::copy_file(GoldenPath("examples.kpv"), dir / "blocked.kpv");
    fs::create_directory(dir / "blocked.svg");
    EXPECT_EQ(Generate(dir, "--svg org.kpv blocked.kpv"),
              "1|" + Path("org.svg") +
                  "\n|blocked.kpv: Could not generate chart. File already open or damaged?\n");
    ASSERT_EQ(ReadChartFile(Path("org.kpv")), ChartFileStatus::Done);
    EXPECT_EQ(Slurp(dir / "org.svg"), BuildChartPicture().svg);
    EXPECT_FALSE(fs::exists(dir / "org.html"));
}

// --open says on stderr when no program could open the page, and leaves the status alone (the
// opener returning in time: tests/platform); a file of gfx/ that may not travel in a
// single-file page is named, and left out.
TEST_F(GenerateCommand, OpenAndSingleFileSayWhatTheyCouldNotDo) {
#ifdef _WIN32
    GTEST_SKIP() << "a stand-in xdg-open and a symbolic link: POSIX only (the Windows opener: "
                    "windows_files_tests.cpp)";
#else
    fs::copy_file(GoldenPath("examples.kpv"), dir / "a.kpv");
    fs::create_directory(dir / "gfx");
    Spit(dir / "secret", "private");
    fs::create_symlink(dir / "secret", dir / "gfx" / "strek_middlehori_tom.gif");
    Spit(dir / "xdg-open", "#!/bin/sh\nexit 4\n");
    fs::permissions(dir / "xdg-open", fs::perms::owner_all);
    EXPECT_EQ(Generate(dir, "--open --single-file a.kpv"),
              "0|" + Path("a.html") + "\n|" + Path("gfx/strek_middlehori_tom.gif") +
                  ": not a GIF image, the built-in image is used instead\nThe chart page was "
                  "written to " +
                  Path("a.html") + ", but no program could open it.\n");
    EXPECT_EQ(Slurp(dir / "a.html").find("cHJpdmF0ZQ=="), Text::npos); // "private" in base64
#endif
}

// Names in the Latin, Cyrillic and Han scripts, as typed: each chart read, its page written
// beside it and named on standard output.
TEST_F(GenerateCommand, NamesInEveryScript) {
    Text expected = "0|";
    for (const Text name : {"\xC3\x86r\xC3\xB8", "\xD0\x9A\xD0\xB0\xD0\xB4\xD1\x80\xD1\x8B",
                            "\xE5\x9B\xB3\xE8\xA1\xA8"}) {
        fs::copy_file(GoldenPath("examples.kpv"), PathOfText(Path(name + ".kpv")));
        expected += Path(name + ".html") + "\n";
    }
    EXPECT_EQ(Generate(dir, "\xC3\x86r\xC3\xB8.kpv \xD0\x9A\xD0\xB0\xD0\xB4\xD1\x80\xD1\x8B.kpv "
                            "\xE5\x9B\xB3\xE8\xA1\xA8.kpv"),
              expected + "|");
    EXPECT_TRUE(Slurp(PathOfText(Path("\xE5\x9B\xB3\xE8\xA1\xA8.html"))) ==
                Slurp(GoldenPath("examples.html")));
}
