// The chart file: the Chart saved as an INI-style text file of 1066 lines (".kpv"),
// written and read through the preference store. The editor's "Save Chart" and
// "Load Chart" commands and brondel-generate are built on these.
#pragma once
#include "system/text.h"

inline constexpr const char* SaveFailedMessage = "Could not save chart, already in use?";
inline constexpr const char* LoadFailedMessage =
    "Could not load chart, already in use or unknown error?";
inline constexpr const char* NotAChartMessage = "This is not a valid .KPV file!";
inline constexpr const char* ChartFilePattern = "Brondel (*.KPV)|*.kpv";

enum class ChartFileStatus {
    Done,
    CannotCreate, // save: the file could not be created      -> SaveFailedMessage
    WriteFailed,  // save: not every byte reached the disk      -> SaveFailedMessage
    CannotOpen,   // load: the file could not be opened         -> LoadFailedMessage
    NotAChart,    // load: no "KPVV10" header; Chart unchanged  -> NotAChartMessage
};
const char* ChartFileMessage(ChartFileStatus status); // the user's message, or "" for Done

// Forces the extension ".kpv": from the first '.' of the file-name part on, or appended.
Text ApplyChartExtension(const Text& path, PathRules rules = NativePaths);

// Writes every Box and Connector of the Chart to path (the previous file survives any
// failure). Sets LastProjectDir to the folder of path once the file could be created.
ChartFileStatus WriteChartFile(const Text& path);

// Reads path into the Chart without clearing it first: groups that are missing leave their
// tables as they are. Sets LastProjectDir to the folder of path once the file is open.
ChartFileStatus ReadChartFile(const Text& path);
