// Start and end of the Win32 platform layer: the window class, the fixed face, the fonts, and
// the release of everything at the end.
#include "win32_state.h"

#include "system/files.h"

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

void PrepareOnce() {
    RegisterWindowClass();
    PrepareFonts();
}

} // namespace
} // namespace win32layer

using namespace win32layer;

void PreparePlatform(int& argc, char** argv) {
    static bool prepared = false;
    TakeProgramDir(argc > 0 && argv ? argv[0] : ""); // the module's path on Windows
    if (!prepared) {
        PrepareOnce();
        prepared = true;
    }
    PlatformState& state = State();
    ChooseScale();
    state.defaultGadgetFont = state.stockGadgetFont;
    ResetEvents();
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
    Events().queue.clear();
    state.currentWindow = -1;
    state.gadgetParent = -1;
}
