// Events: what the user does to the program's windows becomes a queue of program events
// (gadget, menu, close, right press) that WaitEvent hands out one at a time, from one
// GetMessageW loop. Keyboard shortcuts of the active window and Tab focus movement are handled in
// the loop, before a control sees the key.
//
// Only actions handled while WaitEvent runs become events. Notifications that the logic causes
// itself between two waits (writing a field's text, hiding a focused field, a requester taking
// the focus) are dropped, as on Linux.
#include "win32_state.h"

#include <algorithm>

namespace win32layer {
namespace {

bool IsModifierKey(WPARAM key) {
    return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == VK_LSHIFT ||
           key == VK_RSHIFT || key == VK_LCONTROL || key == VK_RCONTROL || key == VK_LMENU ||
           key == VK_RMENU || key == VK_LWIN || key == VK_RWIN;
}

int ShortcutKeyOf(WPARAM key) {
    int shortcut = static_cast<int>(key & 0xFFFF);
    if (GetKeyState(VK_SHIFT) < 0) shortcut |= ShortcutShift;
    if (GetKeyState(VK_CONTROL) < 0) shortcut |= ShortcutCtrl;
    if (GetKeyState(VK_MENU) < 0) shortcut |= ShortcutAlt;
    return shortcut;
}

// The active window's shortcut table sees every key pressed in it first.
bool HandleKey(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    if (IsModifierKey(message.wParam)) return false;
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (!root || root != GetActiveWindow()) return false;
    const int window = WindowNumberOf(root);
    WindowEntry* entry = WindowOf(window);
    if (!entry) return false;
    const int key = ShortcutKeyOf(message.wParam);
    for (const ShortcutEntry& shortcut : entry->shortcuts) {
        if (shortcut.key != key) continue;
        if (shortcut.command == NextGadgetCommand || shortcut.command == PreviousGadgetCommand)
            MoveFocus(window, shortcut.command == PreviousGadgetCommand);
        else
            RecordEvent(MenuEvent, shortcut.command, 0, window);
        return true;
    }
    return false;
}

// A right press anywhere in a program window's client area, over its controls too.
void NoteRightPress(const MSG& message) {
    switch (message.message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        if (const int window = WindowNumberOf(message.hwnd); window >= 0)
            RecordEvent(RightButtonDownEvent, KeepSource, 0, window);
        return;
    default:
        return;
    }
}

// A window activated before its gadgets were made holds the focus itself: its first gadget in
// Tab order takes it, within the wait, so that the gadget reports it as on Linux.
void FocusIntoActiveWindow() {
    const HWND active = GetActiveWindow();
    const int window = WindowNumberOf(active);
    const HWND focus = GetFocus();
    if (window < 0 || (focus && focus != active)) return;
    if (const HWND first = FirstFocusStop(window)) SetFocus(first);
}

void Dispatch(const MSG& message) {
    if (message.message == WM_QUIT) {
        Events().quitRequested = true;
        return;
    }
    if (message.message == WM_LBUTTONDOWN || message.message == WM_RBUTTONDOWN)
        State().keyboardFocus = false;
    NoteRightPress(message);
    if (HandleKey(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

bool AnyWindowOpen() { return !State().windows.empty(); }

void HandlePendingMessages() {
    FocusIntoActiveWindow();
    MSG message;
    while (Events().queue.empty() && !Events().quitRequested &&
           PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        Dispatch(message);
}

void WaitForMessage() {
    MSG message;
    if (GetMessageW(&message, nullptr, 0, 0) <= 0)
        Events().quitRequested = true;
    else
        Dispatch(message);
}

bool TakesTabFocus(const GadgetEntry& gadget) {
    return gadget.control != Control::Label && gadget.control != Control::Frame &&
           IsWindowEnabled(gadget.hwnd) && (GetWindowLongW(gadget.hwnd, GWL_STYLE) & WS_VISIBLE) &&
           !gadget.hidePending;
}

} // namespace

// Tab order is creation order among enabled, visible gadgets that take the focus by Tab.
std::vector<const GadgetEntry*> FocusStops(int window) {
    std::vector<const GadgetEntry*> stops;
    if (WindowEntry* entry = WindowOf(window))
        for (int number : entry->gadgets)
            if (const GadgetEntry* gadget = GadgetOf(number); gadget && TakesTabFocus(*gadget))
                stops.push_back(gadget);
    return stops;
}

HWND FirstFocusStop(int window) {
    const std::vector<const GadgetEntry*> stops = FocusStops(window);
    return stops.empty() ? nullptr : stops.front()->hwnd;
}

// A text field reached by Tab has its whole text selected, ready to be typed over.
void MoveFocus(int window, bool backwards) {
    const std::vector<const GadgetEntry*> stops = FocusStops(window);
    if (stops.empty()) return;
    const HWND focus = GetFocus();
    const auto at = std::find_if(stops.begin(), stops.end(),
                                 [focus](const GadgetEntry* g) { return g->hwnd == focus; });
    const GadgetEntry* next = nullptr;
    if (at == stops.end())
        next = backwards ? stops.back() : stops.front();
    else if (backwards)
        next = at == stops.begin() ? stops.back() : *(at - 1);
    else
        next = at + 1 == stops.end() ? stops.front() : *(at + 1);
    State().keyboardFocus = true;
    SetFocus(next->hwnd);
    if (next->control == Control::TextField) SendMessageW(next->hwnd, EM_SETSEL, 0, -1);
}

} // namespace win32layer

using namespace win32layer;

int WaitEvent() {
    return WaitForEvent(
        {ApplyAllPendingClears, AnyWindowOpen, HandlePendingMessages, WaitForMessage});
}

// A popup menu's modal loop waits without WaitEvent: the hook acts there until the menu has a
// message to handle (a scripted key), or the run ends, which closes the menu. The menu's loop
// then waits for messages newer than the ones looked at here: one more wakes it.
void win32layer::RunBeforeWaitHookInMenu(HWND owner) {
    MSG message;
    while (Events().beforeWait && !Events().quitRequested &&
           !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        const std::function<void()> hook = Events().beforeWait;
        hook();
    }
    if (Events().quitRequested) EndMenu();
    PostMessageW(owner, WM_NULL, 0, 0);
}

void AddShortcut(int window, int shortcut, int command) {
    WindowEntry* entry = WindowOf(window);
    if (!entry) return;
    const int key = shortcut & (0xFFFF | ShortcutShift | ShortcutCtrl | ShortcutAlt);
    for (ShortcutEntry& existing : entry->shortcuts)
        if (existing.key == key) {
            existing.command = command;
            return;
        }
    entry->shortcuts.push_back({key, command});
}
