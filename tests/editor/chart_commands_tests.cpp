// The command bar (About, New Chart, Load, Save, Generate, Exit), the popup
// menu and the settings file: every question and message, Save and Load through the requesters
// with the window title they leave, the page that Generate Chart writes and opens (or says
// that no program could open it), and the chart remembered from one run to the next. What the
// user saw is logged and compared with golden/.
#include "editor_test.h"

#include "document/chart_file.h"
#include "html/page.h"
#include "system/files.h"

#include <ctime>
#include <iomanip>
#include <sstream>

using testsupport::Slurp;

namespace {

// What the main window shows now: its title, the chart file's name, Box 202's first line, the
// check box of Connector 12 and its Connector, the swap indicator, whether a box editor is
// open, the last gadget clicked, and whether there is a settings file.
Text Now() {
    return WindowCaption(MainWindow) + " | chart " + ChartFileName + " | " + Line1[202] + " | " +
           std::to_string(ReadGadgetState(12)) + std::to_string(HConnector[12]) + " | " +
           ReadGadgetText(SwapIndicator) +
           (WindowHandle(BoxEditorWindow) ? " | editing | " : " | ") + std::to_string(CurrentBox) +
           (fs::exists(ProgramDir + "Brondel.ini") ? " | settings\n" : "\n");
}

} // namespace

// One run through the commands, then a second run that starts in the folder of the chart
// the first one saved last.
TEST_F(EditorTest, TheCommandsTheirQuestionsAndTheChartRemembered) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows' shell opens the page and reports its own failures: there is no "
                    "xdg-open to stand in for";
#else
    setenv("PATH", (folder.string() + ":" + std::getenv("PATH")).c_str(), 1); // its xdg-open
#endif
    Text seen, page;
    const auto note = [&seen] { seen += Now(); };
    Script script, next;
    script.ClickGadget(AboutButton).AnswerMessage(IDOK).RightClick(204).Call([&] {
        for (const PopupItemSeen& item : OpenPopupItems())
            seen += "menu | " + (item.separator ? "----" : item.text) + "\n";
    });
    script.ChoosePopupItem(2).Call(note).Call([] {
        Line1[202] = "Keep", HConnector[12] = 1, ChartFileName = "/x/a.kpv";
        SetWindowCaption(MainWindow, "loaded");
    });
    script.ClickGadget(RedrawChartButton).Call(note); // shows the Chart as it is now
    script.ClickGadget(NewChartButton).AnswerMessage(IDNO).Call(note);
    script.ClickGadget(NewChartButton).AnswerMessage(IDYES).Call(note);
    script.ClickGadget(ExitButton).AnswerMessage(IDNO).Call(note);
    script.ClickGadget(GenerateChartButton).AnswerMessage(IDOK);
    // The last Connectors' check boxes, ticked where no click reports it, are read back by Save
    // Chart.
    script.Call([] { Line1[202] = "Sales", WriteGadgetState(83, 1), WriteGadgetState(180, 1); });
    script.ClickGadget(12).ClickGadget(SaveChartButton).AnswerSave(Path("org.txt")).Call(note);
    script.ClickGadget(GenerateChartButton).Call([&] { page = BuildChartPage(); });
    for (const char* name : {"absent.kpv", "plain.txt"})
        script.ClickGadget(LoadChartButton).AnswerOpen(Path(name)).AnswerMessage(IDOK).Call(note);
    script.ClickGadget(LoadChartButton).AnswerOpen(Path("a.kpv")).Call(note).Call([] {
        EXPECT_EQ(
            std::tuple(Line2[210], StyleCode(210, 2), ReadGadgetState(95), ReadGadgetState(180)),
            std::tuple("Loaded", "100", 1, 0));
    });
    script.ClickGadget(SaveChartButton).AnswerSave(Path("gone/c.kpv")).AnswerMessage(IDOK);
    script.Call(note).ClickGadget(GenerateChartButton).AnswerMessage(IDOK);
    script.ClickGadget(SaveChartButton).AnswerSave("");
    script.Call(note).ClickGadget(SaveChartButton).AnswerSave(Path("b.kpv")).Call(note);
    // The opener's success stays silent; a page that no program could open is reported.
    script.ClickGadget(GenerateChartButton).Call([&] {
        EXPECT_TRUE(WaitUntil([&] { return script.Requests().back().kind == "message"; }));
    });
    script.AnswerMessage(IDOK).CloseWindow(MainWindow).AnswerMessage(IDYES);
    EXPECT_EQ(RunEditor(script), 0);
    seen += Slurp(settings);
    next.ClickGadget(LoadChartButton).AnswerOpen("").Quit(); // in the folder of the last chart
    RunEditor(next);
    std::ostringstream today; // as the date mask "%dd/%mm-%yyyy" makes it
    const std::time_t now = std::time(nullptr);
    EXPECT_EQ(CompiledText,
              ((today << "(Compiled: " << std::put_time(std::localtime(&now), "%d/%m-%Y") << ")"),
               today.str()));
    seen += Asked(script) + Asked(next);
    seen.replace(seen.find(CompiledText), CompiledText.size(), "(Compiled: dd/mm-yyyy)");
    EXPECT_TRUE(MatchesGolden(Masked(seen), Golden("commands.txt")));
    EXPECT_EQ(Slurp(folder / "xdg-open.url"),
              "file://" + Path("org.html") + "\nfile://" + Path("b.html") + "\n");
    EXPECT_EQ(Slurp(folder / "org.html"), page);
    // Box 202 "Sales" and Connector 12 and the last ones ticked; then a.kpv, loaded and saved.
    EXPECT_TRUE(MatchesGolden(Masked(Slurp(folder / "org.kpv")), Golden("org.kpv")));
    EXPECT_TRUE(MatchesGolden(Masked(Slurp(folder / "b.kpv")), Golden("b.kpv")));
}
