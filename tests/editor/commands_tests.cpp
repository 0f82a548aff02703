// The editor run whole (start-up, the loop and its dispatch) by a scripted user: the command
// bar with its questions answered both ways, Load and Save through the requesters, F1 and the
// popup menu, and the settings file written at exit and read at the next start.
#include "document/chart_file.h"
#include "chart/chart.h"
#include "editor/editor.h"
#include "harness.h"
#include "platform/files.h"
#include "platform/gui.h"

#include "test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using testsupport::Slurp;

class CommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ReleaseAll();
        folder = fs::temp_directory_path() / ("brondel-commands-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        settings = fs::path(ProgramDir) / "Brondel.ini";
        fs::remove(settings);
        ClearChart();
        LastProject.clear();
    }
    void TearDown() override {
        fs::remove_all(folder);
        fs::remove(settings);
    }
    // Runs the whole editor, as started from its command line, with the script as its user.
    int RunEditor(Script& script) {
        int status = -1;
        script.Run([&] {
            char name[] = "brondel";
            char* argv[] = {name, nullptr};
            status = RunBrondel(1, argv);
        });
        return status;
    }
    Text Path(const char* name) const { return (folder / name).string(); }

    fs::path folder, settings;
};

RequesterCall Message(const Text& caption, const Text& text, uint32_t flags) {
    return {"message", caption, text, "", "", flags};
}

void ExpectCall(const RequesterCall& actual, const RequesterCall& expected) {
    EXPECT_EQ(actual.kind, expected.kind);
    EXPECT_EQ(actual.caption, expected.caption);
    EXPECT_EQ(actual.text, expected.text);
    EXPECT_EQ(actual.defaultFile, expected.defaultFile);
    EXPECT_EQ(actual.pattern, expected.pattern);
    EXPECT_EQ(actual.flags, expected.flags);
}

const RequesterCall ExitQuestion = Message("Question", "Do you really want to exit?", 36);

} // namespace

TEST_F(CommandsTest, ExitAnsweredNoGoesOnAndYesWritesTheSettingsFile) {
    Script script;
    script.ClickGadget(299)
        .AnswerMessage(IDNO)
        .Call([&] { EXPECT_FALSE(fs::exists(settings)); })
        .CloseWindow(MainWindow)
        .AnswerMessage(IDYES);
    EXPECT_EQ(RunEditor(script), 0);
    ASSERT_EQ(script.Requests().size(), 2u);
    ExpectCall(script.Requests()[0], ExitQuestion);
    ExpectCall(script.Requests()[1], ExitQuestion);
    EXPECT_EQ(Slurp(settings),
              "[KPVV10]\r\n;Brondel file.\r\n[Common Settings]\r\nLast Project = \r\n");
}

TEST_F(CommandsTest, AboutShowsTheTitleTheStartDateAndTheUsage) {
    Script script;
    script.ClickGadget(293).AnswerMessage(IDOK).ClickGadget(299).AnswerMessage(IDYES);
    RunEditor(script);
    ASSERT_GE(script.Requests().size(), 1u);
    const RequesterCall& about = script.Requests()[0];
    EXPECT_EQ(about.caption, "Information");
    EXPECT_EQ(about.flags, 64u);
    EXPECT_EQ(WindowTitle, "Brondel 2004 v1.0 - (Minimum 1024x768 resolution)");
    EXPECT_EQ(about.text.rfind(WindowTitle + "  " + CompiledText + "\n" +
                                   "Suitable for designing HTML charts for Web or Powerpoint\n\n",
                               0),
              0u);
    EXPECT_NE(about.text.find("\nUsage:\n" + Text(105, '-') + "\n1: Design Chart And Save Chart\n"),
              Text::npos);
    EXPECT_NE(about.text.find("7: Done!\n\nTip: Pressing F1 will activate swap mode.\n"),
              Text::npos);
    // The web address closes the text, spaced out after 16 spaces.
    EXPECT_NE(about.text.find("\n\n" + Text(16, ' ') + "h t t p s : / /"), Text::npos);
    ASSERT_EQ(CompiledText.size(), Text("(Compiled: 06/12-2026)").size());
    EXPECT_EQ(CompiledText.rfind("(Compiled: ", 0), 0u);
}

TEST_F(CommandsTest, NewChartErasesOnlyAfterYes) {
    Script script;
    script
        .Call([] {
            Line1[202] = "Keep";
            HConnector[12] = 1;
            ChartFileName = "/x/a.kpv";
            SetWindowCaption(MainWindow, WindowTitle + "  -  /x/a.kpv");
            RefreshChart();
        })
        .ClickGadget(294)
        .AnswerMessage(IDNO)
        .Call([] {
            EXPECT_EQ(Line1[202], "Keep");
            EXPECT_EQ(ReadGadgetState(12), 1);
        })
        .ClickGadget(294)
        .AnswerMessage(IDYES)
        .Call([] {
            EXPECT_TRUE(Line1[202].empty());
            EXPECT_EQ(HConnector[12], 0);
            EXPECT_EQ(ReadGadgetState(12), 0);
            EXPECT_TRUE(ChartFileName.empty());
            EXPECT_EQ(WindowCaption(MainWindow), WindowTitle);
        })
        .Quit();
    RunEditor(script);
    ExpectCall(script.Requests().at(0),
               Message("Question", "Do you really want to erase all and start a new chart?", 36));
}

TEST_F(CommandsTest, SaveForcesTheExtensionAndKeepsTheTitle) {
    Script script;
    script.Call([] { Line1[202] = "Sales"; })
        .ClickGadget(12) // tick horizontal Connector 12 on screen
        .ClickGadget(296)
        .AnswerSave(Path("org.txt"))
        .Call([&] {
            EXPECT_EQ(ChartFileName, Path("org.kpv"));
            EXPECT_EQ(LastProjectDir, folder.string() + "/");
            EXPECT_EQ(WindowCaption(MainWindow), WindowTitle);
        })
        .Quit();
    RunEditor(script);
    ExpectCall(script.Requests().at(0),
               {"save", "Save Chart...", "", "", "Brondel (*.KPV)|*.kpv", 0});
    const Text saved = Slurp(folder / "org.kpv");
    EXPECT_NE(saved.find("\r\nL1-202 = Sales\r\n"), Text::npos);
    EXPECT_NE(saved.find("\r\nH-12 = 1\r\n"), Text::npos);
    EXPECT_FALSE(fs::exists(folder / "org.txt"));
}

TEST_F(CommandsTest, SaveThatCannotCreateItsFileSaysSoAndKeepsThePath) {
    Script script;
    script.ClickGadget(296)
        .AnswerSave(Path("missing/org.kpv"))
        .AnswerMessage(IDOK)
        .Call([&] { EXPECT_EQ(ChartFileName, Path("missing/org.kpv")); })
        .ClickGadget(296)
        .AnswerSave("")
        .Call([] { EXPECT_TRUE(ChartFileName.empty()); })
        .Quit();
    RunEditor(script);
    ASSERT_EQ(script.Requests().size(), 3u);
    ExpectCall(script.Requests()[1],
               Message("Error!", "Could not save chart, already in use?", 16));
}

TEST_F(CommandsTest, LoadSetsTheChartTheCheckBoxesAndTheTitle) {
    Line2[210] = "Loaded";
    Bold2[210] = 1;
    Red[210] = 200;
    VConnector[95] = 1;
    ASSERT_EQ(WriteChartFile(Path("a.kpv")), ChartFileStatus::Done);
    ClearChart();

    Script script;
    script.ClickGadget(295)
        .AnswerOpen(Path("a.kpv"))
        .Call([&] {
            EXPECT_EQ(Line2[210], "Loaded");
            EXPECT_EQ(Bold2[210], 1);
            EXPECT_EQ(Red[210], 200);
            EXPECT_EQ(ReadGadgetState(95), 1);
            EXPECT_EQ(ChartFileName, Path("a.kpv"));
            EXPECT_EQ(WindowCaption(MainWindow), WindowTitle + "  -  " + Path("a.kpv"));
        })
        .Quit();
    RunEditor(script);
    ExpectCall(script.Requests().at(0),
               {"open", "Load Chart...", "", "", "Brondel (*.KPV)|*.kpv", 0});
}

TEST_F(CommandsTest, LoadFailuresLeaveTheChartAndTitleAlone) {
    std::ofstream(folder / "plain.kpv") << "[Other]\r\nL1-202 = no\r\n";
    Script script;
    script.Call([] { Line1[202] = "Before"; })
        .ClickGadget(295)
        .AnswerOpen(Path("absent.kpv"))
        .AnswerMessage(IDOK)
        .ClickGadget(295)
        .AnswerOpen(Path("plain.txt")) // the extension rule turns it into plain.kpv
        .AnswerMessage(IDOK)
        .Call([&] {
            EXPECT_EQ(Line1[202], "Before");
            EXPECT_EQ(ChartFileName, Path("plain.kpv"));
            EXPECT_EQ(WindowCaption(MainWindow), WindowTitle);
        })
        .Quit();
    RunEditor(script);
    ASSERT_EQ(script.Requests().size(), 4u);
    ExpectCall(script.Requests()[1],
               Message("Error!", "Could not load chart, already in use or unknown error?", 16));
    ExpectCall(script.Requests()[3], Message("Error!", "This is not a valid .KPV file!", 16));
}

TEST_F(CommandsTest, TheLastProjectOfTheSettingsFileChoosesTheRequestersFolder) {
    Script first;
    first.ClickGadget(296).AnswerSave(Path("kept.kpv")).ClickGadget(299).AnswerMessage(IDYES);
    RunEditor(first);
    EXPECT_NE(Slurp(settings).find("Last Project = " + Path("kept.kpv") + "\r\n"), Text::npos);

    ClearChart();
    Script second;
    second.ClickGadget(295).AnswerOpen("").ClickGadget(296).AnswerSave("").Quit();
    RunEditor(second);
    EXPECT_EQ(LastProject, Path("kept.kpv"));
    ASSERT_EQ(second.Requests().size(), 2u);
    EXPECT_EQ(second.Requests()[0].defaultFile, folder.string() + "/");
    EXPECT_EQ(second.Requests()[1].defaultFile, folder.string() + "/");
}

TEST_F(CommandsTest, GenerateWithoutAChartAsksForOneFirst) {
    Script script;
    script.ClickGadget(298).AnswerMessage(IDOK).Quit();
    RunEditor(script);
    ExpectCall(script.Requests().at(0),
               Message("Error!", "You need to LOAD or SAVE a CHART first!", 0));
}

TEST_F(CommandsTest, EveryGadgetEventSetsCurrentBoxAndConnectorClicksReachTheChart) {
    Script script;
    script.ClickGadget(97)
        .Call([] {
            EXPECT_EQ(CurrentBox, 97);
            EXPECT_EQ(VConnector[97], 1);
        })
        .ClickGadget(297)
        .Call([] {
            EXPECT_EQ(CurrentBox, 297);
            EXPECT_EQ(ReadGadgetState(97), 1);
        })
        .Quit();
    RunEditor(script);
}

TEST_F(CommandsTest, F1AndThePopupMenuStartSwapModeAndItem2DoesNothing) {
    Script script;
    script
        .Call([] {
            Line1[202] = "A";
            Line1[203] = "B";
        })
        .PressF1()
        .Call([] { EXPECT_EQ(ReadGadgetText(SwapIndicator), "Swap ON"); })
        .ClickGadget(202)
        .ClickGadget(203)
        .Call([] {
            EXPECT_EQ(Line1[202], "B");
            EXPECT_EQ(ReadGadgetText(SwapIndicator), "Swap OFF");
        })
        .RightClick(204) // over a Box: the menu, not the box editor
        .ChoosePopupItem(2)
        .Call([] {
            EXPECT_EQ(WindowHandle(BoxEditorWindow), 0);
            EXPECT_EQ(ReadGadgetText(SwapIndicator), "Swap OFF");
        })
        .RightClick(204)
        .ChoosePopupItem(1)
        .Call([] { EXPECT_EQ(ReadGadgetText(SwapIndicator), "Swap ON"); })
        .ClickGadget(202)
        .ClickGadget(203)
        .Call([] { EXPECT_EQ(Line1[202], "A"); })
        .Quit();
    RunEditor(script);
}

TEST_F(CommandsTest, AClickOnABoxOpensTheBoxEditorAndItsOkReturnsToTheLoop) {
    Script script;
    script.ClickGadget(195)
        .Call([] {
            EXPECT_NE(WindowHandle(BoxEditorWindow), 0);
            EXPECT_EQ(NarrowRowEdit, 1);
            EXPECT_EQ(TextDropY, 3);
        })
        .TypeText(302, "Title")
        .ClickGadget(322)
        .Call([] {
            EXPECT_EQ(WindowHandle(BoxEditorWindow), 0);
            EXPECT_EQ(Line1[195], "Title");
            EXPECT_EQ(NarrowRowEdit, 0);
        })
        .Quit();
    RunEditor(script);
}
