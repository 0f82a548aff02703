// The editor as a desktop program of today, used by a scripted user: a chart named on the
// command line, undo and redo of every kind of change (seen on the Chart and on the screen),
// the popup menu's Undo and Redo, and the keys of the main window and of the box editor.
#include "document/chart_file.h"
#include "editor/editor.h"
#include "harness.h"
#include "platform/files.h"

#include <QApplication>
#include <QMenu>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

constexpr int Undo = ShortcutCtrl | 'Z', Redo = ShortcutCtrl | 'Y';

class DesktopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(folder);
        ClearChart();
        WriteBox(202, {{"Sales", "", ""}, {1, 0, 0}, {}, {}, 255, 200, 0});
        HConnector[12] = 1;
        WriteChartFile(Path("start.kpv"));
        Line1[202] = "Other";
        WriteChartFile(Path("other.kpv"));
        ClearChart();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    // The editor started in the folder as `brondel ARGUMENT`, with the script as its user.
    void RunWith(Script& script, std::string argument) {
        char name[] = "brondel";
        char* argv[] = {name, argument.data(), nullptr};
        SetCurrentDir(folder);
        script.Quit().Run([&] { RunBrondel(argument.empty() ? 1 : 2, argv); });
    }
    Text Path(const char* name) const { return folder + name; }
    const Text folder = "/tmp/brondel-desktop-" + std::to_string(getpid()) + "/";
};

// Boxes 202 and 203 and the Connectors 12 and 13 in the Chart and as the user sees them: the
// title, a Box's name for a screen reader and its fill, a check box.
Text Look() {
    Text look = WindowCaption(MainWindow) + "|" + ChartFileName;
    for (int box : {202, 203}) {
        const auto* button = static_cast<QWidget*>(GadgetWidget(box));
        look += "|" + Line1[box] + Line2[box] + Line3[box] + DecimalText(Red[box]) + "|" +
                button->accessibleName().toStdString() + "|" +
                std::to_string(CanvasPixel(MainWindow, button->x() + 3, 93));
    }
    for (int connector : {12, 13})
        look += DecimalText(HConnector[connector]) + DecimalText(ReadGadgetState(connector));
    return look;
}

// The open popup menu's items: "-" a separator, "(off)" a disabled item.
Text PopupItems() {
    Text items;
    for (QAction* item : qobject_cast<QMenu*>(QApplication::activePopupWidget())->actions())
        items += (item->isSeparator() ? Text("-") : item->text().toStdString()) +
                 (item->isEnabled() ? ";" : "(off);");
    return items;
}

} // namespace

TEST_F(DesktopTest, AChartNamedOnTheCommandLineLoadsAsLoadChartLoadsIt) {
    std::filesystem::copy_file(Path("start.kpv"), Path("team.v2.kpv"));
    std::ofstream(Path("plain.kpv")) << "[Other]\r\n";
    const struct {
        const char *chart, *message;
    } cases[] = {
        {"team.v2.kpv", ""}, {"no.kpv", LoadFailedMessage}, {"plain.kpv", NotAChartMessage}};
    for (const auto& [chart, message] : cases) {
        ClearChart();
        Script script;
        if (*message) script.AnswerMessage(IDOK);
        script.Call([&] {
            EXPECT_EQ(ChartFileName, Path(chart)); // absolute, and no extension rule
            EXPECT_EQ(Line1[202] + DecimalText(ReadGadgetState(12)), *message ? "0" : "Sales1");
            EXPECT_EQ(WindowCaption(MainWindow),
                      *message ? WindowTitle : WindowTitle + "  -  " + Path(chart));
        });
        RunWith(script, chart);
        EXPECT_EQ(script.Requests().empty() ? "" : script.Requests()[0].text, message);
    }
}

TEST_F(DesktopTest, EveryKindOfChangeIsUndoneAndRedoneOnTheChartAndOnTheScreen) {
    const std::function<void(Script&)> changes[] = {
        [](Script& s) { s.ClickGadget(203).TypeText(302, "New").ClickGadget(322); },
        [](Script& s) { s.ClickGadget(203).TypeText(304, "Low").PressKey(KeyReturn); },
        [](Script& s) { s.ClickGadget(202).ClickGadget(320); }, // Delete
        [](Script& s) { s.PressF1().ClickGadget(202).ClickGadget(203); },
        [](Script& s) { s.ClickGadget(12); },
        [](Script& s) { s.ClickGadget(13); },
        [](Script& s) { s.PressKey(ShortcutCtrl | 'N').AnswerMessage(IDYES); },
        [&](Script& s) { s.PressKey(ShortcutCtrl | 'O').AnswerOpen(Path("other.kpv")); },
    };
    for (size_t i = 0; i < std::size(changes); ++i) {
        Text before, after;
        Script script;
        script.Call([&] { before = Look(); });
        changes[i](script);
        script.Call([&] { EXPECT_NE(after = Look(), before); })
            .PressKey(Undo)
            .Call([&] { EXPECT_EQ(Look(), before); })
            .PressKey(i % 2 ? Redo : ShortcutCtrl | ShortcutShift | 'Z')
            .Call([&] { EXPECT_EQ(Look(), after); });
        RunWith(script, "start.kpv");
    }
}

TEST_F(DesktopTest, OnlyChangesMadeInTheMainWindowAreStepsAndAHundredAreKept) {
    Script script;
    script.RightClick(204)
        .Call([] { EXPECT_NE(PopupItems().find("swapped.;-;Undo(off);Redo(off);"), Text::npos); })
        .DismissPopup()
        .ClickGadget(13)
        .ClickGadget(203)
        .TypeText(302, "ab")
        .PressKey(Undo) // the field's own undo
        .Call([] { EXPECT_EQ(Line1[203] + DecimalText(HConnector[13]), "1"); }) // tick kept
        .PressKey(KeyEscape)                                                    // Cancel: no step
        .ClickGadget(202)
        .ClickGadget(322) // OK with nothing changed: no step
        .RightClick(204)
        .Call([] { EXPECT_NE(PopupItems().find(";Undo;Redo(off);"), Text::npos); })
        .ChoosePopupItem(UndoCommand)
        .Call([] { EXPECT_EQ(ReadGadgetState(13), 0); })
        .ClickGadget(14) // a new change: nothing left to redo
        .PressF1()
        .PressKey(Undo) // swap mode takes no keys
        .ClickGadget(297)
        .PressKey(Redo)
        .Call([] { EXPECT_EQ(DecimalText(HConnector[13]) + DecimalText(HConnector[14]), "01"); });
    for (int i = 0; i < 101; ++i) script.ClickGadget(15);
    // Each Ctrl+Z repaints the window, slow offscreen: 101 steps go back by what it runs.
    script.Call([] {
        for (int i = 0; i < 101; ++i) UndoChartChange();
        EXPECT_EQ(DecimalText(HConnector[14]) + DecimalText(HConnector[15]), "10");
    });
    RunWith(script, "start.kpv");
}

TEST_F(DesktopTest, EachCommandKeyDoesWhatItsButtonDoes) {
    const std::pair<char, int> keys[] = {
        {'S', 296}, {'O', 295}, {'N', 294}, {'G', 298}, {'Q', 299}};
    Script script; // each command clicked, then by its key; requesters cancelled, questions No
    script.AnswerSave("").AnswerSave("").AnswerOpen("").AnswerOpen("");
    for (int answer : {IDNO, IDNO, IDOK, IDOK, IDNO, IDNO}) script.AnswerMessage(answer);
    for (const auto& [key, button] : keys)
        for (bool byKey : {false, true})
            (byKey ? script.PressKey(ShortcutCtrl | key) : script.ClickGadget(button))
                .Call([gadget = button] { EXPECT_EQ(CurrentBox, gadget); });
    RunWith(script, "");
    const auto& asked = script.Requests();
    ASSERT_EQ(asked.size(), 10u);
    auto said = [](const RequesterCall& c) {
        return c.kind + c.caption + c.text + DecimalText(c.flags);
    };
    for (size_t i = 0; i < 10; i += 2) EXPECT_EQ(said(asked[i + 1]), said(asked[i])); // key, click
}
