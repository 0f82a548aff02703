// The editor: its procedures and the session state they share beyond the Chart (chart.h).
// Procedures of the logic take no arguments and return nothing. The state is defined in
// editor_state.cpp.
#pragma once
#include "chart/chart.h"

#include <cstdint>

// Start-up and the main event loop; returns the process's exit code.
int RunBrondel(int argc, char** argv);

// ---- Command line: brondel [CHART.kpv] ----------------------------------------------------
constexpr const char* ProgramVersion = "v" BRONDEL_VERSION; // CMake's PROJECT_VERSION
// --help and --version, answered before the platform starts so that they need no screen;
// true when one was answered.
bool AnswerInfoOption(int argc, char** argv);
// Once the platform has taken its own options: sets ChartArgument to the chart named, made
// absolute against the current folder. False after a usage error, told on standard error.
bool ReadChartArgument(int argc, char** argv);
extern Text ChartArgument; // empty when no chart was named

// ---- Session state --------------------------------------------------------------------------
extern Text WindowTitle;          // the main window's base title
extern Text CompiledText;         // "(Compiled: dd/mm-yyyy)" of the start date
extern int32_t CurrentBox;        // slot the box editor works on; set on every gadget event
extern int32_t NarrowRowEdit;     // 1 while the box editor works on a narrow-row Box
extern int32_t TextDropY;         // 3 for the narrow row, else 0
extern int32_t DrawCurrentBox;    // asks the box display to paint CurrentBox
extern int32_t FillCurrentBox;    // 1 asks PaintCurrentBox to fill the Box; set to 2 after
extern int32_t LineShiftY;        // 0, 7 or 13: centres one or two lines in a Box
extern int32_t PickedColour;      // colour last returned by the colour requester (0 -> 1)
extern int32_t ApplyPickedColour; // 1 asks PaintCurrentBox to store PickedColour

enum class SwapState { Off, WaitingForFirst, WaitingForSecond };
extern SwapState SwapMode;

// ---- Main window and grid -------------------------------------------------------------------
void LoadProgramFonts(); // fonts 1 to 11: gadget fonts and the Box text fonts by StyleCode
void OpenMainWindow();   // window 300 and all its gadgets, in creation (Tab) order

// ---- Box display ----------------------------------------------------------------------------
void PaintCurrentBox();
void RefreshChart(); // the whole Chart on the main window's cleared canvas

// ---- Box editor (window 301) ----------------------------------------------------------------
// Returns when the editor has closed; the caller goes on at the head of the main loop, which
// refreshes the whole Chart.
void EditBox();
void ReadStyleToggles();

// ---- Swap mode: exchanges the contents of two picked Boxes ----------------------------------
void RunSwapMode();
constexpr int LeaveSwapCommand = 7; // Escape on the main window: leaves swap mode, else nothing

// ---- Commands of the command bar ------------------------------------------------------------
void SaveChart();
void LoadChart();
void LoadNamedChart(const Text& path); // loads path as named; ChartFileName only if it loads
void GenerateChart();

// ---- Undo and redo of changes to the Chart (contents, and the file name and title a load or
// New Chart changed) -------------------------------------------------------------------------
void NoteChartBefore();  // before a command that may change the Chart
void NoteChartChanged(); // after it: a step when the Chart or the title changed
void UndoChartChange();
void RedoChartChange();
void ForgetChartChanges();                      // an empty history, at start-up
constexpr int UndoCommand = 3, RedoCommand = 4; // popup menu items and shortcut commands

// ---- Pictures of the Chart for other programs (popup menu items 5 and 6, Ctrl+C) ------------
void CopyPicture();   // the picture on the clipboard as SVG and PNG
void ExportPicture(); // the picture into an SVG or PNG file chosen in a save requester
constexpr int CopyPictureCommand = 5, ExportPictureCommand = 6; // popup menu items; Ctrl+C: 5

// ---- Window and gadget numbers (the main window is MainWindow, chart.h) ---------------------
constexpr int BoxEditorWindow = 301;
constexpr int MainClientWidth = 989, MainClientHeight = 715; // the largest window
// The main window's command bar, left to right, and the swap indicator before it.
constexpr int AboutButton = 293, NewChartButton = 294, LoadChartButton = 295, SaveChartButton = 296,
              RedrawChartButton = 297, GenerateChartButton = 298, ExitButton = 299;
constexpr int SwapIndicator = 324;
// The box editor's gadgets. Line n (1 to 3) has its text field TextFieldOf(n), its label
// LineLabelOf(n) and its three toggles ToggleOf(n, MakeBold / MakeItalic / MakeUnderline).
constexpr int FirstTextField = 302, FirstLineLabel = 305, HintLabel = 308, FirstToggle = 309,
              ColourButton = 318, ColourSwatch = 319, DeleteButton = 320, CancelButton = 321,
              OkButton = 322;
enum ToggleStyle { MakeBold, MakeItalic, MakeUnderline };
constexpr int TextFieldOf(int line) { return FirstTextField + line - 1; }
constexpr int LineLabelOf(int line) { return FirstLineLabel + line - 1; }
constexpr int ToggleOf(int line, int style) { return FirstToggle + 3 * (line - 1) + style; }
// The colour shown inside the swatch's frame: whole when the editor opens; one row less when a
// picked colour repaints it, so that the frame's bottom inside row keeps the colour shown before.
struct SwatchArea {
    int x, y, width, height;
};
constexpr SwatchArea OpeningSwatch{184, 86, 40, 18}, PickedSwatch{184, 86, 40, 17};

// ---- Popup menu 0 (items) -------------------------------------------------------------------
constexpr int SwapCommand = 1, SwapUsageItem = 2; // F1 runs SwapCommand too
