// The editor's procedures and the state they share beyond the Chart (see chart.h).
// Procedures of the logic take no arguments and return nothing.
#pragma once
#include <cstdint>

// Start-up and the main event loop; returns the process's exit code.
int RunBrondel(int argc, char** argv);

// Main window and grid
void LoadProgramFonts(); // fonts 1 to 11: gadget fonts and the Box text fonts by StyleCode
void OpenMainWindow();   // window 300 and all its gadgets, in creation (Tab) order

// Box display
extern int32_t FillCurrentBox;    // 1 asks PaintCurrentBox to fill the Box; set to 2 after
extern int32_t LineShiftY;        // 0, 7 or 13: centres one or two lines in a Box
extern int32_t PickedColour;      // colour last returned by the colour requester (0 -> 1)
extern int32_t ApplyPickedColour; // 1 asks PaintCurrentBox to store PickedColour
void PaintCurrentBox();
void RefreshChart();

// Box editor (window 301): returns when the editor has closed; the caller goes on at the
// head of the main loop, which refreshes the whole Chart.
void EditBox();
void ReadStyleToggles();

// Swap mode: exchanges the contents of two picked Boxes.
void RunSwapMode();

// Commands of the command bar
void SaveChart();
void LoadChart();
void GenerateChart();

// Window and gadget numbers
constexpr int MainWindow = 300;
constexpr int BoxEditorWindow = 301;
constexpr int SwapIndicator = 324;
