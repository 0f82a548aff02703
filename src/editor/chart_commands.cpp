// "Save Chart" and "Load Chart": the file requesters, the extension rule, the messages and
// the window title around the chart file itself (document/chart_file).
#include "chart.h"
#include "document/chart_file.h"
#include "editor.h"
#include "platform/gui.h"

namespace {

void ShowChartFileError(ChartFileStatus status) {
    ShowMessage("Error!", ChartFileMessage(status), MB_ICONERROR | MB_OK);
}

// The requesters open in the folder of the chart that was current at the previous exit.
bool AskChartFileName(bool forSaving) {
    LastProjectDir = PathFolder(LastProject);
    ChartFileName = forSaving
                        ? AskSaveFileName("Save Chart...", LastProjectDir, ChartFilePattern, 0)
                        : AskOpenFileName("Load Chart...", LastProjectDir, ChartFilePattern, 0);
    if (ChartFileName.empty()) return false;
    ChartFileName = ApplyChartExtension(ChartFileName);
    return true;
}

void ReadConnectorCheckBoxes() {
    for (int h = FirstHConnector; h <= LastHConnector; ++h) HConnector[h] = ReadGadgetState(h);
    for (int v = FirstVConnector; v <= LastVConnector; ++v) VConnector[v] = ReadGadgetState(v);
}

} // namespace

void SaveChart() {
    if (!AskChartFileName(true)) return;
    ReadConnectorCheckBoxes();
    ChartFileStatus status = WriteChartFile(ChartFileName);
    if (status != ChartFileStatus::CannotCreate) ShowAppWindow(MainWindow, 0);
    if (status != ChartFileStatus::Done) ShowChartFileError(status);
    RefreshChart();
}

void LoadChart() {
    if (!AskChartFileName(false)) return;
    ChartFileStatus status = ReadChartFile(ChartFileName);
    if (status != ChartFileStatus::Done) {
        ShowChartFileError(status);
        RefreshChart();
        return;
    }
    ShowAppWindow(MainWindow, 0);
    RefreshChart();
    SetWindowCaption(MainWindow, WindowTitle + "  -  " + ChartFileName);
}
