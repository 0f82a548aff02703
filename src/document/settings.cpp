// The settings file. The name is relative on purpose: the preference store makes ProgramDir
// the current directory before it creates or opens a file.
#include "settings.h"

#include "document/prefs.h"
#include "chart/chart.h"

void ReadSettings() {
    PrefOpen(SettingsFileName);
    PrefGroup("Common Settings");
    LastProject = PrefReadValue("Last Project", LastProject);
    PrefClose();
}

void WriteSettings() {
    PrefCreate(SettingsFileName);
    PrefGroup("KPVV10");
    PrefWriteComment("Brondel file.");
    PrefGroup("Common Settings");
    PrefWriteValue("Last Project", ChartFileName);
    PrefClose();
}
