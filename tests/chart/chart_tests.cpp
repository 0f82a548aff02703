// The Chart model: New Chart empties every slot, and the Box helpers move all 15 values of a
// Box. The slot arithmetic is checked by the static_asserts beside it.
#include "chart/chart.h"

#include <gtest/gtest.h>

static SlotTable<Text>* const Texts[] = {&Line1, &Line2, &Line3};
static SlotTable<int32_t>* const Numbers[] = {&Bold1,      &Bold2,   &Bold3,      &Italic1,
                                              &Italic2,    &Italic3, &Underline1, &Underline2,
                                              &Underline3, &Red,     &Green,      &Blue};
static const Text Empty = "   0 0 0 0 0 0 0 0 0 0 0 0 ";

// The 15 values of a slot in one text, after filling them with values of their own if asked.
static Text Values(int slot, bool fill = false) {
    Text values;
    for (auto* texts : Texts) values += ((*texts)[slot] = fill ? "line" : (*texts)[slot]) + " ";
    for (int i = 0; i < 12; ++i)
        values += DecimalText((*Numbers[i])[slot] = fill ? i + 3 : (*Numbers[i])[slot]) + " ";
    return values;
}

TEST(Chart, NewChartEmptiesEverySlotButKeepsTheLastProject) {
    for (int slot : {0, 83, 90, 180, 188, 285, 300})
        Values(slot, true), HConnector[slot] = VConnector[slot] = 1;
    ChartFileName = "a.kpv";
    LastProject = "kept.kpv";
    ClearChart();
    for (int slot : {0, 83, 90, 180, 188, 285, 300}) // only Boxes have a colour to clear
        EXPECT_EQ(Values(slot) + DecimalText(HConnector[slot] + VConnector[slot]),
                  IsBox(slot) ? Empty + "0" : "   0 0 0 0 0 0 0 0 0 12 13 14 0")
            << slot;
    EXPECT_EQ(ChartFileName + LastProject, "kept.kpv");
}

TEST(Chart, BoxHelpersMoveAllFifteenValues) {
    const Text filled = Values(200, true);
    ExchangeBoxes(200, 285);
    EXPECT_EQ(Values(285) + "| " + Values(200), filled + "| " + Empty);
    ClearBoxLines(285, 2); // lines 2 and 3 with their styles; line 1 and the colour stay
    EXPECT_EQ(Values(285), "line   3 0 0 6 0 0 9 0 0 12 13 14 ");
}
