// libFuzzer target: the indexed preference store answers every group selection and every
// lookup exactly as the plain walk over the text that it replaced (kept below) does. The
// names asked for are taken from the input's own lines, in both letter cases.
#include "document/prefs.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <strings.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t None = Text::npos;
Text t; // the input up to its first NUL, as the store reads it

size_t Find(char c, size_t from, size_t to) {
    const void* at = std::memchr(t.data() + from, c, to - from);
    return at ? static_cast<const char*>(at) - t.data() : None;
}
size_t EndOfLine(size_t from) { return std::min(Find('\n', from, t.size()), t.size()); }
size_t NextHeader(size_t line) { // past the LF, and past a CR right after it
    const size_t next = std::min(EndOfLine(line) + 1, t.size());
    return next + (next < t.size() && t[next] == '\r');
}
bool Same(size_t at, size_t length, const Text& name) {
    return length == name.size() && strncasecmp(t.data() + at, name.data(), length) == 0;
}

size_t WalkToGroup(const Text& name) {
    for (size_t line = 0; line < t.size(); line = NextHeader(line)) {
        if (t[line] != '[') continue;
        size_t end = EndOfLine(line), bracket = Find(']', line + 1, end);
        if (Same(line + 1, std::min(bracket, end) - line - 1, name)) return NextHeader(line);
    }
    return None;
}

// Spaces lead a key and trail it, "=" ends it, spaces lead a value and CR or LF end it.
Text WalkToValue(size_t line, const Text& key, const Text& fallback) {
    for (; line != None && !key.empty() && line < t.size() && t[line] != '[';
         line = EndOfLine(line) + 1) {
        const size_t start = std::min(t.find_first_not_of(' ', line), t.size()),
                     end = EndOfLine(start);
        const size_t equals = Find('=', start, end);
        if (start == t.size() || t[start] == ';' || equals == None) continue;
        const size_t keyEnd = equals > start ? t.find_last_not_of(' ', equals - 1) + 1 : start;
        const size_t value = std::min(t.find_first_not_of(' ', equals + 1), end);
        if (Same(start, keyEnd - start, key))
            return t.substr(value, std::min(Find('\r', value, end), end) - value);
    }
    return fallback;
}

// The pieces of the text between "[", "]", "=" and LF as they are, and without their outer
// spaces in the other letter case: every header name and every key part is among them.
std::vector<Text> NamesIn() {
    std::vector<Text> names;
    for (size_t start = 0, end = 0; end < t.size() && names.size() < 24; start = end + 1) {
        end = std::min(t.find_first_of("[]=\n", start), t.size());
        Text name = names.emplace_back(t.substr(start, end - start));
        name.erase(0, name.find_first_not_of(' ')).erase(name.find_last_not_of(' ') + 1);
        for (char& c : names.emplace_back(name))
            c ^= std::isalpha(static_cast<unsigned char>(c)) ? 32 : 0;
    }
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Text path = "/dev/shm/brondel-prefs-" + std::to_string(getpid()) + ".ini";
    t.assign(reinterpret_cast<const char*>(data), size);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << t;
    t.resize(std::min(t.find('\0'), t.size()));
    const std::vector<Text> names = NamesIn();
    bool same = PrefOpen(path) != 0;
    size_t position = 0; // before any group: the lines before the first header
    for (const Text& group : names) {
        for (const Text& key : names)
            same = same && PrefReadValue(key, "\x01") == WalkToValue(position, key, "\x01");
        position = WalkToGroup(group);
        same = same && PrefGroup(group) == (position != None ? 1 : 0);
    }
    PrefClose();
    std::remove(path.c_str());
    if (!same) std::abort(); // the index answers otherwise than the walk
    return 0;
}
