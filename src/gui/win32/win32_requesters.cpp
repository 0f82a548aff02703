// Requesters: the message box, the colour chooser and the file chooser of Windows' common
// dialogs, each one blocking call. They are application-modal: the program's other windows take
// no input while one is shown. With a requester hook set (a scripted user), the hook answers and
// nothing opens.
#include "win32_state.h"

#include "system/files.h"

#include <commdlg.h>

#include <algorithm>

namespace win32layer {
namespace {

constexpr size_t FileNameBufferSize = 10000; // a longer path cannot be returned

// "Desc|*.a;*.b|Desc 2|*.c" becomes the common dialogs' list of NUL-separated pairs.
std::wstring FilterOf(const Text& pattern) {
    std::wstring filter = WideText(pattern);
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    filter.append(2, L'\0');
    return filter;
}

// The common dialogs' library is loaded when a dialog first opens, not at start-up: it brings
// the common controls with it, whose start under Wine (the visual styles read in) took most of
// the editor's start-up time. Null when the library cannot be loaded.
template <typename Function> Function* CommonDialog(const char* name) {
    static const HMODULE library = LoadLibraryW(L"comdlg32.dll");
    return library
               ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(library, name)))
               : nullptr;
}

std::wstring CurrentFolder() {
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
    return folder;
}

} // namespace

bool HookAnswers(const RequesterCall& call, RequesterAnswer& answer) {
    if (!State().requesterHook) return false;
    const auto hook = State().requesterHook;
    answer = hook(call);
    return true;
}

HWND DialogOwner() {
    WindowEntry* entry = WindowOf(ActiveWindow());
    return entry ? entry->hwnd : nullptr;
}

ModalScope::ModalScope() : active_(GetActiveWindow()) {
    for (auto& [number, entry] : State().windows)
        if (IsWindowEnabled(entry.hwnd)) {
            EnableWindow(entry.hwnd, FALSE);
            disabled_.push_back(entry.hwnd);
        }
}

ModalScope::~ModalScope() {
    for (HWND hwnd : disabled_)
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
    if (active_ && IsWindow(active_)) SetActiveWindow(active_);
}

// The default file splits at its last separator into the starting folder and the name; one
// without a separator past its first character is a name alone, in the current folder.
Text AskFileWithDialog(bool save, const Text& title, const Text& defaultFile, const Text& pattern,
                       int patternIndex, DWORD* chosenPattern) {
    std::wstring folder = CurrentFolder(), name = WideText(defaultFile);
    const size_t last = LastPathSeparator(defaultFile);
    if (last != Text::npos && last > 0) {
        folder = WideText(defaultFile.substr(0, last));
        name = WideText(defaultFile.substr(last + 1));
    }
    std::wstring file(FileNameBufferSize, L'\0');
    name.copy(file.data(), std::min(name.size(), file.size() - 1));
    const std::wstring filter = FilterOf(pattern), caption = WideText(title);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = DialogOwner();
    dialog.lpstrFilter = pattern.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(patternIndex + 1);
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.c_str();
    dialog.lpstrTitle = caption.c_str();
    // No overwrite question, and an opened file need not exist: the logic decides.
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    ModalScope modal;
    const auto open =
        CommonDialog<decltype(GetOpenFileNameW)>(save ? "GetSaveFileNameW" : "GetOpenFileNameW");
    if (!open || !open(&dialog)) return {};
    if (chosenPattern) *chosenPattern = dialog.nFilterIndex;
    const Text path = Utf8Text(std::wstring(file.c_str()));
    return path.size() < FileNameBufferSize ? path : Text();
}

} // namespace win32layer

using namespace win32layer;

int ShowMessage(const Text& caption, const Text& text, uint32_t flags) {
    RequesterAnswer answer;
    if (HookAnswers({"message", caption, text, Text(), Text(), flags}, answer)) return answer.code;
    const HWND owner = DialogOwner();
    ModalScope modal;
    return MessageBoxW(owner, WideText(text).c_str(), WideText(caption).c_str(),
                       flags | MB_SETFOREGROUND);
}

// Opens on red 1, green 0, blue 0, its custom colours part closed; the 16 custom colours start
// black and are kept for the run.
int32_t PickColour() {
    RequesterAnswer answer;
    if (HookAnswers({"colour", Text(), Text(), Text(), Text(), 0}, answer)) return answer.code;
    CHOOSECOLORW chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = DialogOwner();
    chooser.rgbResult = RGB(1, 0, 0);
    chooser.lpCustColors = State().customColours;
    chooser.Flags = CC_RGBINIT;
    ModalScope modal;
    const auto choose = CommonDialog<decltype(ChooseColorW)>("ChooseColorW");
    if (!choose || !choose(&chooser)) return -1;
    return RgbColour(GetRValue(chooser.rgbResult), GetGValue(chooser.rgbResult),
                     GetBValue(chooser.rgbResult));
}

namespace {

// A file requester of either kind: the hook's answer when a scripted user is set (a path too
// long for the dialog's buffer is no answer, as from the dialog itself), else the dialog.
Text AskFileName(bool save, const Text& title, const Text& defaultFile, const Text& pattern,
                 int patternIndex) {
    RequesterAnswer answer;
    if (HookAnswers({save ? "save" : "open", title, Text(), defaultFile, pattern, 0}, answer))
        return answer.path.size() < FileNameBufferSize ? answer.path : Text();
    return AskFileWithDialog(save, title, defaultFile, pattern, patternIndex, nullptr);
}

} // namespace

Text AskOpenFileName(const Text& title, const Text& defaultFile, const Text& pattern,
                     int patternIndex) {
    return AskFileName(false, title, defaultFile, pattern, patternIndex);
}

Text AskSaveFileName(const Text& title, const Text& defaultFile, const Text& pattern,
                     int patternIndex) {
    return AskFileName(true, title, defaultFile, pattern, patternIndex);
}

void SetRequesterHook(std::function<RequesterAnswer(const RequesterCall&)> hook) {
    State().requesterHook = std::move(hook);
}
