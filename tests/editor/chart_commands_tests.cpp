// The command bar, the popup menu and the settings file: every question and message (their
// texts are in golden/), Save and Load through the requesters with the window title they
// leave, the page that Generate Chart writes and opens, and the chart remembered from one run
// to the next.
#include "editor_test.h"

#include "document/chart_file.h"
#include "html/page.h"
#include "platform/start_program.h"

#include <QApplication>
#include <QMenu>

#include <ctime>

using testsupport::Slurp;

TEST_F(EditorTest, AboutPopupMenuAndTheQuestionsBeforeErasingOrEnding) {
    Text menu;
    Script script;
    script.ClickGadget(293).AnswerMessage(IDOK).RightClick(204).Call([&] {
        for (QAction* item : QApplication::activePopupWidget()->actions())
            menu += (item->isSeparator() ? "----" : item->text().toStdString()) + "\n";
    });
    script.ChoosePopupItem(2).Call([] {
        EXPECT_EQ(WindowHandle(BoxEditorWindow), 0);
        EXPECT_EQ(ReadGadgetText(SwapIndicator), "Swap OFF");
        SetBox(202, {"Keep"}, {1, 2, 3});
        HConnector[12] = 1;
        ChartFileName = "/x/a.kpv";
        SetWindowCaption(MainWindow, "loaded");
        RefreshChart();
    });
    script.ClickGadget(NewButton).AnswerMessage(IDNO).Call([] {
        EXPECT_EQ(Line1[202] + ChartFileName + WindowCaption(MainWindow), "Keep/x/a.kpvloaded");
    });
    script.ClickGadget(NewButton).AnswerMessage(IDYES).Call([] {
        EXPECT_EQ(Line1[202] + ChartFileName, "");
        EXPECT_EQ(ReadGadgetState(12) + HConnector[12], 0);
        EXPECT_EQ(WindowCaption(MainWindow), WindowTitle);
    });
    script.ClickGadget(ExitButton).AnswerMessage(IDNO).Call([&] {
        EXPECT_FALSE(fs::exists(settings));
        EXPECT_EQ(CurrentBox, ExitButton);
    });
    script.CloseWindow(MainWindow).AnswerMessage(IDYES);
    EXPECT_EQ(RunEditor(script), 0);

    EXPECT_EQ(menu, "Swap Contents (F1)\n----\nUsage: Choose 'Swap Contents' above. Then click on "
                    "first box, and then on second box. Contens will be swapped.\n");
    EXPECT_EQ(WindowTitle, "Brondel 2004 v1.0 - (Minimum 1024x768 resolution)");
    char today[16];
    const std::time_t now = std::time(nullptr);
    std::strftime(today, sizeof today, "%d/%m-%Y", std::localtime(&now));
    EXPECT_EQ(CompiledText, "(Compiled: " + Text(today) + ")");
    Text asked = Asked(script);
    asked.replace(asked.find(CompiledText), CompiledText.size(), "(Compiled: dd/mm-yyyy)");
    EXPECT_TRUE(MatchesGolden(asked, Golden("about_new_exit.txt")));
    EXPECT_EQ(Slurp(settings),
              "[KPVV10]\r\n;Brondel file.\r\n[Common Settings]\r\nLast Project = \r\n");
}

TEST_F(EditorTest, SaveAndLoadThroughTheRequesters) {
    SetBox(210, {"", "Loaded"}, {200, 0, 0}, "000100");
    VConnector[95] = 1;
    ASSERT_EQ(WriteChartFile(Path("a.kpv")), ChartFileStatus::Done);
    testsupport::Spit(folder / "plain.kpv", "[Other]\r\nL1-202 = no\r\n");
    Script script;
    // The last vertical Connector's check box, ticked where no click reports it, is read back
    // by Save Chart.
    script.Call([] { SetBox(202, {"Sales"}, {1, 2, 3}), WriteGadgetState(180, 1); });
    script.ClickGadget(12).ClickGadget(SaveButton).AnswerSave(Path("org.txt")).Call([&] {
        EXPECT_EQ(ChartFileName, Path("org.kpv"));
        EXPECT_EQ(WindowCaption(MainWindow), WindowTitle);
    });
    script.ClickGadget(LoadButton).AnswerOpen(Path("absent.kpv")).AnswerMessage(IDOK);
    script.ClickGadget(LoadButton).AnswerOpen(Path("plain.txt")).AnswerMessage(IDOK).Call([] {
        EXPECT_EQ(Line1[202] + WindowCaption(MainWindow), "Sales" + WindowTitle);
    });
    script.ClickGadget(LoadButton).AnswerOpen(Path("a.kpv")).Call([] {
        EXPECT_EQ(Line2[210] + StyleCode(210, 2), "Loaded100");
        EXPECT_EQ(ReadGadgetState(95) + ReadGadgetState(180), 1);
    });
    // A Save after a Load keeps the loaded chart's path in the title.
    script.ClickGadget(SaveButton).AnswerSave(Path("b.kpv"));
    script.ClickGadget(SaveButton).AnswerSave(Path("missing/c.kpv")).AnswerMessage(IDOK).Call([&] {
        EXPECT_EQ(ChartFileName, Path("missing/c.kpv"));
        EXPECT_EQ(WindowCaption(MainWindow), WindowTitle + "  -  " + Path("a.kpv"));
    });
    script.ClickGadget(SaveButton).AnswerSave("").Call([] { EXPECT_EQ(ChartFileName, ""); });
    script.Quit();
    RunEditor(script);
    EXPECT_TRUE(MatchesGolden(Asked(script), Golden("save_and_load.txt")));
    const Text saved = Slurp(folder / "org.kpv");
    for (const Text line : {"L1-202 = Sales", "H-12 = 1", "V-180 = 1", "V-95 = 0"})
        EXPECT_NE(saved.find("\r\n" + line + "\r\n"), Text::npos) << line;
    EXPECT_NE(Slurp(folder / "b.kpv").find("\r\nL2-210 = Loaded\r\n"), Text::npos);
}

TEST_F(EditorTest, TheChartOfTheLastRunChoosesTheRequestersFolder) {
    Script first, second;
    first.ClickGadget(SaveButton)
        .AnswerSave(Path("kept.kpv"))
        .ClickGadget(ExitButton)
        .AnswerMessage(IDYES);
    RunEditor(first);
    EXPECT_NE(Slurp(settings).find("\r\nLast Project = " + Path("kept.kpv") + "\r\n"), Text::npos);
    second.ClickGadget(LoadButton).AnswerOpen("").Quit();
    RunEditor(second);
    EXPECT_EQ(second.Requests().at(0).defaultFile, folder.string() + "/");
}

// The page is written beside the chart and handed to the desktop, whose refusal is not the
// generator's to report; without a chart file, or where the page cannot be written, a message.
TEST_F(EditorTest, GenerateWritesThePageBesideTheChartAndOpensIt) {
    std::vector<Text> opened;
    SetDesktopOpener([&](const Text& file, const Text&) { return opened.push_back(file), false; });
    Text page;
    Script script;
    script.ClickGadget(GenerateButton).AnswerMessage(IDOK).Call([] {
        SetBox(188, {"Top"}, {1, 2, 3});
    });
    script.ClickGadget(SaveButton).AnswerSave(Path("org.kpv"));
    script.ClickGadget(GenerateButton).Call([&] { page = BuildChartPage(); });
    script.ClickGadget(SaveButton).AnswerSave(Path("gone/org.kpv")).AnswerMessage(IDOK);
    script.ClickGadget(GenerateButton).AnswerMessage(IDOK).Quit();
    RunEditor(script);
    SetDesktopOpener(nullptr);
    EXPECT_EQ(opened, std::vector<Text>{Path("org.html")});
    EXPECT_EQ(Slurp(folder / "org.html"), page);
    EXPECT_TRUE(MatchesGolden(Asked(script), Golden("generate.txt")));
}
