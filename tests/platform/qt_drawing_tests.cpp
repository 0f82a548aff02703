// Drawing on a window's retained canvas: the exact pixels of rectangles and lines, the canvas
// above the gadgets and letting clicks through, the clear of a gadget shown again, and the
// canvas on a screen scaled by two.
#include "harness.h"

#include <QApplication>
#include <QWidget>

namespace {

constexpr uint32_t None = 0, Black = 0xFF000000, White = 0xFFFFFFFF, Red = 0xFFFF0000;
constexpr int32_t RedColour = 0x0000FF; // 0x00BBGGRR

// How many pixels of the window's canvas in the rectangle have the colour.
int Count(int x, int y, int width, int height, uint32_t colour) {
    int count = 0;
    for (int row = y; row < y + height; ++row)
        for (int column = x; column < x + width; ++column)
            count += CanvasPixel(300, column, row) == colour;
    return count;
}

class QtDrawing : public ::testing::Test {
  protected:
    void SetUp() override {
        OpenAppWindow(300, 0, 0, 300, 200, 0, "Canvas");
        BeginGadgets(WindowHandle(300));
        AddButton(188, 10, 100, 128, 40, "", BS_MULTILINE);
        ASSERT_EQ(BeginDrawing(WindowHandle(300)), WindowHandle(300));
    }
    void TearDown() override { ReleaseAll(); }
};

TEST_F(QtDrawing, RectanglesPixelsAndLinesCoverExactlyTheirPixels) {
    FillRect(10, 20, 5, 3, RedColour);
    FillRect(3, 4, 1, 1, 0);
    DrawLine(20, 30, 61, 0, 0);  // x = 20 to 80: the end point is left out
    DrawLine(100, 30, 0, 17, 0); // y = 30 to 46
    DrawLine(90, 50, -5, 0, 0);  // x = 90 down to 86
    DrawLine(50, 60, 4, 4, 0);   // (50, 60) to (53, 63)
    SetDrawingMode(4);           // outlines only
    FillRect(150, 10, 5, 5, RedColour);
    SetDrawingMode(2); // inverting: black to white, nothing shown to the face's inverse
    FillRect(20, 30, 2, 1, RedColour);
    FillRect(200, 10, 1, 1, 0);
    EndDrawing();
    FillRect(0, 0, 300, 200, RedColour); // no drawing in progress: nothing
    EXPECT_EQ(Count(10, 20, 5, 3, Red) + Count(150, 10, 5, 5, Red), 15 + 16);
    EXPECT_EQ(Count(0, 0, 300, 100, Red), 15 + 16);
    EXPECT_EQ(Count(22, 30, 59, 1, Black) + Count(100, 30, 1, 17, Black) +
                  Count(86, 50, 5, 1, Black),
              59 + 17 + 5);
    EXPECT_EQ(Count(0, 0, 300, 100, Black), 1 + 59 + 17 + 5 + 4);
    EXPECT_EQ(CanvasPixel(300, 3, 4) + CanvasPixel(300, 53, 63), 2 * Black);
    EXPECT_EQ(CanvasPixel(300, 20, 30) + CanvasPixel(300, 21, 30), 2 * White);
    EXPECT_EQ(CanvasPixel(300, 200, 10), 0xFF101010u); // the inverse of the face EFEFEF
    EXPECT_EQ(ButtonFaceColour(), RgbColour(0xEF, 0xEF, 0xEF));
    EXPECT_EQ(BeginDrawing(0) + TextPixelWidth("no drawing"), 0);
}

// The canvas shows above the gadgets and lets clicks through to them. A gadget hidden and shown
// again clears its rectangle of the canvas at the next RepaintNow, or before the next wait;
// what is drawn after that stays.
TEST_F(QtDrawing, TheCanvasLiesAboveTheGadgetsWhichClearItWhenShownAgain) {
    FillRect(0, 90, 300, 60, RedColour);
    EndDrawing();
    SetGadgetHidden(188, 1);
    SetGadgetHidden(188, 0);
    EXPECT_EQ(CanvasPixel(300, 20, 110), Red);
    RepaintNow(300);
    EXPECT_EQ(Count(10, 100, 128, 40, None) + Count(9, 99, 130, 42, Red),
              128 * 40 + 2 * 130 + 2 * 40);
    BeginDrawing(WindowHandle(300));
    FillRect(11, 101, 125, 37, 0xF9EAE2); // a Box's colour
    EndDrawing();
    SetGadgetHidden(188, 1);
    SetGadgetHidden(188, 0);
    QApplication::processEvents();
    EXPECT_EQ(static_cast<QWidget*>(WindowWidget(300))->grab().toImage().pixel(50, 120),
              qRgb(226, 234, 249));
    int clicks = 0;
    Script script;
    script.Call([] {
        EXPECT_EQ(CanvasPixel(300, 50, 120), None);
        BeginDrawing(WindowHandle(300));
        FillRect(0, 0, 300, 200, 0);
        EndDrawing();
    });
    script.ClickGadget(188).Quit().Run([&] {
        while (WaitEvent() == GadgetEvent) clicks += EventSource() == 188;
    });
    EXPECT_EQ(clicks, 1);
}

// Run a second time with QT_SCALE_FACTOR=2: four device pixels for each pixel drawn, exact.
TEST_F(QtDrawing, TheCanvasFollowsTheScreensScale) {
    FillRect(10, 10, 1, 1, RedColour);
    ClearWindowCanvas(300); // also in the middle of a drawing, which goes on
    FillRect(40, 40, 1, 1, RedColour);
    EndDrawing();
    QWidget* window = static_cast<QWidget*>(WindowWidget(300));
    QApplication::processEvents();
    const QImage shown = window->grab().toImage();
    const int r = qRound(window->devicePixelRatioF());
    EXPECT_EQ(shown.size(), window->size() * r);
    EXPECT_NE(shown.pixel(10 * r, 10 * r), qRgb(255, 0, 0));
    for (int dy = 0; dy < r; ++dy)
        for (int dx = 0; dx < r; ++dx)
            EXPECT_EQ(shown.pixel(40 * r + dx, 40 * r + dy), qRgb(255, 0, 0));
    EXPECT_NE(shown.pixel(41 * r, 40 * r), qRgb(255, 0, 0));
    EXPECT_NE(shown.pixel(40 * r, 41 * r), qRgb(255, 0, 0));
}

} // namespace
