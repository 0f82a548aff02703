// Text operations and the exact number formats that decide the bytes of chart files and pages.
#include "text.h"

#include <cstdio>
#include <string_view>

Text DecimalText(int32_t value) { return std::to_string(value); }

Text HexText(int32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%X", static_cast<uint32_t>(value));
    return buffer;
}

int32_t DecimalValue(const Text& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    uint32_t value = 0; // unsigned arithmetic wraps modulo 2^32 without undefined behaviour
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

int32_t TextLength(const Text& text) { return static_cast<int32_t>(text.size()); }

Text TextLeft(const Text& text, int32_t n) {
    if (n <= 0) return {};
    return text.substr(0, static_cast<size_t>(n));
}

Text TextMid(const Text& text, int32_t start, int32_t n) {
    if (n <= 0) return {};
    if (start < 1) start = 1;
    if (static_cast<size_t>(start) > text.size()) return {};
    return text.substr(static_cast<size_t>(start - 1), static_cast<size_t>(n));
}

Text TextRight(const Text& text, int32_t n) {
    if (n <= 0) return {};
    if (static_cast<size_t>(n) >= text.size()) return text;
    return text.substr(text.size() - static_cast<size_t>(n));
}

int32_t TextFind(const Text& text, const Text& part, int32_t start) {
    if (start < 1) start = 1;
    if (static_cast<size_t>(start) > text.size()) return 0;
    size_t at = text.find(part, static_cast<size_t>(start - 1));
    return at == Text::npos ? 0 : static_cast<int32_t>(at + 1);
}

bool TextEqual(const Text& a, const Text& b) { return a == b; }

bool TextEqualIgnoringAsciiCase(const char* a, size_t aLength, const Text& b) {
    if (aLength != b.size()) return false;
    for (size_t i = 0; i < aLength; ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

size_t LastPathSeparator(const Text& path, PathRules rules) {
    return path.find_last_of(rules.separators);
}

bool IsAbsolutePath(const Text& path, PathRules rules) {
    const char letter = static_cast<char>(path.empty() ? 0 : path[0] | 0x20);
    const bool drive =
        rules.driveLetters && path.size() >= 3 && path[1] == ':' && letter >= 'a' && letter <= 'z';
    const size_t first = drive ? 2 : 0;
    return path.size() > first &&
           std::string_view(rules.separators).find(path[first]) != std::string_view::npos;
}

Text PathFolder(const Text& path, PathRules rules) {
    size_t begin = (!path.empty() && path[0] == '"') ? 1 : 0;
    size_t last = LastPathSeparator(path, rules);
    if (last == Text::npos || last < begin) return {};
    Text folder = path.substr(begin, last + 1 - begin);
    size_t quote = folder.find('"');
    if (quote != Text::npos) folder.resize(quote);
    return folder;
}

int32_t RgbColour(int32_t red, int32_t green, int32_t blue) {
    return static_cast<int32_t>(static_cast<uint32_t>(red) + 256u * static_cast<uint32_t>(green) +
                                65536u * static_cast<uint32_t>(blue));
}
int32_t RedOf(int32_t colour) { return colour & 255; }
int32_t GreenOf(int32_t colour) { return (colour >> 8) & 255; }
int32_t BlueOf(int32_t colour) { return (colour >> 16) & 255; }

bool IsValidUtf8(const Text& text) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    size_t n = text.size(), i = 0;
    while (i < n) {
        unsigned char c = s[i];
        size_t extra;
        uint32_t min;
        if (c < 0x80) { ++i; continue; }
        if (c >= 0xC2 && c <= 0xDF) extra = 1, min = 0x80;
        else if (c >= 0xE0 && c <= 0xEF) extra = 2, min = 0x800;
        else if (c >= 0xF0 && c <= 0xF4) extra = 3, min = 0x10000;
        else return false;
        if (i + extra >= n) return false;
        uint32_t cp = c & (0x3F >> extra);
        for (size_t k = 1; k <= extra; ++k) {
            unsigned char d = s[i + k];
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
}

// Bytes 0x80-0x9F of windows-1252 as browsers map them; the five undefined ones map to C1 controls.
static const uint16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

Text Windows1252ToUtf8(const Text& text) {
    Text out;
    out.reserve(text.size() * 2);
    for (unsigned char c : text) {
        uint32_t cp = (c >= 0x80 && c <= 0x9F) ? kWindows1252High[c - 0x80] : c;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

Text TextAsUtf8(const Text& text) { return IsValidUtf8(text) ? text : Windows1252ToUtf8(text); }
