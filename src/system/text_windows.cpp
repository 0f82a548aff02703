// UTF-8 to UTF-16 and back for the Windows API, and paths in the form without a length limit.
#include "text_windows.h"

#include <windows.h>

std::wstring WideText(const Text& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

Text Utf8Text(const wchar_t* text, size_t length) {
    if (length == 0) return {};
    const int size = static_cast<int>(length);
    Text utf8(static_cast<size_t>(
                  WideCharToMultiByte(CP_UTF8, 0, text, size, nullptr, 0, nullptr, nullptr)),
              '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, size, utf8.data(), static_cast<int>(utf8.size()), nullptr,
                        nullptr);
    return utf8;
}

Text Utf8Text(const std::wstring& text) { return Utf8Text(text.data(), text.size()); }

std::wstring WidePath(const Text& path) {
    std::wstring wide = WideText(path);
    if (wide.empty() || wide.starts_with(L"\\\\?\\")) return wide;
    // GetFullPathNameW resolves "/", "." and ".." as the plain form would.
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0) return wide;
    std::wstring full(size, L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), size, full.data(), nullptr));
    if (full.starts_with(L"\\\\")) // a share: \\server\share\... becomes \\?\UNC\server\share\...
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}
