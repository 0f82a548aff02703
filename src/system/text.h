// Texts, numbers and colours of the platform layer (plain C++, no Qt).
// A Text is a growable byte string: the editor's texts are UTF-8 on Linux.
#pragma once
#include <cstdint>
#include <string>

using Text = std::string;

#ifdef _WIN32
constexpr char PathSeparator = '\\';
#else
constexpr char PathSeparator = '/';
#endif

// How paths are read. POSIX: '/' separates, and a path is absolute when it starts with it.
// Windows: '\' and '/' both separate, and a path is absolute when it starts with a separator
// (so "\\server\share" too) or with a drive letter, a colon and a separator ("C:\", "C:/").
struct PathRules {
    const char* separators;
    bool driveLetters;
};
inline constexpr PathRules PosixPaths{"/", false};
inline constexpr PathRules WindowsPaths{"\\/", true};
#ifdef _WIN32
inline constexpr PathRules NativePaths = WindowsPaths;
#else
inline constexpr PathRules NativePaths = PosixPaths;
#endif

size_t LastPathSeparator(const Text& path, PathRules rules = NativePaths); // npos when none
bool IsAbsolutePath(const Text& path, PathRules rules = NativePaths);

Text DecimalText(int32_t value); // "%ld": '-' for negatives, no padding
Text HexText(int32_t value);     // "%lX" of the 32-bit pattern, upper case
inline constexpr char HexDigits[] = "0123456789ABCDEF";
int32_t DecimalValue(const Text& text); // leading spaces, one sign, digits; wraps modulo 2^32

int32_t TextLength(const Text& text);
Text TextLeft(const Text& text, int32_t n);
Text TextMid(const Text& text, int32_t start, int32_t n); // start is 1-based
Text TextRight(const Text& text, int32_t n);
int32_t TextFind(const Text& text, const Text& part, int32_t start); // 1-based, 0 = none
bool TextEqual(const Text& a, const Text& b);
bool TextEqualIgnoringAsciiCase(const char* a, size_t aLength, const Text& b);
inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
// FNV-1a over the bytes, optionally lower-cased: the one hash of names.
inline uint64_t NameHash(const char* bytes, size_t length, bool ignoringAsciiCase = false) {
    uint64_t hash = 14695981039346656037ull;
    for (size_t i = 0; i < length; ++i)
        hash = (hash ^
                static_cast<unsigned char>(ignoringAsciiCase ? AsciiLower(bytes[i]) : bytes[i])) *
               1099511628211ull;
    return hash;
}
Text PathFolder(const Text& path, PathRules rules = NativePaths); // up to the last separator

int32_t RgbColour(int32_t red, int32_t green, int32_t blue);
int32_t RedOf(int32_t colour);
int32_t GreenOf(int32_t colour);
int32_t BlueOf(int32_t colour);

// Box texts are UTF-8; bytes that are not valid UTF-8 are read as windows-1252.
bool IsValidUtf8(const Text& text);
Text Windows1252ToUtf8(const Text& text);
Text TextAsUtf8(const Text& text); // unchanged when valid UTF-8, else converted from windows-1252
