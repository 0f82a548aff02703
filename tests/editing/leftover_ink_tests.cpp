// What a refresh leaves on the main window's canvas: exactly what it paints. Text wider than
// its Box runs over the Box's edges; once shortened or deleted, it must not stay behind.
#include "editing_test.h"

#include <string>
#include <vector>

namespace {

constexpr int WindowWidth = 989, WindowHeight = 715;
constexpr const char* LongText = "Departmental budget planning and review committee";

bool InsideSomeBox(int x, int y) {
    for (int box = FirstBox; box <= LastBox; ++box) {
        const GadgetBounds r = GadgetRect(box);
        if (x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height) return true;
    }
    return false;
}

// Painted pixels of the main window's canvas between the Boxes of the rows from top to bottom.
int InkOutsideBoxes(int top, int bottom) {
    int ink = 0;
    for (int y = top; y <= bottom; ++y)
        for (int x = 0; x < WindowWidth; ++x)
            if ((MainPixel(x, y) >> 24) != 0 && !InsideSomeBox(x, y)) ++ink;
    return ink;
}

std::vector<uint32_t> WholeCanvas() {
    std::vector<uint32_t> pixels;
    pixels.reserve(WindowWidth * WindowHeight);
    for (int y = 0; y < WindowHeight; ++y)
        for (int x = 0; x < WindowWidth; ++x) pixels.push_back(MainPixel(x, y));
    return pixels;
}

} // namespace

TEST_F(EditorTest, ShortenedOrDeletedTextLeavesNoInkBetweenBoxes) {
    const int box = BoxOf(3, 2), narrow = BoxOf(NarrowRow, 4);
    const GadgetBounds r = GadgetRect(box), n = GadgetRect(narrow);
    auto longTexts = [&] {
        Line1[box] = LongText;
        Line3[box] = LongText;
        Red[box] = 226, Green[box] = 234, Blue[box] = 249;
        Line1[narrow] = LongText;
        Red[narrow] = 125, Green[narrow] = 196, Blue[narrow] = 245;
        RefreshChart();
        // Without ink over the edges there would be nothing to leave behind.
        ASSERT_GT(InkOutsideBoxes(r.y, r.y + r.height - 1), 0);
        ASSERT_GT(InkOutsideBoxes(n.y, n.y + n.height - 1), 0);
    };

    longTexts();
    Line1[box] = "Budget";
    Line3[box].clear();
    Line1[narrow] = "Plans";
    RefreshChart();
    EXPECT_EQ(InkOutsideBoxes(r.y, r.y + r.height - 1), 0);
    EXPECT_EQ(InkOutsideBoxes(n.y, n.y + n.height - 1), 0);
    EXPECT_FALSE(InkRows(r.x + 1, r.y + 1, 125, 37).empty()) << "the short text is drawn";

    // Delete empties the Box and takes its colour: a plain button, nothing around it but the
    // painted-out stubs of its unticked Connectors.
    longTexts();
    for (int line = 1; line <= 3; ++line) LineTable(line)[box].clear();
    Red[box] = Green[box] = Blue[box] = 0;
    RefreshChart();
    EXPECT_EQ(InkOutsideBoxes(r.y, r.y + r.height - 1), 0);
    const uint32_t face = Opaque(ButtonFaceColour());
    for (int y = r.y; y < r.y + r.height; ++y)
        for (int x = r.x; x < r.x + r.width; ++x) {
            const uint32_t pixel = MainPixel(x, y);
            ASSERT_TRUE(pixel >> 24 == 0 || pixel == face)
                << "paint left in the emptied Box at " << x << "," << y;
        }
}

TEST_F(EditorTest, RefreshLeavesTheSameCanvasWhateverWasPaintedBefore) {
    // A chart with lines routed through empty Boxes and a few texts.
    Line1[BoxOf(2, 0)] = "Head";
    Red[BoxOf(2, 0)] = 191, Green[BoxOf(2, 0)] = 227, Blue[BoxOf(2, 0)] = 252;
    Line1[BoxOf(4, 2)] = "Team";
    HConnector[HConnectorOf(2, 0)] = HConnector[HConnectorOf(2, 1)] = 1;
    VConnector[VConnectorOf(2, 2)] = VConnector[VConnectorOf(3, 2)] = 1;
    RefreshChart();
    const std::vector<uint32_t> clean = WholeCanvas();

    // Long texts everywhere and a Box painted by the box display on its own, then the chart as
    // it was: the canvas is the same as after the first refresh.
    const SlotTable<Text> lines = Line1;
    for (int box = FirstBox; box <= LastBox; ++box)
        if (Line1[box].empty()) Line1[box] = LongText;
    RefreshChart();
    Line1 = lines;
    CurrentBox = BoxOf(7, 5);
    Line1[CurrentBox] = LongText;
    DrawCurrentBox = FillCurrentBox = 1;
    PaintCurrentBox();
    Line1[CurrentBox].clear();
    RefreshChart();
    EXPECT_TRUE(WholeCanvas() == clean) << "the canvas keeps paint from before the refresh";
}
