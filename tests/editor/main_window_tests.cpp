// The main window and the box editor as the user sees them: the picture of a chart that shows
// every kind of Box and connector line (data/showcase.kpv), the Tab order with the names a
// screen reader reads, and the gadgets found under a few points.
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

TEST_F(EditorTest, MainWindowAndBoxEditorLookAsDrawn) {
    Script script;
    script.ClickGadget(LoadButton).AnswerOpen(Showcase).Call([] {
        EXPECT_TRUE(LooksLikeGolden(MainWindow, Golden("main_window.png")));
        EXPECT_EQ(BoxPixel(205, 1, 1), Opaque(0, 0, 0)) << "no colour but a first line: black";
        EXPECT_EQ(BoxPixel(206, 1, 1) >> 24, 0u) << "no colour, no first line: a plain button";
        EXPECT_EQ(BoxPixel(285, 63, 2), Opaque(0, 0, 0)) << "the last vertical Connector";
    });
    // A colour picked in the box editor repaints the swatch one row short: its bottom row keeps
    // the colour shown before.
    script.ClickGadget(191).ClickGadget(ColourButton).AnswerColour(RgbColour(90, 160, 90));
    script.Call([] { EXPECT_TRUE(LooksLikeGolden(BoxEditorWindow, Golden("box_editor.png"))); });
    script.ClickGadget(CancelButton).ClickGadget(201).Call([] {
        EXPECT_TRUE(LooksLikeGolden(BoxEditorWindow, Golden("box_editor_narrow_row.png")));
    });
    script.ClickGadget(CancelButton).Quit();
    RunEditor(script);
}

TEST_F(EditorTest, TabWalksEveryGadgetOnceInCreationOrderWithItsName) {
    Text mainWindow, boxEditor;
    Script script;
    script.ClickGadget(LoadButton).AnswerOpen(Showcase);
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

TEST_F(EditorTest, ClicksFindTheGadgetUnderThePoint) {
    Script script;
    script.ClickAt(MainWindow, 74, 28).Call([] { EXPECT_EQ(CurrentBox, 188); });
    script.ClickGadget(CancelButton).ClickAt(MainWindow, 144, 30).ClickAt(MainWindow, 72, 52);
    script.Call([] { EXPECT_EQ(HConnector[0] + VConnector[90], 2); });
    script.ClickAt(MainWindow, 74, 70).Call([] { EXPECT_EQ(NarrowRowEdit, 1); });
    script.ClickAt(BoxEditorWindow, 397, 95).Call([] {
        EXPECT_EQ(WindowHandle(BoxEditorWindow), 0);
    });
    script.Quit();
    RunEditor(script);
    EXPECT_EQ(CurrentBox, 195);
}
