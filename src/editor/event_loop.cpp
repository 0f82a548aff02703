// Start-up and the main event loop. RunBrondel prepares the platform, loads the fonts,
// builds the fixed texts, opens the main window, reads the settings file and then runs one
// loop that waits for an event at a time and dispatches it by kind and gadget number.
#include "document/settings.h"
#include "editor.h"
#include "system/dates.h"
#include "gui/gui.h"
#include "preview/connector_preview.h"

#include <chrono>
#include <thread>

namespace {

const Text VersionText = ProgramVersion;
const Text MakerEmail = "brondel@example.org";
const Text MakerWeb = "https://brondel.example.org";
Text AboutText;

// The web address is shown spaced out, one space between each two of its characters.
Text SpacedOut(const Text& text) {
    Text spaced(16, ' ');
    for (size_t i = 0; i < text.size(); ++i) {
        if (i) spaced += ' ';
        spaced += text[i];
    }
    return spaced;
}

Text BuildAboutText(const Text& web) {
    const char lf = '\n';
    Text text = WindowTitle + "  " + CompiledText + lf;
    text += Text("Suitable for designing HTML charts for Web or Powerpoint") + lf + lf;
    text += "Programming and Design by " + MakerEmail + lf + lf;
    text += Text("Usage:") + lf + Text(105, '-') + lf;
    for (const char* step : {"1: Design Chart And Save Chart",
                             "2: Generate Chart (will auto-open into Internet Explorer)",
                             "3: Choose 'File/Edit with Microsoft Word' in Internet Explorer menu",
                             "4: Choose 'Edit/Select All' in Microsoft Word",
                             "5: Choose 'Edit/Copy' in Microsoft Word",
                             "6: Choose 'Edit/Paste Special + Microsoft Word Document Object' in "
                             "Powerpoint",
                             "7: Done!"})
        text += Text(step) + lf;
    text += lf;
    text += Text("Tip: Pressing F1 will activate swap mode.") + lf +
            "Click on first box, then on second box. Contents will be swapped." + lf + lf;
    text += web;
    return text;
}

// Keys of the main window: a command button's key presses that button, so its command is the
// button's gadget number.
struct CommandKey {
    int key, command;
};
constexpr CommandKey CommandKeys[] = {
    {KeyF1, SwapCommand},
    {ShortcutCtrl | 'Z', UndoCommand},
    {ShortcutCtrl | 'Y', RedoCommand},
    {ShortcutCtrl | ShortcutShift | 'Z', RedoCommand},
    {ShortcutCtrl | 'S', SaveChartButton},
    {ShortcutCtrl | 'O', LoadChartButton},
    {ShortcutCtrl | 'N', NewChartButton},
    {ShortcutCtrl | 'G', GenerateChartButton},
    {ShortcutCtrl | 'Q', ExitButton},
    {ShortcutCtrl | 'C', CopyPictureCommand},
    {KeyEscape, LeaveSwapCommand},
};
constexpr int FirstCommandButton = AboutButton, LastCommandButton = ExitButton;

// False after a usage error on the command line.
bool StartUp(int& argc, char** argv) {
    FitScaleToWindow(MainClientWidth, MainClientHeight);
    PreparePlatform(argc, argv);
    if (!ReadChartArgument(argc, argv)) return false;
    LoadProgramFonts();

    WindowTitle = "Brondel 2004 " + VersionText + " - (Minimum 1024x768 resolution)";
    CompiledText = "(Compiled: " + DateText("%dd/%mm-%yyyy", CurrentDate()) + ")";
    AboutText = BuildAboutText(SpacedOut(MakerWeb));

    OpenMainWindow();
    NewPopupMenu(0);
    AddMenuItem(SwapCommand, "Swap Contents (F1)");
    AddMenuSeparator();
    AddMenuItem(SwapUsageItem,
                "Usage: Choose 'Swap Contents' above. Then click on first box, and then on "
                "second box. Contens will be swapped.");
    AddMenuSeparator();
    AddMenuItem(UndoCommand, "Undo");
    AddMenuItem(RedoCommand, "Redo");
    AddMenuItem(CopyPictureCommand, "Copy Picture");
    AddMenuItem(ExportPictureCommand, "Export Picture...");
    ClearChart(); // the tables start empty
    for (const CommandKey& key : CommandKeys) AddShortcut(MainWindow, key.key, key.command);
    ReadSettings();
    if (!ChartArgument.empty()) LoadNamedChart(ChartArgument);
    ForgetChartChanges(); // the chart the program starts with is where undoing stops
    return true;
}

// What the loop does after an action: go on waiting, start again at its head (which
// refreshes the whole Chart), or end the program.
enum class Next { Wait, LoopHead, End };

Next ConfirmExit() {
    if (ShowMessage("Question", "Do you really want to exit?", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return Next::LoopHead;
    WriteSettings();
    ReleaseAll();
    return Next::End;
}

Next ShowAbout() {
    ShowMessage("Information", AboutText, MB_ICONINFORMATION | MB_OK);
    return Next::Wait;
}

Next NewChart() {
    if (ShowMessage("Question", "Do you really want to erase all and start a new chart?",
                    MB_YESNO | MB_ICONQUESTION) == IDYES) {
        NoteChartBefore();
        ClearChart();
        RefreshChart();
        SetWindowCaption(MainWindow, WindowTitle);
        NoteChartChanged();
    }
    return Next::Wait;
}

Next Redraw() {
    RefreshChart();
    return Next::Wait;
}
Next Load() {
    NoteChartBefore();
    LoadChart();
    RefreshChart();
    NoteChartChanged();
    return Next::Wait;
}
Next Save() {
    SaveChart();
    RefreshChart();
    return Next::Wait;
}
Next Generate() {
    GenerateChart();
    return Next::Wait;
}
Next Connectors() {
    NoteChartBefore();
    DrawConnectors();
    NoteChartChanged();
    return Next::Wait;
}

Next EditBoxOfRow() {
    DrawCurrentBox = 1;
    TextDropY = 0;
    PaintCurrentBox();
    EditBox();
    return Next::LoopHead;
}

Next EditNarrowBox() {
    DrawCurrentBox = 1;
    NarrowRowEdit = 1;
    TextDropY = 3;
    PaintCurrentBox();
    EditBox();
    return Next::LoopHead;
}

struct GadgetAction {
    int first, last;
    Next (*action)();
};
constexpr GadgetAction GadgetActions[] = {
    {RedrawChartButton, RedrawChartButton, Redraw},
    {AboutButton, AboutButton, ShowAbout},
    {GenerateChartButton, GenerateChartButton, Generate},
    {ExitButton, ExitButton, ConfirmExit},
    {NewChartButton, NewChartButton, NewChart},
    {LoadChartButton, LoadChartButton, Load},
    {SaveChartButton, SaveChartButton, Save},
    {FirstBox, FirstNarrowBox - 1, EditBoxOfRow},
    {FirstNarrowBox, LastNarrowBox, EditNarrowBox},
    {LastNarrowBox + 1, LastBox, EditBoxOfRow},
    {FirstHConnector, LastHConnector, Connectors},
    {FirstVConnector, LastVConnector, Connectors},
};

Next DispatchGadget(int gadget) {
    CurrentBox = gadget;
    for (const GadgetAction& entry : GadgetActions)
        if (gadget >= entry.first && gadget <= entry.last) return entry.action();
    return Next::Wait;
}

// Menu items and the keys of the main window; a command button's key is dispatched as the
// button's click would be.
struct MenuAction {
    int command;
    void (*action)();
};
constexpr MenuAction MenuActions[] = {
    {SwapCommand, RunSwapMode},
    {UndoCommand, UndoChartChange},
    {RedoCommand, RedoChartChange},
    {CopyPictureCommand, CopyPicture},
    {ExportPictureCommand, ExportPicture},
};

Next DispatchMenu(int command) {
    if (command >= FirstCommandButton && command <= LastCommandButton)
        return DispatchGadget(command);
    for (const MenuAction& entry : MenuActions)
        if (command == entry.command) entry.action();
    return Next::Wait;
}

// One pass of the loop: one event, dispatched by its kind; gadget and menu events then by the
// gadget's number or the command. Escape and the popup menu's usage item do nothing here.
Next RunPass() {
    const int event = WaitEvent();
    if (event == QuitEvent) return Next::End;
    if (event == CloseEvent) return ConfirmExit();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (event == RightButtonDownEvent) ShowPopupMenu(0, CurrentWindowHandle());
    if (event == PaintEvent || event == FramePressEvent) RefreshChart();
    if (event == GadgetEvent) return DispatchGadget(EventSource());
    if (event == MenuEvent) return DispatchMenu(EventSource());
    return Next::Wait;
}

} // namespace

int RunBrondel(int argc, char** argv) {
    if (AnswerInfoOption(argc, argv)) return 0;
    if (!StartUp(argc, argv)) return 2;
    for (;;) {
        RefreshChart(); // the loop head
        Next next;
        do next = RunPass();
        while (next == Next::Wait);
        if (next == Next::End) return 0;
    }
}
