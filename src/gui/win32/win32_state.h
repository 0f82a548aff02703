// Private state of the Win32 platform layer: the window, gadget, font and menu tables, the event
// queue and the canvases, shared by the win32_*.cpp files and nothing else.
#pragma once
// gui.h comes first: it declares constants (MB_OK, BS_CENTER, EN_CHANGE, ...) that windows.h
// then defines as macros of the same values.
#include "gui/event_queue.h"
#include "gui/gui.h"
#include "system/text_windows.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace win32layer {

using namespace guievents;

// The retained drawing surface of a window: a top-down 32-bit DIB section of premultiplied
// BGRA pixels, alpha 0 where nothing is painted. Only opaque pixels are ever written (alpha 0 or
// 255), so compositing it again over a control that did not repaint changes nothing.
struct Canvas {
    HBITMAP bitmap = nullptr;
    HDC dc = nullptr; // holds the bitmap: the source of every composite
    uint32_t* pixels = nullptr;
    int width = 0, height = 0;
};

struct ShortcutEntry {
    int key;     // virtual-key code | ShortcutShift | ShortcutCtrl | ShortcutAlt
    int command; // 1212 and 1213 move the focus; any other becomes a menu event
};
constexpr int NextGadgetCommand = 1212, PreviousGadgetCommand = 1213;

struct WindowEntry {
    HWND hwnd = nullptr;
    Canvas canvas;
    std::vector<ShortcutEntry> shortcuts;
    std::vector<int> gadgets;       // creation order, which is the order of focus movement
    std::vector<RECT> pendingClear; // rectangles of re-shown gadgets, cleared at the next repaint
    std::vector<int> pendingHides;  // gadgets hidden since, still on the screen until then
    HWND focus = nullptr;           // the control that had the focus when the window lost it
    SIZE inner{};                   // the client size the logic asked for, in its pixels
    std::vector<RECT> textAreas;    // where canvas text went, while tests note it (win32_probe)
};

enum class Control { PushButton, Toggle, CheckBox, Label, TextField, Frame };

struct GadgetEntry {
    HWND hwnd = nullptr;
    Control control = Control::PushButton;
    uint32_t flags = 0;
    int window = -1;
    RECT place{};         // in the logic's client pixels (at 96 dpi), as created
    HFONT font = nullptr; // as the logic chose it; the control has it at the windows' scale
    int state = 0;        // a toggle's or check box's: the layer draws them and keeps their states
    bool threeStates = false;
    bool isDefault = false;
    bool hidePending = false; // hidden, but left on the screen until the next repaint
    Text accessibleName;      // what a screen reader announces
};

struct PlatformState {
    std::map<int, WindowEntry> windows;
    std::unordered_map<int, GadgetEntry> gadgets; // looked up for every Box on every refresh
    std::unordered_map<HWND, int> gadgetOfHandle;
    int currentWindow = -1;
    int gadgetParent = -1;
    HFONT stockGadgetFont = nullptr;   // what font handle -1 stands for
    HFONT defaultGadgetFont = nullptr; // what new gadgets receive

    bool keyboardFocus = false; // the focus came by Tab: the focused button shows it
    std::function<RequesterAnswer(const RequesterCall&)> requesterHook;

    std::map<int, HFONT> fonts;
    std::vector<HFONT> retiredFonts; // replaced under their number, maybe still on a gadget
    std::map<int, HMENU> menus;
    int currentMenu = -1;
    COLORREF customColours[16] = {}; // the colour chooser's, kept for the run

    UINT dpi = 96;        // of the monitor the windows are on
    int scale = 100;      // percent: the logic's pixels to the windows' device pixels
    SIZE largestWindow{}; // client size of the largest window, for the fit
};
PlatformState& State();

constexpr COLORREF FaceColour = RGB(0xEF, 0xEF, 0xEF), TextColour = RGB(0, 0, 0),
                   FieldColour = RGB(0xFF, 0xFF, 0xFF);
HBRUSH FaceBrush();
HBRUSH FieldBrush();

// win32_windows.cpp
WindowEntry* WindowOf(int number);
int WindowNumberOf(HWND hwnd); // a program window or a control inside one; -1
int WindowNumberOfHandle(Handle handle);
void RegisterWindowClass();

// win32_gadgets.cpp
GadgetEntry* GadgetOf(int number);
int GadgetNumberOf(HWND hwnd); // -1: no gadget
void ForgetGadgetsOf(int window);
void NoteButtonClicked(int number); // a toggle turns over before its event is reported

// win32_events.cpp
void MoveFocus(int window, bool backwards);
void RunBeforeWaitHookInMenu(HWND owner);
HWND FirstFocusStop(int window); // nullptr when no gadget takes the focus

// win32_style.cpp
// Draws a push button, toggle or check box in the fixed light look of the Linux build.
void DrawButtonGadget(const DRAWITEMSTRUCT& item);

// win32_scale.cpp
int Scaled(int logical); // the logic's pixels (96 dpi) to device pixels at the windows' scale
RECT Scaled(const RECT& logical);
void ChooseScale();                         // at start: the primary monitor's scale, fitted
SIZE OuterSizeOf(SIZE inner, DWORD styles); // a window's frame around a client area, at the DPI
void ChangeDpi(HWND hwnd, UINT dpi, const RECT& suggested); // WM_DPICHANGED

// win32_drawing.cpp
bool CreateCanvas(WindowEntry& window, int width, int height);
void FreeCanvas(Canvas& canvas);
// Lays the window's canvas over a control (its whole outer rectangle) or over the window itself.
void CompositeOverControl(HWND control);
void CompositeOverWindow(int window, HDC dc, const RECT& area);
void ApplyPendingClears(int window);
void ApplyAllPendingClears();
void EndDrawingOn(int window);

// win32_fonts.cpp
void PrepareFonts();
HFONT FontOfHandle(Handle handle); // nullptr unless a loaded font or -1 (the stock font)
HFONT SystemFont();                // handle -1 when drawing: Tahoma 10 pt bold
// The font at the windows' scale (or at percent); smoothed: in grey, as the canvas blends it.
HFONT ScaledFont(HFONT font, bool smoothed, int percent = 0);
void FreeFonts();

// win32_menus.cpp
void FreeMenus();

// win32_accessible.cpp
void ForgetAccessibleName(HWND control);

// win32_probe.cpp: what tests see (gui_probe.h, win32_probe.h)
void NoteTextDrawn(int window, const RECT& area);
void NoteMenuShown(HMENU menu); // nullptr when it closed

// win32_requesters.cpp
bool HookAnswers(const RequesterCall& call, RequesterAnswer& answer);
HWND DialogOwner(); // the program window that has the keyboard, if any
// The common file dialog, modal, from a "Desc|*.ext" pattern; chosenPattern gets the pattern
// the user left chosen (1-based). Empty when cancelled.
Text AskFileWithDialog(bool save, const Text& title, const Text& defaultFile, const Text& pattern,
                       int patternIndex, DWORD* chosenPattern);
// Application-modal: every program window takes no input while a requester is shown.
struct ModalScope {
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

  private:
    std::vector<HWND> disabled_;
    HWND active_;
};

} // namespace win32layer
