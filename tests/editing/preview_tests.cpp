// Connector preview: the exact stub pixels in pass-through Boxes, painting out, and Boxes with
// text left alone.
#include "editing_test.h"
#include "preview/connector_preview.h"

#include <string>

namespace {

// A vertical or horizontal run of pixels, relative to a Box's top-left corner.
struct Run {
    int box;
    int x, y, length;
    bool vertical;
};

::testing::AssertionResult RunHas(const Run& run, uint32_t expected) {
    const GadgetBounds r = GadgetRect(run.box);
    for (int i = 0; i < run.length; ++i) {
        const int x = r.x + run.x + (run.vertical ? 0 : i);
        const int y = r.y + run.y + (run.vertical ? i : 0);
        if (MainPixel(x, y) != expected)
            return ::testing::AssertionFailure()
                   << "Box " << run.box << " pixel (" << x - r.x << "," << y - r.y << ") is "
                   << std::hex << MainPixel(x, y) << ", expected " << expected;
    }
    return ::testing::AssertionSuccess();
}

bool IsBlack(int box, int x, int y) {
    const GadgetBounds r = GadgetRect(box);
    return MainPixel(r.x + x, r.y + y) == OpaqueBlack;
}

void Tick(int connector, int state) {
    WriteGadgetState(connector, state);
    DrawConnectors();
}

// A vertical stub: columns 63 and 64 from y for length pixels, nothing just outside.
void ExpectVerticalStub(int box, int y, int length) {
    SCOPED_TRACE("vertical stub in Box " + std::to_string(box));
    for (int x : {63, 64}) EXPECT_TRUE(RunHas({box, x, y, length, true}, OpaqueBlack));
    EXPECT_FALSE(IsBlack(box, 63, y - 1));
    EXPECT_FALSE(IsBlack(box, 63, y + length));
    EXPECT_FALSE(IsBlack(box, 62, y));
    EXPECT_FALSE(IsBlack(box, 65, y));
}

} // namespace

TEST_F(EditorTest, TickedHorizontalConnectorDrawsStubsOnlyInPassThroughBoxes) {
    Line1[202] = "Chief"; // left of Connector 12, holds text
    Red[202] = Green[202] = Blue[202] = 255;
    RefreshChart();
    Tick(12, 1);
    EXPECT_EQ(HConnector[12], 1) << "the tick is read into the Chart";
    // In the right Box: rows 20 and 21, x = 2 to 62.
    for (int y : {20, 21}) EXPECT_TRUE(RunHas({203, 2, y, 61, false}, OpaqueBlack));
    EXPECT_FALSE(IsBlack(203, 1, 20));
    EXPECT_FALSE(IsBlack(203, 63, 20));
    EXPECT_FALSE(IsBlack(203, 30, 19));
    EXPECT_FALSE(IsBlack(203, 30, 22));
    // The Box with text gets nothing.
    EXPECT_TRUE(RunHas({202, 95, 20, 30, false}, White));

    // Both Boxes empty: the left one gets x = 65 to 125.
    Line1[202].clear();
    Tick(12, 1);
    for (int y : {20, 21}) EXPECT_TRUE(RunHas({202, 65, y, 61, false}, OpaqueBlack));
    EXPECT_FALSE(IsBlack(202, 64, 20));
    EXPECT_FALSE(IsBlack(202, 126, 20));

    // The narrow row's horizontal stubs lie on rows 10 and 11.
    Tick(7, 1); // Boxes 196 and 197
    for (int y : {10, 11}) {
        EXPECT_TRUE(RunHas({196, 65, y, 61, false}, OpaqueBlack));
        EXPECT_TRUE(RunHas({197, 2, y, 61, false}, OpaqueBlack));
    }
}

TEST_F(EditorTest, VerticalStubsFollowTheirKindOfGap) {
    const uint32_t face = Opaque(ButtonFaceColour());
    Tick(90, 1); // row 0 to the narrow row: Boxes 188 and 195
    ExpectVerticalStub(188, 20, 18);
    ExpectVerticalStub(195, 2, 9);

    Tick(98, 1); // narrow row to row 2: Boxes 196 and 203
    ExpectVerticalStub(196, 11, 7);
    // Row 21 of Box 203 is shared with the stub of the unticked Connector below it, which is
    // drawn later and wins.
    ExpectVerticalStub(203, 2, 19);
    EXPECT_TRUE(RunHas({203, 63, 21, 17, true}, face));
    Tick(105, 1); // and with it ticked, Box 203 is crossed from top to bottom
    ExpectVerticalStub(203, 2, 36);

    Tick(180, 1); // the last gap: Boxes 278 and 285, nothing below 285
    ExpectVerticalStub(278, 21, 17);
    ExpectVerticalStub(285, 2, 20);
    EXPECT_EQ(VConnector[90] + VConnector[98] + VConnector[105] + VConnector[180], 4);
}

TEST_F(EditorTest, FourTickedConnectorsMakeACross) {
    const int box = 210; // row 3, column 1
    Tick(18, 1);         // left
    Tick(19, 1);         // right
    for (int y : {20, 21}) {
        EXPECT_TRUE(RunHas({box, 2, y, 61, false}, OpaqueBlack));
        EXPECT_TRUE(RunHas({box, 65, y, 61, false}, OpaqueBlack));
        EXPECT_FALSE(IsBlack(box, 63, y)) << "the centre columns belong to the vertical stubs";
        EXPECT_FALSE(IsBlack(box, 64, y));
    }
    Tick(105, 1); // above
    Tick(112, 1); // below
    for (int x : {63, 64}) EXPECT_TRUE(RunHas({box, x, 2, 36, true}, OpaqueBlack));
    for (int y : {20, 21}) EXPECT_TRUE(RunHas({box, 2, y, 124, false}, OpaqueBlack));
    EXPECT_FALSE(IsBlack(box, 63, 1));
    EXPECT_FALSE(IsBlack(box, 63, 38));
}

TEST_F(EditorTest, UntickingPaintsTheStubOutInTheButtonFace) {
    Tick(104, 1); // Boxes 202 and 209
    ExpectVerticalStub(202, 21, 17);
    ExpectVerticalStub(209, 2, 19);
    Tick(104, 0);
    EXPECT_EQ(VConnector[104], 0);
    const uint32_t face = Opaque(ButtonFaceColour());
    ASSERT_NE(face, OpaqueBlack);
    for (int x : {63, 64}) {
        EXPECT_TRUE(RunHas({202, x, 21, 17, true}, face));
        EXPECT_TRUE(RunHas({209, x, 2, 20, true}, face));
    }
}

TEST_F(EditorTest, RefreshSetsCheckBoxesFromTheChartAndDrawsTheirStubs) {
    HConnector[83] = 1; // Boxes 284 and 285
    VConnector[96] = 1; // Boxes 194 and 201
    RefreshChart();
    EXPECT_EQ(ReadGadgetState(83), 1);
    EXPECT_EQ(ReadGadgetState(96), 1);
    EXPECT_EQ(ReadGadgetState(82), 0);
    EXPECT_TRUE(RunHas({284, 65, 20, 61, false}, OpaqueBlack));
    EXPECT_TRUE(RunHas({285, 2, 21, 61, false}, OpaqueBlack));
    ExpectVerticalStub(194, 20, 18);
    ExpectVerticalStub(201, 2, 9);
}
