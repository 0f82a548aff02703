// The interface the editor sees of its windowing system: numbered windows, gadgets, menus,
// events, requesters, fonts and drawing. The logic above it sees only numbers, texts and the
// event codes below. Each backend implements it in a folder of its own (src/gui/qt: Qt,
// src/gui/win32: the Win32 API), the only code that includes its toolkit.
#pragma once
#include "system/text.h"

#include <cstdint>
#include <functional>
#include <vector>

using Handle = intptr_t; // opaque; 0 means none

// ---- Event codes returned by WaitEvent --------------------------------------------------
constexpr int CloseEvent = 16;              // a window's close box, Alt+F4 or system menu
constexpr int GadgetEvent = 13100;          // click, toggle, text change or focus change
constexpr int MenuEvent = 13101;            // popup menu item, or a shortcut's command
constexpr int PaintEvent = 15;              // the canvas keeps its pixels: raised only after the
                                            // windows moved to a monitor of another DPI (Win32)
constexpr int RightButtonDownEvent = 0x204; // right press anywhere in a program window
constexpr int FramePressEvent = 0xA1;       // never raised
constexpr int QuitEvent = -1;               // the application is going away (no windows left)

// ---- Style flags passed by the logic ----------------------------------------------------
constexpr uint32_t BS_CHECKBOX_AUTO = 0x0003;
constexpr uint32_t BS_DEFPUSHBUTTON = 0x0001;
constexpr uint32_t BS_RIGHT = 0x0200;
constexpr uint32_t BS_CENTER = 0x0300;
constexpr uint32_t BS_MULTILINE = 0x2000;
constexpr uint32_t BS_PUSHLIKE = 0x1000;
constexpr uint32_t ES_CENTER = 0x0001;
constexpr uint32_t SS_CENTER = 0x0001;
constexpr uint32_t SS_RIGHT = 0x0002;
constexpr uint32_t SUNKEN_EDGE = 0x20000; // WS_EX_CLIENTEDGE request for labels
constexpr uint32_t CENTRE_ON_SCREEN = 0x1;
constexpr uint32_t CENTRE_ON_ACTIVE = 0x2;
constexpr uint32_t WS_VISIBLE_BIT = 0x10000000;
constexpr uint32_t WS_CAPTION_BITS = 0x00C00000;
constexpr uint32_t WS_SYSMENU_BIT = 0x00080000;
constexpr uint32_t WS_MINIMIZEBOX_BIT = 0x00020000;

// ---- Message box flags and answers ------------------------------------------------------
constexpr uint32_t MB_OK = 0, MB_YESNO = 4, MB_ICONERROR = 16, MB_ICONQUESTION = 32,
                   MB_ICONINFORMATION = 64;
constexpr int IDOK = 1, IDYES = 6, IDNO = 7;

// ---- Start and end ------------------------------------------------------------------------
// The application, ProgramDir, default gadget font. Takes the platform's own options (Qt's
// -platform, -style, ...) out of argc and argv; on Windows, argv becomes UTF-8.
void PreparePlatform(int& argc, char** argv);
void ReleaseAll(); // closes windows, fonts and files
// Called before PreparePlatform with the client size of the largest window: where the desktop's
// scale would make that window too large for the screen, the largest scale that fits is used.
void FitScaleToWindow(int innerWidth, int innerHeight);

// ---- Windows ------------------------------------------------------------------------------
Handle OpenAppWindow(int number, int x, int y, int innerWidth, int innerHeight, uint32_t flags,
                     const Text& title);
void CloseAppWindow(int number);
void SelectWindow(int number);
Handle WindowHandle(int number);
Handle CurrentWindowHandle();
void SetWindowCaption(int number, const Text& text);
Text WindowCaption(int number);
void ShowAppWindow(int number, int hidden);
void ActivateCurrentWindow();
void SetWindowTopmost(int number, int topmost);
void RepaintNow(int number); // applies pending canvas clears of re-shown gadgets
Handle BeginGadgets(Handle parent);

// ---- Gadgets (x, y, width, height in the parent's client pixels) --------------------------
void AddButton(int number, int x, int y, int width, int height, const Text& text,
               uint32_t flags = 0);
void AddCheckBox(int number, int x, int y, int width, int height, const Text& text,
                 uint32_t flags = 0);
void AddLabel(int number, int x, int y, int width, int height, const Text& text,
              uint32_t flags = 0);
void AddTextField(int number, int x, int y, int width, int height, const Text& text,
                  uint32_t flags = 0);
void AddFrame(int number, int x, int y, int width, int height, const Text& text,
              uint32_t flags = 0);
void SetGadgetFontHandle(int number, Handle font); // number -1: default for later gadgets
Text ReadGadgetText(int number);
void WriteGadgetText(int number, const Text& text);
int ReadGadgetState(int number);
void WriteGadgetState(int number, int state);
void SetGadgetHidden(int number, int hidden);
struct GadgetBounds {
    int x, y, width, height;
};
GadgetBounds GadgetRect(int number);
uint32_t GadgetFlags(int number); // the flags the gadget was created with
int FocusedGadget();              // the gadget with the keyboard focus, or -1
// What assistive technology (a screen reader) announces for the gadget.
void SetGadgetAccessibleName(int number, const Text& name);

// ---- Menus and shortcuts -------------------------------------------------------------------
void NewPopupMenu(int number);
void AddMenuItem(int id, const Text& text);
void AddMenuSeparator();
void EnableMenuItem(int id, int enabled); // on the current menu; a disabled item cannot be chosen
void ShowPopupMenu(int number, Handle owner);
constexpr int ShortcutShift = 0x10000, ShortcutCtrl = 0x20000, ShortcutAlt = 0x40000;
constexpr int KeyF1 = 0x70, KeyReturn = 0x0D, KeyEscape = 0x1B;
void AddShortcut(int window, int shortcut, int command);

// ---- Events --------------------------------------------------------------------------------
int WaitEvent();
int EventSource();
int EventSubtype();
// Subtypes of gadget events: a click, or a text field's focus gained, focus lost, text changed.
constexpr int BN_CLICKED = 0, EN_SETFOCUS = 0x100, EN_KILLFOCUS = 0x200, EN_CHANGE = 0x300;
int ActiveWindow(); // the program window that has the keyboard, or -1
// Every later WaitEvent returns QuitEvent at once, until ClearQuitRequest (or PreparePlatform).
void RequestQuit();
void ClearQuitRequest();

// ---- Requesters (modal: the program's other windows take no input meanwhile) -------------
int ShowMessage(const Text& caption, const Text& text, uint32_t flags);
int32_t PickColour(); // 0x00BBGGRR, or -1 when cancelled
Text AskOpenFileName(const Text& title, const Text& defaultFile, const Text& pattern,
                     int patternIndex);
Text AskSaveFileName(const Text& title, const Text& defaultFile, const Text& pattern,
                     int patternIndex);

// ---- Fonts ----------------------------------------------------------------------------------
constexpr uint32_t FONT_BOLD = 0x100, FONT_ITALIC = 0x200, FONT_UNDERLINE = 4, FONT_STRIKEOUT = 8,
                   FONT_PROOF = 0x10;
Handle LoadNumberedFont(int number, const Text& face, int points, uint32_t style = 0);
Handle FontHandle(int number);

// ---- Drawing on a window's retained canvas -------------------------------------------------
Handle BeginDrawing(Handle window);
void EndDrawing();
void SetDrawingMode(uint32_t flags); // 1 transparent text background
void SetDrawColour(int32_t red, int32_t green, int32_t blue);
void FillRect(int x, int y, int width, int height, int32_t colour);
void DrawLine(int x, int y, int dx, int dy, int32_t colour);
void SetDrawingFont(Handle font); // -1: the system font
int TextPixelWidth(const Text& text);
void MoveTextCursor(int x, int y);
void DrawTextAtCursor(const Text& text);
int32_t ButtonFaceColour(); // the palette's button colour as 0x00BBGGRR
// Takes away everything painted on the window's canvas, so that its gadgets show plain.
void ClearWindowCanvas(int window);

// ---- Pictures for other programs ----------------------------------------------------------
// One picture in two forms: its SVG, and what that SVG draws in its own pixels on white, in
// order (filled rectangles, then lines of text centred on x with their baseline at y), so that a
// backend without an SVG renderer draws the same. widthMm x heightMm is its physical size.
struct PictureRect {
    int x, y, width, height;
    int32_t colour; // 0x00BBGGRR
};
struct PictureText {
    int x, baseline;
    Text text;
    bool bold = false, italic = false, underline = false;
};
struct PictureDrawing {
    Text svg;
    int width = 0, height = 0;
    double widthMm = 0, heightMm = 0;
    Text fontFamily;
    int fontPixels = 0;
    std::vector<PictureRect> rects;
    std::vector<PictureText> texts;
};
// The picture drawn at scale times its own pixel size, as PNG bytes that state its physical
// size; empty when it cannot be drawn.
Text PictureAsPng(const PictureDrawing& picture, int scale);
// The picture on the clipboard as image/svg+xml and as a bitmap drawn at scale (PNG; on Windows
// also a device-independent bitmap).
void CopyPictureToClipboard(const PictureDrawing& picture, int scale);
// The save requester of a picture, offering "SVG picture (*.svg)" and "PNG picture (*.png)";
// a name typed without an extension gets the chosen format's. Empty when cancelled. The
// requester hook answers it as a "save" requester.
Text AskSavePictureName(const Text& title, const Text& defaultFile);

// ---- Test seams ----------------------------------------------------------------------------
// Called by WaitEvent whenever no event is queued, before it blocks: a scripted user performs
// its next action on the real widgets here. Empty function: no script. While a hook is set,
// WaitEvent calls it again instead of blocking, so it must act or call RequestQuit.
void SetBeforeWaitHook(std::function<void()> hook);
// When set, requesters take their answer from it instead of opening a dialog. The request
// names the requester ("message", "colour", "open", "save") and carries its arguments.
struct RequesterCall {
    Text kind, caption, text, defaultFile, pattern;
    uint32_t flags = 0;
};
struct RequesterAnswer {
    int code = 0; // message box answer, or colour value (-1 = cancel)
    Text path;    // file requester answer (empty = cancel)
};
void SetRequesterHook(std::function<RequesterAnswer(const RequesterCall&)> hook);
// Pixel of a window's canvas as 0xAARRGGBB (alpha 0 where nothing is painted).
uint32_t CanvasPixel(int window, int x, int y);
// What else tests see of the real windows is in gui_probe.h.
