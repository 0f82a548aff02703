// Numbered windows, their gadgets, their canvas and their events, as a user meets them: windows
// opened with each style and place (golden/qt_windows.txt); every kind of gadget with its
// flags and fonts under a canvas drawn with every operation (exact pixels, no antialiasing),
// and the program's icon (golden/qt_window_*.png); and what the user then does (clicks through
// the canvas, typing, focus, Tab, shortcuts, right presses, popup menus, close requests), each
// one program event (golden/qt_events.txt).
#include "gui/qt/qt_probe.h"
#include "harness.h"

#include <QAccessible>
#include <QApplication>
#include <QDebug>
#include <QFontInfo>
#include <QLabel>
#include <QPainter>
#include <QWidget>

#include <cstdlib>
#include <filesystem>

namespace {

QWidget* Window(int number) { return static_cast<QWidget*>(WindowWidget(number)); }
const std::string Golden = BRONDEL_GUI_GOLDEN_DIR;

TEST(QtWindows, OpenWithTheStylesAndPlaceTheirFlagsAskFor) {
    Text log;
    for (const auto& [flags, width] : {std::pair{0xCA0001u, 989},
                                       {0xCA0001u, 444},
                                       {0xC80000u, 444},
                                       {WS_VISIBLE_BIT, 444},
                                       {0xC00002u, 444}}) {
        ASSERT_NE(OpenAppWindow(7, 420, 376, width, 110, flags, "Ærø"), 0);
        const QWidget* window = Window(7);
        QString seen;
        QDebug(&seen) << flags << window->isVisible() << window->windowFlags()
                      << window->minimumSize() << window->maximumSize()
                      << window->frameGeometry().topLeft() << window->windowTitle();
        log += seen.toStdString() + "\n";
        OpenAppWindow(8, 300, 200, 200, 100, 0, "the active window, for the window centred on it");
        QApplication::processEvents();
    }
    EXPECT_TRUE(MatchesGolden(log, Golden + "/qt_windows.txt"));
    ReleaseAll();
}

TEST(QtWindows, GadgetsCanvasAndEventsAsTheUserMeetsThem) {
    const Handle bold = LoadNumberedFont(1, "Tahoma", 8, FONT_BOLD);
    EXPECT_EQ(QFontInfo(*reinterpret_cast<const QFont*>(bold)).pixelSize(), 11); // 96 dots per inch
    OpenAppWindow(300, 0, 0, 400, 150, WS_CAPTION_BITS | WS_SYSMENU_BIT, "Main");
    ASSERT_EQ(BeginGadgets(WindowHandle(300)), WindowHandle(300));
    AddButton(188, 10, 10, 128, 40, "", BS_MULTILINE);
    AddButton(293, 150, 10, 60, 18, "About");
    SetGadgetFontHandle(293, LoadNumberedFont(2, "No Such Face", 7)); // a sans-serif all the same
    AddCheckBox(0, 150, 40, 12, 20, "", BS_CENTER);
    AddCheckBox(90, 170, 40, 12, 12, "", BS_RIGHT);
    AddLabel(324, 10, 60, 63, 18, "Swap OFF", SS_CENTER | SUNKEN_EDGE);
    AddLabel(308, 80, 60, 120, 14, "left");
    AddFrame(320, 240, 125, 40, 20, "", 1);
    AddFrame(323, 300, 40, 90, 50, "Group", 0);
    SetGadgetFontHandle(-1, bold); // for gadgets made from now on
    AddFrame(325, 300, 125, 40, 20, "", 7);
    AddShortcut(300, KeyF1, 1);
    AddShortcut(300, KeyF1, 7); // the same key again takes the new command
    AddShortcut(300, 'S' | ShortcutCtrl, 9);
    NewPopupMenu(0);
    AddMenuItem(1, "Swap Contents (F1)");
    AddMenuSeparator();
    AddMenuItem(2, "Usage");
    BeginDrawing(WindowHandle(300));
    FillRect(0, 0, 400, 150, RgbColour(255, 0, 0));
    ClearWindowCanvas(300); // also in the middle of a drawing, which goes on
    FillRect(11, 11, 125, 37, RgbColour(226, 234, 249));
    DrawLine(75, 30, 61, 0, 0); // x = 75 to 135: the end point is left out (the picture is exact)
    DrawLine(20, 40, 20, 6, 0); // a slope, also without its end point
    FillRect(10, 100, 1, 1, 0); // one pixel
    SetDrawingMode(2);          // inverting what shows: the face, and the line's end
    FillRect(130, 5, 30, 30, 0);
    SetDrawingMode(4); // outlines
    FillRect(330, 40, 20, 10, RgbColour(200, 0, 0));
    EndDrawing();
    FillRect(0, 0, 400, 150, 0); // no drawing: nothing
    SetGadgetHidden(293, 1);     // shown again, it clears its rectangle at the next repaint
    SetGadgetHidden(293, 0);
    RepaintNow(300);
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

    OpenAppWindow(301, 0, 250, 400, 120, WS_CAPTION_BITS | WS_SYSMENU_BIT, "Editor");
    BeginGadgets(WindowHandle(301));
    AddTextField(302, 44, 10, 134, 20, "", ES_CENTER);
    AddLabel(305, -9, 12, 50, 14, "LINE 1:", SS_RIGHT);
    AddButton(309, 183, 10, 84, 20, "Make Bold", BS_PUSHLIKE | BS_CHECKBOX_AUTO);
    AddTextField(303, 44, 40, 134, 20, "");
    AddFrame(319, 183, 40, 42, 20, "", 2);
    AddButton(321, 230, 40, 60, 20, "Cancel");
    AddButton(322, 300, 40, 84, 20, "OK", BS_DEFPUSHBUTTON);
    AddTextField(304, 44, 70, 134, 20, "Grüße € 😀", SUNKEN_EDGE);
    AddLabel(1, 340, 70, 48, 48, "");
    static_cast<QLabel*>(GadgetWidget(1))->setPixmap(Window(301)->windowIcon().pixmap(48, 48));
    SetGadgetHidden(303, 1);
    // A name reaches the widget, where assistive tools read it, only once one listens: Qt makes
    // an accessibility interface for every named widget.
    SetGadgetAccessibleName(302, "Line 1");
    EXPECT_EQ(static_cast<QWidget*>(GadgetWidget(302))->accessibleName(), "");
    QAccessible::setActive(true);
    EXPECT_EQ(static_cast<QWidget*>(GadgetWidget(302))->accessibleName(), "Line 1");
    QAccessible::setActive(false);
    static_cast<QWidget*>(GadgetWidget(321))->setEnabled(false);
    for (int gadget : {309, 0, 321}) WriteGadgetState(gadget, 1); // 321 has no state
    EXPECT_TRUE(LooksLikeGolden(300, Golden + "/qt_window_main.png"));
    SetGadgetHidden(188, 1); // and at the latest before the next wait
    SetGadgetHidden(188, 0);
    EXPECT_TRUE(LooksLikeGolden(301, Golden + "/qt_window_editor.png"));
    EXPECT_EQ(ReadGadgetText(304) + ReadGadgetText(323) + ReadGadgetText(0), "Grüße € 😀Group");

    Text log;
    const auto focus = [&log] { log += "focus on " + std::to_string(FocusedGadget()) + "\n"; };
    Script script;
    script.Call([] { EXPECT_EQ(CanvasPixel(300, 20, 20) + CanvasPixel(300, 400, 0), 0u); });
    script.ClickGadget(293).ClickGadget(0).ClickGadget(0).TypeText(302, "Aé"); // through the canvas
    script.ClickGadget(309).ClickGadget(309).Call([] { // the program's own changes are no events
        WriteGadgetText(302, Text(40000, 'x'));        // nothing is cut
        WriteGadgetState(0, 1);
        SetGadgetHidden(302, 1);
        SetGadgetHidden(302, 0);
    });
    for (int tab = 0; tab < 5; ++tab) script.PressTab().Call(focus);
    script.PressShiftTab().Call(focus).PressF1(); // F1 in the wrong window does nothing
    script.ClickGadget(293).PressF1().PressKey('S' | ShortcutCtrl).PressKey('S');
    script.RightClick(293).ChoosePopupItem(2).RightClick(324).DismissPopup();
    script.RightClickAt(300, 300, 100).ChoosePopupItem(1);
    script.CloseWindow(301).PressKey(0x73 | ShortcutAlt).Quit(); // Alt+F4 in window 300
    script.Run([&] {
        for (int code = WaitEvent(); code != QuitEvent; code = WaitEvent()) {
            const Text text = ReadGadgetText(EventSource());
            QString seen;
            QDebug(&seen) << code << "from" << EventSource() << EventSubtype() << "state"
                          << ReadGadgetState(EventSource()) << text.size()
                          << text.substr(0, 20).c_str();
            log += seen.toStdString() + "\n";
            if (code == RightButtonDownEvent) ShowPopupMenu(0, CurrentWindowHandle());
            EXPECT_TRUE(WindowHandle(300) && WindowHandle(301)) << "a close request closed one";
        }
    });
    EXPECT_TRUE(MatchesGolden(log, Golden + "/qt_events.txt"));
    // Nothing waits once there is no window left, or once the application is to quit.
    EXPECT_EQ(WaitEvent(), QuitEvent);
    OpenAppWindow(300, 0, 0, 100, 100, 0, "Main");
    RequestQuit();
    EXPECT_EQ(WaitEvent(), QuitEvent);
    ClearQuitRequest();
    ReleaseAll();
}

// Underlined text is drawn as glyphs and a line of its own. It must look exactly as Qt draws the
// whole text, shaded underline edges included: at this scale, and at 125 % in a child.
TEST(QtWindows, UnderlinedTextLooksAsQtDrawsItWhole) {
    if (!std::getenv("QT_SCALE_FACTOR")) {
        const std::string child = "QT_SCALE_FACTOR=1.25 " +
                                  std::filesystem::read_symlink("/proc/self/exe").string() +
                                  " --gtest_filter=*UnderlinedText*";
        EXPECT_EQ(std::system(child.c_str()), 0) << "at 125 %";
    }
    const std::pair<uint32_t, const char*> lines[] = {
        {FONT_UNDERLINE, "Managing Director"},
        {FONT_UNDERLINE | FONT_BOLD, "Müller & Söhne 12"},
        {FONT_UNDERLINE | FONT_ITALIC, " 1 - 2 "},
        {FONT_UNDERLINE, "Ärger 漢字 x"}, // underlined by each script's font
    };
    OpenAppWindow(300, 0, 0, 200, 100, WS_CAPTION_BITS, "Main");
    BeginGadgets(WindowHandle(300));
    const qreal ratio = Window(300)->devicePixelRatioF();
    QImage expected(QSize(200, 100) * ratio, QImage::Format_RGB32);
    expected.setDevicePixelRatio(ratio);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    BeginDrawing(WindowHandle(300));
    FillRect(0, 0, 200, 100, RgbColour(255, 255, 255));
    SetDrawColour(0, 0, 0);
    SetDrawingMode(1);
    int y = 5;
    for (const auto& [style, text] : lines) { // each font loaded anew, maybe at the same address
        const Handle font = LoadNumberedFont(20, "Tahoma", 8, style);
        SetDrawingFont(font);
        MoveTextCursor(10, y);
        DrawTextAtCursor(text);
        painter.setFont(*reinterpret_cast<const QFont*>(font));
        painter.drawText(QPoint(10, y + painter.fontMetrics().ascent()), QString::fromUtf8(text));
        y += 22;
    }
    EndDrawing();
    painter.end();
    const QImage shown = Window(300)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(shown == expected) << "at " << ratio * 100 << " %";
    ReleaseAll();
}

} // namespace
