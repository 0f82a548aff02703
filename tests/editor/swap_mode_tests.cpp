// Swap mode: two Boxes exchange their lines, styles and colours while the Connectors stay; a
// narrow-row Box keeps line 1 only; a pick that is no Box ends it; nothing else disturbs it.
#include "editor_test.h"

namespace {

std::vector<BoxContents> start;

void FillBoxes() {
    SetBox(202, {"A1", "A2", "A3"}, {10, 20, 30}, "100010001");
    SetBox(204, {"B1", "B2"}, {40, 50, 60}, "110011");
    SetBox(197, {"N1"}, {70, 80, 90}, "101");
    HConnector[12] = HConnector[13] = VConnector[104] = 1;
    RefreshChart();
    start = {ReadBox(202), ReadBox(204), ReadBox(197)};
}

std::vector<BoxContents> Contents() { return {ReadBox(202), ReadBox(204), ReadBox(197)}; }

} // namespace

TEST_F(EditorTest, SwapModeExchangesTwoBoxesAndLeavesTheConnectors) {
    Script script;
    script.Call(FillBoxes).PressF1().Call(
        [] { EXPECT_EQ(ReadGadgetText(SwapIndicator), "Swap ON"); });
    // Neither a close request, nor F1, nor a right click is a pick.
    script.CloseWindow(MainWindow).PressF1().RightClick(206).ClickGadget(202);
    script.Call([] { EXPECT_EQ(ReadGadgetText(SwapIndicator), "Swap ON"); });
    script.CloseWindow(MainWindow).ClickGadget(204).Call([&] {
        EXPECT_EQ(ReadGadgetText(SwapIndicator), "Swap OFF");
        EXPECT_EQ(Contents(), (std::vector{start[1], start[0], start[2]}));
        EXPECT_EQ(BoxPixel(202, 3, 3), Opaque(40, 50, 60)) << "shown at once";
        EXPECT_EQ(ReadGadgetState(12) + ReadGadgetState(13) + ReadGadgetState(104), 3);
        EXPECT_EQ(WindowHandle(BoxEditorWindow), 0) << "a pick opened the box editor";
    });
    // A narrow-row Box takes line 1 with its style and the colour; the other Box gets empty
    // lines 2 and 3. Picked twice, a narrow-row Box loses its lines 2 and 3.
    script.RightClick(205).ChoosePopupItem(1).ClickGadget(197).ClickGadget(202).Call([&] {
        const BoxContents narrow{{"B1"}, {1}, {1}, {0}, 40, 50, 60},
            other{{"N1"}, {1}, {0}, {1}, 70, 80, 90};
        EXPECT_EQ(Contents(), (std::vector{other, start[0], narrow}));
        Line2[197] = "from a file";
    });
    script.PressF1().ClickGadget(197).ClickGadget(197).Call([] { EXPECT_EQ(Line2[197], ""); });
    script.PressF1().ClickGadget(202).ClickGadget(202).Quit();
    RunEditor(script);
    EXPECT_TRUE(script.Requests().empty()) << "a close request asked about exiting";
    EXPECT_EQ(ReadBox(202).lines[0], "N1");
}

// A check box or a command button as a pick ends swap mode without an exchange and runs
// nothing; the next click on a Box opens the box editor again.
TEST_F(EditorTest, APickThatIsNoBoxEndsSwapMode) {
    Script script;
    script.Call(FillBoxes).PressF1().ClickGadget(0).Call([] {
        EXPECT_EQ(ReadGadgetText(SwapIndicator), "Swap OFF");
        EXPECT_EQ(ReadGadgetState(0) + HConnector[0], 0) << "the check box is set back";
    });
    script.PressF1().ClickGadget(202).ClickGadget(ExitButton).Call([] {
        EXPECT_EQ(ReadGadgetText(SwapIndicator), "Swap OFF");
        EXPECT_EQ(Contents(), start);
    });
    script.ClickGadget(204).Call([] { EXPECT_NE(WindowHandle(BoxEditorWindow), 0); });
    script.ClickGadget(CancelButton).Quit();
    RunEditor(script);
    EXPECT_TRUE(script.Requests().empty()) << "the exit question was asked";
}
