// libFuzzer target: the indexed preference store answers every group selection and every
// lookup exactly as the plain walk over the text that it replaced (kept below) does. The
// names asked for are taken from the input's own lines, in both letter cases.
#include "document/prefs.h"

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
Text t; // the input up to its first NUL

size_t Find(char c, size_t from, size_t to) {
    const void* at = std::memchr(t.data() + from, c, to - from);
    return at ? static_cast<const char*>(at) - t.data() : None;
}
size_t EndOfLine(size_t from) { return std::min(Find('\n', from, t.size()), t.size()); }
size_t NextHeader(size_t line) {
    size_t next = std::min(EndOfLine(line) + 1, t.size());
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

Text WalkToValue(size_t line, const Text& key, const Text& fallback) {
    while (line != None && !key.empty() && line < t.size() && t[line] != '[') {
        size_t start = line;
        while (start < t.size() && t[start] == ' ') ++start;
        size_t end = EndOfLine(start), equals = Find('=', start, end), keyEnd = equals;
        while (equals != None && keyEnd > start && t[keyEnd - 1] == ' ') --keyEnd;
        if (start < t.size() && t[start] != ';' && equals != None &&
            Same(start, keyEnd - start, key)) {
            size_t value = equals + 1;
            while (value < end && t[value] == ' ') ++value;
            return t.substr(value, std::min(Find('\r', value, end), end) - value);
        }
        line = end + 1;
    }
    return fallback;
}

std::vector<Text> NamesIn() {
    std::vector<Text> names = {"", "Common Settings"};
    for (size_t start = 0; start < t.size() && names.size() < 24; start = EndOfLine(start) + 1) {
        Text line = t.substr(start, EndOfLine(start) - start) + " ";
        Text key = line.substr(0, line.find('='));
        key.erase(0, key.find_first_not_of(' '));
        key.erase(key.find_last_not_of(' ') + 1);
        Text head = line.substr(line.find('[') + 1);
        names.push_back(head.substr(0, head.find(']')));
        names.push_back(key);
        for (char& c : key) c ^= std::isalpha(static_cast<unsigned char>(c)) ? 32 : 0;
        names.push_back(key);
    }
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Text path = "/dev/shm/brondel-prefs-" + std::to_string(getpid()) + ".ini";
    const Text bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    t = bytes.substr(0, bytes.find('\0'));
    const std::vector<Text> names = NamesIn();
    bool same = PrefOpen(path) != 0;
    size_t position = 0;
    for (const Text& group : names) {
        for (const Text& key : names)
            same = same && PrefReadValue(key, "\x01") == WalkToValue(position, key, "\x01");
        position = WalkToGroup(group);
        same = same && PrefGroup(group) == (position != None ? 1 : 0);
    }
    PrefClose();
    std::remove(path.c_str());
    if (!same) std::fputs("fuzz_prefs_index: the index answers otherwise than the walk\n", stderr);
    if (!same) std::abort();
    return 0;
}
