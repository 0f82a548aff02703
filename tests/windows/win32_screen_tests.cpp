// The Win32 backend where Wine cannot act it out from outside: the names a screen reader reads
// of the editor's Boxes and Connectors, through each control's accessible object, and a move to
// a monitor of twice the DPI (WM_DPICHANGED), which lays the window out again at 200 %.
#include "editor/editor.h"
#include "gui/gui.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

namespace {

HWND Control(int window, int number) {
    return GetDlgItem(reinterpret_cast<HWND>(WindowHandle(window)), number & 0xFFFF);
}

// As a screen reader asks: the control's accessible object (oleacc.dll, whose import library
// clashes with MinGW's uuid library), then its name.
Text AccessibleName(HWND control) {
    using ObjectFromWindow = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
    const auto objectFromWindow = reinterpret_cast<ObjectFromWindow>(reinterpret_cast<void*>(
        GetProcAddress(LoadLibraryW(L"oleacc.dll"), "AccessibleObjectFromWindow")));
    IAccessible* accessible = nullptr;
    if (!objectFromWindow || FAILED(objectFromWindow(control, OBJID_CLIENT, IID_IAccessible,
                                                     reinterpret_cast<void**>(&accessible))))
        return "(no accessible object)";
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    Text text = "(no name)";
    if (SUCCEEDED(accessible->get_accName(self, &name)) && name) {
        text.assign(name, name + SysStringLen(name)); // the names are ASCII
        SysFreeString(name);
    }
    accessible->Release();
    return text;
}

// Whether the system keeps a name annotated on a control at all.
bool AnnotationsWork(HWND control) {
    static constexpr CLSID ServicesClass = {
        0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(ServicesClass, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&services))))
        return false;
    const HRESULT result =
        services->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, L"probe");
    services->Release();
    return SUCCEEDED(result);
}

struct Platform : ::testing::Test {
    void SetUp() override {
        int argc = 1;
        char* argv[] = {const_cast<char*>("test"), nullptr};
        PreparePlatform(argc, argv);
    }
    void TearDown() override { ReleaseAll(); }
};

TEST_F(Platform, ScreenReadersReadTheNamesOfBoxesAndConnectors) {
    ClearChart();
    Line1[BoxOf(0, 3)] = "Managing Director";
    Line2[BoxOf(0, 3)] = "Eva";
    LoadProgramFonts();
    OpenMainWindow();
    RefreshChart();
    const struct {
        int gadget;
        const char* name;
    } heard[] = {
        {BoxOf(0, 3), "Managing Director, Eva (row 1, column 4)"},
        {BoxOf(1, 0), "Empty box (row 2, column 1)"},
        {HConnectorOf(0, 3), "Connector between row 1, column 4 and row 1, column 5"},
        {VConnectorOf(12, 6), "Connector between row 13, column 7 and row 14, column 7"},
    };
    if (!AnnotationsWork(Control(MainWindow, BoxOf(0, 0))))
        GTEST_SKIP() << "this system's oleacc keeps no names set through IAccPropServices "
                        "(Wine's SetHwndPropStr is a stub)";
    for (const auto& [gadget, name] : heard)
        EXPECT_EQ(AccessibleName(Control(MainWindow, gadget)), name) << gadget;
}

TEST_F(Platform, AMonitorOfTwiceTheDpiLaysTheWindowOutAgainAtTwiceTheSize) {
    FitScaleToWindow(200, 100);
    int argc = 0;
    PreparePlatform(argc, nullptr);
    const HWND window = reinterpret_cast<HWND>(OpenAppWindow(7, 0, 0, 200, 100, 0xCA0000, "t"));
    BeginGadgets(reinterpret_cast<Handle>(window));
    AddButton(70, 10, 20, 50, 30, "Go");
    BeginDrawing(reinterpret_cast<Handle>(window));
    FillRect(100, 50, 10, 10, RgbColour(255, 0, 0));
    EndDrawing();
    RECT before, frame;
    GetClientRect(window, &before);
    GetWindowRect(window, &frame);
    const HDC screen = GetDC(nullptr);
    const UINT dpi = 2 * GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&frame));

    RECT client, button;
    GetClientRect(window, &client);
    GetWindowRect(Control(7, 70), &button);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&button), 2);
    EXPECT_EQ(client.right, 2 * before.right);
    EXPECT_EQ(client.bottom, 2 * before.bottom);
    EXPECT_TRUE(button.left == 2 * 10 && button.top == 2 * 20 && button.right == 2 * 60 &&
                button.bottom == 2 * 50);
    // The drawing stays where it was until the logic, told by a repaint event, paints it again.
    EXPECT_EQ(CanvasPixel(7, 109, 59), 0xFFFF0000u);
    EXPECT_EQ(CanvasPixel(7, 110, 60), 0u);
    EXPECT_EQ(WaitEvent(), PaintEvent);
}

} // namespace
