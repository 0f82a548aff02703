// Start and end of the Win32 platform layer: the window class, the fixed face, the fonts, the
// desktop opener, the program's own arguments in UTF-8, and the release of everything at the
// end.
#include "win32_state.h"

#include "system/files.h"

#include <shellapi.h>

namespace win32layer {

PlatformState& State() {
    static PlatformState state;
    return state;
}

HBRUSH FaceBrush() {
    static const HBRUSH brush = CreateSolidBrush(FaceColour);
    return brush;
}

HBRUSH FieldBrush() {
    static const HBRUSH brush = CreateSolidBrush(FieldColour);
    return brush;
}

namespace {

// argv arrives in the ANSI code page, which loses every character outside it: the program's
// arguments are taken again from the wide command line, as UTF-8 that lives as long as the
// process.
void TakeArgumentsAsUtf8(int argc, char** argv) {
    static std::vector<Text> storage;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return;
    if (argv && count == argc) {
        storage.clear();
        storage.reserve(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) storage.push_back(Utf8(wide[i]));
        for (int i = 0; i < count; ++i) argv[i] = storage[static_cast<size_t>(i)].data();
    }
    LocalFree(wide);
}

Text ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return Utf8(path.data(), static_cast<int>(length));
        path.resize(path.size() * 2);
    }
}

void PrepareOnce() {
    RegisterWindowClass();
    PrepareFonts();
    PrepareDesktopOpener();
}

} // namespace
} // namespace win32layer

using namespace win32layer;

void PreparePlatform(int& argc, char** argv) {
    static bool prepared = false;
    TakeArgumentsAsUtf8(argc, argv);
    TakeProgramDir(ModulePath().c_str());
    if (!prepared) {
        PrepareOnce();
        prepared = true;
    }
    PlatformState& state = State();
    state.defaultGadgetFont = state.stockGadgetFont;
    state.queue.clear();
    state.last = {};
    state.quitRequested = false;
}

void ReleaseAll() {
    PlatformState& state = State();
    std::vector<int> numbers;
    for (const auto& [number, entry] : state.windows) numbers.push_back(number);
    for (auto it = numbers.rbegin(); it != numbers.rend(); ++it) CloseAppWindow(*it);
    FreeMenus();
    FreeFonts();
    CloseAllFiles();
    state.defaultGadgetFont = state.stockGadgetFont;
    state.queue.clear();
    state.currentWindow = -1;
    state.gadgetParent = -1;
}

// Windows scales the windows of a program that does not declare itself DPI-aware on its own.
void FitScaleToWindow(int, int) {}
