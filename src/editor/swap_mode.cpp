// Swap mode (F1 or the popup menu): the user picks two Boxes and their contents (lines, style
// flags, colour) are exchanged. Connectors belong to the grid and stay where they are.
#include "editor.h"
#include "gui/gui.h"

namespace {

constexpr int NoPick = -1, Escaped = -2;

// Close requests, F1, right presses and other menu events pick nothing; Escape picks what is
// not a Box.
int WaitForPick() {
    for (;;) {
        const int event = WaitEvent();
        if (event == QuitEvent) return NoPick;
        if (event == GadgetEvent) return EventSource();
        if (event == MenuEvent && EventSource() == LeaveSwapCommand) return Escaped;
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
    // Anything but a Box (a check box, a command button, Escape) ends swap mode without an
    // exchange; the refresh sets a check box that was clicked back to its Connector's value.
    if (!IsBox(first)) return LeaveSwapMode();
    RefreshChart();

    SwapMode = SwapState::WaitingForSecond;
    const int second = WaitForPick();
    if (second == NoPick) {
        SwapMode = SwapState::Off;
        return;
    }
    if (!IsBox(second)) return LeaveSwapMode();

    NoteChartBefore();
    ExchangeBoxes(first, second);
    for (int pick : {first, second}) // a narrow-row Box holds one line only
        if (IsNarrowBox(pick)) ClearBoxLines(pick, 2);
    NoteChartChanged();
    LeaveSwapMode();
}
