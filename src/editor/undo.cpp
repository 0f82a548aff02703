// Undo and redo of changes to the Chart (Ctrl+Z, Ctrl+Y, the popup menu's "Undo" and "Redo").
// A command that may change the Chart calls NoteChartBefore first and NoteChartChanged once the
// change is done; the step kept is the whole Chart as it was before, which is small enough
// that a few hundred of them cost a few megabytes. Start at NoteChartChanged.
#include "editor.h"
#include "gui/gui.h"

#include <deque>

namespace {

constexpr size_t MaxSteps = 200;

struct ChartState {
    std::array<BoxContents, LastBox - FirstBox + 1> boxes;
    SlotTable<int32_t> hConnectors{}, vConnectors{};
    Text fileName, title;

    bool SameContents(const ChartState& other) const {
        return boxes == other.boxes && hConnectors == other.hConnectors &&
               vConnectors == other.vConnectors;
    }
};

struct Step {
    ChartState state;
    bool renames; // a load or New Chart: the file name and title come back with the contents
};

std::deque<Step> UndoSteps, RedoSteps;
ChartState Before;

ChartState CurrentState() {
    ChartState state;
    for (int box = FirstBox; box <= LastBox; ++box) state.boxes[box - FirstBox] = ReadBox(box);
    state.hConnectors = HConnector;
    state.vConnectors = VConnector;
    state.fileName = ChartFileName;
    state.title = WindowCaption(MainWindow);
    return state;
}

void ShowUndoState() {
    EnableMenuItem(UndoCommand, UndoSteps.empty() ? 0 : 1);
    EnableMenuItem(RedoCommand, RedoSteps.empty() ? 0 : 1);
}

// Takes the last step of one list back, keeping what the Chart is now as a step of the other.
void GoBack(std::deque<Step>& from, std::deque<Step>& to) {
    if (from.empty()) return;
    const Step step = std::move(from.back());
    from.pop_back();
    to.push_back({CurrentState(), step.renames});
    for (int box = FirstBox; box <= LastBox; ++box) WriteBox(box, step.state.boxes[box - FirstBox]);
    HConnector = step.state.hConnectors;
    VConnector = step.state.vConnectors;
    if (step.renames) {
        ChartFileName = step.state.fileName;
        SetWindowCaption(MainWindow, step.state.title);
    }
    RefreshChart();
    ShowUndoState();
}

} // namespace

void NoteChartBefore() { Before = CurrentState(); }

// A cancelled requester empties the file name without changing what is shown: that is no step.
void NoteChartChanged() {
    ChartState now = CurrentState();
    if (now.SameContents(Before) && now.title == Before.title) return;
    const bool renames = now.fileName != Before.fileName || now.title != Before.title;
    UndoSteps.push_back({std::move(Before), renames});
    if (UndoSteps.size() > MaxSteps) UndoSteps.pop_front();
    RedoSteps.clear();
    ShowUndoState();
}

void UndoChartChange() { GoBack(UndoSteps, RedoSteps); }
void RedoChartChange() { GoBack(RedoSteps, UndoSteps); }

void ForgetChartChanges() {
    UndoSteps.clear();
    RedoSteps.clear();
    ShowUndoState();
}
