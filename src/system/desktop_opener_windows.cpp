// Opening a file with the program Windows has for its type. The shell reports its own failures
// (no program for the type, a missing file) in its dialog, so the program adds none.
#include "desktop_opener.h"
#include "text_windows.h"

#include <windows.h>

#include <shellapi.h> // needs windows.h first

OpenOutcome OpenOnDesktop(const Text& file, const Text& workingFolder) {
    const std::wstring wideFile = WideText(file), wideFolder = WideText(workingFolder);
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    // Without SEE_MASK_FLAG_NO_UI: where the shell cannot open the file, it tells the user.
    info.fMask = SEE_MASK_NOASYNC;
    info.lpVerb = L"open";
    info.lpFile = wideFile.c_str();
    info.lpDirectory = wideFolder.empty() ? nullptr : wideFolder.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) ? OpenOutcome::Opened : OpenOutcome::DesktopToldUser;
}
