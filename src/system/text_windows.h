// Texts at the border to the Windows API: UTF-8 inside the program, UTF-16 at every call.
#pragma once
#include "text.h"

#include <string>

std::wstring WideText(const Text& text);
Text Utf8Text(const wchar_t* text, size_t length);
Text Utf8Text(const std::wstring& text);
// The path as the wide file functions take it: absolute paths in the "\\?\" form, which lifts
// the limit of 260 characters (that form takes no '/' and no "." or ".." steps).
std::wstring WidePath(const Text& path);
