// The main window and the box editor as the user sees them: the picture of a chart that shows
// every kind of Box and connector line (data/showcase.kpv), and the Tab order with the names a
// screen reader reads; and bold text still bold at a doubled scale. (Where the gadgets lie is
// checked by clicks in the journey, tests/e2e.)
#include "editor_test.h"

#include <algorithm>
#include <fstream>
#include <tuple>
#include <vector>

namespace {

// Boxes with one, two or three lines in every style, the narrow row, a Box without colour whose
// first line is empty (a plain button), one filled black, a style code that is none, text
// wider than its Box, and lines routed through empty Boxes in every kind of gap.
const Text Showcase = BRONDEL_EDITOR_DATA_DIR "/showcase.kpv";

// A gadget as the Tab key reaches it: its number, the flags it was made with and what a screen
// reader says of it.
Text Spoken(int gadget) {
    const Text name = GadgetAccessibleName(gadget);
    return std::to_string(gadget) + " " + std::to_string(GadgetFlags(gadget)) + " " +
           (name.empty() ? ReadGadgetText(gadget) : name) + "\n";
}

// The dark pixels (under 50 % luminance) of bold text against the same text regular, drawn by
// the program in its own fonts: "Managing Director" on the canvas in the Box fonts 4 and 11,
// "LINE 1:" as labels in the gadget fonts 1 and 2, each in 25 unscaled rows.
std::pair<double, double> BoldRatios() {
    LoadProgramFonts();
    BeginGadgets(OpenAppWindow(MainWindow, 0, 0, 200, 100, 0, "Bold and regular"));
    BeginDrawing(WindowHandle(MainWindow));
    for (int font : {1, 2}) {
        AddLabel(font, 10, 25 * font + 25, 60, 14, "LINE 1:");
        SetGadgetFontHandle(font, FontHandle(font));
        SetDrawingFont(FontHandle(font == 1 ? 4 : 11));
        MoveTextCursor(10, 25 * font - 20);
        DrawTextAtCursor("Managing Director");
    }
    EndDrawing();
    const Picture picture = GrabWindow(MainWindow);
    ReleaseAll();
    double dark[4] = {};
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t p = picture.At(x, y); // grey as Qt weighs it: 11 red, 16 green, 5 blue
            dark[std::min(3, int(y / picture.scale / 25))] +=
                ((p >> 16 & 255) * 11 + (p >> 8 & 255) * 16 + (p & 255) * 5) / 32 < 128;
        }
    return {dark[0] / dark[1], dark[2] / dark[3]};
}

} // namespace

// One run: the pictures first, then Tab through both windows.
TEST_F(EditorTest, MainWindowAndBoxEditorLookAsDrawnAndTabWalksEveryGadgetOnce) {
    Text mainWindow, boxEditor;
    Script script;
    script.ClickGadget(LoadChartButton).AnswerOpen(Showcase).Call([] {
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

// The editor under a desktop that is not the one it was drawn for: bold text at a doubled scale.
TEST_F(EditorTest, BoldStaysBoldWhenScaledByTwo) {
#ifdef _WIN32
    GTEST_SKIP() << "the doubled scale is Qt's (QT_SCALE_FACTOR); the Win32 backend takes its "
                    "scale from the desktop";
#endif
    const auto [box, gadget] = BoldRatios();
    if (const char* out = std::getenv("BRONDEL_BOLD_RATIOS"))
        return void(std::ofstream(out) << box << ' ' << gadget);
    const Text child = fs::read_symlink("/proc/self/exe").string() + " --gtest_filter=*BoldStays*";
    ASSERT_EQ(
        std::system(("QT_SCALE_FACTOR=2 BRONDEL_BOLD_RATIOS=" + Path("two") + " " + child).c_str()),
        0);
    double box2 = 0, gadget2 = 0;
    std::ifstream(Path("two")) >> box2 >> gadget2;
    EXPECT_TRUE(box > 1.1 && gadget > 1.1) << "bold reads bold at 100 %";
    EXPECT_GE(box2, box) << "Managing Director, Box fonts";
    EXPECT_GE(gadget2, gadget) << "LINE 1:, gadget fonts";
}

// The main window's canvas, pixel by pixel.
std::vector<uint32_t> MainCanvas() {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < MainClientHeight; ++y)
        for (int x = 0; x < MainClientWidth; ++x) pixels.push_back(CanvasPixel(MainWindow, x, y));
    return pixels;
}

// After edits and "Redraw Chart" the window shows what a fresh start on the saved chart shows:
// Box 189's last line turns from bold to italic, and so does Box 190's line 1, whose style selects
// no font; Box 209 loses marks stacked on a letter that ink far into the Boxes above.
TEST_F(EditorTest, RedrawShowsWhatAFreshStartOnTheSavedChartShows) {
    std::vector<uint32_t> redrawn, fresh;
    Script editing, start;
    editing.Call([] {
        Bold3[189] = 1, Bold1[190] = 2, Red[189] = Red[190] = 200;
        Line1[190] = "Managing Director", Line1[209] = "a";
        for (int i = 0; i < 30; ++i) Line1[209] += "\u0301\u0344";
    });
    editing.ClickGadget(RedrawChartButton).ClickGadget(189).ClickGadget(ToggleOf(3, MakeBold));
    editing.ClickGadget(ToggleOf(3, MakeItalic)).ClickGadget(OkButton).ClickGadget(209);
    editing.ClearText(TextFieldOf(1)).ClickGadget(OkButton).ClickGadget(RedrawChartButton);
    editing.Call([&] { redrawn = MainCanvas(); }).ClickGadget(SaveChartButton);
    RunEditor(editing.AnswerSave(Path("edited.kpv")).Quit());
    RunEditor(start.Call([&] { fresh = MainCanvas(); }).Quit(), Path("edited.kpv"));
    const auto differ = std::ranges::mismatch(redrawn, fresh).in1 - redrawn.begin();
    EXPECT_EQ(differ, long(fresh.size())) << "first differing pixel at " << differ % MainClientWidth
                                          << ", " << differ / MainClientWidth;
}
