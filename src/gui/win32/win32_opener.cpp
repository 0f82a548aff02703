// Opening the chart page: the shell opens it with the user's program for the file type, and
// shows its own message when it cannot.
#include "win32_state.h"

#include "system/start_program.h"

#include <shellapi.h>

namespace win32layer {

void PrepareDesktopOpener() {
    SetDesktopOpener([](const Text& file, const Text& workingFolder) {
        const std::wstring path = Wide(file), folder = Wide(workingFolder);
        SHELLEXECUTEINFOW open{};
        open.cbSize = sizeof open;
        open.fMask = SEE_MASK_NOASYNC;
        open.hwnd = DialogOwner();
        open.lpVerb = L"open";
        open.lpFile = path.c_str();
        open.lpDirectory = folder.empty() ? nullptr : folder.c_str();
        open.nShow = SW_SHOWNORMAL;
        return ShellExecuteExW(&open) != FALSE;
    });
}

} // namespace win32layer
