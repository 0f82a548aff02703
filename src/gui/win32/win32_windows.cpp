// Numbered top-level windows: fixed client size, title bar, close and minimise boxes as the flags
// ask, no sizing, placement (centred on the screen or on the active window), and the window
// procedure that turns what reaches a window into program events. A window's close box only
// reports a close event: the logic decides whether the window goes away.
#include "win32_state.h"

#include <algorithm>

namespace win32layer {
namespace {

const wchar_t* const WindowClass = L"BrondelWindow";
constexpr uint32_t PlacementBits = CENTRE_ON_SCREEN | CENTRE_ON_ACTIVE;

int NumberOfWindow(HWND hwnd) {
    for (const auto& [number, entry] : State().windows)
        if (entry.hwnd == hwnd) return number;
    return -1;
}

// What a control tells its window: clicks of buttons and check boxes, a text field's changes
// and focus changes.
void ControlNotified(int window, HWND control, int code) {
    const int number = GadgetNumberOf(control);
    if (number < 0) return;
    switch (code) {
    case BN_CLICKED:
        if (GadgetOf(number)->control == Control::TextField) return;
        NoteButtonClicked(number);
        RecordEvent(GadgetEvent, number, BN_CLICKED, window);
        return;
    case EN_CHANGE:
    case EN_SETFOCUS:
    case EN_KILLFOCUS:
        if (GadgetOf(number)->control == Control::TextField)
            RecordEvent(GadgetEvent, number, code, window);
        return;
    default:
        return;
    }
}

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const int window = NumberOfWindow(hwnd);
    switch (message) {
    case WM_CLOSE:
        RecordCloseEvent(window);
        return 0;
    // A window keeps its focused control while it is inactive, and an activated window gives
    // the focus back to it, or else to its first gadget in Tab order.
    case WM_ACTIVATE:
        if (WindowEntry* entry = WindowOf(window); entry && LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && GetParent(focus) == hwnd) entry->focus = focus;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_SETFOCUS:
        if (WindowEntry* entry = WindowOf(window)) {
            HWND focus = entry->focus;
            if (!focus || !IsWindow(focus) || GetParent(focus) != hwnd || !IsWindowVisible(focus) ||
                !IsWindowEnabled(focus))
                focus = FirstFocusStop(window);
            if (focus) SetFocus(focus);
        }
        return 0;
    case WM_ENTERIDLE: // a popup menu's own modal loop waits where WaitEvent would
        if (wParam == MSGF_MENU) RunBeforeWaitHookInMenu(hwnd);
        return 0;
    case WM_COMMAND:
        if (lParam) ControlNotified(window, reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_DRAWITEM:
        DrawButtonGadget(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORSTATIC: // labels, check boxes, frames
    case WM_CTLCOLORBTN: {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, TextColour);
        SetBkColor(dc, FaceColour);
        return reinterpret_cast<LRESULT>(FaceBrush());
    }
    case WM_CTLCOLOREDIT: {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, TextColour);
        SetBkColor(dc, FieldColour);
        return reinterpret_cast<LRESULT>(FieldBrush());
    }
    case WM_DPICHANGED:
        ChangeDpi(hwnd, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(hwnd, &paint);
        CompositeOverWindow(window, dc, paint.rcPaint);
        EndPaint(hwnd, &paint);
        return 0;
    }
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

DWORD StylesOf(uint32_t flags) {
    DWORD styles = WS_CLIPCHILDREN;
    if ((flags & WS_CAPTION_BITS) != WS_CAPTION_BITS) return styles | WS_POPUP;
    styles |= WS_CAPTION;
    if (flags & WS_SYSMENU_BIT) {
        styles |= WS_SYSMENU;
        if (flags & WS_MINIMIZEBOX_BIT) styles |= WS_MINIMIZEBOX;
    }
    return styles;
}

POINT CentredOnScreen(SIZE outer) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    return {width / 2 - std::min<int>(outer.cx, width) / 2,
            height / 2 - std::min<int>(outer.cy, height) / 2};
}

POINT Placement(int x, int y, SIZE outer, uint32_t flags) {
    if (flags & CENTRE_ON_SCREEN) return CentredOnScreen(outer);
    if (flags & CENTRE_ON_ACTIVE) {
        WindowEntry* active = WindowOf(ActiveWindow());
        if (!active) return CentredOnScreen(outer);
        RECT frame;
        GetWindowRect(active->hwnd, &frame);
        return {std::max<LONG>(0, frame.left - outer.cx / 2 + (frame.right - frame.left) / 2),
                std::max<LONG>(0, frame.top - outer.cy / 2 + (frame.bottom - frame.top) / 2)};
    }
    return {x, y};
}

void BringToFront(HWND hwnd) {
    SetForegroundWindow(hwnd);
    SetActiveWindow(hwnd);
}

} // namespace

void RegisterWindowClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = FaceBrush();
    windowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    windowClass.lpszClassName = WindowClass;
    RegisterClassExW(&windowClass);
}

WindowEntry* WindowOf(int number) {
    auto it = State().windows.find(number);
    return it == State().windows.end() || !it->second.hwnd ? nullptr : &it->second;
}

int WindowNumberOf(HWND hwnd) { return hwnd ? NumberOfWindow(GetAncestor(hwnd, GA_ROOT)) : -1; }

int WindowNumberOfHandle(Handle handle) {
    return handle ? NumberOfWindow(reinterpret_cast<HWND>(handle)) : -1;
}

} // namespace win32layer

using namespace win32layer;

Handle OpenAppWindow(int number, int x, int y, int innerWidth, int innerHeight, uint32_t flags,
                     const Text& title) {
    if (innerWidth < 0 || innerHeight < 0) return 0;
    CloseAppWindow(number);
    uint32_t styles = flags & ~PlacementBits;
    if (styles == 0 || styles == WS_VISIBLE_BIT) styles |= WS_CAPTION_BITS;
    styles ^= WS_VISIBLE_BIT; // callers that leave the bit out get a visible window

    const DWORD windowStyles = StylesOf(styles);
    const SIZE size = OuterSizeOf({Scaled(innerWidth), Scaled(innerHeight)}, windowStyles);
    const POINT place = Placement(Scaled(x), Scaled(y), size, flags);

    QuietScope quiet;
    const HWND hwnd =
        CreateWindowExW(0, WindowClass, WideText(title).c_str(), windowStyles, place.x, place.y,
                        size.cx, size.cy, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) return 0;
    WindowEntry& entry = State().windows[number];
    entry = WindowEntry{};
    entry.hwnd = hwnd;
    entry.inner = {innerWidth, innerHeight};
    if (!CreateCanvas(entry, Scaled(innerWidth), Scaled(innerHeight))) {
        DestroyWindow(hwnd);
        State().windows.erase(number);
        return 0;
    }
    entry.shortcuts = {{VK_TAB, NextGadgetCommand},
                       {VK_TAB | ShortcutShift, PreviousGadgetCommand}};
    State().currentWindow = number;
    if (styles & WS_VISIBLE_BIT) {
        ShowWindow(hwnd, SW_SHOWNORMAL);
        BringToFront(hwnd);
    }
    return reinterpret_cast<Handle>(hwnd);
}

void CloseAppWindow(int number) {
    auto it = State().windows.find(number);
    if (it == State().windows.end()) return;
    QuietScope quiet;
    EndDrawingOn(number);
    ForgetGadgetsOf(number);
    if (it->second.hwnd) DestroyWindow(it->second.hwnd); // takes its controls with it
    FreeCanvas(it->second.canvas);
    State().windows.erase(it);
    if (State().currentWindow == number) State().currentWindow = -1;
    if (State().gadgetParent == number) State().gadgetParent = -1;
}

void SelectWindow(int number) {
    if (WindowOf(number)) State().currentWindow = number;
}

Handle WindowHandle(int number) {
    WindowEntry* entry = WindowOf(number);
    return entry ? reinterpret_cast<Handle>(entry->hwnd) : 0;
}

Handle CurrentWindowHandle() { return WindowHandle(State().currentWindow); }

void SetWindowCaption(int number, const Text& text) {
    if (WindowEntry* entry = WindowOf(number)) SetWindowTextW(entry->hwnd, WideText(text).c_str());
}

Text WindowCaption(int number) {
    WindowEntry* entry = WindowOf(number);
    if (!entry) return {};
    std::wstring caption(static_cast<size_t>(GetWindowTextLengthW(entry->hwnd)) + 1, L'\0');
    const int length =
        GetWindowTextW(entry->hwnd, caption.data(), static_cast<int>(caption.size()));
    return Utf8Text(caption.data(), static_cast<size_t>(length));
}

void ShowAppWindow(int number, int hidden) {
    WindowEntry* entry = WindowOf(number);
    if (!entry) return;
    QuietScope quiet;
    if (hidden) {
        ShowWindow(entry->hwnd, SW_HIDE);
        return;
    }
    ShowWindow(entry->hwnd, SW_SHOWNORMAL);
    BringToFront(entry->hwnd);
}

void ActivateCurrentWindow() {
    if (WindowEntry* entry = WindowOf(State().currentWindow)) BringToFront(entry->hwnd);
}

void SetWindowTopmost(int number, int topmost) {
    if (WindowEntry* entry = WindowOf(number))
        SetWindowPos(entry->hwnd, topmost == 1 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void RepaintNow(int number) {
    ApplyPendingClears(number);
    if (WindowEntry* entry = WindowOf(number))
        RedrawWindow(entry->hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

Handle BeginGadgets(Handle parent) {
    const int number = WindowNumberOfHandle(parent);
    if (number < 0) return 0;
    State().gadgetParent = number;
    return parent;
}

int ActiveWindow() { return WindowNumberOf(GetActiveWindow()); }
