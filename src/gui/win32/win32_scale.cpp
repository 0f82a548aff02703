// The scale the windows are drawn at. The program is per-monitor DPI aware (its manifest): the
// logic's layout is in pixels at 96 dots per inch, and the layer scales every window, gadget,
// font and canvas pixel to the monitor's DPI itself, sharp. The fixed layout cannot shrink:
// where the largest window would be taller or wider than the monitor's work area at that scale,
// the largest whole percentage that fits is used, never under 100 %. Moving to a monitor of
// another DPI (WM_DPICHANGED) lays everything out again at its scale.
#include "win32_state.h"

#include <algorithm>

namespace win32layer {
namespace {

constexpr int StandardDpi = 96;

// Windows 10's per-DPI frame metrics where there are; the system DPI's before.
SIZE OuterSize(SIZE inner, DWORD styles, UINT dpi) {
    using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = reinterpret_cast<AdjustForDpi>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    RECT outer{0, 0, inner.cx, inner.cy};
    if (!adjust || !adjust(&outer, styles, FALSE, 0, dpi))
        AdjustWindowRectEx(&outer, styles, FALSE, 0);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

int ScaledBy(int logical, int percent) {
    const long long device = static_cast<long long>(logical) * percent;
    return static_cast<int>(device >= 0 ? (device + 50) / 100 : -((-device + 50) / 100));
}

RECT WorkAreaOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor && GetMonitorInfoW(monitor, &info)) return info.rcWork;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// The monitor's scale, or the largest whole percentage under it at which the largest window
// fits the work area with its frame; never under 100 %.
int FittingPercent(UINT dpi, HMONITOR monitor) {
    const int wanted = std::max(100, static_cast<int>(dpi) * 100 / StandardDpi);
    const SIZE largest = State().largestWindow;
    if (largest.cx <= 0 || largest.cy <= 0) return wanted;
    const RECT work = WorkAreaOf(monitor);
    const DWORD styles = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    for (int percent = wanted; percent > 100; --percent) {
        const SIZE outer =
            OuterSize({ScaledBy(largest.cx, percent), ScaledBy(largest.cy, percent)}, styles, dpi);
        if (outer.cx <= work.right - work.left && outer.cy <= work.bottom - work.top)
            return percent;
    }
    return 100;
}

UINT DpiOf(HMONITOR monitor) {
    using DpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto query = [] {
        const HMODULE shcore = LoadLibraryW(L"shcore.dll");
        return shcore ? reinterpret_cast<DpiForMonitor>(
                            reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    UINT x = 0, y = 0;
    if (query && monitor && SUCCEEDED(query(monitor, 0 /* effective */, &x, &y)) && y) return y;
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : StandardDpi;
}

// What the canvas showed, stretched to its new size, until the logic paints it again.
void RescaleCanvas(WindowEntry& window, SIZE device) {
    Canvas old = window.canvas;
    window.canvas = Canvas{};
    if (!CreateCanvas(window, device.cx, device.cy)) {
        window.canvas = old;
        return;
    }
    Canvas& canvas = window.canvas;
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x)
            canvas.pixels[static_cast<size_t>(y) * canvas.width + x] =
                old.pixels[static_cast<size_t>(y * old.height / canvas.height) * old.width +
                           x * old.width / canvas.width];
    FreeCanvas(old);
}

void Rescale(WindowEntry& window, POINT topLeft) {
    const SIZE device{Scaled(window.inner.cx), Scaled(window.inner.cy)};
    const DWORD styles = static_cast<DWORD>(GetWindowLongW(window.hwnd, GWL_STYLE));
    const SIZE outer = OuterSize(device, styles, State().dpi);
    SetWindowPos(window.hwnd, nullptr, topLeft.x, topLeft.y, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame may not follow the DPI as foretold (Wine keeps one): the client size decides.
    RECT client;
    GetClientRect(window.hwnd, &client);
    if (client.right != device.cx || client.bottom != device.cy)
        SetWindowPos(window.hwnd, nullptr, 0, 0, outer.cx + device.cx - client.right,
                     outer.cy + device.cy - client.bottom,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    RescaleCanvas(window, device);
    for (int number : window.gadgets)
        if (GadgetEntry* gadget = GadgetOf(number)) {
            const RECT r = Scaled(gadget->place);
            MoveWindow(gadget->hwnd, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
            SendMessageW(gadget->hwnd, WM_SETFONT,
                         reinterpret_cast<WPARAM>(ScaledFont(gadget->font, false)), FALSE);
        }
    RedrawWindow(window.hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

} // namespace

int Scaled(int logical) { return ScaledBy(logical, State().scale); }

RECT Scaled(const RECT& logical) {
    return {Scaled(logical.left), Scaled(logical.top), Scaled(logical.right),
            Scaled(logical.bottom)};
}

void ChooseScale() {
    const HMONITOR primary = MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    State().dpi = DpiOf(primary);
    State().scale = FittingPercent(State().dpi, primary);
}

SIZE OuterSizeOf(SIZE inner, DWORD styles) { return OuterSize(inner, styles, State().dpi); }

// Every window follows: they share one scale, as the windows of one program on one monitor do.
void ChangeDpi(HWND hwnd, UINT dpi, const RECT& suggested) {
    PlatformState& state = State();
    const int percent = FittingPercent(dpi, MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST));
    state.dpi = dpi;
    if (percent == state.scale) {
        SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, 0, 0,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
        return;
    }
    state.scale = percent;
    for (auto& [number, window] : state.windows) {
        RECT frame;
        GetWindowRect(window.hwnd, &frame);
        Rescale(window, window.hwnd == hwnd ? POINT{suggested.left, suggested.top}
                                            : POINT{frame.left, frame.top});
    }
    // The logic paints its Chart again, sharp at the new scale.
    if (!state.windows.empty()) QueueEvent(PaintEvent, 0, 0, state.windows.begin()->first);
}

} // namespace win32layer

void FitScaleToWindow(int innerWidth, int innerHeight) {
    win32layer::State().largestWindow = {innerWidth, innerHeight};
}
