// The box editor: what OK, Delete, Cancel and the close boxes leave in a Box and the row colours
// it gives (the edits are in data/box_edits.txt), and the live picture of the Box on the main
// window while the rest of the program waits.
#include "editor_test.h"

#include <QImage>
#include <QWidget>

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
        BoxContents written{{lines[0], lines[1], lines[2]}};
        std::istringstream(f[3]) >> written.red >> written.green >> written.blue;
        for (int i = 0; i < 9; ++i) // the flags as the StyleCodes write them
            (i % 3 == 0   ? written.bold
             : i % 3 == 1 ? written.italic
                          : written.underline)[i / 3] = f[4][i] - '0';
        Script script;
        script.Call([&] { WriteBox(box, written); }).ClickGadget(box);
        for (const Text& step : Split(f[5], ", ")) AddStep(script, step);
        script
            .Call([box] {
                EXPECT_EQ(WindowHandle(BoxEditorWindow) + NarrowRowEdit, 0);
                EXPECT_TRUE(static_cast<QWidget*>(GadgetWidget(box))->isVisible())
                    << "the Box is gone";
            })
            .Quit();
        RunEditor(script);
        EXPECT_EQ(Written(box), f[6] + " | " + f[7] + " | " + f[8]);
        ++count;
    }
    EXPECT_EQ(count, 22);
}

// The Box on the main window is filled with its row's colour at once and shows every keystroke.
// Meanwhile the main window's gadgets do nothing, and a check box ticked meanwhile is set back
// when the editor closes.
TEST_F(EditorTest, TheMainWindowShowsEachKeystrokeAndWaitsWhileTheEditorIsOpen) {
    QImage before;
    const auto changed = [&before] { // Box 203 as the screen shows it
        const QImage now =
            static_cast<QWidget*>(WindowWidget(MainWindow))->grab({150, 90, 128, 40}).toImage();
        EXPECT_NE(now, before);
        before = now;
    };
    Script script;
    script.ClickGadget(203)
        .Call(changed)
        .Call([] { EXPECT_EQ(BoxPixel(203, 5, 5), 0xBFE3FCu); })
        .ClickGadget(12)
        .ClickGadget(204)
        .ClickGadget(297);
    script.PressF1().RightClick(205).TypeText(302, "A").Call(changed).TypeText(302, "B").Call(
        changed);
    script.Call([] { EXPECT_EQ(ReadGadgetState(12) - HConnector[12] + CurrentBox, 1 + 203); });
    script.ClickGadget(OkButton).Call([] {
        EXPECT_EQ(ReadGadgetState(12) + HConnector[12], 0);
        EXPECT_EQ(Line1[203] + Line1[204] + ReadGadgetText(SwapIndicator), "ABSwap OFF");
    });
    script.Quit();
    RunEditor(script);
    EXPECT_TRUE(script.Requests().empty());
}
