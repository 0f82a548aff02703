// The last Box (slot 285), the last gap of the last row and the last vertical Connector show
// their lines on the page exactly as the same cells one row up and one column left do: a loop
// that stops one short would leave them blank.
#include "chart/chart.h"
#include "html/page.h"

#include <gtest/gtest.h>

TEST(LastCells, TheLastBoxAndGapsShowTheirLinesAsAnyOther) {
    ClearChart();
    HConnector[83] = VConnector[180] = 1; // into Box 285 from the left and from above
    HConnector[76] = VConnector[172] = 1; // into Box 277, one row up and one column left
    const std::vector<Text> lines = ChartPageLines();
    // Table row 2r shows grid row r, 2g + 1 the Connectors below it; cells count from 0.
    const auto cell = [&](int tableRow, int index) { return lines.at(8 + 16 * tableRow + index); };
    ASSERT_NE(cell(24, 10).find("<img src=gfx/"), Text::npos);
    EXPECT_EQ(cell(26, 12), cell(24, 10)); // the junction image of Box 285, and of Box 277
    EXPECT_EQ(cell(26, 11), cell(24, 9));  // the last gap, ticked
    EXPECT_EQ(cell(25, 12), cell(23, 10)); // the last vertical Connector, ticked
}
