// The peer of the Windows editor's start-up: a Win32 window of the editor's size with one
// labelled button, ended as soon as its queue is empty after showing it, as the editor's probe
// ends when its loop first waits: by then the window and every child have been painted. With
// --gadgets it also holds as many plain Box buttons and check boxes as the editor's main window (98
// and 175), laid out alike: what the editor's gadgets alone cost Windows.
#include <windows.h>

#include <cstring>

namespace {

void AddChild(HWND parent, const wchar_t* type, DWORD style, int x, int y, int width, int height) {
    CreateWindowExW(0, L"BUTTON", type, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                    nullptr, GetModuleHandleW(nullptr), nullptr);
}

} // namespace

int main(int argc, char** argv) {
    const bool gadgets = argc > 1 && std::strcmp(argv[1], "--gadgets") == 0;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // the arrow
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"OneButtonWindow";
    RegisterClassW(&windowClass);
    RECT frame{0, 0, 989, 715};
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const HWND window =
        CreateWindowExW(0, L"OneButtonWindow", L"One button", style, CW_USEDEFAULT, CW_USEDEFAULT,
                        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                        GetModuleHandleW(nullptr), nullptr);
    AddChild(window, L"Exit", BS_PUSHBUTTON, 850, 690, 128, 18);
    for (int box = 0; gadgets && box < 98; ++box)
        AddChild(window, L"", BS_PUSHBUTTON, 10 + box % 7 * 140, 10 + box / 7 * 48, 125, 40);
    for (int connector = 0; gadgets && connector < 175; ++connector)
        AddChild(window, L"", BS_AUTOCHECKBOX, 5 + connector % 14 * 70, 50 + connector / 14 * 48,
                 12, 12);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    return 0;
}
