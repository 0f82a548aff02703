// Box display: where the text lines of a Box land, what is filled, what a refresh clears, and
// which font a line gets.
#include "editing_test.h"

#include <array>
#include <string>

namespace {

constexpr int RowTwoBox = 202, NarrowBox = 196, LastRowBox = 285;

struct Glyph {
    int top, left; // first ink row and column of "H" below and right of the text position
    int width;     // TextPixelWidth of "H"
};

// Where "H" in the regular style font lands relative to the text position it is drawn at.
Glyph MeasureGlyph() {
    const GadgetBounds r = GadgetRect(LastRowBox);
    Whiteout(r.x, r.y, r.width, r.height);
    SelectWindow(MainWindow);
    BeginDrawing(CurrentWindowHandle());
    SetDrawingMode(1);
    SetDrawingFont(FontHandle(11));
    const int width = TextPixelWidth("H");
    MoveTextCursor(r.x + 20, r.y + 10);
    DrawTextAtCursor("H");
    EndDrawing();
    const std::vector<int> rows = InkRows(r.x, r.y, r.width, r.height);
    EXPECT_FALSE(rows.empty()) << "text drawing leaves no ink";
    const int left = FirstInkColumn(r.x, r.y, r.width, r.height);
    return {rows.empty() ? 0 : rows.front() - 10, left - 20, width};
}

// Paints one Box as the event loop does before the box editor opens, on a white background.
void PaintOnWhite(int box) {
    const GadgetBounds r = GadgetRect(box);
    Whiteout(r.x - 5, r.y - 5, r.width + 10, 50);
    Red[box] = Green[box] = Blue[box] = 255;
    CurrentBox = box;
    DrawCurrentBox = 1;
    FillCurrentBox = 1;
    PaintCurrentBox();
}

struct Layout {
    const char* lines; // which lines hold text: "1", "12", "2", "123", ...
    std::vector<int> normal, narrow;
};

void SetLines(int box, const char* which) {
    for (int line = 1; line <= 3; ++line)
        LineTable(line)[box] =
            std::string(which).find(char('0' + line)) != std::string::npos ? "H" : "";
}

} // namespace

TEST_F(EditorTest, LinesLandAtTheirOffsetsInNormalAndNarrowRows) {
    const Glyph glyph = MeasureGlyph();
    const std::array<Layout, 7> layouts{{
        {"1", {14}, {4}},
        {"12", {8, 20}, {4, 16}},
        {"2", {20}, {16}},
        {"123", {1, 13, 25}, {4, 16, 28}},
        {"13", {1, 25}, {4, 28}},
        {"23", {13, 25}, {16, 28}},
        {"3", {25}, {28}},
    }};
    for (const Layout& layout : layouts) {
        for (int box : {RowTwoBox, NarrowBox}) {
            SCOPED_TRACE(std::string("lines ") + layout.lines + " in Box " + std::to_string(box));
            SetLines(box, layout.lines);
            PaintOnWhite(box);
            const GadgetBounds r = GadgetRect(box);
            std::vector<int> expected = box == NarrowBox ? layout.narrow : layout.normal;
            for (int& top : expected) top += glyph.top;
            EXPECT_EQ(InkBandTops(r.x + 1, r.y, r.width - 3, 45), expected);
            // Centred on the gadget's centre, halves rounded down.
            EXPECT_EQ(FirstInkColumn(r.x, r.y, r.width, 45),
                      (r.width >> 1) - (glyph.width >> 1) + glyph.left);
            EXPECT_EQ(DrawCurrentBox, 0);
        }
    }
}

TEST_F(EditorTest, RefreshLaysOutEveryBoxLikePaintCurrentBox) {
    const Glyph glyph = MeasureGlyph();
    SetLines(RowTwoBox, "12");
    SetLines(NarrowBox, "1");
    Line1[210] = "H"; // row 3, one line
    for (int box : {RowTwoBox, NarrowBox, 210}) {
        Red[box] = Green[box] = Blue[box] = 255;
        const GadgetBounds r = GadgetRect(box);
        Whiteout(r.x - 5, r.y - 5, r.width + 10, 50);
    }
    RefreshChart();
    auto tops = [](int box) {
        const GadgetBounds r = GadgetRect(box);
        return InkBandTops(r.x + 1, r.y, r.width - 3, r.height - 2);
    };
    EXPECT_EQ(tops(RowTwoBox), (std::vector<int>{8 + glyph.top, 20 + glyph.top}));
    EXPECT_EQ(tops(NarrowBox), (std::vector<int>{4 + glyph.top}));
    EXPECT_EQ(tops(210), (std::vector<int>{14 + glyph.top}));
}

TEST_F(EditorTest, FillCoversTheBoxInsideItsBorder) {
    for (int box : {RowTwoBox, NarrowBox, 191}) {
        SCOPED_TRACE(box);
        const GadgetBounds r = GadgetRect(box);
        Whiteout(r.x - 2, r.y - 2, r.width + 4, r.height + 4);
        Line1[box] = "x";
        Red[box] = 10, Green[box] = 200, Blue[box] = 30;
        CurrentBox = box;
        DrawCurrentBox = FillCurrentBox = 1;
        PaintCurrentBox();
        EXPECT_EQ(FillCurrentBox, 2);
        const uint32_t fill = Opaque(RgbColour(10, 200, 30));
        const int width = 125, height = box == NarrowBox ? 17 : 37;
        EXPECT_EQ(r.width - 3, width);
        EXPECT_EQ(r.height - 3, height);
        EXPECT_EQ(MainPixel(r.x + 1, r.y + 1), fill);
        EXPECT_EQ(MainPixel(r.x + width, r.y + height), fill);
        EXPECT_EQ(MainPixel(r.x + 1, r.y + height), fill);
        EXPECT_EQ(MainPixel(r.x, r.y + 1), White);
        EXPECT_EQ(MainPixel(r.x + 1, r.y), White);
        EXPECT_EQ(MainPixel(r.x + width + 1, r.y + height), White);
        EXPECT_EQ(MainPixel(r.x + width, r.y + height + 1), White);
    }
}

TEST_F(EditorTest, PaintCurrentBoxRunsOnlyTheStepsItsFlagsAskFor) {
    const GadgetBounds r = GadgetRect(RowTwoBox);
    Line1[RowTwoBox] = "H";
    Red[RowTwoBox] = 0, Green[RowTwoBox] = 0, Blue[RowTwoBox] = 200;
    CurrentBox = RowTwoBox;

    Whiteout(r.x, r.y, r.width, r.height);
    DrawCurrentBox = 1;
    FillCurrentBox = 2; // already filled: text only
    PaintCurrentBox();
    EXPECT_EQ(MainPixel(r.x + 3, r.y + 3), White);
    EXPECT_FALSE(InkRows(r.x, r.y, r.width, r.height).empty());
    EXPECT_EQ(CurrentWindow(), MainWindow);

    Whiteout(r.x, r.y, r.width, r.height);
    FillCurrentBox = 1; // not asked to draw the Box at all
    PaintCurrentBox();
    EXPECT_TRUE(InkRows(r.x, r.y, r.width, r.height).empty());
    EXPECT_EQ(FillCurrentBox, 1);
}

TEST_F(EditorTest, UncolouredBoxWithoutFirstLineLooksLikeAPlainButtonAfterRefresh) {
    // Paint colour and text onto two Boxes, then take their colour and first line away.
    for (int box : {RowTwoBox, 203}) {
        Line1[box] = "Gone";
        Line2[box] = "Second";
        Red[box] = 90, Green[box] = 90, Blue[box] = 90;
    }
    RefreshChart();
    const GadgetBounds r = GadgetRect(RowTwoBox);
    ASSERT_EQ(MainPixel(r.x + 5, r.y + 5), Opaque(RgbColour(90, 90, 90)));
    for (int box : {RowTwoBox, 203}) {
        Line1[box].clear();
        Red[box] = Green[box] = Blue[box] = 0;
    }
    Line2[RowTwoBox].clear(); // 203 keeps a second line, which the button covers too
    RefreshChart();
    // Nothing is left but, in the pass-through Box 202, the painted-out stubs of its
    // unticked Connectors.
    const uint32_t face = Opaque(ButtonFaceColour());
    auto onStub = [](int box, int x, int y) { // Box 202 has neighbours right, above, below
        return IsEmptyBox(box) && (((x == 63 || x == 64) && y >= 2 && y <= 37) ||
                                   ((y == 20 || y == 21) && x >= 65 && x <= 125));
    };
    for (int box : {RowTwoBox, 203}) {
        const GadgetBounds b = GadgetRect(box);
        for (int y = 0; y < b.height; ++y)
            for (int x = 0; x < b.width; ++x) {
                const uint32_t pixel = MainPixel(b.x + x, b.y + y);
                if (onStub(box, x, y))
                    ASSERT_EQ(pixel, face) << "Box " << box << " at " << x << "," << y;
                else
                    ASSERT_EQ(pixel >> 24, 0u)
                        << "Box " << box << " paint left at " << x << "," << y;
            }
    }
}

TEST_F(EditorTest, UncolouredBoxWithFirstLineIsFilledBlack) {
    Line1[RowTwoBox] = "Dark";
    RefreshChart();
    const GadgetBounds r = GadgetRect(RowTwoBox);
    EXPECT_EQ(MainPixel(r.x + 3, r.y + 3), OpaqueBlack);
    EXPECT_EQ(MainPixel(r.x + 125, r.y + 37), OpaqueBlack);
}

TEST_F(EditorTest, LineWithInvalidStyleIsDrawnInTheFontOfTheLineBefore) {
    // The same word under a bold line, drawn once with an invalid style code and once as bold
    // and as regular: its pixels match the bold rendering.
    auto secondLine = [](int boldOfLine2, int boldOfLine1) {
        Line1[RowTwoBox] = "Wide Word";
        Line2[RowTwoBox] = "Wide Word";
        Bold1[RowTwoBox] = boldOfLine1;
        Bold2[RowTwoBox] = boldOfLine2;
        PaintOnWhite(RowTwoBox);
        const GadgetBounds r = GadgetRect(RowTwoBox);
        std::vector<uint32_t> pixels;
        for (int y = r.y + 20; y < r.y + 32; ++y)
            for (int x = r.x; x < r.x + r.width; ++x) pixels.push_back(MainPixel(x, y));
        return pixels;
    };
    const auto bold = secondLine(1, 1);
    const auto regular = secondLine(0, 1);
    ASSERT_NE(bold, regular) << "bold and regular style fonts look the same";
    EXPECT_EQ(secondLine(2, 1), bold);
    EXPECT_EQ(secondLine(-1, 0), regular);
}
