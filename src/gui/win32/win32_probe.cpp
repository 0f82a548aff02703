// What tests see of the real windows (gui_probe.h, win32_probe.h): the HWNDs, the names a
// screen reader is to read, the open popup menu, a window's picture and where text was drawn.
#include "win32_probe.h"
#include "gui/gui_probe.h"
#include "win32_state.h"

namespace {

HMENU shownMenu = nullptr;
bool notingText = false; // only for tests: the program itself never pays for it

} // namespace

void win32layer::NoteMenuShown(HMENU menu) { shownMenu = menu; }

void win32layer::NoteTextDrawn(int window, const RECT& area) {
    if (!notingText) return;
    if (WindowEntry* entry = win32layer::WindowOf(window)) entry->textAreas.push_back(area);
}

using namespace win32layer;

HWND GadgetHwnd(int number) {
    GadgetEntry* gadget = GadgetOf(number);
    return gadget ? gadget->hwnd : nullptr;
}

HWND WindowHwnd(int number) {
    WindowEntry* entry = WindowOf(number);
    return entry ? entry->hwnd : nullptr;
}

void NoteCanvasText() { notingText = true; }

std::vector<RECT> CanvasTextAreas(int window) {
    WindowEntry* entry = WindowOf(window);
    return entry ? entry->textAreas : std::vector<RECT>();
}

Text GadgetAccessibleName(int number) {
    GadgetEntry* gadget = GadgetOf(number);
    return gadget ? gadget->accessibleName : Text();
}

bool GadgetShown(int number) {
    const HWND hwnd = GadgetHwnd(number);
    return hwnd && IsWindowVisible(hwnd);
}

std::vector<PopupItemSeen> OpenPopupItems() {
    std::vector<PopupItemSeen> items;
    const int count = shownMenu ? GetMenuItemCount(shownMenu) : 0;
    for (int at = 0; at < count; ++at) {
        wchar_t text[256] = {};
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = 255;
        GetMenuItemInfoW(shownMenu, at, TRUE, &item);
        const bool separator = item.fType & MFT_SEPARATOR; // never greyed, as in Qt
        items.push_back(
            {int(item.wID), Utf8Text(text), separator || !(item.fState & MFS_GRAYED), separator});
    }
    return items;
}

// The window as the screen shows it: it must be in front, on a screen as large as it.
Picture GrabWindow(int number) {
    const HWND hwnd = WindowHwnd(number);
    RECT client;
    if (!hwnd || !GetClientRect(hwnd, &client)) return {};
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Picture picture{client.right, client.bottom, 1, {}};
    picture.pixels.resize(size_t(picture.width) * picture.height);
    const HDC screen = GetDC(hwnd), copy = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, picture.width, picture.height);
    const HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, picture.width, picture.height, screen, 0, 0, SRCCOPY);
    SelectObject(copy, old);
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof(BITMAPINFOHEADER), picture.width, -picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    GetDIBits(copy, bitmap, 0, picture.height, picture.pixels.data(), &info, DIB_RGB_COLORS);
    for (uint32_t& pixel : picture.pixels) pixel |= 0xFF000000u;
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(hwnd, screen);
    return picture;
}
