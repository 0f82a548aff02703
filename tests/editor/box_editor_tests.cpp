// The box editor: what OK, Delete, Cancel and the close boxes leave in a Box and the row colours
// it gives (the edits are in data/box_edits.tsv), and the live picture of the Box on the main
// window while the rest of the program waits.
#include "editor_test.h"

#include <algorithm>
#include <sstream>

namespace {

// A Box as the table writes it: lines 1 to 3, colour, StyleCodes.
std::vector<Text> Written(int box) {
    return {Line1[box], Line2[box], Line3[box],
            std::to_string(Red[box]) + " " + std::to_string(Green[box]) + " " +
                std::to_string(Blue[box]),
            StyleCode(box, 1) + StyleCode(box, 2) + StyleCode(box, 3)};
}

// The user's steps as the table writes them.
void AddSteps(Script& script, Text steps) {
    std::ranges::replace(steps, ',', ' ');
    std::istringstream in(steps);
    for (Text verb, word; in >> verb;) {
        int number = 0, green = 0, blue = 0;
        in >> number;
        if (verb == "click") script.ClickGadget(number);
        if (verb == "clear") script.ClearText(number);
        if (verb == "close") script.CloseWindow(number);
        if (verb == "type") script.TypeText(number, (in >> word, word));
        if (verb == "colour")
            script.ClickGadget(ColourButton)
                .AnswerColour(number < 0 ? -1
                                         : (in >> green >> blue, RgbColour(number, green, blue)));
    }
}

} // namespace

TEST_F(EditorTest, WhatTheBoxEditorLeavesInTheBox) {
    for (const std::vector<Text>& f : testsupport::Cases("editor/data/box_edits.tsv")) {
        SCOPED_TRACE(f[0]);
        const int box = std::stoi(f[1]);
        BoxContents written{{f[2], f[3], f[4]}};
        std::istringstream(f[5]) >> written.red >> written.green >> written.blue;
        for (int i = 0; i < 9; ++i) // the flags as the StyleCodes write them
            (i % 3 == 0   ? written.bold
             : i % 3 == 1 ? written.italic
                          : written.underline)[i / 3] = f[6][i] - '0';
        Script script;
        script.Call([&] { WriteBox(box, written); }).ClickGadget(box);
        AddSteps(script, f[7]);
        script
            .Call([box] {
                EXPECT_EQ(std::tuple(WindowHandle(BoxEditorWindow), NarrowRowEdit),
                          std::tuple(0, 0));
                EXPECT_TRUE(GadgetShown(box)) << "the Box is gone";
            })
            .Quit();
        RunEditor(script);
        EXPECT_EQ(Written(box), std::vector<Text>(f.begin() + 8, f.end()));
    }
}

// The Box on the main window is filled with its row's colour at once and shows every keystroke.
// Meanwhile the main window's gadgets do nothing, and a check box ticked meanwhile is set back
// when the editor closes.
TEST_F(EditorTest, TheMainWindowShowsEachKeystrokeAndWaitsWhileTheEditorIsOpen) {
    std::vector<uint32_t> before;
    const auto changed = [&before] { // Box 203 as the canvas shows it
        std::vector<uint32_t> now;
        for (int y = 90; y < 130; ++y)
            for (int x = 150; x < 278; ++x) now.push_back(CanvasPixel(MainWindow, x, y));
        EXPECT_NE(now, before);
        before = now;
    };
    Script script;
    script.ClickGadget(203)
        .Call(changed)
        .Call([] { EXPECT_EQ(BoxPixel(203, 5, 5), 0xBFE3FCu); })
        .ClickGadget(12)
        .ClickGadget(204)
        .ClickGadget(RedrawChartButton);
    const int line1 = TextFieldOf(1);
    script.PressF1().RightClick(205).TypeText(line1, "A").Call(changed).TypeText(line1, "B");
    // Connector 12's check box ticked while the editor is open, set back when it closes.
    script.Call(changed).Call([] {
        EXPECT_EQ(std::tuple(ReadGadgetState(12), HConnector[12], CurrentBox),
                  std::tuple(1, 0, 203));
    });
    script.ClickGadget(OkButton).Call([] {
        EXPECT_EQ(std::tuple(ReadGadgetState(12), HConnector[12]), std::tuple(0, 0));
        EXPECT_EQ(std::tuple(Line1[203], Line1[204], ReadGadgetText(SwapIndicator)),
                  std::tuple("AB", "", "Swap OFF"));
    });
    script.Quit();
    RunEditor(script);
    EXPECT_TRUE(script.Requests().empty());
}
