// Numbered popup menus, shown at the mouse by TrackPopupMenuEx. The menu is modal while it is
// open; the item the user chooses reaches the program as a menu event, through WaitEvent.
#include "win32_state.h"

namespace win32layer {

void FreeMenus() {
    for (auto& [number, menu] : State().menus) DestroyMenu(menu);
    State().menus.clear();
    State().currentMenu = -1;
}

namespace {

HMENU CurrentMenu() {
    auto it = State().menus.find(State().currentMenu);
    return it == State().menus.end() ? nullptr : it->second;
}

} // namespace
} // namespace win32layer

using namespace win32layer;

void NewPopupMenu(int number) {
    auto it = State().menus.find(number);
    if (it != State().menus.end()) DestroyMenu(it->second);
    State().menus[number] = CreatePopupMenu();
    State().currentMenu = number;
}

void AddMenuItem(int id, const Text& text) {
    if (HMENU menu = CurrentMenu())
        AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id), WideText(text).c_str());
}

void AddMenuSeparator() {
    if (HMENU menu = CurrentMenu()) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
}

void EnableMenuItem(int id, int enabled) {
    if (HMENU menu = CurrentMenu())
        ::EnableMenuItem(menu, static_cast<UINT>(id),
                         MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void ShowPopupMenu(int number, Handle owner) {
    auto it = State().menus.find(number);
    if (it == State().menus.end()) return;
    const int window = WindowNumberOfHandle(owner);
    WindowEntry* entry = WindowOf(window);
    if (!entry) return;
    // The owner must be in front, or the menu stays open after a click elsewhere.
    SetForegroundWindow(entry->hwnd);
    POINT place;
    GetCursorPos(&place);
    const UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN;
    NoteMenuShown(it->second);
    const BOOL chosen =
        TrackPopupMenuEx(it->second, flags, place.x - 1, place.y - 1, entry->hwnd, nullptr);
    NoteMenuShown(nullptr);
    PostMessageW(entry->hwnd, WM_NULL, 0, 0);
    if (chosen) QueueEvent(MenuEvent, chosen, 0, window);
}
