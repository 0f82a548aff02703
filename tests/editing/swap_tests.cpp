// Swap mode: exchanging two Boxes' contents, the narrow-row rule, picks that are not Boxes, and
// the events that do nothing while it waits.
#include "editing_test.h"

#include <string>
#include <vector>

namespace {

// Gives a Box styled lines and a colour, all derived from its number.
void FillBox(int box, int lines = 3) {
    for (int line = 1; line <= lines; ++line) {
        LineTable(line)[box] = "Box " + std::to_string(box) + " line " + std::to_string(line);
        BoldTable(line)[box] = line == 1;
        ItalicTable(line)[box] = line == 2;
        UnderlineTable(line)[box] = line != 2;
    }
    Red[box] = box % 256;
    Green[box] = 7;
    Blue[box] = 200 - box % 100;
}

// The 15 values of a Box, as texts.
std::vector<Text> Contents(int box) {
    std::vector<Text> values;
    for (int line = 1; line <= 3; ++line) {
        values.push_back(LineTable(line)[box]);
        values.push_back(StyleCode(box, line));
    }
    for (int32_t component : {Red[box], Green[box], Blue[box]})
        values.push_back(DecimalText(component));
    return values;
}

std::vector<Text> LineOneOnly(std::vector<Text> contents) {
    contents[2] = contents[4] = "";
    contents[3] = contents[5] = "000";
    return contents;
}

void RunSwapModeWith(Script& script, const std::function<void()>& afterSwap = {}) {
    script.Run([&] {
        RunSwapMode();
        if (afterSwap) afterSwap();
    });
}

char ProgramName[] = "brondel";
char* ProgramArgv[] = {ProgramName, nullptr};
void RunProgram(Script& script) {
    script.Run([] { RunBrondel(1, ProgramArgv); });
}

} // namespace

TEST_F(EditorTest, SwapExchangesTwoBoxesAndLeavesTheConnectors) {
    FillBox(202);
    FillBox(204, 2);
    HConnector[12] = HConnector[13] = VConnector[104] = 1;
    RefreshChart();
    const auto first = Contents(202), second = Contents(204);
    Script script;
    script
        .Call([] {
            EXPECT_EQ(ReadGadgetText(SwapIndicator), "Swap ON");
            EXPECT_EQ(SwapMode, SwapState::WaitingForFirst);
        })
        .ClickGadget(202)
        .Call([] {
            EXPECT_EQ(ReadGadgetText(SwapIndicator), "Swap ON");
            EXPECT_EQ(SwapMode, SwapState::WaitingForSecond);
        })
        .ClickGadget(204);
    RunSwapModeWith(script, [] {
        EXPECT_EQ(ReadGadgetText(SwapIndicator), "Swap OFF");
        EXPECT_EQ(SwapMode, SwapState::Off);
        // Refreshed: each Box shows its new colour, and the check boxes are as they were.
        EXPECT_EQ(BoxPixel(202, 3, 3), Opaque(RgbColour(204 % 256, 7, 200 - 204 % 100)));
        EXPECT_EQ(BoxPixel(204, 3, 3), Opaque(RgbColour(202 % 256, 7, 200 - 202 % 100)));
        EXPECT_EQ(ReadGadgetState(12) + ReadGadgetState(13) + ReadGadgetState(104), 3);
    });
    EXPECT_EQ(Contents(202), second);
    EXPECT_EQ(Contents(204), first);
    EXPECT_EQ(HConnector[12] + HConnector[13] + VConnector[104], 3);
}

TEST_F(EditorTest, NarrowRowBoxTakesLineOneOnlyInASwap) {
    FillBox(205, 3);
    FillBox(197, 1);
    const auto rowTwo = Contents(205), narrow = Contents(197);
    Script script;
    script.ClickGadget(205).ClickGadget(197);
    RunSwapModeWith(script);
    EXPECT_EQ(Contents(197), LineOneOnly(rowTwo));
    EXPECT_EQ(Contents(205), narrow) << "line 1, its styles and the colour, lines 2 and 3 empty";
}

TEST_F(EditorTest, PickingTheSameBoxTwiceChangesItOnlyInTheNarrowRow) {
    FillBox(205);
    FillBox(197);
    const auto rowTwo = Contents(205), narrow = Contents(197);
    for (int box : {205, 197}) {
        Script script;
        script.ClickGadget(box).ClickGadget(box);
        RunSwapModeWith(script);
        StartEditorWindow();
    }
    EXPECT_EQ(Contents(205), rowTwo);
    EXPECT_EQ(Contents(197), LineOneOnly(narrow));
}

TEST_F(EditorTest, QuitWhileWaitingForAPickLeavesSwapModeAtOnce) {
    FillBox(205);
    const auto before = Contents(205);
    Script script;
    script.ClickGadget(205).Quit();
    RunSwapModeWith(script);
    EXPECT_EQ(SwapMode, SwapState::Off);
    EXPECT_EQ(Contents(205), before);
}

// Through the whole program: a check box or a command button as a pick ends swap mode with
// nothing exchanged and nothing run; the next click on a Box is an ordinary click again.
TEST_F(EditorTest, PickThatIsNotABoxEndsSwapMode) {
    std::vector<Text> first, second;
    Script script;
    script
        .Call([&] {
            FillBox(202);
            FillBox(203);
            first = Contents(202);
            second = Contents(203);
            RefreshChart();
        })
        .PressF1()
        .Call([] { EXPECT_EQ(ReadGadgetText(SwapIndicator), "Swap ON"); })
        .ClickGadget(12)
        .Call([] {
            EXPECT_EQ(ReadGadgetText(SwapIndicator), "Swap OFF");
            EXPECT_EQ(ReadGadgetState(12), 0) << "the check box is set back";
            EXPECT_EQ(HConnector[12], 0);
        })
        .PressF1()
        .ClickGadget(202)
        .ClickGadget(299) // "Exit Brondel": not run
        .Call([&] {
            EXPECT_EQ(ReadGadgetText(SwapIndicator), "Swap OFF");
            EXPECT_EQ(Contents(202), first);
            EXPECT_EQ(Contents(203), second);
        })
        .ClickGadget(203)
        .Call([] { EXPECT_NE(WindowHandle(BoxEditorWindow), 0) << "the box editor opens"; })
        .ClickGadget(321)
        .Quit();
    RunProgram(script);
    EXPECT_TRUE(script.Requests().empty()) << "the exit question was asked";
    EXPECT_EQ(SwapMode, SwapState::Off);
}

TEST_F(EditorTest, CloseRequestsKeysAndRightPressesDoNothingWhileSwapModeWaits) {
    std::vector<Text> first, second;
    Script script;
    script
        .Call([&] {
            FillBox(202);
            FillBox(210, 1);
            first = Contents(202);
            second = Contents(210);
        })
        .PressF1()
        .CloseWindow(MainWindow)
        .PressF1()
        .RightClick(205)
        .ClickGadget(202)
        .CloseWindow(MainWindow)
        .PressF1()
        .ClickGadget(210)
        .Call([&] {
            EXPECT_EQ(ReadGadgetText(SwapIndicator), "Swap OFF");
            EXPECT_EQ(Contents(202), second);
            EXPECT_EQ(Contents(210), first);
            EXPECT_EQ(WindowHandle(BoxEditorWindow), 0) << "neither pick opened the editor";
        })
        .Quit();
    RunProgram(script);
    EXPECT_TRUE(script.Requests().empty()) << "a close request asked about exiting";
}
