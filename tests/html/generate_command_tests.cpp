// brondel-generate as a user runs it: its usage, each chart's page equal to the editor's, and
// charts that fail named with the editor's messages while the others go on.
#include "document/chart_file.h"
#include "html/picture.h"
#include "html_test.h"

#include <sys/stat.h>

using namespace htmltest;
using GenerateCommand = ScratchTest;

// "status|stdout|stderr" of brondel-generate run in folder, which leads PATH.
static Text Generate(const fs::path& folder, const Text& arguments) {
    const Text command = "cd " + folder.string() + " && PATH=" + folder.string() + ":$PATH " +
                         BRONDEL_GENERATE + " " + arguments + " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    return DecimalText(WEXITSTATUS(status)) + "|" + Slurp(folder / "out.txt") + "|" +
           Slurp(folder / "err.txt");
}

TEST_F(GenerateCommand, UsageErrorsAndHelp) {
    const Text usage = "usage: brondel-generate [--svg] [--html] [--single-file] [--open] "
                       "CHART.kpv [CHART.kpv ...]\n";
    EXPECT_EQ(Generate(dir, ""), "2||" + usage);
    EXPECT_EQ(Generate(dir, "--quiet a.kpv"),
              "2||brondel-generate: unknown option --quiet\n" + usage);
    EXPECT_EQ(Generate(dir, "-- --html"), "1||--html: not a .kpv chart file\n"); // a name after --
    const Text help = Generate(dir, "--help"); // each option and the exit statuses on a line
    EXPECT_TRUE(help.starts_with("0|" + usage) && help.ends_with("|")) << help;
    for (const char* line : {"  --svg", "  --html", "  --single-file", "  --open", "Exit status:"})
        EXPECT_NE(help.find("\n" + Text(line) + " "), Text::npos) << line;
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
    fs::create_directory(dir / "folder.kpv");
    mkfifo(Path("pipe.kpv").c_str(), 0600);
    const Text notLoaded = ": Could not load chart, already in use or unknown error? (";
    EXPECT_EQ(Generate(dir, "sub/./org.kpv missing.kpv header.kpv notes.kpv chart.txt " +
                                Path("LOUD.KPV") + " blocked.kpv folder.kpv pipe.kpv"),
              "1|" + Path("sub/org.html") + "\n" + Path("header.html") + "\n" + Path("LOUD.html") +
                  "\n|missing.kpv" + notLoaded +
                  "No such file or directory)\n"
                  "notes.kpv: This is not a valid .KPV file!\n"
                  "chart.txt: not a .kpv chart file\n"
                  "blocked.kpv: Could not generate chart. File already open or damaged?\n"
                  "folder.kpv" +
                  notLoaded + "Is a directory)\npipe.kpv" + notLoaded + "not a regular file)\n");
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
