// The main window and the box editor as the user sees them: the picture of a chart that shows
// every kind of Box and connector line (data/showcase.kpv), and the Tab order with the names a
// screen reader reads. (Where the gadgets lie is checked by clicks in the journey, tests/e2e.)
#include "editor_test.h"

#include <QWidget>

namespace {

// Boxes with one, two or three lines in every style, the narrow row, a Box without colour whose
// first line is empty (a plain button), one filled black, a style code that is none, text
// wider than its Box, and lines routed through empty Boxes in every kind of gap.
const Text Showcase = BRONDEL_EDITOR_DATA_DIR "/showcase.kpv";

// A gadget as the Tab key reaches it: its number, the flags it was made with and what a screen
// reader says of it.
Text Spoken(int gadget) {
    const Text name = static_cast<QWidget*>(GadgetWidget(gadget))->accessibleName().toStdString();
    return std::to_string(gadget) + " " + std::to_string(GadgetFlags(gadget)) + " " +
           (name.empty() ? ReadGadgetText(gadget) : name) + "\n";
}

} // namespace

// One run: the pictures first, then Tab through both windows.
TEST_F(EditorTest, MainWindowAndBoxEditorLookAsDrawnAndTabWalksEveryGadgetOnce) {
    Text mainWindow, boxEditor;
    Script script;
    script.ClickGadget(LoadButton).AnswerOpen(Showcase).Call([] {
        EXPECT_TRUE(LooksLikeGolden(MainWindow, Golden("main_window.png")));
        EXPECT_EQ(BoxPixel(205, 1, 1), 0x000000u) << "no colour but a first line: black";
        EXPECT_EQ(BoxPixel(285, 63, 2), 0x000000u) << "the last vertical Connector";
    });
    // A colour picked in the box editor repaints the swatch one row short: its bottom row keeps
    // the colour shown before.
    script.ClickGadget(191).ClickGadget(ColourButton).AnswerColour(RgbColour(90, 160, 90));
    script.Call([] { EXPECT_TRUE(LooksLikeGolden(BoxEditorWindow, Golden("box_editor.png"))); });
    script.ClickGadget(CancelButton).ClickGadget(201).Call([] {
        EXPECT_TRUE(LooksLikeGolden(BoxEditorWindow, Golden("box_editor_narrow_row.png")));
    });
    script.ClickGadget(CancelButton);
    for (int i = 0; i <= 280; ++i)
        script.PressTab().Call([&] { mainWindow += Spoken(FocusedGadget()); });
    script.ClickGadget(202);
    for (int i = 0; i <= 16; ++i)
        script.PressTab().Call([&] { boxEditor += Spoken(FocusedGadget()); });
    script.PressShiftTab().Call([&] { boxEditor += Spoken(FocusedGadget()); });
    script.ClickGadget(CancelButton).Quit();
    RunEditor(script);
    EXPECT_TRUE(MatchesGolden(mainWindow, Golden("main_window_tab_order.txt")));
    EXPECT_TRUE(MatchesGolden(boxEditor, Golden("box_editor_tab_order.txt")));
}
