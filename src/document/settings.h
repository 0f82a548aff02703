// The settings file "Brondel.ini" beside the program: it remembers the chart that was
// current at the last exit, whose folder the Load and Save requesters then open in.
// Every failure is silent.
#pragma once

inline constexpr const char* SettingsFileName = "Brondel.ini";

void ReadSettings();  // start-up: LastProject := "Last Project" of "Common Settings"
void WriteSettings(); // confirmed exit: stores ChartFileName; a failed write keeps the old file
