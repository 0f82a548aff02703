// Drawing on the retained canvas: exact rectangles, pixels and lines, text colour and place,
// the clearing of re-shown gadgets, and the canvas shown above the gadgets.
#include "gui_test.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

namespace {

constexpr uint32_t Transparent = 0;
constexpr uint32_t OpaqueRed = 0xFFFF0000, OpaqueBlack = 0xFF000000;
constexpr int32_t Red = 0x0000FF; // 0x00BBGGRR

class Drawing : public GuiTest {
  protected:
    void SetUp() override { handle = OpenTestWindow(300); }
    Handle handle = 0;
};

TEST_F(Drawing, FillRectCoversExactlyWidthTimesHeightPixels) {
    ASSERT_EQ(BeginDrawing(handle), handle);
    FillRect(10, 20, 5, 3, Red);
    EndDrawing();
    int covered = 0;
    for (int y = 15; y < 30; ++y)
        for (int x = 5; x < 20; ++x) covered += CanvasPixel(300, x, y) == OpaqueRed;
    EXPECT_EQ(covered, 15);
    EXPECT_EQ(CanvasPixel(300, 10, 20), OpaqueRed);
    EXPECT_EQ(CanvasPixel(300, 14, 22), OpaqueRed);
    EXPECT_EQ(CanvasPixel(300, 15, 22), Transparent);
    EXPECT_EQ(CanvasPixel(300, 14, 23), Transparent);
}

TEST_F(Drawing, OneByOneSetsOnePixel) {
    BeginDrawing(handle);
    FillRect(3, 4, 1, 1, 0x00FF00);
    EndDrawing();
    EXPECT_EQ(CanvasPixel(300, 3, 4), 0xFF00FF00u);
    EXPECT_EQ(CanvasPixel(300, 4, 4), Transparent);
    EXPECT_EQ(CanvasPixel(300, 3, 5), Transparent);
    EXPECT_EQ(CanvasPixel(300, 2, 4), Transparent);
}

TEST_F(Drawing, LinesLeaveOutTheirEndPoint) {
    BeginDrawing(handle);
    DrawLine(10, 20, 61, 0, 0);  // x = 10 to 70
    DrawLine(100, 30, 0, 17, 0); // y = 30 to 46
    DrawLine(200, 50, -5, 0, 0); // x = 200 down to 196
    DrawLine(50, 100, 4, 4, 0);  // the diagonal (50,100) to (53,103)
    EndDrawing();
    int horizontal = 0, vertical = 0;
    for (int x = 0; x < 400; ++x) horizontal += CanvasPixel(300, x, 20) == OpaqueBlack;
    for (int y = 0; y < 300; ++y) vertical += CanvasPixel(300, 100, y) == OpaqueBlack;
    EXPECT_EQ(horizontal, 61);
    EXPECT_EQ(CanvasPixel(300, 10, 20), OpaqueBlack);
    EXPECT_EQ(CanvasPixel(300, 70, 20), OpaqueBlack);
    EXPECT_EQ(CanvasPixel(300, 71, 20), Transparent);
    EXPECT_EQ(CanvasPixel(300, 10, 21), Transparent); // one pixel wide
    EXPECT_EQ(vertical, 17);
    EXPECT_EQ(CanvasPixel(300, 100, 46), OpaqueBlack);
    EXPECT_EQ(CanvasPixel(300, 200, 50), OpaqueBlack);
    EXPECT_EQ(CanvasPixel(300, 196, 50), OpaqueBlack);
    EXPECT_EQ(CanvasPixel(300, 195, 50), Transparent);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(CanvasPixel(300, 50 + i, 100 + i), OpaqueBlack) << i;
    EXPECT_EQ(CanvasPixel(300, 54, 104), Transparent);
}

// Finds the painted pixels of an area: their bounding box and whether all are pure black.
struct Ink {
    QRect bounds;
    bool allBlack = true, anyRed = false;
};
Ink InkIn(int window, QRect area) {
    Ink ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const uint32_t p = CanvasPixel(window, x, y);
            if (p == Transparent) continue;
            ink.bounds |= QRect(x, y, 1, 1);
            if ((p & 0xFFFFFF) != 0) ink.allBlack = false;
            if (((p >> 16) & 0xFF) > 0x80 && (p & 0xFFFF) < 0x4040) ink.anyRed = true;
        }
    return ink;
}

TEST_F(Drawing, TextIsBlackAfterBeginDrawingWhateverColourCameBefore) {
    const Handle font = LoadNumberedFont(11, "Tahoma", 7);
    BeginDrawing(handle);
    SetDrawingMode(1);
    SetDrawColour(255, 0, 0);
    SetDrawingFont(font);
    MoveTextCursor(10, 10);
    DrawTextAtCursor("Red");
    EndDrawing();
    EXPECT_TRUE(InkIn(300, QRect(0, 0, 100, 40)).anyRed);

    BeginDrawing(handle);
    SetDrawingMode(1);
    SetDrawingFont(font);
    MoveTextCursor(10, 50);
    DrawTextAtCursor("Black");
    EndDrawing();
    const Ink black = InkIn(300, QRect(0, 45, 100, 30));
    EXPECT_FALSE(black.bounds.isEmpty());
    EXPECT_TRUE(black.allBlack);
}

TEST_F(Drawing, TextHangsBelowAndRightOfTheCursorWhichItAdvances) {
    // The regular face: an emboldened one may spread a pixel beyond its glyph box.
    const Handle font = LoadNumberedFont(11, "Tahoma", 7);
    BeginDrawing(handle);
    SetDrawingMode(1);
    SetDrawingFont(font);
    const int width = TextPixelWidth("HH");
    EXPECT_EQ(TextPixelWidth(""), 0);
    EXPECT_EQ(width, 2 * TextPixelWidth("H"));
    MoveTextCursor(20, 30);
    DrawTextAtCursor("H");
    DrawTextAtCursor("H"); // continues where the first ended
    EndDrawing();
    const Ink ink = InkIn(300, QRect(0, 0, 200, 100));
    ASSERT_FALSE(ink.bounds.isEmpty());
    EXPECT_GE(ink.bounds.left(), 20);
    EXPECT_LE(ink.bounds.left(), 22);
    EXPECT_GE(ink.bounds.top(), 30);
    EXPECT_LE(ink.bounds.bottom(), 30 + 12);
    EXPECT_GE(ink.bounds.right(), 20 + width - 3); // the second H is drawn after the first
    EXPECT_LT(ink.bounds.right(), 20 + width);
}

TEST_F(Drawing, OpaqueTextHasAWhiteBackground) {
    BeginDrawing(handle);
    SetDrawingFont(LoadNumberedFont(11, "Tahoma", 7));
    MoveTextCursor(10, 10);
    const int width = TextPixelWidth("  ");
    DrawTextAtCursor("  ");
    EndDrawing();
    ASSERT_GT(width, 1);
    EXPECT_EQ(CanvasPixel(300, 10, 10), 0xFFFFFFFFu);
    EXPECT_EQ(CanvasPixel(300, 10 + width - 1, 15), 0xFFFFFFFFu);
    EXPECT_EQ(CanvasPixel(300, 10 + width, 15), Transparent);
    EXPECT_EQ(CanvasPixel(300, 9, 15), Transparent);
}

TEST_F(Drawing, NothingHappensWithoutADrawing) {
    FillRect(0, 0, 10, 10, Red);
    DrawLine(0, 0, 10, 0, Red);
    EXPECT_EQ(TextPixelWidth("abc"), 0);
    BeginDrawing(handle);
    EndDrawing();
    FillRect(0, 0, 10, 10, Red);
    EXPECT_EQ(CanvasPixel(300, 5, 5), Transparent);
    EXPECT_EQ(BeginDrawing(0), 0);
    FillRect(0, 0, 10, 10, Red);
    EXPECT_EQ(CanvasPixel(300, 5, 5), Transparent);
}

TEST_F(Drawing, OutlineAndInvertModes) {
    BeginDrawing(handle);
    SetDrawingMode(4);
    FillRect(10, 10, 5, 5, Red);
    SetDrawingMode(0);
    FillRect(30, 10, 4, 4, 0);
    SetDrawingMode(2);
    FillRect(30, 10, 2, 2, Red); // inverts whatever is shown, black to white
    EndDrawing();
    EXPECT_EQ(CanvasPixel(300, 10, 10), OpaqueRed);
    EXPECT_EQ(CanvasPixel(300, 14, 14), OpaqueRed);
    EXPECT_EQ(CanvasPixel(300, 12, 12), Transparent);
    EXPECT_EQ(CanvasPixel(300, 30, 10), 0xFFFFFFFFu);
    EXPECT_EQ(CanvasPixel(300, 32, 12), OpaqueBlack);
}

TEST_F(Drawing, ButtonFaceIsThePaletteButtonColour) {
    const QColor face = QApplication::palette().color(QPalette::Button);
    EXPECT_EQ(ButtonFaceColour(), RgbColour(face.red(), face.green(), face.blue()));
    EXPECT_EQ(ButtonFaceColour(), RgbColour(0xEF, 0xEF, 0xEF));
}

// A gadget hidden and shown again repaints itself: its rectangle of the canvas is cleared at
// the next RepaintNow of its window, taking along what was drawn on it in the meantime.
TEST_F(Drawing, AReShownGadgetClearsItsRectangleAtTheNextRepaint) {
    AddButton(188, 10, 10, 128, 40, "", BS_MULTILINE);
    AddButton(189, 150, 10, 128, 40, "", BS_MULTILINE);
    BeginDrawing(handle);
    FillRect(0, 0, 300, 60, Red);
    EndDrawing();
    SetGadgetHidden(188, 1);
    SetGadgetHidden(188, 0);
    SetGadgetHidden(189, 0); // never hidden: no repaint
    BeginDrawing(handle);
    FillRect(20, 20, 10, 10, 0); // drawn before the repaint happens
    EndDrawing();
    EXPECT_EQ(CanvasPixel(300, 20, 20), OpaqueBlack);
    EXPECT_EQ(CanvasPixel(300, 12, 12), OpaqueRed);

    RepaintNow(300);
    EXPECT_EQ(CanvasPixel(300, 20, 20), Transparent);
    EXPECT_EQ(CanvasPixel(300, 10, 10), Transparent);
    EXPECT_EQ(CanvasPixel(300, 137, 49), Transparent);
    EXPECT_EQ(CanvasPixel(300, 138, 30), OpaqueRed); // just right of the gadget
    EXPECT_EQ(CanvasPixel(300, 50, 50), OpaqueRed);  // just below it
    EXPECT_EQ(CanvasPixel(300, 160, 30), OpaqueRed); // gadget 189 keeps its paint

    // Drawn after the repaint, it stays.
    BeginDrawing(handle);
    FillRect(20, 20, 10, 10, 0);
    EndDrawing();
    RepaintNow(300);
    EXPECT_EQ(CanvasPixel(300, 20, 20), OpaqueBlack);
}

TEST_F(Drawing, TheClearHappensAtTheLatestBeforeWaiting) {
    AddButton(188, 10, 10, 128, 40, "");
    BeginDrawing(handle);
    FillRect(0, 0, 300, 60, Red);
    EndDrawing();
    SetGadgetHidden(188, 1);
    SetGadgetHidden(188, 0);
    Script script;
    script.Call([] {
        EXPECT_EQ(CanvasPixel(300, 20, 20), Transparent);
        EXPECT_EQ(CanvasPixel(300, 5, 5), OpaqueRed);
    });
    script.Quit();
    CollectEvents(script);
}

// The canvas shows above the gadgets and lets clicks through to them.
TEST_F(Drawing, CanvasIsShownAboveGadgetsAndLetsClicksThrough) {
    AddButton(188, 10, 10, 128, 40, "");
    BeginDrawing(handle);
    FillRect(11, 11, 125, 37, 0xF9EAE2); // Box colour (226, 234, 249)
    EndDrawing();
    AddCheckBox(0, 200, 10, 12, 20, ""); // created after the drawing: still below the canvas
    BeginDrawing(handle);
    FillRect(200, 10, 12, 20, Red);
    EndDrawing();
    QApplication::processEvents();
    const QImage shown = static_cast<QWidget*>(WindowWidget(300))->grab().toImage();
    const int r = qRound(shown.devicePixelRatio());
    EXPECT_EQ(shown.pixel(50 * r, 30 * r), qRgb(226, 234, 249));
    EXPECT_EQ(shown.pixel(205 * r, 20 * r), qRgb(255, 0, 0));

    Script script;
    script.ClickGadget(188).ClickGadget(0).Quit();
    EXPECT_EQ(GadgetEventsOf(CollectEvents(script)),
              (std::vector<std::pair<int, int>>{{188, BN_CLICKED}, {0, BN_CLICKED}}));
}

// Unticked connector stubs are painted in the button-face colour: on an empty Box button they
// must leave no trace, so the button's face is exactly that colour.
TEST_F(Drawing, ButtonFaceColourLeavesNoTraceOnAButton) {
    AddButton(188, 10, 10, 128, 40, "", BS_MULTILINE);
    AddButton(309, 150, 10, 84, 20, "Make Bold", BS_PUSHLIKE | BS_CHECKBOX_AUTO);
    WriteGadgetState(309, 1);
    QWidget* window = static_cast<QWidget*>(WindowWidget(300));
    QApplication::processEvents();
    const QImage before = window->grab().toImage();
    BeginDrawing(handle);
    DrawLine(10 + 65, 10 + 20, 61, 0, ButtonFaceColour());
    DrawLine(10 + 63, 10 + 2, 0, 20, ButtonFaceColour());
    EndDrawing();
    QApplication::processEvents();
    const QImage after = window->grab().toImage();
    EXPECT_EQ(before, after);
    // Whatever the state of the button, its face is flat (Fusion's own face is a gradient).
    const QColor face = QApplication::palette().color(QPalette::Button);
    for (QStyle::State state :
         {QStyle::State(QStyle::State_None), QStyle::State(QStyle::State_Active),
          QStyle::State(QStyle::State_MouseOver), QStyle::State_HasFocus | QStyle::State_Active}) {
        QImage panel(60, 40, QImage::Format_ARGB32);
        panel.fill(Qt::red);
        QStyleOptionButton option;
        option.rect = panel.rect();
        option.palette = QApplication::palette();
        option.state = QStyle::State_Enabled | QStyle::State_Raised | state;
        QPainter painter(&panel);
        QApplication::style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter);
        painter.end();
        for (int y = 2; y < 38; ++y) ASSERT_EQ(panel.pixelColor(30, y), face) << y;
    }
    // A toggle that is on looks pressed in.
    EXPECT_NE(after.pixel(150 + 5, 10 + 10), after.pixel(10 + 5, 10 + 10));
}

// Run a second time with QT_SCALE_FACTOR=2: the canvas then has four device pixels for each
// pixel the program draws, and stays exact.
TEST_F(Drawing, CanvasFollowsTheDevicePixelRatio) {
    QWidget* window = static_cast<QWidget*>(WindowWidget(300));
    const qreal ratio = window->devicePixelRatioF();
    BeginDrawing(handle);
    FillRect(10, 10, 1, 1, Red);
    DrawLine(20, 20, 3, 0, 0);
    EndDrawing();
    QApplication::processEvents();
    const QImage shown = window->grab().toImage();
    EXPECT_EQ(shown.size(), window->size() * ratio);
    const int r = qRound(ratio);
    for (int dy = 0; dy < r; ++dy)
        for (int dx = 0; dx < r; ++dx) {
            EXPECT_EQ(shown.pixel(10 * r + dx, 10 * r + dy), qRgb(255, 0, 0));
            EXPECT_EQ(shown.pixel(22 * r + dx, 20 * r + dy), qRgb(0, 0, 0));
        }
    EXPECT_NE(shown.pixel(11 * r, 10 * r), qRgb(255, 0, 0));
    EXPECT_NE(shown.pixel(23 * r, 20 * r), qRgb(0, 0, 0));
    EXPECT_NE(shown.pixel(22 * r, 21 * r), qRgb(0, 0, 0));
}

} // namespace
