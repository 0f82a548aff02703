// Gadgets: push buttons (plain, toggles, default), check boxes, labels, text fields and frames,
// as BUTTON, EDIT and STATIC controls placed at exact client coordinates of the current gadget
// parent and numbered uniquely across all windows. Creating a gadget under a number in use
// replaces the old one. Buttons and check boxes are drawn by the layer (win32_style.cpp), which
// keeps their states; every control is subclassed so that the window's canvas is laid over it
// again whenever it has drawn itself.
#include "win32_state.h"

#include <algorithm>

namespace win32layer {

GadgetEntry* GadgetOf(int number) {
    auto it = State().gadgets.find(number);
    return it == State().gadgets.end() || !it->second.hwnd ? nullptr : &it->second;
}

int GadgetNumberOf(HWND hwnd) {
    auto it = State().gadgetOfHandle.find(hwnd);
    return it == State().gadgetOfHandle.end() ? -1 : it->second;
}

void ForgetGadgetsOf(int window) {
    auto& gadgets = State().gadgets;
    for (auto it = gadgets.begin(); it != gadgets.end();) {
        if (it->second.window != window) {
            ++it;
            continue;
        }
        State().gadgetOfHandle.erase(it->second.hwnd);
        it = gadgets.erase(it);
    }
}

// A toggle turns over; a check box ticks, unticks, or with three states goes on to the third.
void NoteButtonClicked(int number) {
    GadgetEntry* gadget = GadgetOf(number);
    if (!gadget || (gadget->control != Control::Toggle && gadget->control != Control::CheckBox))
        return;
    gadget->state = gadget->threeStates ? (gadget->state + 1) % 3 : !gadget->state;
    InvalidateRect(gadget->hwnd, nullptr, FALSE);
}

namespace {

constexpr uint32_t ButtonTypeMask = 0xF;
constexpr uint32_t BS_CHECKBOX_PLAIN = 2, BS_3STATE_PLAIN = 5, BS_AUTO3STATE_PLAIN = 6;
constexpr uint32_t SS_TYPE_MASK = 0x1F;
constexpr uint32_t FrameSunken = 1, FrameFlatEdge = 2;
const wchar_t* const OriginalProcedure = L"BrondelControlProcedure";

bool IsCheckType(uint32_t flags) {
    const uint32_t type = flags & ButtonTypeMask;
    return type == BS_CHECKBOX_PLAIN || type == BS_CHECKBOX_AUTO || type == BS_3STATE_PLAIN ||
           type == BS_AUTO3STATE_PLAIN;
}

// Messages after which a control may have drawn itself outside WM_PAINT (a press, a drag while
// pressed, a keystroke, the focus, a new text).
bool MayHaveDrawn(UINT message) {
    switch (message) {
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_CAPTURECHANGED:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_UPDATEUISTATE:
    case BM_SETSTATE:
    case BM_CLICK:
    case EM_SETSEL:
    case EM_REPLACESEL:
        return true;
    default:
        return false;
    }
}

// Only these end a line of the chart file or the page; other separators are plain text there.
bool EndsALine(wchar_t c) { return c == 0 || c == L'\n' || c == L'\r'; }

// Text fields are one line, as they look: what the user pastes keeps only its text up to its
// first line break (or NUL). Text the program writes is never cut.
void PasteOneLine(HWND field) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(field)) return;
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT))
        if (const auto* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
            const size_t limit = GlobalSize(data) / sizeof(wchar_t);
            const wchar_t* end = std::find_if(locked, locked + limit, EndsALine);
            text.assign(locked, end);
            GlobalUnlock(data);
        }
    CloseClipboard();
    SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT CALLBACK ControlProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto original = reinterpret_cast<WNDPROC>(GetPropW(hwnd, OriginalProcedure));
    if (!original) return DefWindowProcW(hwnd, message, wParam, lParam);
    const int number = GadgetNumberOf(hwnd);
    const GadgetEntry* gadget = number >= 0 ? GadgetOf(number) : nullptr;
    if (gadget && gadget->control == Control::TextField) {
        if (message == WM_PASTE) {
            PasteOneLine(hwnd);
            CompositeOverControl(hwnd);
            return 0;
        }
        // A typed line break never enters the line (Enter itself goes to the shortcuts).
        if (message == WM_CHAR && (wParam == L'\r' || wParam == L'\n')) return 0;
        // Ctrl+A selects the whole line, as in the fields of today's desktops.
        if (message == WM_CHAR && wParam == 1) {
            SendMessageW(hwnd, EM_SETSEL, 0, -1);
            CompositeOverControl(hwnd);
            return 0;
        }
    }
    // On a button, a second click in quick succession is a click like the first.
    if (message == WM_LBUTTONDBLCLK && gadget && gadget->control != Control::TextField)
        message = WM_LBUTTONDOWN;
    if (message == WM_NCDESTROY) {
        ForgetAccessibleName(hwnd);
        RemovePropW(hwnd, OriginalProcedure);
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    }
    const LRESULT result = CallWindowProcW(original, hwnd, message, wParam, lParam);
    const bool drawn = MayHaveDrawn(message) && (message != WM_MOUSEMOVE || GetCapture() == hwnd);
    if (drawn && IsWindowVisible(hwnd)) CompositeOverControl(hwnd);
    return result;
}

void DestroyGadget(int number) {
    auto it = State().gadgets.find(number);
    if (it == State().gadgets.end()) return;
    if (WindowEntry* window = WindowOf(it->second.window)) {
        auto& order = window->gadgets;
        order.erase(std::remove(order.begin(), order.end(), number), order.end());
    }
    State().gadgetOfHandle.erase(it->second.hwnd);
    if (it->second.hwnd) DestroyWindow(it->second.hwnd);
    State().gadgets.erase(it);
}

// Every gadget starts the same way: in the current gadget parent, at its place, with the
// default gadget font, visible, below the window's canvas, and above the gadgets made before it
// where they overlap (a Connector's check box over a Box's edge), as on Linux. At any scale its
// edges fall where the canvas puts the same coordinates.
GadgetEntry* PlaceGadget(int number, Control control, const wchar_t* controlClass, DWORD styles,
                         DWORD extendedStyles, int x, int y, int width, int height,
                         const Text& text, uint32_t flags) {
    WindowEntry* window = WindowOf(State().gadgetParent);
    if (!window) return nullptr;
    DestroyGadget(number);
    width = std::max(width, 0);
    height = std::max(height, 0);
    const HWND hwnd =
        CreateWindowExW(extendedStyles, controlClass, WideText(text).c_str(),
                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | styles, Scaled(x), Scaled(y),
                        Scaled(x + width) - Scaled(x), Scaled(y + height) - Scaled(y), window->hwnd,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(number & 0xFFFF)),
                        GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) return nullptr;
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetPropW(hwnd, OriginalProcedure,
             reinterpret_cast<HANDLE>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)));
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProcedure));
    const HFONT font = State().defaultGadgetFont;
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(ScaledFont(font, false)), FALSE);
    GadgetEntry& gadget = State().gadgets[number];
    gadget = GadgetEntry{};
    gadget.font = font;
    gadget.hwnd = hwnd;
    gadget.control = control;
    gadget.flags = flags;
    gadget.window = State().gadgetParent;
    gadget.place = {x, y, x + width, y + height};
    State().gadgetOfHandle[hwnd] = number;
    window->gadgets.push_back(number);
    return &gadget;
}

void MakeCheckBox(int number, int x, int y, int width, int height, const Text& text,
                  uint32_t flags) {
    GadgetEntry* box = PlaceGadget(number, Control::CheckBox, L"BUTTON", WS_TABSTOP | BS_OWNERDRAW,
                                   0, x, y, width, height, text, flags);
    const uint32_t type = flags & ButtonTypeMask;
    if (box) box->threeStates = type == BS_3STATE_PLAIN || type == BS_AUTO3STATE_PLAIN;
}

} // namespace

} // namespace win32layer

using namespace win32layer;

void AddButton(int number, int x, int y, int width, int height, const Text& text, uint32_t flags) {
    QuietScope quiet;
    // Without BS_PUSHLIKE a check type makes a check box, whatever the creating call.
    if (IsCheckType(flags) && !(flags & BS_PUSHLIKE)) {
        MakeCheckBox(number, x, y, width, height, text, flags);
        return;
    }
    const Control control = IsCheckType(flags) ? Control::Toggle : Control::PushButton;
    GadgetEntry* button = PlaceGadget(number, control, L"BUTTON", WS_TABSTOP | BS_OWNERDRAW, 0, x,
                                      y, width, height, text, flags);
    if (button)
        button->isDefault = !IsCheckType(flags) && (flags & ButtonTypeMask) == BS_DEFPUSHBUTTON;
}

void AddCheckBox(int number, int x, int y, int width, int height, const Text& text,
                 uint32_t flags) {
    QuietScope quiet;
    MakeCheckBox(number, x, y, width, height, text, flags);
}

void AddLabel(int number, int x, int y, int width, int height, const Text& text, uint32_t flags) {
    QuietScope quiet;
    const uint32_t type = flags & SS_TYPE_MASK;
    DWORD styles = SS_NOPREFIX | (type <= SS_RIGHT ? type : SS_LEFT);
    styles |= flags & (SS_CENTERIMAGE | SS_SUNKEN);
    const DWORD extended = (flags & SUNKEN_EDGE) ? WS_EX_CLIENTEDGE : 0;
    PlaceGadget(number, Control::Label, L"STATIC", styles, extended, x, y, width, height, text,
                flags);
}

void AddTextField(int number, int x, int y, int width, int height, const Text& text,
                  uint32_t flags) {
    QuietScope quiet;
    DWORD styles = WS_TABSTOP | ES_AUTOHSCROLL;
    styles |= flags & (ES_CENTER | ES_RIGHT | ES_PASSWORD | ES_READONLY);
    const DWORD extended = (flags & SUNKEN_EDGE) ? 0 : WS_EX_CLIENTEDGE;
    GadgetEntry* field = PlaceGadget(number, Control::TextField, L"EDIT", styles, extended, x, y,
                                     width, height, text, flags);
    if (!field) return;
    SendMessageW(field->hwnd, EM_SETLIMITTEXT, 0, 0); // text of any length is taken whole
    SendMessageW(field->hwnd, EM_SETSEL, 0, 0);
}

void AddFrame(int number, int x, int y, int width, int height, const Text& text, uint32_t flags) {
    QuietScope quiet;
    if (flags == 0) {
        PlaceGadget(number, Control::Frame, L"BUTTON", BS_GROUPBOX, 0, x, y, width, height, text,
                    flags);
        return;
    }
    const DWORD styles = flags == FrameSunken || flags == FrameFlatEdge ? SS_LEFT : SS_BLACKFRAME;
    const DWORD extended = flags == FrameSunken     ? WS_EX_CLIENTEDGE
                           : flags == FrameFlatEdge ? WS_EX_STATICEDGE
                                                    : 0;
    PlaceGadget(number, Control::Frame, L"STATIC", styles, extended, x, y, width, height, Text(),
                flags);
}

void SetGadgetFontHandle(int number, Handle font) {
    const HFONT chosen = FontOfHandle(font);
    if (!chosen) return;
    if (number == -1) {
        State().defaultGadgetFont = chosen;
        return;
    }
    if (GadgetEntry* gadget = GadgetOf(number)) {
        gadget->font = chosen;
        SendMessageW(gadget->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(ScaledFont(chosen, false)),
                     TRUE);
    }
}

Text ReadGadgetText(int number) {
    GadgetEntry* gadget = GadgetOf(number);
    if (!gadget) return {};
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(gadget->hwnd)) + 1, L'\0');
    const int length = GetWindowTextW(gadget->hwnd, text.data(), static_cast<int>(text.size()));
    return Utf8Text(text.data(), static_cast<size_t>(length));
}

void WriteGadgetText(int number, const Text& text) {
    GadgetEntry* gadget = GadgetOf(number);
    if (!gadget) return;
    QuietScope quiet;
    SetWindowTextW(gadget->hwnd, WideText(text).c_str());
    if (gadget->control == Control::TextField) SendMessageW(gadget->hwnd, EM_SETSEL, 0, 0);
    if (gadget->control == Control::PushButton || gadget->control == Control::Toggle)
        InvalidateRect(gadget->hwnd, nullptr, FALSE);
}

int ReadGadgetState(int number) {
    GadgetEntry* gadget = GadgetOf(number);
    return gadget ? gadget->state : 0;
}

void WriteGadgetState(int number, int state) {
    GadgetEntry* gadget = GadgetOf(number);
    if (!gadget) return;
    int wanted = 0;
    if (gadget->control == Control::CheckBox) // every refresh writes all 175 Connectors
        wanted = state == 2 && gadget->threeStates ? 2 : state != 0;
    else if (gadget->control == Control::Toggle)
        wanted = state != 0;
    if (gadget->state == wanted) return;
    gadget->state = wanted;
    InvalidateRect(gadget->hwnd, nullptr, FALSE);
}

// A gadget shown again repaints itself: what the canvas held over it goes at the next repaint.
void SetGadgetHidden(int number, int hidden) {
    GadgetEntry* gadget = GadgetOf(number);
    WindowEntry* window = gadget ? WindowOf(gadget->window) : nullptr;
    if (!window) return;
    const bool shown =
        (GetWindowLongW(gadget->hwnd, GWL_STYLE) & WS_VISIBLE) && !gadget->hidePending;
    if (hidden) {
        if (!shown) return;
        gadget->hidePending = true; // done at the next repaint (ApplyPendingClears)
        window->pendingHides.push_back(number);
        return;
    }
    if (shown) return;
    if (gadget->hidePending) {
        gadget->hidePending = false;
    } else {
        QuietScope quiet;
        ShowWindow(gadget->hwnd, SW_SHOWNA);
    }
    window->pendingClear.push_back(gadget->place);
}

GadgetBounds GadgetRect(int number) {
    GadgetEntry* gadget = GadgetOf(number);
    if (!gadget) return {0, 0, 0, 0};
    const RECT& r = gadget->place;
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

uint32_t GadgetFlags(int number) {
    GadgetEntry* gadget = GadgetOf(number);
    return gadget ? gadget->flags : 0;
}

int FocusedGadget() { return GadgetNumberOf(GetFocus()); }
