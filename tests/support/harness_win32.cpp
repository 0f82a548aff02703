// The Win32 half of the scripted user: posts to the real HWNDs the messages a user's clicks and
// keys bring (the modifier keys held through the thread's key state), and reads pictures through
// the Windows Imaging Component.
#include "gui/win32/win32_probe.h"
#include "harness.h"
#include "system/text_windows.h"

#include <wincodec.h>

#include <algorithm>
#include <fstream>

namespace {

// A window the user can reach: there, shown, and neither it nor its window disabled.
bool Usable(HWND hwnd) {
    return hwnd && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) &&
           IsWindowEnabled(GetAncestor(hwnd, GA_ROOT));
}

// Shift, Ctrl and Alt as held while the next posted keys are handled: every action sets them.
void HoldModifiers(int key) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = key & ShortcutShift ? 0x80 : 0;
    keys[VK_CONTROL] = key & ShortcutCtrl ? 0x80 : 0;
    keys[VK_MENU] = key & ShortcutAlt ? 0x80 : 0;
    SetKeyboardState(keys);
}

// Where keys go: the focused control of the active window, or the window itself. Without a
// window manager X can take the activation away between two steps; the user then clicks into
// the program's top window again.
HWND KeyTarget() {
    for (HWND w = GetTopWindow(nullptr); w && !GetActiveWindow(); w = GetWindow(w, GW_HWNDNEXT))
        if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId() && Usable(w))
            SetForegroundWindow(w);
    const HWND focus = GetFocus();
    return focus ? focus : GetActiveWindow();
}

void PostKey(HWND to, int virtualKey, bool alt) {
    PostMessageW(to, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, 1);
    PostMessageW(to, alt ? WM_SYSKEYUP : WM_KEYUP, virtualKey, 0xC0000001);
}

template <class T> struct Com { // releases a COM object at the end of its scope
    T* p = nullptr;
    ~Com() {
        if (p) p->Release();
    }
    T* operator->() const { return p; }
};

} // namespace

// A click at a gadget's centre, or at a point of a window (on the control there, if any); like a
// real click, it activates the window first.
std::string userhalf::Click(int gadget, int window, int x, int y, bool right) {
    HoldModifiers(0);
    HWND target = GadgetHwnd(gadget);
    POINT point{x, y};
    RECT area{};
    if (Usable(target)) {
        GetClientRect(target, &area);
        point = {area.right / 2, area.bottom / 2};
    } else if ((target = WindowHwnd(window))) {
        if (const HWND child = ChildWindowFromPointEx(target, point, CWP_SKIPINVISIBLE);
            child && child != target)
            MapWindowPoints(target, child, &point, 1), target = child;
    }
    if (!Usable(target) || !GetClientRect(target, &area) || !PtInRect(&area, point))
        return "nothing there to click (missing, hidden, disabled or outside its window)";
    if (const HWND root = GetAncestor(target, GA_ROOT); GetActiveWindow() != root)
        SetForegroundWindow(root);
    const LPARAM at = MAKELPARAM(point.x, point.y);
    PostMessageW(target, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON,
                 at);
    PostMessageW(target, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
    return {};
}

std::string userhalf::Press(int key) {
    HoldModifiers(key);
    const HWND target = KeyTarget();
    if (!Usable(target)) return "no window or field to type into";
    PostKey(target, key & 0xFFFF, key & ShortcutAlt);
    return {};
}

std::string userhalf::Type(int field, const Text& character) {
    HoldModifiers(0);
    if (!Usable(GadgetHwnd(field)) || !Usable(KeyTarget())) return "no field to type into";
    for (const wchar_t unit : WideText(character)) PostMessageW(KeyTarget(), WM_CHAR, unit, 1);
    return {};
}

std::string userhalf::Close(int window) {
    HoldModifiers(0);
    const HWND hwnd = WindowHwnd(window);
    if (!Usable(hwnd)) return "cannot close it";
    PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    return {};
}

// The menu's own loop takes the keys: Down to the item at the position (the first Down selects
// the first item; separators are passed over, greyed items are not), then Return.
std::string userhalf::ChooseItem(int, int position) {
    HoldModifiers(0);
    int downs = 1;
    for (const PopupItemSeen& item : OpenPopupItems()) downs += position-- > 0 && !item.separator;
    while (downs--) PostKey(GetActiveWindow(), VK_DOWN, false);
    PostKey(GetActiveWindow(), VK_RETURN, false);
    return {};
}

std::string userhalf::DismissPopup() {
    HoldModifiers(0);
    PostKey(GetActiveWindow(), VK_ESCAPE, false);
    return {};
}

void PrepareScriptedUser(const char*) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    NoteCanvasText(); // the pixel checks leave out what the two text renderers draw differently
}

void ListenLikeAScreenReader() {} // the names are kept with the gadgets from the start

void SetClipboardText(const Text& text) {
    const std::wstring wide = WideText(text);
    const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    if (const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        memcpy(GlobalLock(memory), wide.c_str(), bytes);
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
    }
    CloseClipboard();
}

// The bytes of the clipboard's form known by that MIME type's Windows name.
Text ClipboardData(const Text& mimeType) {
    const UINT format =
        RegisterClipboardFormatW(mimeType == "image/png" ? L"PNG" : L"image/svg+xml");
    Text bytes;
    if (!OpenClipboard(nullptr)) return bytes;
    if (const HGLOBAL data = GetClipboardData(format)) {
        bytes.assign(static_cast<const char*>(GlobalLock(data)), GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
}

Picture PictureOfPng(const Text& bytes) {
    Picture picture;
    Com<IWICImagingFactory> factory;
    Com<IWICStream> stream;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    Com<IWICFormatConverter> pixels;
    UINT width = 0, height = 0;
    double dpiX = 0, dpiY = 0;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&factory.p))) ||
        FAILED(factory->CreateStream(&stream.p)) ||
        FAILED(stream->InitializeFromMemory(
            reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())), DWORD(bytes.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand,
                                                &decoder.p)) ||
        FAILED(decoder->GetFrame(0, &frame.p)) ||
        FAILED(factory->CreateFormatConverter(&pixels.p)) ||
        FAILED(pixels->Initialize(frame.p, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                  nullptr, 0, WICBitmapPaletteTypeCustom)) ||
        FAILED(pixels->GetSize(&width, &height)))
        return picture;
    frame->GetResolution(&dpiX, &dpiY);
    picture = {int(width),    int(height),  1, std::vector<uint32_t>(size_t(width) * height),
               dpiX / 0.0254, dpiY / 0.0254};
    pixels->CopyPixels(nullptr, width * 4, width * height * 4,
                       reinterpret_cast<BYTE*>(picture.pixels.data()));
    return picture;
}

bool WaitUntil(const std::function<bool()>& done) {
    for (int waited = 0; waited < 5000; waited += 10, Sleep(10))
        if (done()) return true;
    return done();
}

// What the logic draws: every painted pixel of the canvas outside the places where it drew text
// (GDI and Qt render text differently) equals the golden picture's, which the Qt backend made.
::testing::AssertionResult LooksLikeGolden(int window, const std::string& golden) {
    std::ifstream in(golden, std::ios::binary);
    const Picture expected = PictureOfPng({std::istreambuf_iterator<char>(in), {}});
    const std::vector<RECT> text = CanvasTextAreas(window);
    RECT client{};
    GetClientRect(WindowHwnd(window), &client);
    if (expected.width != client.right || expected.height != client.bottom)
        return ::testing::AssertionFailure()
               << "window " << window << " is not as large as " << golden;
    size_t compared = 0, differing = 0;
    ::testing::AssertionResult result = ::testing::AssertionFailure();
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x) {
            const uint32_t painted = CanvasPixel(window, x, y);
            const POINT at{x, y};
            if (painted >> 24 == 0 || std::any_of(text.begin(), text.end(),
                                                  [at](const RECT& r) { return PtInRect(&r, at); }))
                continue;
            ++compared;
            if (painted != expected.At(x, y) && differing++ < 5)
                result << "(" << x << ", " << y << ") " << std::hex << painted << " not "
                       << expected.At(x, y) << std::dec << "; ";
        }
    if (differing == 0 && compared > 0) return ::testing::AssertionSuccess();
    return result << differing << " of " << compared << " painted pixels of window " << window
                  << " differ from " << golden;
}
