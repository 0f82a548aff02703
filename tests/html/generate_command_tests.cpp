// brondel-generate as a user runs it: usage errors, pages that equal the editor's, relative
// names taken from the folder it was started in, several charts in one call where some fail,
// and --open handing each page to the desktop.
#include "document/chart_file.h"
#include "html_test.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>

using namespace htmltest;

namespace {

struct Outcome {
    int status = -1;
    Text out, err;
};

class GenerateCommandTest : public HtmlTest {
  protected:
    // Runs brondel-generate in folder cwd; env entries "NAME=value" are added to its environment.
    Outcome Generate(const fs::path& cwd, const std::vector<Text>& args,
                     const std::vector<Text>& env = {}) {
        fs::path capture = dir / "capture";
        fs::create_directories(capture);
        fs::path out = capture / "out", err = capture / "err";
        pid_t pid = fork();
        if (pid == 0) {
            if (chdir(cwd.c_str()) != 0) _exit(126);
            int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(o, 1);
            dup2(e, 2);
            for (const Text& entry : env) putenv(strdup(entry.c_str()));
            std::vector<char*> argv = {const_cast<char*>(BRONDEL_GENERATE)};
            for (const Text& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            execv(BRONDEL_GENERATE, argv.data());
            _exit(127);
        }
        Outcome run;
        int status = 0;
        waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = Slurp(out);
        run.err = Slurp(err);
        return run;
    }
    void CopyGolden(const Text& name, const fs::path& to) {
        fs::create_directories(to.parent_path());
        fs::copy_file(GoldenPath(name + ".kpv"), to, fs::copy_options::overwrite_existing);
    }
};

TEST_F(GenerateCommandTest, UsageErrorsAndHelp) {
    Outcome none = Generate(dir, {});
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "usage: brondel-generate [--svg] [--html] [--single-file] [--open] CHART.kpv [CHART.kpv ...]\n");

    EXPECT_EQ(Generate(dir, {"--open"}).status, 2);

    Outcome unknown = Generate(dir, {"--quiet", "a.kpv"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("--quiet"), Text::npos);
    EXPECT_NE(unknown.err.find("usage: brondel-generate"), Text::npos);

    Outcome help = Generate(dir, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, "usage: brondel-generate [--svg] [--html] [--single-file] [--open] CHART.kpv [CHART.kpv ...]\n");
    EXPECT_EQ(help.err, "");
    EXPECT_FALSE(fs::exists(dir / "a.html"));
}

TEST_F(GenerateCommandTest, RelativeNameGivesTheEditorsPage) {
    CopyGolden("examples", dir / "sub" / "org.kpv");
    Outcome run = Generate(dir, {"sub/./org.kpv"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, (dir / "sub" / "org.html").string() + "\n");
    EXPECT_EQ(Slurp(dir / "sub" / "org.html"), Slurp(GoldenPath("examples.html")));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "sub" / "gfx"), {}), 34);
    // The same chart generated in this process, as the editor would, gives the same bytes.
    ClearChart();
    ChartFileName = (dir / "sub" / "same.kpv").string();
    fs::copy_file(dir / "sub" / "org.kpv", ChartFileName);
    ASSERT_EQ(ReadChartFile(ChartFileName), ChartFileStatus::Done);
    ASSERT_EQ(WriteChartPage(ChartFileName), GeneratePageStatus::Done);
    EXPECT_EQ(Slurp(HtmlFileName), Slurp(dir / "sub" / "org.html"));
}

TEST_F(GenerateCommandTest, SeveralChartsGoOnPastFailures) {
    CopyGolden("connectors_1", dir / "first.kpv");
    Spit(dir / "header.kpv", "[kpvv10]\r\n"); // a chart with nothing in it
    Spit(dir / "notes.kpv", "just some notes\r\n");
    Spit(dir / "chart.txt", "[KPVV10]\r\n");
    CopyGolden("escaped", dir / "LOUD.KPV");
    CopyGolden("empty", dir / "blocked.kpv");
    fs::create_directory(dir / "blocked.html");

    Outcome run = Generate(dir, {"first.kpv", "missing.kpv", "header.kpv", "notes.kpv", "chart.txt",
                                 (dir / "LOUD.KPV").string(), "blocked.kpv"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, (dir / "first.html").string() + "\n" + (dir / "header.html").string() +
                           "\n" + (dir / "LOUD.html").string() + "\n");
    EXPECT_EQ(run.err, "missing.kpv: Could not load chart, already in use or unknown error?\n"
                       "notes.kpv: This is not a valid .KPV file!\n"
                       "chart.txt: not a .kpv chart file\n"
                       "blocked.kpv: Could not generate chart. File already open or damaged?\n");
    EXPECT_EQ(Slurp(dir / "first.html"), Slurp(GoldenPath("connectors_1.html")));
    EXPECT_EQ(Slurp(dir / "LOUD.html"), Slurp(GoldenPath("escaped.html")));
    // Each chart starts from an empty Chart: nothing of the one before shows in its page.
    EXPECT_EQ(Slurp(dir / "header.html"), Slurp(GoldenPath("empty.html")));
    EXPECT_FALSE(fs::exists(dir / "notes.html"));
    EXPECT_FALSE(fs::exists(dir / "chart.html"));
    EXPECT_TRUE(fs::is_directory(dir / "blocked.html"));
}

TEST_F(GenerateCommandTest, OpenHandsEachWrittenPageToTheDesktop) {
    // A stand-in desktop opener on PATH that records what it is asked to open.
    fs::path bin = dir / "bin", log = dir / "opened.log";
    fs::create_directories(bin);
    Spit(bin / "xdg-open", "#!/bin/sh\necho \"$1\" >> \"$OPENED_LOG\"\n");
    fs::permissions(bin / "xdg-open", fs::perms::owner_all);
    CopyGolden("empty", dir / "one.kpv");
    CopyGolden("examples", dir / "two words.kpv");
    const std::vector<Text> env = {"PATH=" + bin.string() + ":/usr/bin:/bin",
                                   "OPENED_LOG=" + log.string()};

    Outcome quiet = Generate(dir, {"one.kpv"}, env);
    EXPECT_EQ(quiet.status, 0);
    EXPECT_FALSE(fs::exists(log));

    Outcome run = Generate(dir, {"--open", "one.kpv", "missing.kpv", "two words.kpv"}, env);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(Slurp(log), "file://" + (dir / "one.html").string() + "\n" + "file://" +
                              (dir / "two%20words.html").string() + "\n");
}

} // namespace
