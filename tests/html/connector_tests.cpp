// Connector image selection: the line images between Boxes, the narrow row's thinner line, and
// the junction image of an empty Box for each combination of its sides, at the grid's edges
// and with Connector values that are neither 0 nor 1.
#include "html_test.h"

using namespace htmltest;

namespace {

class ConnectorTest : public HtmlTest {
  protected:
    // Ticks the sides named in "LRUD" of the Box at (row, column).
    static void Tick(int row, int column, const Text& sides, int32_t value = 1) {
        if (sides.find('L') != Text::npos) HConnector.at(HConnectorOf(row, column - 1)) = value;
        if (sides.find('R') != Text::npos) HConnector.at(HConnectorOf(row, column)) = value;
        if (sides.find('U') != Text::npos) VConnector.at(VConnectorOf(row - 1, column)) = value;
        if (sides.find('D') != Text::npos) VConnector.at(VConnectorOf(row, column)) = value;
    }
    static Text JunctionOf(int box) {
        for (Text& entry : CellLeadIn) entry.clear();
        ComputeJunctionImages();
        return CellLeadIn[box];
    }
};

TEST_F(ConnectorTest, EachSideCombinationHasItsImage) {
    struct Row {
        const char* sides;
        const char* standard;
        const char* narrow;
    } table[] = {
        {"D", "upmiddle_av", "upmiddle2_av"},
        {"U", "downmiddle_av", "downmiddle2_av"},
        {"UD", "middleup", "middleup2"},
        {"R", "rightmiddle_av", "rightmiddle2_av"},
        {"RD", "leftmiddlestop", "rightmiddlestop4"},
        {"RU", "rightmiddlestop2", "rightmiddlestop3"},
        {"RUD", "downmiddleup", "rightdownmiddleup"},
        {"L", "leftmiddle_av", "leftmiddle2_av"},
        {"LD", "rightmiddlestop", "leftmiddlestop2"},
        {"LU", "leftmiddlestop3", "leftmiddlestop4"},
        {"LUD", "downmiddleup2", "leftdownmiddleup"},
        {"LR", "middle2", "middle3"},
        {"LRD", "leftmiddleleft", "leftmiddleleft4"},
        {"LRU", "leftmiddleleft2", "leftmiddleleft3"},
        {"LRUD", "centercross", "centercross2"},
    };
    for (const Row& row : table) {
        ClearChart();
        Tick(4, 5, row.sides);
        Tick(NarrowRow, 3, row.sides);
        EXPECT_EQ(JunctionOf(BoxOf(4, 5)), Text("<img src=gfx/strek_") + row.standard + ".gif>")
            << row.sides;
        EXPECT_EQ(JunctionOf(BoxOf(NarrowRow, 3)),
                  Text("<img src=gfx/strek_") + row.narrow + ".gif>")
            << row.sides;
    }
    ClearChart();
    EXPECT_EQ(JunctionOf(BoxOf(4, 5)), ""); // no side on: no image
}

TEST_F(ConnectorTest, EdgesOfTheGrid) {
    Tick(0, 0, "RD");
    EXPECT_EQ(JunctionOf(188), "<img src=gfx/strek_leftmiddlestop.gif>");
    Tick(0, 6, "LD");
    EXPECT_EQ(JunctionOf(194), "<img src=gfx/strek_rightmiddlestop.gif>");
    ClearChart();
    Tick(NarrowRow, 0, "RU");
    EXPECT_EQ(JunctionOf(195), "<img src=gfx/strek_rightmiddlestop3.gif>");
    ClearChart();
    Tick(NarrowRow, 0, "RD");
    EXPECT_EQ(JunctionOf(195), "<img src=gfx/strek_rightmiddlestop4.gif>");
    ClearChart();
    Tick(13, 4, "U");
    EXPECT_EQ(JunctionOf(BoxOf(13, 4)), "<img src=gfx/strek_downmiddle_av.gif>");
    // The last Box: nothing lies right of it nor below it, whatever slots 84 and 187 hold.
    ClearChart();
    HConnector[84] = 1;
    VConnector[181] = 1;
    EXPECT_EQ(JunctionOf(285), "");
}

TEST_F(ConnectorTest, BoxesWithTextGetNoJunctionWhateverTheirNeighbours) {
    Tick(4, 5, "LRUD");
    SetBox(BoxOf(4, 5), {"", "", "text"});
    EXPECT_EQ(JunctionOf(BoxOf(4, 5)), "");
    // The empty neighbours show line ends towards the Box with text.
    EXPECT_EQ(CellLeadIn[BoxOf(4, 4)], "<img src=gfx/strek_rightmiddle_av.gif>");
    EXPECT_EQ(CellLeadIn[BoxOf(3, 5)], "<img src=gfx/strek_upmiddle_av.gif>");
    // Colour and styles do not make a Box one with text.
    SetBox(BoxOf(4, 5), {}, {"111", "111", "111"}, 255, 0, 0);
    EXPECT_EQ(JunctionOf(BoxOf(4, 5)), "<img src=gfx/strek_centercross.gif>");
}

TEST_F(ConnectorTest, ValuesOtherThanZeroAndOneAreNeitherOnNorOff) {
    for (int32_t odd : {2, -1, 10}) {
        ClearChart();
        Tick(6, 2, "R");
        Tick(6, 2, "D", odd);
        EXPECT_EQ(JunctionOf(BoxOf(6, 2)), "") << odd;
        ComputeConnectorImages();
        EXPECT_EQ(VConnectorImage[VConnectorOf(6, 2)], "") << odd;
        EXPECT_EQ(HConnectorImage[HConnectorOf(6, 2)], "<img src=gfx/strek_middlehori.gif>");
        // The neighbour below sees the same odd value as its upper side.
        EXPECT_EQ(CellLeadIn[BoxOf(7, 2)], "");
        EXPECT_EQ(CellLeadIn[BoxOf(6, 3)], "<img src=gfx/strek_leftmiddle_av.gif>");
    }
}

TEST_F(ConnectorTest, ConnectorCellsHoldLinesOfTickedConnectors) {
    HConnector[0] = HConnector[83] = 1;
    VConnector[90] = VConnector[180] = 1;
    ComputeConnectorImages();
    for (int h = FirstHConnector; h <= LastHConnector; ++h)
        EXPECT_EQ(HConnectorImage[h], h == 0 || h == 83 ? "<img src=gfx/strek_middlehori.gif>" : "")
            << h;
    for (int v = FirstVConnector; v <= LastVConnector; ++v)
        EXPECT_EQ(VConnectorImage[v], v == 90 || v == 180 ? "<img src=gfx/strek_middle.gif>" : "")
            << v;
    // Unticking clears a cell computed before.
    HConnector[0] = 0;
    VConnector[180] = 0;
    ComputeConnectorImages();
    EXPECT_EQ(HConnectorImage[0], "");
    EXPECT_EQ(VConnectorImage[180], "");
}

TEST_F(ConnectorTest, NarrowRowUsesItsOwnLineOnlyWhenOneOfItsBoxesIsEmpty) {
    for (int box = FirstNarrowBox; box <= LastNarrowBox; ++box) SetBox(box, {"text"});
    HConnector[7] = 1;
    HConnector[HConnectorOf(5, 1)] = 1;
    std::vector<Text> lines = ChartPageLines();
    const Text narrowCell =
        "<td bgcolor=#FFFFFF valign=center align=center nowrap width=10 height=20>";
    EXPECT_EQ(lines[HConnectorCellLine(NarrowRow, 1)],
              narrowCell + "<img src=gfx/strek_middlehori.gif><br></td>");
    EXPECT_EQ(lines[HConnectorCellLine(NarrowRow, 0)], narrowCell + "<br></td>");

    // An empty Box in another row changes nothing in the narrow row.
    Line1[BoxOf(5, 1)].clear();
    lines = ChartPageLines();
    EXPECT_EQ(lines[HConnectorCellLine(NarrowRow, 1)],
              narrowCell + "<img src=gfx/strek_middlehori.gif><br></td>");

    // An empty narrow Box anywhere in the row gives every ticked narrow Connector the thin line.
    Line1[201].clear();
    lines = ChartPageLines();
    EXPECT_EQ(lines[HConnectorCellLine(NarrowRow, 1)],
              narrowCell + "<img src=gfx/strek_middlehori2.gif><br></td>");
    EXPECT_EQ(lines[HConnectorCellLine(NarrowRow, 0)], narrowCell + "<br></td>");
    EXPECT_EQ(lines[HConnectorCellLine(5, 1)],
              "<td bgcolor=#FFFFFF valign=center align=center nowrap width=10 height=40>"
              "<img src=gfx/strek_middlehori.gif><br></td>");
    // A value of 2 is not ticked in the narrow row either.
    HConnector[7] = 2;
    lines = ChartPageLines();
    EXPECT_EQ(lines[HConnectorCellLine(NarrowRow, 1)], narrowCell + "<br></td>");
}

} // namespace
