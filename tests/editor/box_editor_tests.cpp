// The box editor: what OK, Delete, Cancel and the close boxes leave in a Box and the row colours
// it gives (the edits are in data/box_edits.txt), and the live picture of the Box on the main
// window while the rest of the program waits.
#include "editor_test.h"

#include <sstream>

namespace {

std::vector<Text> Split(const Text& text, const Text& separator) {
    std::vector<Text> parts;
    for (size_t start = 0, end = 0; end != Text::npos; start = end + separator.size()) {
        end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
    }
    return parts;
}

// A Box written as the data file writes it: lines | colour | StyleCodes.
Text Written(int box) {
    return Line1[box] + ";" + Line2[box] + ";" + Line3[box] + " | " + std::to_string(Red[box]) +
           " " + std::to_string(Green[box]) + " " + std::to_string(Blue[box]) + " | " +
           StyleCode(box, 1) + StyleCode(box, 2) + StyleCode(box, 3);
}

// One step of the user as the data file writes it.
void AddStep(Script& script, const Text& step) {
    std::istringstream in(step);
    Text verb, rest;
    int number = 0, green = 0, blue = 0;
    in >> verb >> number;
    if (verb == "click") script.ClickGadget(number);
    if (verb == "clear") script.ClearText(number);
    if (verb == "close") script.CloseWindow(number);
    if (verb == "type") script.TypeText(number, std::getline(in >> std::ws, rest) ? rest : "");
    if (verb == "colour")
        script.ClickGadget(ColourButton)
            .AnswerColour(in >> green >> blue ? RgbColour(number, green, blue) : -1);
}

} // namespace

TEST_F(EditorTest, WhatTheBoxEditorLeavesInTheBox) {
    std::ifstream edits(BRONDEL_EDITOR_DATA_DIR "/box_edits.txt");
    int count = 0;
    for (Text line; std::getline(edits, line);) {
        const std::vector<Text> f = Split(line, " | ");
        if (line[0] == '#' || f.size() != 9) continue;
        SCOPED_TRACE(f[0]);
        const int box = std::stoi(f[1]);
        const std::vector<Text> lines = Split(f[2], ";");
        Colour colour{};
        std::istringstream(f[3]) >> colour[0] >> colour[1] >> colour[2];
        Script script;
        script.Call([&] {
                  SetBox(box, {lines[0], lines[1], lines[2]}, colour, f[4]);
              })
            .ClickGadget(box);
        for (const Text& step : Split(f[5], ", ")) AddStep(script, step);
        script.Call([] { EXPECT_EQ(WindowHandle(BoxEditorWindow) + NarrowRowEdit, 0); }).Quit();
        RunEditor(script);
        EXPECT_EQ(Written(box), f[6] + " | " + f[7] + " | " + f[8]);
        ++count;
    }
    EXPECT_EQ(count, 22);
}

// Every keystroke shows at once on the main window. Meanwhile the main window's gadgets do
// nothing, and a check box ticked meanwhile is set back when the editor closes.
TEST_F(EditorTest, TheMainWindowShowsEachKeystrokeAndWaitsWhileTheEditorIsOpen) {
    std::vector<uint32_t> before;
    const auto changed = [&before] {
        std::vector<uint32_t> now;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 128; ++x) now.push_back(BoxPixel(203, x, y));
        EXPECT_NE(now, before);
        before = now;
    };
    Script script;
    script.ClickGadget(203).Call(changed).ClickGadget(12).ClickGadget(204).ClickGadget(297);
    script.PressF1()
        .RightClick(205)
        .TypeText(Field1, "A")
        .Call(changed)
        .TypeText(Field1, "B")
        .Call(changed);
    script.Call([] { EXPECT_EQ(ReadGadgetState(12) - HConnector[12] + CurrentBox, 1 + 203); });
    script.ClickGadget(OkButton).Call([] {
        EXPECT_EQ(ReadGadgetState(12) + HConnector[12], 0);
        EXPECT_EQ(Line1[203] + Line1[204] + ReadGadgetText(SwapIndicator), "ABSwap OFF");
    });
    script.Quit();
    RunEditor(script);
    EXPECT_TRUE(script.Requests().empty());
}
