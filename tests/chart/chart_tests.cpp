#include "chart/chart.h"

#include <gtest/gtest.h>

#include <set>

TEST(ChartModel, SlotArithmeticCoversEveryBoxAndConnectorOnce) {
    std::set<int> boxes;
    for (int r = 0; r < RowCount; ++r)
        for (int c = 0; c < ColumnCount; ++c) {
            int b = BoxOf(r, c);
            EXPECT_EQ(RowOfBox(b), r);
            EXPECT_EQ(ColumnOfBox(b), c);
            boxes.insert(b);
        }
    EXPECT_EQ(boxes.size(), 98u);
    EXPECT_EQ(*boxes.begin(), 188);
    EXPECT_EQ(*boxes.rbegin(), 285);
    for (int h = FirstHConnector; h <= LastHConnector; ++h) {
        EXPECT_EQ(RowOfBox(LeftBoxOf(h)), RowOfBox(RightBoxOf(h)));
        EXPECT_EQ(ColumnOfBox(RightBoxOf(h)), ColumnOfBox(LeftBoxOf(h)) + 1);
    }
    for (int v = FirstVConnector; v <= LastVConnector; ++v)
        EXPECT_EQ(RowOfBox(LowerBoxOf(v)), RowOfBox(UpperBoxOf(v)) + 1);
    EXPECT_EQ(LeftBoxOf(6), 195);
    EXPECT_EQ(RightBoxOf(6), 196);
}

TEST(ChartModel, ClearChartEmptiesEverySlotAndTheFileName) {
    Line3[300] = "x";
    Bold2[0] = 1;
    Red[188] = 5;
    Blue[285] = 9;
    HConnector[83] = 1;
    VConnector[90] = 1;
    ChartFileName = "a.kpv";
    LastProject = "keep.kpv";
    ClearChart();
    EXPECT_TRUE(Line3[300].empty());
    EXPECT_EQ(Bold2[0], 0);
    EXPECT_EQ(Red[188], 0);
    EXPECT_EQ(Blue[285], 0);
    EXPECT_EQ(HConnector[83], 0);
    EXPECT_EQ(VConnector[90], 0);
    EXPECT_TRUE(ChartFileName.empty());
    EXPECT_EQ(LastProject, "keep.kpv");
}

TEST(ChartModel, EmptyBoxAndStyleCode) {
    ClearChart();
    Red[200] = 255;
    EXPECT_TRUE(IsEmptyBox(200));
    Line3[200] = "only three";
    EXPECT_FALSE(IsEmptyBox(200));
    Bold1[200] = 1;
    Underline1[200] = 1;
    EXPECT_EQ(StyleCode(200, 1), "101");
    Italic2[200] = 2;
    EXPECT_EQ(StyleCode(200, 2), "020");
    ClearChart();
}
