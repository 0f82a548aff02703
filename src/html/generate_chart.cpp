// The editor's "Generate Chart" command: writes the page of the Chart beside its chart file and
// hands it to the desktop; every failure is a message box and nothing is opened.
#include "editor/editor.h"
#include "page.h"
#include "platform/gui.h"
#include "platform/start_program.h"

void GenerateChart() {
    GeneratePageStatus status = WriteChartPage(ChartFileName);
    if (status != GeneratePageStatus::Done) {
        ShowMessage(GenerateErrorCaption, GeneratePageMessage(status), 0);
        return;
    }
    StartProgram(HtmlFileName, "", "", 0); // whether the desktop opened it is not reported
}
