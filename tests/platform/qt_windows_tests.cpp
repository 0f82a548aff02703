// Numbered windows, their gadgets and the drawing on their canvas, as the screen shows them:
// windows opened with each style and place (golden/qt_windows.txt), every kind of gadget with
// its flags under a canvas drawn with every operation (golden/qt_window.png), and the exact
// pixels that rectangles, lines and text cover.
#include "harness.h"

#include <QApplication>
#include <QFontInfo>
#include <QWidget>

namespace {

QWidget* Window(int number) { return static_cast<QWidget*>(WindowWidget(number)); }
const std::string Golden = BRONDEL_PLATFORM_GOLDEN_DIR;

TEST(QtWindows, OpenWithTheStylesAndPlaceTheirFlagsAskFor) {
    Text log;
    for (const auto& [flags, width] : {std::pair{0xCA0001u, 989},
                                       {0xCA0001u, 444},
                                       {0xC80000u, 444},
                                       {0u, 444},
                                       {WS_VISIBLE_BIT, 444},
                                       {0xC00002u, 444}}) {
        ASSERT_NE(OpenAppWindow(7, 420, 376, width, 110, flags, "Ærø"), 0);
        const QWidget* window = Window(7);
        const QRect frame = window->frameGeometry();
        log += std::to_string(flags) + ": " + (window->isVisible() ? "shown" : "hidden");
        for (const auto& [hint, name] : {std::pair{Qt::WindowTitleHint, " title"},
                                         {Qt::WindowCloseButtonHint, " close"},
                                         {Qt::WindowMinimizeButtonHint, " minimise"},
                                         {Qt::WindowMaximizeButtonHint, " maximise"}})
            if (window->windowFlags() & hint) log += name;
        log += ", " + std::to_string(window->minimumWidth()) + "-" +
               std::to_string(window->maximumWidth()) + " x " +
               std::to_string(window->minimumHeight()) + "-" +
               std::to_string(window->maximumHeight()) + " at " + std::to_string(frame.x()) + "," +
               std::to_string(frame.y()) + " " + WindowCaption(7) + "\n";
        OpenAppWindow(8, 300, 200, 200, 100, 0, "the active window, for the window centred on it");
        QApplication::processEvents();
    }
    EXPECT_TRUE(MatchesGolden(log, Golden + "/qt_windows.txt"));
    ReleaseAll();
}

TEST(QtWindows, GadgetsAndTheCanvasShowWhatTheyWereMadeWith) {
    const Handle bold = LoadNumberedFont(1, "Tahoma", 8, FONT_BOLD);
    OpenAppWindow(300, 0, 0, 400, 150, WS_CAPTION_BITS | WS_SYSMENU_BIT, "Gadgets");
    ASSERT_EQ(BeginGadgets(WindowHandle(300)), WindowHandle(300));
    AddButton(188, 10, 10, 128, 40, "", BS_MULTILINE);
    AddButton(309, 150, 10, 84, 20, "Make Bold", BS_PUSHLIKE | BS_CHECKBOX_AUTO);
    AddButton(322, 240, 10, 84, 20, "OK", BS_DEFPUSHBUTTON);
    SetGadgetFontHandle(322, bold);
    AddButton(321, 330, 10, 60, 20, "Cancel");
    AddCheckBox(0, 150, 40, 12, 20, "", BS_CENTER);
    AddCheckBox(90, 170, 40, 12, 12, "", BS_RIGHT);
    AddLabel(324, 10, 60, 63, 18, "Swap OFF", SS_CENTER | SUNKEN_EDGE);
    AddLabel(305, -9, 85, 50, 14, "LINE 1:", SS_RIGHT);
    AddLabel(308, 80, 60, 120, 14, "left");
    AddTextField(302, 44, 100, 134, 20, "Grüße € 😀", ES_CENTER);
    AddTextField(303, 200, 100, 100, 20, "plain", SUNKEN_EDGE);
    AddFrame(319, 183, 125, 42, 20, "", 2);
    AddFrame(320, 240, 125, 40, 20, "", 1);
    AddFrame(323, 300, 40, 90, 50, "Group", 0);
    SetGadgetFontHandle(-1, bold); // for gadgets made from now on
    AddFrame(325, 300, 125, 40, 20, "", 7);
    for (int gadget : {309, 0, 90, 321}) WriteGadgetState(gadget, 1); // 321 has no state
    BeginDrawing(WindowHandle(300));
    FillRect(11, 11, 125, 37, RgbColour(226, 234, 249));
    DrawLine(75, 30, 61, 0, 0);
    SetDrawingMode(2); // inverting what shows
    FillRect(240, 10, 30, 10, 0);
    SetDrawingMode(4); // outlines
    FillRect(330, 40, 20, 10, RgbColour(200, 0, 0));
    EndDrawing();
    BeginDrawing(WindowHandle(300)); // text is black again, whatever the colour before
    SetDrawingMode(1);
    SetDrawingFont(LoadNumberedFont(4, "Tahoma", 7, FONT_BOLD | FONT_ITALIC | FONT_UNDERLINE));
    MoveTextCursor(20, 14);
    DrawTextAtCursor("Transparent ");
    DrawTextAtCursor("and on");
    SetDrawingMode(0);
    SetDrawingFont(-1); // the system font
    MoveTextCursor(200, 70);
    DrawTextAtCursor("white");
    EndDrawing();
    EXPECT_TRUE(LooksLikeGolden(300, Golden + "/qt_window.png"));

    EXPECT_EQ(ReadGadgetState(309) + ReadGadgetState(0) + ReadGadgetState(321), 2);
    EXPECT_EQ(ReadGadgetText(302) + ReadGadgetText(323) + ReadGadgetText(0), "Grüße € 😀Group");
    WriteGadgetText(302, Text(40000, 'x')); // nothing is cut
    EXPECT_EQ(ReadGadgetText(302).size(), 40000u);
    EXPECT_EQ(GadgetFlags(90), BS_RIGHT);
    // A number is one gadget across all windows; closing a window forgets its gadgets.
    OpenAppWindow(301, 0, 0, 100, 100, 0, "Second");
    BeginGadgets(WindowHandle(301));
    AddButton(188, 5, 6, 30, 10, "moved");
    EXPECT_EQ(static_cast<QWidget*>(GadgetWidget(188))->window(), Window(301));
    CloseAppWindow(301);
    EXPECT_EQ(KindOfGadget(188), GadgetKind::None);
    ReleaseAll();
}

// Font sizes in points are pixels at 96 dots per inch, of a sans-serif face also for an
// unknown one.
TEST(QtWindows, FontSizesArePixelsAt96DotsPerInch) {
    for (const auto& [points, pixels] : {std::pair{8, 11}, {7, 9}, {10, 13}, {12, 16}}) {
        const QFontInfo font(
            *reinterpret_cast<const QFont*>(LoadNumberedFont(4, "No Such Face", points)));
        EXPECT_EQ(font.pixelSize(), pixels);
        EXPECT_FALSE(font.fixedPitch());
    }
    const QFont& font =
        *reinterpret_cast<const QFont*>(LoadNumberedFont(4, "Tahoma", 7, FONT_STRIKEOUT));
    EXPECT_TRUE(font.strikeOut());
    EXPECT_EQ(FontHandle(4), reinterpret_cast<Handle>(&font));
    ReleaseAll();
}

} // namespace
