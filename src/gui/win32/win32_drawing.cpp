// Drawing on a window's retained canvas: a 32-bit DIB section per window, laid over the window
// and over each of its controls after they have painted themselves, that keeps what is painted
// until it is painted over. Rectangles and lines cover exact pixels; text is drawn with its
// top-left corner at the text position, which it advances, smoothed over what lies below. The
// one repaint kept on purpose: a gadget shown again clears its rectangle. A whole canvas is
// cleared only when the logic asks for it (ClearWindowCanvas).
#include "win32_state.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace win32layer {
namespace {

constexpr uint32_t TransparentText = 1, InvertPixels = 2, OutlineOnly = 4;
constexpr uint32_t Opaque = 0xFF000000u;

struct Drawing {
    int window = -1; // -1: no drawing in progress
    uint32_t mode = 0;
    COLORREF pen = 0, brush = 0, text = 0;
    HFONT font = nullptr;    // the canvas twin of the font in use, at the windows' scale
    HFONT measure = nullptr; // the same at 100 %: text widths in the logic's pixels
    Handle fontHandle = -1;
    POINT position{};
    RECT dirty{};
};

Drawing& Current() {
    static Drawing drawing;
    return drawing;
}

bool IsDrawing() { return Current().window >= 0; }

Canvas* CanvasOf(int window) {
    WindowEntry* entry = WindowOf(window);
    return entry && entry->canvas.pixels ? &entry->canvas : nullptr;
}

uint32_t PixelOf(COLORREF colour) {
    return Opaque | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

COLORREF ColourOf(int32_t red, int32_t green, int32_t blue) {
    return RGB(red & 0xFF, green & 0xFF, blue & 0xFF);
}

COLORREF ColourOf(int32_t colour) { return ColourOf(colour, colour >> 8, colour >> 16); }

void Unite(RECT& into, const RECT& area) {
    if (IsRectEmpty(&area)) return;
    if (IsRectEmpty(&into))
        into = area;
    else
        UnionRect(&into, &into, &area);
}

RECT Clipped(const Canvas& canvas, RECT area) {
    const RECT whole{0, 0, canvas.width, canvas.height};
    IntersectRect(&area, &area, &whole);
    return area;
}

// Inverting works on what the canvas shows over the window's face. The area is in the logic's
// pixels: at any scale, areas that meet there meet on the canvas too.
void Cover(RECT area, COLORREF colour) {
    Drawing& d = Current();
    Canvas* canvas = CanvasOf(d.window);
    area = Clipped(*canvas, Scaled(area));
    if (IsRectEmpty(&area)) return;
    const uint32_t pixel = PixelOf(colour), face = PixelOf(FaceColour);
    for (LONG y = area.top; y < area.bottom; ++y) {
        uint32_t* line = canvas->pixels + static_cast<size_t>(y) * canvas->width;
        if (d.mode & InvertPixels)
            for (LONG x = area.left; x < area.right; ++x)
                line[x] = Opaque | (~((line[x] >> 24) == 0xFF ? line[x] : face) & 0xFFFFFF);
        else
            std::fill(line + area.left, line + area.right, pixel);
    }
    Unite(d.dirty, area);
}

// Text in the colour over what the canvas shows there, by the glyph's coverage (0-255). Where
// the canvas is clear the face lies below, which is the colour of the gadgets under text, so that
// every canvas pixel stays either clear or opaque.
uint32_t Blended(COLORREF colour, uint32_t coverage, uint32_t below) {
    if ((below >> 24) != 0xFF) below = PixelOf(FaceColour);
    const uint32_t ink = PixelOf(colour);
    uint32_t mixed = Opaque;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t a = (ink >> shift) & 0xFF, b = (below >> shift) & 0xFF;
        mixed |= ((a * coverage + b * (255 - coverage) + 127) / 255) << shift;
    }
    return mixed;
}

void ClearArea(Canvas& canvas, RECT area) {
    area = Clipped(canvas, area);
    for (LONG y = area.top; y < area.bottom; ++y) {
        uint32_t* line = canvas.pixels + static_cast<size_t>(y) * canvas.width;
        std::fill(line + area.left, line + area.right, 0u);
    }
}

// Repaints what lies under an area of the window, controls included, so that the canvas is laid
// over them again.
void ShowArea(int window, const RECT& area) {
    WindowEntry* entry = WindowOf(window);
    if (entry && !IsRectEmpty(&area))
        RedrawWindow(entry->hwnd, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Text is drawn white on black into a scratch bitmap, which then says which pixels it covers.
struct Scratch {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    uint32_t* pixels = nullptr;
    int width = 0, height = 0;
};

Scratch& ScratchOf(int width, int height) {
    static Scratch scratch;
    if (width <= scratch.width && height <= scratch.height) return scratch;
    if (!scratch.dc) scratch.dc = CreateCompatibleDC(nullptr);
    if (scratch.bitmap) DeleteObject(scratch.bitmap);
    scratch.width = std::max(width, scratch.width);
    scratch.height = std::max(height, scratch.height);
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof(BITMAPINFOHEADER), scratch.width, -scratch.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    scratch.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    scratch.pixels = static_cast<uint32_t*>(bits);
    SelectObject(scratch.dc, scratch.bitmap);
    SetBkMode(scratch.dc, TRANSPARENT);
    SetTextColor(scratch.dc, RGB(255, 255, 255));
    SetTextAlign(scratch.dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    return scratch;
}

HDC MeasuringDc() {
    static const HDC dc = CreateCompatibleDC(nullptr);
    return dc;
}

SIZE TextSize(const std::wstring& text, HFONT font) {
    const HDC dc = MeasuringDc();
    SelectObject(dc, font);
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    size.cy = metrics.tmHeight;
    return size;
}

void UseFont(HFONT font, Handle handle) {
    Current().font = ScaledFont(font, true);
    Current().measure = ScaledFont(font, true, 100);
    Current().fontHandle = handle;
}

} // namespace

bool CreateCanvas(WindowEntry& window, int width, int height) {
    Canvas& canvas = window.canvas;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER),
                      std::max(width, 1),
                      -std::max(height, 1),
                      1,
                      32,
                      BI_RGB,
                      0,
                      0,
                      0,
                      0,
                      0};
    void* bits = nullptr;
    canvas.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!canvas.bitmap) return false;
    canvas.dc = CreateCompatibleDC(nullptr);
    SelectObject(canvas.dc, canvas.bitmap);
    canvas.pixels = static_cast<uint32_t*>(bits);
    canvas.width = width;
    canvas.height = height;
    std::fill(canvas.pixels,
              canvas.pixels + static_cast<size_t>(std::max(width, 1)) * std::max(height, 1), 0u);
    return true;
}

void FreeCanvas(Canvas& canvas) {
    if (canvas.dc) DeleteDC(canvas.dc);
    if (canvas.bitmap) DeleteObject(canvas.bitmap);
    canvas = Canvas{};
}

void CompositeOverWindow(int window, HDC dc, const RECT& area) {
    Canvas* canvas = CanvasOf(window);
    if (!canvas) return;
    const RECT r = Clipped(*canvas, area);
    if (IsRectEmpty(&r)) return;
    const int width = r.right - r.left, height = r.bottom - r.top;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, r.left, r.top, width, height, canvas->dc, r.left, r.top, width, height, blend);
}

// Most gadgets lie under no painted canvas pixel, and a window DC costs far more than looking.
bool PaintedWithin(const Canvas& canvas, const RECT& area) {
    for (LONG y = area.top; y < area.bottom; ++y) {
        const uint32_t* line = canvas.pixels + static_cast<size_t>(y) * canvas.width;
        if (std::any_of(line + area.left, line + area.right, [](uint32_t p) { return p >> 24; }))
            return true;
    }
    return false;
}

void CompositeOverControl(HWND control) {
    const HWND parent = GetParent(control);
    const int window = WindowNumberOf(parent);
    Canvas* canvas = CanvasOf(window);
    if (!canvas) return;
    RECT outer;
    GetWindowRect(control, &outer);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&outer), 2);
    const RECT area = Clipped(*canvas, outer);
    if (IsRectEmpty(&area) || !PaintedWithin(*canvas, area)) return;
    const HDC dc = GetWindowDC(control);
    const int width = area.right - area.left, height = area.bottom - area.top;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, area.left - outer.left, area.top - outer.top, width, height, canvas->dc,
               area.left, area.top, width, height, blend);
    ReleaseDC(control, dc);
}

void EndDrawingOn(int window) {
    if (Current().window == window) EndDrawing();
}

// A gadget hidden and shown again before the next repaint never leaves the screen: under Wine
// each hiding and showing costs milliseconds, and a refresh does it to every empty Box.
void ApplyPendingHides(WindowEntry& entry) {
    if (entry.pendingHides.empty()) return;
    QuietScope quiet;
    for (int number : std::exchange(entry.pendingHides, {}))
        if (GadgetEntry* gadget = GadgetOf(number); gadget && gadget->hidePending) {
            gadget->hidePending = false;
            ShowWindow(gadget->hwnd, SW_HIDE);
        }
}

void ApplyPendingClears(int window) {
    WindowEntry* entry = WindowOf(window);
    if (entry) ApplyPendingHides(*entry);
    if (!entry || entry->pendingClear.empty() || !entry->canvas.pixels) return;
    const std::vector<RECT> areas = std::move(entry->pendingClear);
    entry->pendingClear.clear();
    for (const RECT& area : areas) {
        ClearArea(entry->canvas, Scaled(area));
        ShowArea(window, Scaled(area));
    }
}

void ApplyAllPendingClears() {
    for (auto& [number, entry] : State().windows) ApplyPendingClears(number);
}

} // namespace win32layer

using namespace win32layer;

Handle BeginDrawing(Handle window) {
    EndDrawing();
    const int number = WindowNumberOfHandle(window);
    if (!CanvasOf(number)) return 0;
    Drawing& d = Current();
    d.window = number;
    d.mode = 0;
    d.pen = d.brush = d.text = RGB(0, 0, 0);
    UseFont(SystemFont(), -1);
    d.position = {0, 0};
    d.dirty = {};
    return window;
}

void EndDrawing() {
    Drawing& d = Current();
    if (!IsDrawing()) return;
    ShowArea(d.window, d.dirty);
    d.window = -1;
}

void SetDrawingMode(uint32_t flags) {
    if (IsDrawing()) Current().mode = flags;
}

void SetDrawColour(int32_t red, int32_t green, int32_t blue) {
    Drawing& d = Current();
    if (!IsDrawing()) return;
    const COLORREF colour = ColourOf(red, green, blue);
    if (!(d.mode & OutlineOnly)) d.brush = colour;
    d.pen = colour;
    d.text = colour;
}

void FillRect(int x, int y, int width, int height, int32_t colour) {
    Drawing& d = Current();
    if (!IsDrawing()) return;
    const COLORREF c = ColourOf(colour);
    SetDrawColour(GetRValue(c), GetGValue(c), GetBValue(c));
    if (width == 1 && height == 1) {
        Cover({x, y, x + 1, y + 1}, d.pen);
        return;
    }
    // Like a rectangle outlined with the pen and filled with the brush, both in the colour.
    const RECT area{std::min(x, x + width), std::min(y, y + height), std::max(x, x + width),
                    std::max(y, y + height)};
    if (IsRectEmpty(&area)) return;
    if (!(d.mode & OutlineOnly)) {
        Cover(area, d.brush);
        return;
    }
    Cover({area.left, area.top, area.right, area.top + 1}, d.pen);
    Cover({area.left, area.bottom - 1, area.right, area.bottom}, d.pen);
    Cover({area.left, area.top, area.left + 1, area.bottom}, d.pen);
    Cover({area.right - 1, area.top, area.right, area.bottom}, d.pen);
}

// From (x, y) towards (x + dx, y + dy), the end point itself left out.
void DrawLine(int x, int y, int dx, int dy, int32_t colour) {
    Drawing& d = Current();
    if (!IsDrawing()) return;
    const COLORREF c = ColourOf(colour);
    SetDrawColour(GetRValue(c), GetGValue(c), GetBValue(c));
    d.position = {x + dx, y + dy};
    if (dy == 0 && dx != 0) {
        Cover(dx > 0 ? RECT{x, y, x + dx, y + 1} : RECT{x + dx + 1, y, x + 1, y + 1}, d.pen);
        return;
    }
    if (dx == 0 && dy != 0) {
        Cover(dy > 0 ? RECT{x, y, x + 1, y + dy} : RECT{x, y + dy + 1, x + 1, y + 1}, d.pen);
        return;
    }
    const int stepX = dx > 0 ? 1 : -1, stepY = dy > 0 ? 1 : -1;
    const int ax = std::abs(dx), ay = std::abs(dy);
    int error = ax - ay;
    for (int px = x, py = y; px != x + dx || py != y + dy;) {
        Cover({px, py, px + 1, py + 1}, d.pen);
        const int twice = 2 * error;
        if (twice > -ay) {
            error -= ay;
            px += stepX;
        }
        if (twice < ax) {
            error += ax;
            py += stepY;
        }
    }
}

void SetDrawingFont(Handle font) {
    // The Chart selects a font for every line, mostly the one its last line had.
    if (!IsDrawing() || font == Current().fontHandle) return;
    if (const HFONT chosen = FontOfHandle(font)) UseFont(font == -1 ? SystemFont() : chosen, font);
}

int TextPixelWidth(const Text& text) {
    if (!IsDrawing() || text.empty()) return 0;
    return TextSize(WideText(text), Current().measure).cx;
}

void MoveTextCursor(int x, int y) {
    if (IsDrawing()) Current().position = {x, y};
}

void DrawTextAtCursor(const Text& text) {
    Drawing& d = Current();
    if (!IsDrawing() || text.empty()) return;
    const std::wstring wide = WideText(text);
    const SIZE size = TextSize(wide, d.measure);
    const RECT area{d.position.x, d.position.y, d.position.x + size.cx, d.position.y + size.cy};
    if (!(d.mode & TransparentText)) {
        const uint32_t mode = d.mode;
        d.mode = 0;
        Cover(area, RGB(255, 255, 255));
        d.mode = mode;
    }
    // Room around the text for an italic overhang and an underline below the cell; drawn in
    // device pixels with the scaled font.
    const int MarginX = Scaled(4), MarginY = Scaled(2);
    const SIZE device = TextSize(wide, d.font);
    const int width = device.cx + 2 * MarginX, height = device.cy + 2 * MarginY;
    Scratch& scratch = ScratchOf(width, height);
    const RECT whole{0, 0, width, height};
    ::FillRect(scratch.dc, &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SelectObject(scratch.dc, d.font);
    ExtTextOutW(scratch.dc, MarginX, MarginY, 0, nullptr, wide.c_str(),
                static_cast<UINT>(wide.size()), nullptr);
    GdiFlush();

    Canvas* canvas = CanvasOf(d.window);
    const int left = Scaled(d.position.x) - MarginX, top = Scaled(d.position.y) - MarginY;
    NoteTextDrawn(d.window, {left, top, left + width, top + height});
    for (int y = std::max(0, -top); y < height && top + y < canvas->height; ++y) {
        const uint32_t* from = scratch.pixels + static_cast<size_t>(y) * scratch.width;
        uint32_t* to = canvas->pixels + static_cast<size_t>(top + y) * canvas->width;
        for (int x = std::max(0, -left); x < width && left + x < canvas->width; ++x)
            if (const uint32_t coverage = (from[x] >> 8) & 0xFF)
                to[left + x] = Blended(d.text, coverage, to[left + x]);
    }
    Unite(d.dirty, {left, top, left + width, top + height});
    d.position.x += size.cx;
}

int32_t ButtonFaceColour() {
    return RgbColour(GetRValue(FaceColour), GetGValue(FaceColour), GetBValue(FaceColour));
}

void ClearWindowCanvas(int window) {
    WindowEntry* entry = WindowOf(window);
    Canvas* canvas = CanvasOf(window);
    if (!canvas) return;
    ClearArea(*canvas, {0, 0, canvas->width, canvas->height});
    entry->pendingClear.clear(); // nothing is left for them to clear
    ShowArea(window, {0, 0, canvas->width, canvas->height});
}

uint32_t CanvasPixel(int window, int x, int y) {
    Canvas* canvas = CanvasOf(window);
    if (!canvas || x < 0 || y < 0) return 0;
    x = Scaled(x), y = Scaled(y);
    if (x >= canvas->width || y >= canvas->height) return 0;
    return canvas->pixels[static_cast<size_t>(y) * canvas->width + x];
}
