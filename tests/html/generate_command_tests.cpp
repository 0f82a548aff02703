// brondel-generate as a user runs it: its usage, each chart's page equal to the editor's, and
// charts that fail named with the editor's messages while the others go on.
#include "document/chart_file.h"
#include "html/picture.h"
#include "html_test.h"
#ifdef _WIN32
#include "platform/windows_text.h"
#endif

using namespace htmltest;
using GenerateCommand = ScratchTest;

#ifdef _WIN32
// Lines end in CR LF on Windows; the cases are written with LF.
static Text LinesOf(const fs::path& file) {
    Text text = Slurp(file), lines;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool bareLf = text[i] == '\n' && (i == 0 || text[i - 1] != '\r');
        EXPECT_FALSE(bareLf) << "a line ended without CR";
        if (text[i] != '\r') lines += text[i];
    }
    return lines;
}

// "status|stdout|stderr" of brondel-generate run in folder, which leads PATH. The command line
// is a wide one, as Explorer and every shell of Windows give it.
static Text Generate(const fs::path& folder, const Text& arguments) {
    const Text command = "cd /d \"" + TextOfPath(folder) + "\" && set PATH=" + TextOfPath(folder) +
                         ";%PATH% && \"" BRONDEL_GENERATE "\" " + arguments + " >out.txt 2>err.txt";
    const int status = _wsystem(WideText(command).c_str());
    return DecimalText(status) + "|" + LinesOf(folder / "out.txt") + "|" +
           LinesOf(folder / "err.txt");
}
#else
// "status|stdout|stderr" of brondel-generate run in folder, which leads PATH.
static Text Generate(const fs::path& folder, const Text& arguments) {
    const Text command = "cd " + folder.string() + " && PATH=" + folder.string() + ":$PATH " +
                         BRONDEL_GENERATE + " " + arguments + " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    return DecimalText(WEXITSTATUS(status)) + "|" + Slurp(folder / "out.txt") + "|" +
           Slurp(folder / "err.txt");
}
#endif

TEST_F(GenerateCommand, UsageErrorsAndHelp) {
    const Text usage = "usage: brondel-generate [--svg] [--html] [--single-file] [--open] "
                       "CHART.kpv [CHART.kpv ...]\n";
    EXPECT_EQ(Generate(dir, ""), "2||" + usage);
    EXPECT_EQ(Generate(dir, "--quiet a.kpv"),
              "2||brondel-generate: unknown option --quiet\n" + usage);
    EXPECT_EQ(Generate(dir, "--help"), "0|" + usage + "|");
}

TEST_F(GenerateCommand, EachChartGivesTheEditorsPageAndFailuresAreNamed) {
    fs::create_directory(dir / "sub");
    fs::copy_file(GoldenPath("examples.kpv"), dir / "sub" / "org.kpv");
    fs::copy_file(GoldenPath("escaped.kpv"), dir / "LOUD.KPV");
    fs::copy_file(GoldenPath("empty.kpv"), dir / "blocked.kpv");
    fs::create_directory(dir / "blocked.html");
    Spit(dir / "header.kpv", "[kpvv10]\r\n"); // a chart with nothing in it
    Spit(dir / "notes.kpv", "just some notes\r\n");
    Spit(dir / "chart.txt", "[KPVV10]\r\n");
    EXPECT_EQ(Generate(dir, "sub/./org.kpv missing.kpv header.kpv notes.kpv chart.txt " +
                                Path("LOUD.KPV") + " blocked.kpv"),
              "1|" + Path("sub/org.html") + "\n" + Path("header.html") + "\n" + Path("LOUD.html") +
                  "\n|missing.kpv: Could not load chart, already in use or unknown error?\n"
                  "notes.kpv: This is not a valid .KPV file!\n"
                  "chart.txt: not a .kpv chart file\n"
                  "blocked.kpv: Could not generate chart. File already open or damaged?\n");
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
