// The preference store. Start with PrefOpen/PrefGroup/PrefReadValue for the reading rules
// and PrefCreate/PrefClose for writing, which always goes through a temporary file so that a
// failed save never costs the user the file it was meant to replace.
//
// Reading is linear in the file's size: PrefOpen indexes every group header once, and the
// first lookup in a group indexes the first line of each of its keys, so a lookup no longer
// walks the text. Both walks are the walks of the lookup rules themselves (headers line by
// line with a CR after an LF stepped over; a group's lines up to the next line that begins
// with "["), so every rule answers as a plain walk would.
#include "prefs.h"

#include "platform/files.h"
#include "platform/text.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

enum class Mode { Closed, Writing, Reading };

// Positions are kept in 32 bits, which keeps the index small: a text of 4 GiB or more, which
// no chart comes near, is refused.
constexpr size_t MaxTextSize = UINT32_MAX - 1;
constexpr uint32_t NoPosition = UINT32_MAX;
constexpr uint32_t HeaderScope = UINT32_MAX; // the scope of group names; groups count from 0
constexpr uint32_t NoEntry = UINT32_MAX;

Mode mode = Mode::Closed;
SafeFileWriter writer;
Text text;                           // reading: the whole file, up to its first NUL byte
uint32_t groupPosition = NoPosition; // where lookups start; none after a failed PrefGroup
uint32_t groupScope = NoEntry;       // the indexed keys of that group, once a lookup needs them

// One indexed name: a key of a group (scope = the group's number) or a group header.
struct Entry {
    uint32_t scope, hash, begin, length;
    uint32_t valueBegin, valueLength; // a header's value is the start of its group
};
std::vector<Entry> entries;
std::vector<uint32_t> slots;       // open addressing: entry number + 1, 0 is free
std::vector<uint32_t> scopeStarts; // the start of each group whose keys are indexed

uint32_t HashOf(uint32_t scope, const char* name, size_t length) {
    uint32_t hash = 2166136261u ^ scope; // FNV-1a over the lower-cased bytes
    for (size_t i = 0; i < length; ++i)
        hash = (hash ^ static_cast<unsigned char>(AsciiLower(name[i]))) * 16777619u;
    return hash;
}

bool SameName(const Entry& entry, const char* name, size_t length) {
    if (entry.length != length) return false;
    const char* indexed = text.data() + entry.begin;
    for (size_t i = 0; i < length; ++i)
        if (AsciiLower(indexed[i]) != AsciiLower(name[i])) return false;
    return true;
}

uint32_t FindEntry(uint32_t scope, const char* name, size_t length, uint32_t hash) {
    if (slots.empty()) return NoEntry;
    const size_t mask = slots.size() - 1;
    for (size_t slot = hash & mask; slots[slot] != 0; slot = (slot + 1) & mask) {
        const Entry& entry = entries[slots[slot] - 1];
        if (entry.hash == hash && entry.scope == scope && SameName(entry, name, length))
            return slots[slot] - 1;
    }
    return NoEntry;
}

void PlaceInSlot(uint32_t number) {
    const size_t mask = slots.size() - 1;
    size_t slot = entries[number].hash & mask;
    while (slots[slot] != 0) slot = (slot + 1) & mask;
    slots[slot] = number + 1;
}

// The first line of a name wins: later ones are not indexed.
void IndexFirst(uint32_t scope, size_t begin, size_t length, size_t valueBegin,
                size_t valueLength) {
    const uint32_t hash = HashOf(scope, text.data() + begin, length);
    if (FindEntry(scope, text.data() + begin, length, hash) != NoEntry) return;
    entries.push_back({scope, hash, static_cast<uint32_t>(begin), static_cast<uint32_t>(length),
                       static_cast<uint32_t>(valueBegin), static_cast<uint32_t>(valueLength)});
    if (entries.size() * 2 > slots.size()) {
        slots.assign(slots.empty() ? 256 : slots.size() * 2, 0);
        for (uint32_t number = 0; number < entries.size(); ++number) PlaceInSlot(number);
    } else {
        PlaceInSlot(static_cast<uint32_t>(entries.size() - 1));
    }
}

size_t EndOfLine(size_t from) { // the line's LF, or the end of the text
    const void* lf = std::memchr(text.data() + from, '\n', text.size() - from);
    return lf ? static_cast<size_t>(static_cast<const char*>(lf) - text.data()) : text.size();
}

// Group headers are searched line by line; a CR right after an LF is stepped over too.
size_t NextHeaderCandidate(size_t lineStart) {
    size_t next = EndOfLine(lineStart);
    if (next < text.size()) ++next;
    if (next < text.size() && text[next] == '\r') ++next;
    return next;
}

// A header's name runs from "[" to the first "]", LF or end of text.
void IndexHeaders() {
    for (size_t line = 0; line < text.size();) {
        if (text[line] == '\n') { // a blank line, stepped over without a search
            line += (line + 1 < text.size() && text[line + 1] == '\r') ? 2 : 1;
            continue;
        }
        const size_t next = NextHeaderCandidate(line);
        if (text[line] == '[') {
            const size_t begin = line + 1, end = EndOfLine(begin);
            const void* bracket = std::memchr(text.data() + begin, ']', end - begin);
            const size_t nameEnd =
                bracket ? static_cast<size_t>(static_cast<const char*>(bracket) - text.data())
                        : end;
            IndexFirst(HeaderScope, begin, nameEnd - begin, next, 0);
        }
        line = next;
    }
}

// A group's lines run from its start to the next line whose first byte is "[". On each one:
// leading spaces skipped, ";" makes a comment, the key runs to "=" without its trailing
// spaces, the value from after "=" and its spaces up to CR, LF or end of text.
uint32_t IndexGroup(size_t start) {
    const uint32_t scope = static_cast<uint32_t>(scopeStarts.size());
    scopeStarts.push_back(static_cast<uint32_t>(start));
    const size_t size = text.size();
    for (size_t line = start; line < size && text[line] != '[';) {
        if (text[line] == '\n' ||
            (text[line] == '\r' && line + 1 < size && text[line + 1] == '\n')) {
            line += text[line] == '\n' ? 1 : 2; // a blank line, stepped over without a search
            continue;
        }
        size_t key = line;
        while (key < size && text[key] == ' ') ++key;
        const size_t lineEnd = EndOfLine(key);
        const void* found = std::memchr(text.data() + key, '=', lineEnd - key);
        if (key < size && text[key] != PrefCommentChar && found) {
            const size_t equals =
                static_cast<size_t>(static_cast<const char*>(found) - text.data());
            size_t keyEnd = equals;
            while (keyEnd > key && text[keyEnd - 1] == ' ') --keyEnd;
            size_t value = equals + 1;
            while (value < lineEnd && text[value] == ' ') ++value;
            const void* cr = std::memchr(text.data() + value, '\r', lineEnd - value);
            const size_t valueEnd =
                cr ? static_cast<size_t>(static_cast<const char*>(cr) - text.data()) : lineEnd;
            if (keyEnd > key) IndexFirst(scope, key, keyEnd - key, value, valueEnd - value);
        }
        line = lineEnd + 1;
    }
    return scope;
}

void ForgetText() {
    Text().swap(text);
    std::vector<Entry>().swap(entries);
    std::vector<uint32_t>().swap(slots);
    scopeStarts.clear();
    groupPosition = NoPosition;
    groupScope = NoEntry;
}

// Only a regular file is read: a named pipe or a device would block or never end.
bool ReadPrefsFile(const Text& path, Text& out) {
#ifdef _WIN32
    return ReadWholeFile(path, out, MaxTextSize) == ReadOutcome::Read;
#else
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info = {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              static_cast<uintmax_t>(info.st_size) <= MaxTextSize;
    try {
        // One byte more than the size, so that the end of the file is seen in the same read.
        size_t used = 0;
        out.resize(ok ? static_cast<size_t>(info.st_size) + 1 : 0);
        while (ok) {
            if (used == out.size()) out.resize(std::min(out.size() * 2, MaxTextSize + 1));
            const ssize_t count = read(fd, out.data() + used, out.size() - used);
            if (count < 0) ok = false;
            if (count <= 0) break;
            used += static_cast<size_t>(count);
            ok = used <= MaxTextSize;
        }
        out.resize(ok ? used : 0);
    } catch (const std::exception&) {
        ok = false;
    }
    close(fd);
    return ok;
#endif
}

} // namespace

int PrefClose() {
    int result = 1;
    if (mode == Mode::Writing) result = writer.Commit() ? 1 : 0;
    writer.Abandon();
    ForgetText();
    mode = Mode::Closed;
    return result;
}

int PrefCreate(const Text& path) {
    PrefClose();
    SetCurrentDir(ProgramDir); // relative names mean files beside the program
    if (!writer.Open(path)) return 0;
    mode = Mode::Writing;
    return 1;
}

int PrefOpen(const Text& path) {
    PrefClose();
    SetCurrentDir(ProgramDir);
    if (path.empty()) return 0;
    Text bytes;
    if (!ReadPrefsFile(path, bytes)) return 0;
    // The text ends at its first NUL byte, as a text of this program always does.
    size_t nul = bytes.find('\0');
    if (nul != Text::npos) bytes.resize(nul);
    text = std::move(bytes);
    try {
        IndexHeaders();
    } catch (const std::bad_alloc&) {
        ForgetText();
        return 0;
    }
    groupPosition = 0;
    mode = Mode::Reading;
    return 1;
}

int PrefGroup(const Text& name) {
    groupPosition = NoPosition;
    groupScope = NoEntry;
    if (mode == Mode::Writing) {
        writer.Write("[", 1);
        writer.Write(name);
        writer.Write("]\r\n", 3);
        return 1;
    }
    if (mode != Mode::Reading) return 0;
    const uint32_t header = FindEntry(HeaderScope, name.data(), name.size(),
                                      HashOf(HeaderScope, name.data(), name.size()));
    if (header == NoEntry) return 0;
    groupPosition = entries[header].valueBegin;
    return 1;
}

int PrefWriteComment(const Text& comment) {
    if (mode != Mode::Writing) return 0;
    writer.Write(&PrefCommentChar, 1);
    writer.Write(comment);
    writer.Write("\r\n", 2);
    return 1;
}

// A value that holds a line end would break its line in two: it is written empty.
void PrefWriteValue(const Text& key, const Text& value) {
    if (mode != Mode::Writing || key.empty()) return;
    writer.Write(key);
    writer.Write(" = ", 3);
    if (value.find_first_of("\r\n") == Text::npos) writer.Write(value);
    writer.Write("\r\n", 2);
}

Text PrefReadValue(const Text& key, const Text& defaultValue) {
    if (mode != Mode::Reading || groupPosition == NoPosition || key.empty()) return defaultValue;
    if (groupScope == NoEntry) {
        for (uint32_t scope = 0; scope < scopeStarts.size() && groupScope == NoEntry; ++scope)
            if (scopeStarts[scope] == groupPosition) groupScope = scope;
        try {
            if (groupScope == NoEntry) groupScope = IndexGroup(groupPosition);
        } catch (const std::bad_alloc&) { // a text that cannot be indexed cannot be read
            ForgetText();
            mode = Mode::Closed;
            return defaultValue;
        }
    }
    const uint32_t found =
        FindEntry(groupScope, key.data(), key.size(), HashOf(groupScope, key.data(), key.size()));
    if (found == NoEntry) return defaultValue;
    return text.substr(entries[found].valueBegin, entries[found].valueLength);
}
