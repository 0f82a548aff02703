// The command bar, the popup menu and the settings file: every question and message, Save and
// Load through the requesters with the window title they leave, the page that Generate Chart
// writes and opens, and the chart remembered from one run to the next. What the user saw is
// logged and compared with golden/.
#include "editor_test.h"

#include "document/chart_file.h"
#include "html/page.h"
#include "platform/start_program.h"

#include <QApplication>
#include <QMenu>

#include <ctime>

using testsupport::Slurp;

namespace {

// The main window's title and the chart file's name as they are now.
Text Now() { return "title " + WindowCaption(MainWindow) + " | chart " + ChartFileName + "\n"; }

} // namespace

TEST_F(EditorTest, AboutPopupMenuAndTheQuestionsBeforeErasingOrEnding) {
    Text seen;
    const auto note = [&seen] { seen += Now(); };
    Script script;
    script.ClickGadget(293).AnswerMessage(IDOK).RightClick(204).Call([&] {
        for (QAction* item : QApplication::activePopupWidget()->actions())
            seen += "menu | " + (item->isSeparator() ? "----" : item->text().toStdString()) + "\n";
    });
    script.ChoosePopupItem(2).Call([] {
        EXPECT_EQ(WindowHandle(BoxEditorWindow), 0);
        EXPECT_EQ(ReadGadgetText(SwapIndicator), "Swap OFF");
        SetBox(202, {"Keep"}, {1, 2, 3}), HConnector[12] = 1, ChartFileName = "/x/a.kpv";
        SetWindowCaption(MainWindow, "loaded");
        RefreshChart();
    });
    script.ClickGadget(NewButton).AnswerMessage(IDNO).Call(note).Call(
        [] { EXPECT_EQ(Line1[202] + std::to_string(ReadGadgetState(12)), "Keep1"); });
    script.ClickGadget(NewButton).AnswerMessage(IDYES).Call(note).Call(
        [] { EXPECT_EQ(Line1[202] + std::to_string(ReadGadgetState(12) + HConnector[12]), "0"); });
    script.ClickGadget(ExitButton).AnswerMessage(IDNO).Call([&] {
        EXPECT_FALSE(fs::exists(settings));
        EXPECT_EQ(CurrentBox, ExitButton);
    });
    script.CloseWindow(MainWindow).AnswerMessage(IDYES);
    EXPECT_EQ(RunEditor(script), 0);
    char today[16];
    const std::time_t now = std::time(nullptr);
    std::strftime(today, sizeof today, "%d/%m-%Y", std::localtime(&now));
    EXPECT_EQ(CompiledText, "(Compiled: " + Text(today) + ")");
    seen += Asked(script);
    seen.replace(seen.find(CompiledText), CompiledText.size(), "(Compiled: dd/mm-yyyy)");
    EXPECT_TRUE(MatchesGolden(seen, Golden("about_new_exit.txt")));
    EXPECT_EQ(Slurp(settings),
              "[KPVV10]\r\n;Brondel file.\r\n[Common Settings]\r\nLast Project = \r\n");
}

TEST_F(EditorTest, SaveLoadAndGenerateThroughTheRequesters) {
    SetBox(210, {"", "Loaded"}, {200, 0, 0}, "000100");
    VConnector[95] = 1;
    ASSERT_EQ(WriteChartFile(Path("a.kpv")), ChartFileStatus::Done);
    testsupport::Spit(folder / "plain.kpv", "[Other]\r\nL1-202 = no\r\n");
    std::vector<Text> opened;
    SetDesktopOpener([&](const Text& file, const Text&) { return opened.push_back(file), false; });
    Text seen, page;
    const auto note = [&seen] { seen += Now(); };
    Script script, next;
    script.ClickGadget(GenerateButton).AnswerMessage(IDOK);
    // The last vertical Connector's check box, ticked where no click reports it, is read back
    // by Save Chart.
    script.Call([] {
              SetBox(202, {"Sales"}, {1, 2, 3}), WriteGadgetState(180, 1);
          })
        .ClickGadget(12);
    script.ClickGadget(SaveButton).AnswerSave(Path("org.txt")).Call(note);
    script.ClickGadget(GenerateButton).Call([&] { page = BuildChartPage(); });
    script.ClickGadget(LoadButton).AnswerOpen(Path("absent.kpv")).AnswerMessage(IDOK).Call(note);
    script.ClickGadget(LoadButton).AnswerOpen(Path("plain.txt")).AnswerMessage(IDOK).Call(note);
    script.ClickGadget(LoadButton).AnswerOpen(Path("a.kpv")).Call(note).Call([] {
        EXPECT_EQ(Line1[202] + Line2[210] + StyleCode(210, 2), "Loaded100");
        EXPECT_EQ(ReadGadgetState(95) + ReadGadgetState(180), 1);
    });
    script.ClickGadget(SaveButton).AnswerSave(Path("gone/c.kpv")).AnswerMessage(IDOK).Call(note);
    script.ClickGadget(GenerateButton).AnswerMessage(IDOK).ClickGadget(SaveButton).AnswerSave("");
    script.Call(note).ClickGadget(SaveButton).AnswerSave(Path("b.kpv")).Call(note);
    script.ClickGadget(ExitButton).AnswerMessage(IDYES);
    RunEditor(script);
    next.ClickGadget(LoadButton).AnswerOpen("").Quit(); // in the folder of the last chart
    RunEditor(next);
    SetDesktopOpener(nullptr);
    seen += Asked(script) + Asked(next);
    for (size_t at; (at = seen.find(folder.string())) != Text::npos;)
        seen.replace(at, folder.string().size(), "FOLDER");
    EXPECT_TRUE(MatchesGolden(seen, Golden("save_load_generate.txt")));
    EXPECT_EQ(opened, std::vector<Text>{Path("org.html")});
    EXPECT_EQ(Slurp(folder / "org.html"), page);
    const Text saved = Slurp(folder / "org.kpv");
    for (const Text line : {"L1-202 = Sales", "H-12 = 1", "V-180 = 1", "V-95 = 0"})
        EXPECT_NE(saved.find("\r\n" + line + "\r\n"), Text::npos) << line;
    EXPECT_NE(Slurp(folder / "b.kpv").find("\r\nL2-210 = Loaded\r\n"), Text::npos);
    EXPECT_NE(Slurp(settings).find("\r\nLast Project = " + Path("b.kpv") + "\r\n"), Text::npos);
}
