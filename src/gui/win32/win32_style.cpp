// The look of the buttons and check boxes, drawn by the layer so that they keep the fixed light
// look of the Linux build whatever the desktop's theme: push buttons with a flat face in the face
// colour (connector stubs are painted out in exactly that colour, which must leave no trace on an
// empty Box), pressed in while down or while a toggle is on; check boxes as a white 12 x 12
// square with a tick, which fits the 12-pixel connector check boxes whole.
#include "win32_state.h"

#include <algorithm>
#include <iterator>

namespace win32layer {
namespace {

constexpr COLORREF Outline = RGB(0xAB, 0xAB, 0xAB), Highlight = RGB(0x26, 0x70, 0x9E),
                   Pressed = RGB(0xD0, 0xD0, 0xD0), PressedEdge = RGB(0xAB, 0xAB, 0xAB),
                   BoxEdge = RGB(0x95, 0x95, 0x95), DisabledBoxEdge = RGB(0xC7, 0xC7, 0xC7),
                   DisabledText = RGB(190, 190, 190);
constexpr int IndicatorSize = 12, IndicatorGap = 4;
constexpr uint32_t BS_LEFTTEXT_BIT = 0x20;

void Fill(HDC dc, const RECT& area, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    ::FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// The outline in whole pixels, its corners left out: it reads as slightly rounded.
void FrameButton(HDC dc, const RECT& r, COLORREF outline) {
    const int w = Scaled(1);
    Fill(dc, {r.left + w, r.top, r.right - w, r.top + w}, outline);
    Fill(dc, {r.left + w, r.bottom - w, r.right - w, r.bottom}, outline);
    Fill(dc, {r.left, r.top + w, r.left + w, r.bottom - w}, outline);
    Fill(dc, {r.right - w, r.top + w, r.right, r.bottom - w}, outline);
}

std::wstring CaptionOf(HWND button) {
    std::wstring caption(static_cast<size_t>(GetWindowTextLengthW(button)) + 1, L'\0');
    caption.resize(static_cast<size_t>(
        GetWindowTextW(button, caption.data(), static_cast<int>(caption.size()))));
    return caption;
}

void DrawCaption(const DRAWITEMSTRUCT& item, const std::wstring& caption, RECT area, UINT format,
                 bool wrap) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    const HDC dc = item.hDC;
    const HGDIOBJ previous = SelectObject(dc, font ? font : State().stockGadgetFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, (item.itemState & ODS_DISABLED) ? DisabledText : TextColour);
    format |= DT_NOPREFIX;
    if (wrap) { // the lines as a block in the middle
        RECT measured = area;
        const int height =
            DrawTextW(dc, caption.c_str(), -1, &measured, format | DT_WORDBREAK | DT_CALCRECT);
        area.top += std::max<LONG>(0, (area.bottom - area.top - height) / 2);
        format |= DT_WORDBREAK;
    } else {
        format |= DT_VCENTER | DT_SINGLELINE;
    }
    DrawTextW(dc, caption.c_str(), -1, &area, format);
    SelectObject(dc, previous);
}

void DrawPushButton(const DRAWITEMSTRUCT& item, const GadgetEntry& gadget) {
    const HDC dc = item.hDC;
    const RECT r = item.rcItem;
    const bool down = (item.itemState & ODS_SELECTED) || gadget.state;
    const bool focus = (item.itemState & ODS_FOCUS) && State().keyboardFocus;
    Fill(dc, r, FaceColour); // the corners show the window's face
    const int w = Scaled(1);
    const RECT inside{r.left + w, r.top + w, r.right - w, r.bottom - w};
    Fill(dc, inside, down ? Pressed : FaceColour);
    if (down) Fill(dc, {inside.left, inside.top, inside.right, inside.top + w}, PressedEdge);
    FrameButton(dc, r, gadget.isDefault || focus ? Highlight : Outline);
    const std::wstring caption = CaptionOf(item.hwndItem);
    if (!caption.empty()) // the Boxes' buttons have no caption
        DrawCaption(item, caption, inside, DT_CENTER, gadget.flags & BS_MULTILINE);
}

// The tick in the square, from its third row down, as the Linux build draws it.
constexpr const char* TickRows[] = {
    "........##..", "........##..", ".......##...", "..##..###...",
    "..######....", "...####.....", "....##......",
};
constexpr int TickFromTop = 2;

void DrawCheckBox(const DRAWITEMSTRUCT& item, const GadgetEntry& gadget) {
    const HDC dc = item.hDC;
    const RECT r = item.rcItem;
    const bool enabled = !(item.itemState & ODS_DISABLED);
    Fill(dc, r, FaceColour);
    const bool boxRight = gadget.flags & BS_LEFTTEXT_BIT;
    // The square and its tick in the logic's pixels, each of them a block at the scale.
    const int size = Scaled(IndicatorSize);
    const int x = boxRight ? r.right - size : r.left;
    const int y = r.top + (r.bottom - r.top - size) / 2;
    const auto block = [&](int left, int top, int right, int bottom, COLORREF colour) {
        Fill(dc, {x + Scaled(left), y + Scaled(top), x + Scaled(right), y + Scaled(bottom)},
             colour);
    };
    block(0, 0, IndicatorSize, IndicatorSize, enabled ? BoxEdge : DisabledBoxEdge);
    block(1, 1, IndicatorSize - 1, IndicatorSize - 1,
          (item.itemState & ODS_SELECTED) || !enabled ? FaceColour : FieldColour);
    const COLORREF ink = enabled ? TextColour : DisabledText;
    if (gadget.state == 2) {
        block(3, IndicatorSize / 2 - 1, IndicatorSize - 3, IndicatorSize / 2 + 1, ink);
    } else if (gadget.state == 1) {
        for (int row = 0; row < static_cast<int>(std::size(TickRows)); ++row)
            for (int column = 0; column < IndicatorSize; ++column)
                if (TickRows[row][column] == '#')
                    block(column, TickFromTop + row, column + 1, TickFromTop + row + 1, ink);
    }
    const std::wstring caption = CaptionOf(item.hwndItem);
    if (caption.empty()) return;
    RECT text = r;
    if (boxRight)
        text.right = x - Scaled(IndicatorGap);
    else
        text.left = x + size + Scaled(IndicatorGap);
    DrawCaption(item, caption, text, boxRight ? DT_RIGHT : DT_LEFT, gadget.flags & BS_MULTILINE);
    if ((item.itemState & ODS_FOCUS) && State().keyboardFocus) DrawFocusRect(dc, &text);
}

} // namespace

void DrawButtonGadget(const DRAWITEMSTRUCT& item) {
    const GadgetEntry* gadget = GadgetOf(GadgetNumberOf(item.hwndItem));
    if (!gadget) return;
    if (gadget->control == Control::CheckBox)
        DrawCheckBox(item, *gadget);
    else
        DrawPushButton(item, *gadget);
}

} // namespace win32layer
