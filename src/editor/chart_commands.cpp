// "Save Chart", "Load Chart" and "Generate Chart": the file requesters, the extension rule,
// the messages and the window title around the chart file (document/chart_file) and the page
// (html/page).
#include "document/chart_file.h"
#include "editor.h"
#include "html/page.h"
#include "gui/gui.h"
#include "system/start_program.h"
#include "preview/connector_preview.h"

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
    if (AskChartFileName(false)) LoadNamedChart();
}

// The chart named on the command line comes this way too.
void LoadNamedChart() {
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

// Every failure is a message box and nothing is opened; whether the desktop opened the page
// is not reported.
void GenerateChart() {
    GeneratePageStatus status = WriteChartPage(ChartFileName);
    if (status != GeneratePageStatus::Done) {
        ShowMessage(GenerateErrorCaption, GeneratePageMessage(status), 0);
        return;
    }
    StartProgram(HtmlFileName, "", "", 0);
}
