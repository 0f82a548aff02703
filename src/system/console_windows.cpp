// Arguments from the wide command line and output through the console's wide API on Windows.
#include "console.h"
#include "text_windows.h"

#include <windows.h>

#include <shellapi.h> // needs windows.h first

#include <vector>

void TakeUtf8Arguments(int& argc, char**& argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return;
    // Kept for the whole run, as argv is.
    static std::vector<Text> texts;
    static std::vector<char*> pointers;
    texts.clear();
    for (int i = 0; i < count; ++i) texts.push_back(Utf8Text(wide[i], wcslen(wide[i])));
    LocalFree(wide);
    pointers.clear();
    for (Text& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    argc = count;
    argv = pointers.data();
}

void PrintText(std::FILE* stream, const Text& text) {
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        std::fflush(stream);
        const std::wstring wide = WideText(text);
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), stream); // UTF-8, lines ended by CR LF (text mode)
}
