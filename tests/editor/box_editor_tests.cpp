// The box editor: what OK, Delete, Cancel and the close box leave in a Box and the row colours
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

Colour ColourIn(const Text& text) {
    Colour colour{};
    std::istringstream(text) >> colour[0] >> colour[1] >> colour[2];
    return colour;
}

std::array<Text, 3> LinesIn(const Text& text) {
    const std::vector<Text> lines = Split(text, ";");
    return {lines.at(0), lines.at(1), lines.at(2)};
}

Text Styles(int box) { return StyleCode(box, 1) + StyleCode(box, 2) + StyleCode(box, 3); }

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
    if (verb == "colour" && in >> green >> blue)
        script.ClickGadget(ColourButton).AnswerColour(RgbColour(number, green, blue));
    if (verb == "colour" && number < 0) script.ClickGadget(ColourButton).AnswerColour(-1);
}

} // namespace

TEST_F(EditorTest, WhatTheBoxEditorLeavesInTheBox) {
    std::ifstream edits(fs::path(BRONDEL_EDITOR_DATA_DIR) / "box_edits.txt");
    int count = 0;
    for (Text line; std::getline(edits, line);) {
        if (line.empty() || line[0] == '#') continue;
        const std::vector<Text> f = Split(line, " | ");
        ASSERT_EQ(f.size(), 9u) << line;
        SCOPED_TRACE(f[0]);
        const int box = std::stoi(f[1]);
        Script script;
        script.Call([&] { SetBox(box, LinesIn(f[2]), ColourIn(f[3]), f[4]); }).ClickGadget(box);
        for (const Text& step : Split(f[5], ", ")) AddStep(script, step);
        script.Call([] { EXPECT_EQ(WindowHandle(BoxEditorWindow) + NarrowRowEdit, 0); }).Quit();
        RunEditor(script);
        EXPECT_EQ(ReadBox(box).lines, LinesIn(f[6]));
        EXPECT_EQ(ColourOf(box), ColourIn(f[7]));
        EXPECT_EQ(Styles(box), f[8]);
        ++count;
    }
    EXPECT_EQ(count, 21);
}

// Every keystroke shows at once on the main window. Meanwhile the main window's close box only
// cancels the edit, its gadgets do nothing, and a check box ticked meanwhile is set back.
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
    script.Call([] { Line1[202] = "Keep"; }).ClickGadget(202).TypeText(Field1, "X");
    script.CloseWindow(MainWindow).Call([] { EXPECT_EQ(Line1[202], "Keep"); });
    script.ClickGadget(203).Call(changed).ClickGadget(12).ClickGadget(204).ClickGadget(297);
    script.PressF1().RightClick(205).TypeText(Field1, "A").Call(changed);
    script.TypeText(Field1, "B").Call(changed).Call([] {
        EXPECT_EQ(ReadGadgetState(12) - HConnector[12], 1);
        EXPECT_EQ(CurrentBox, 203);
        EXPECT_EQ(ReadGadgetText(SwapIndicator), "Swap OFF");
    });
    script.ClickGadget(OkButton).Call([] {
        EXPECT_EQ(ReadGadgetState(12) + HConnector[12], 0);
        EXPECT_EQ(Line1[203] + Line1[204], "AB");
    });
    script.Quit();
    RunEditor(script);
    EXPECT_TRUE(script.Requests().empty()) << "the exit question was asked";
}
