// The main window and the box editor as the user sees them: the picture of a chart that shows
// every kind of Box and connector line (data/showcase.kpv), and the Tab order with the names a
// screen reader reads; and bold text still bold at a doubled scale. (Where the gadgets lie is
// checked by clicks in the journey, tests/e2e.)
#include "editor_test.h"

#include <QApplication>
#include <QWidget>

#include <fstream>
#include <random>

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
    const QImage picture = static_cast<QWidget*>(WindowWidget(MainWindow))->grab().toImage();
    ReleaseAll();
    double dark[4] = {};
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            dark[std::min(3, int(y / picture.devicePixelRatio() / 25))] +=
                qGray(picture.pixel(x, y)) < 128;
    return {dark[0] / dark[1], dark[2] / dark[3]};
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

// The editor under a desktop that is not the one it was drawn for: bold text at a doubled scale.
TEST_F(EditorTest, BoldStaysBoldWhenScaledByTwo) {
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

// A refresh draws only around what changed, and what else drew on the canvas since. Its picture
// must be the one drawing everything gives: after random changes of every kind, at 100 % and
// at 150 % in a child, where clips and clears fall between logical pixels.
TEST_F(EditorTest, RefreshDrawsOnlyWhatChangedWithThePixelsOfDrawingEverything) {
    if (!std::getenv("QT_SCALE_FACTOR")) {
        const Text child = fs::read_symlink("/proc/self/exe").string() +
                           " --gtest_filter=*RefreshDrawsOnlyWhatChanged*";
        EXPECT_EQ(std::system(("QT_SCALE_FACTOR=1.5 " + child).c_str()), 0) << "at 150 %";
    }
    const Text texts[] = {"",
                          "",
                          "A",
                          "Sales",
                          "Managing Director",
                          "Müller & Söhne",
                          "A line that runs far over both edges of its Box"};
    LoadProgramFonts();
    OpenMainWindow();
    for (int box = FirstBox; box <= LastBox; ++box) { // few plain Boxes, whose clears hide much
        Red[box] = 226;
        if (box % 4) LineTable(1 + box % 3)[box] = texts[2 + box % 5]; // else lines run through
    }
    ForgetDrawnChart();
    RefreshChart();
    auto* window = static_cast<QWidget*>(WindowWidget(MainWindow));
    window->activateWindow(); // where the focus lives
    QApplication::processEvents();
    std::mt19937 random(1);
    const auto pick = [&](int n) { return int(random() % unsigned(n)); };
    const auto shown = [&] { return window->grab().toImage(); };
    for (int step = 1; step <= 90; ++step) {
        for (int change = pick(4); change >= 0; --change) {
            const int box = FirstBox + pick(98), line = 1 + pick(3), kind = pick(6);
            if (kind == 0) LineTable(line)[box] = texts[pick(7)];
            if (kind == 1) BoldTable(line)[box] = pick(3); // 2 selects no font
            if (kind == 2) UnderlineTable(line)[box] = pick(2);
            if (kind == 3) Red[box] = Green[box] = Blue[box] = pick(2) * 200;
            if (kind == 4) HConnector[pick(LastHConnector + 1)] ^= 1;
            if (kind == 5) VConnector[FirstVConnector + pick(91)] ^= 1;
        }
        if (step % 5 == 0) { // the box editor paints its Box on the main window
            CurrentBox = FirstBox + pick(LastBox - FirstBox + 1);
            DrawCurrentBox = FillCurrentBox = 1;
            PaintCurrentBox();
        }
        // A plain Box with the focus, which it loses when it is shown again, as in drawing all.
        const int focused = step % 4 ? -1 : FirstBox + pick(LastBox - FirstBox + 1);
        if (focused > 0) {
            Red[focused] = Green[focused] = Blue[focused] = 0;
            Line1[focused].clear();
            static_cast<QWidget*>(GadgetWidget(focused))->setFocus();
        }
        RefreshChart();
        EXPECT_TRUE(focused < 0 || FocusedGadget() != focused) << "step " << step;
        if (step % 3) continue; // some refreshes follow refreshes
        const QImage changed = shown();
        ForgetDrawnChart();
        RefreshChart();
        ASSERT_TRUE(changed == shown()) << "step " << step;
    }
    ReleaseAll();
}
