// Swap mode (F1 or the popup menu): the user picks two Boxes and their contents (lines, style
// flags, colour) are exchanged. Connectors belong to the grid and stay where they are.
#include "editor/chart.h"
#include "editor/editor.h"
#include "platform/gui.h"

#include <array>

namespace {

// The 15 values that make up a Box's contents.
struct BoxContents {
    std::array<Text, 3> lines;
    std::array<int32_t, 3> bold{}, italic{}, underline{};
    int32_t red = 0, green = 0, blue = 0;
};

BoxContents ReadBox(int slot) {
    BoxContents c;
    for (int line = 1; line <= 3; ++line) {
        c.lines[line - 1] = LineTable(line)[slot];
        c.bold[line - 1] = BoldTable(line)[slot];
        c.italic[line - 1] = ItalicTable(line)[slot];
        c.underline[line - 1] = UnderlineTable(line)[slot];
    }
    c.red = Red[slot];
    c.green = Green[slot];
    c.blue = Blue[slot];
    return c;
}

void WriteBox(int slot, const BoxContents& c) {
    for (int line = 1; line <= 3; ++line) {
        LineTable(line)[slot] = c.lines[line - 1];
        BoldTable(line)[slot] = c.bold[line - 1];
        ItalicTable(line)[slot] = c.italic[line - 1];
        UnderlineTable(line)[slot] = c.underline[line - 1];
    }
    Red[slot] = c.red;
    Green[slot] = c.green;
    Blue[slot] = c.blue;
}

// A narrow-row Box holds one line only.
void DropLinesTwoAndThree(int slot) {
    for (int line = 2; line <= 3; ++line) {
        LineTable(line)[slot].clear();
        BoldTable(line)[slot] = ItalicTable(line)[slot] = UnderlineTable(line)[slot] = 0;
    }
}

constexpr int NoPick = -1;

// Close requests, F1, right presses and menu events pick nothing.
int WaitForPick() {
    for (;;) {
        const int event = WaitEvent();
        if (event == QuitEvent) return NoPick;
        if (event == GadgetEvent) return EventSource();
    }
}

void LeaveSwapMode() {
    RefreshChart();
    WriteGadgetText(SwapIndicator, "Swap OFF");
    SwapMode = SwapState::Off;
}

} // namespace

void RunSwapMode() {
    WriteGadgetText(SwapIndicator, "Swap ON");
    SwapMode = SwapState::WaitingForFirst;
    const int first = WaitForPick();
    if (first == NoPick) {
        SwapMode = SwapState::Off;
        return;
    }
    // Anything but a Box (a check box, a command button) ends swap mode without an exchange;
    // the refresh sets a check box that was clicked back to its Connector's value.
    if (!IsBox(first)) return LeaveSwapMode();
    RefreshChart();

    SwapMode = SwapState::WaitingForSecond;
    const int second = WaitForPick();
    if (second == NoPick) {
        SwapMode = SwapState::Off;
        return;
    }
    if (!IsBox(second)) return LeaveSwapMode();

    const BoxContents firstContents = ReadBox(first);
    const BoxContents secondContents = ReadBox(second);
    WriteBox(first, secondContents);
    WriteBox(second, firstContents);
    for (int pick : {first, second})
        if (IsNarrowBox(pick)) DropLinesTwoAndThree(pick);
    LeaveSwapMode();
}
