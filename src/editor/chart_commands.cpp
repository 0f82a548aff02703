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

// The requesters open in the folder of the chart that was current at the previous exit. The
// name chosen, with the chart extension; empty when the requester was cancelled.
Text AskChartFileName(bool forSaving) {
    LastProjectDir = PathFolder(LastProject);
    const Text chosen = forSaving
                            ? AskSaveFileName("Save Chart...", LastProjectDir, ChartFilePattern, 0)
                            : AskOpenFileName("Load Chart...", LastProjectDir, ChartFilePattern, 0);
    return chosen.empty() ? chosen : ApplyChartExtension(chosen);
}

} // namespace

void SaveChart() {
    ChartFileName = AskChartFileName(true);
    if (ChartFileName.empty()) return;
    ReadConnectorCheckBoxes();
    ChartFileStatus status = WriteChartFile(ChartFileName);
    if (status != ChartFileStatus::CannotCreate) ShowAppWindow(MainWindow, 0);
    if (status != ChartFileStatus::Done) ShowChartFileError(status);
    RefreshChart();
}

// A cancelled requester forgets the chart's name, so that Generate asks for one first.
void LoadChart() {
    const Text chosen = AskChartFileName(false);
    if (chosen.empty())
        ChartFileName.clear();
    else
        LoadNamedChart(chosen);
}

// The chart named on the command line comes this way too. A file that does not load leaves the
// name as it was, with the Chart and the title: Generate would otherwise write the Chart in
// memory as the page of the rejected file.
void LoadNamedChart(const Text& path) {
    ChartFileStatus status = ReadChartFile(path);
    if (status != ChartFileStatus::Done) {
        ShowChartFileError(status);
        RefreshChart();
        return;
    }
    ChartFileName = path;
    ShowAppWindow(MainWindow, 0);
    RefreshChart();
    SetWindowCaption(MainWindow, WindowTitle + "  -  " + ChartFileName);
}

// Every failure is a message box and nothing is opened. A page that no program could open is
// reported, unless the desktop has already said so itself.
void GenerateChart() {
    GeneratePageStatus status = WriteChartPage(ChartFileName);
    if (status != GeneratePageStatus::Done) {
        ShowMessage(GenerateErrorCaption, GeneratePageMessage(status), 0);
        return;
    }
    if (StartProgram(HtmlFileName, "", "", 0) == OpenOutcome::NotOpened)
        ShowMessage("Error!", PageNotOpenedMessage(HtmlFileName), MB_ICONERROR | MB_OK);
}
