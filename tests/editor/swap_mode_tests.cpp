// Swap mode: two Boxes exchange their lines, styles and colours while the Connectors stay; a
// narrow-row Box keeps line 1 only; a pick that is no Box, or Escape, ends it; nothing else
// disturbs it.
#include "editor_test.h"

namespace {

std::vector<BoxContents> Contents() { return {ReadBox(202), ReadBox(204), ReadBox(197)}; }
void ExpectSwap(const char* shown) { EXPECT_EQ(ReadGadgetText(SwapIndicator), shown); }

} // namespace

TEST_F(EditorTest, SwapModeExchangesTwoBoxesAndLeavesTheConnectors) {
    std::vector<BoxContents> start;
    Script script;
    script.Call([&] {
        WriteBox(202, {{"A1", "A2", "A3"}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, 10, 20, 30});
        WriteBox(204, {{"B1", "B2"}, {1, 0}, {1, 1}, {0, 1}, 40, 50, 60});
        WriteBox(197, {{"N1"}, {1}, {0}, {1}, 70, 80, 90});
        HConnector[12] = HConnector[13] = VConnector[104] = 1;
        RefreshChart();
        start = Contents();
    });
    // Neither a close request, nor F1, nor a right click is a pick.
    script.PressF1().Call([] { ExpectSwap("Swap ON"); }).CloseWindow(MainWindow).PressF1();
    script.RightClick(206).ClickGadget(202).Call([] { ExpectSwap("Swap ON"); });
    script.CloseWindow(MainWindow).ClickGadget(204).Call([&] {
        ExpectSwap("Swap OFF");
        EXPECT_EQ(Contents(), (std::vector{start[1], start[0], start[2]}));
        EXPECT_EQ(BoxPixel(202, 3, 3), 0x28323Cu) << "shown at once";
        for (int connector : {12, 13, 104}) EXPECT_EQ(ReadGadgetState(connector), 1) << connector;
    });
    // A narrow-row Box takes line 1 with its style and the colour; the other Box gets empty
    // lines 2 and 3. Picked twice, a Box stays as it was, but in the narrow row loses lines 2
    // and 3.
    script.RightClick(205).ChoosePopupItem(1).ClickGadget(197).ClickGadget(202).Call([&] {
        start = {
            {{"N1"}, {1}, {0}, {1}, 70, 80, 90}, start[0], {{"B1"}, {1}, {1}, {0}, 40, 50, 60}};
        EXPECT_EQ(Contents(), start);
        Line2[197] = "from a file";
    });
    script.PressF1().ClickGadget(197).ClickGadget(197).PressF1().ClickGadget(202).ClickGadget(202);
    script.Call([&] { EXPECT_EQ(Contents(), start); });
    // A check box or a command button as a pick ends swap mode without an exchange and runs
    // nothing; the next click on a Box opens the box editor.
    script.PressF1().ClickGadget(0).Call(
        [] { EXPECT_EQ(std::tuple(ReadGadgetState(0), HConnector[0]), std::tuple(0, 0)); });
    script.PressF1().ClickGadget(202).ClickGadget(ExitButton).Call([&] {
        ExpectSwap("Swap OFF");
        EXPECT_EQ(Contents(), start);
        EXPECT_EQ(WindowHandle(BoxEditorWindow), 0) << "a pick opened the box editor";
    });
    // Escape leaves swap mode with nothing exchanged, before a pick or after one; outside swap
    // mode it does nothing.
    script.PressKey(KeyEscape).PressF1().PressKey(KeyEscape).Call([] { ExpectSwap("Swap OFF"); });
    script.PressF1().ClickGadget(202).PressKey(KeyEscape).Call([] { ExpectSwap("Swap OFF"); });
    script.ClickGadget(204).Call([] { EXPECT_NE(WindowHandle(BoxEditorWindow), 0); });
    script.ClickGadget(CancelButton).Quit();
    RunEditor(script);
    EXPECT_TRUE(script.Requests().empty()) << "a close request or Exit asked a question";
}
