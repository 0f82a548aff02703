// The preference store. Start with PrefOpen/PrefGroup/PrefReadValue for the reading rules
// and PrefCreate/PrefClose for writing, which always goes through a temporary file so that a
// failed save never costs the user the file it was meant to replace.
#include "prefs.h"

#include "platform/files.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>

namespace fs = std::filesystem;

namespace {

enum class Mode { Closed, Writing, Reading };

constexpr size_t NoPosition = Text::npos;

Mode mode = Mode::Closed;
SafeFileWriter writer;
Text text;                         // reading: the whole file
size_t groupPosition = NoPosition; // where lookups start; none after a failed PrefGroup

const char* Find(size_t from, size_t to, char c) {
    return static_cast<const char*>(std::memchr(text.data() + from, c, to - from));
}

size_t Offset(const char* at) { return static_cast<size_t>(at - text.data()); }

size_t EndOfLine(size_t from) { // the line's LF, or the end of the text
    const char* lf = Find(from, text.size(), '\n');
    return lf ? Offset(lf) : text.size();
}

// Group headers are searched line by line; a CR right after an LF is stepped over too.
size_t NextHeaderCandidate(size_t lineStart) {
    size_t next = EndOfLine(lineStart);
    if (next < text.size()) ++next;
    if (next < text.size() && text[next] == '\r') ++next;
    return next;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// Keys of one group mostly share their beginning ("L1-188", "L1-189"), so comparing from the
// end finds a difference soonest; this is what keeps a full chart load fast without an index.
bool SameKey(const char* part, size_t length, const Text& key) {
    if (length != key.size()) return false;
    for (size_t i = length; i-- > 0;)
        if (AsciiLower(part[i]) != AsciiLower(key[i])) return false;
    return true;
}

bool ReadWholeFile(const Text& path, Text& out) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    bool ok = true;
    try {
        std::error_code error;
        uintmax_t size = fs::file_size(path, error);
        if (!error) out.reserve(static_cast<size_t>(size) + 1);
        char chunk[65536];
        size_t count;
        while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) out.append(chunk, count);
        ok = !std::ferror(file); // a folder opens but cannot be read
    } catch (const std::bad_alloc&) {
        ok = false;
    } catch (const std::length_error&) {
        ok = false;
    }
    std::fclose(file);
    if (!ok) Text().swap(out);
    return ok;
}

} // namespace

int PrefClose() {
    int result = 1;
    if (mode == Mode::Writing) result = writer.Commit() ? 1 : 0;
    writer.Abandon();
    Text().swap(text);
    groupPosition = NoPosition;
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
    if (!ReadWholeFile(path, bytes)) return 0;
    // The text ends at its first NUL byte, as a text of this program always does.
    size_t nul = bytes.find('\0');
    if (nul != Text::npos) bytes.resize(nul);
    text = std::move(bytes);
    groupPosition = 0;
    mode = Mode::Reading;
    return 1;
}

int PrefGroup(const Text& name) {
    groupPosition = NoPosition;
    if (mode == Mode::Writing) {
        writer.Write("[", 1);
        writer.Write(name);
        writer.Write("]\r\n", 3);
        return 1;
    }
    if (mode != Mode::Reading) return 0;
    for (size_t line = 0; line < text.size(); line = NextHeaderCandidate(line)) {
        if (text[line] != '[') continue;
        size_t begin = line + 1, end = EndOfLine(begin);
        const char* bracket = Find(begin, end, ']');
        if (bracket) end = Offset(bracket);
        if (TextEqualIgnoringAsciiCase(text.data() + begin, end - begin, name)) {
            groupPosition = NextHeaderCandidate(line);
            return 1;
        }
    }
    return 0;
}

int PrefWriteComment(const Text& comment) {
    if (mode != Mode::Writing) return 0;
    writer.Write(&PrefCommentChar, 1);
    writer.Write(comment);
    writer.Write("\r\n", 2);
    return 1;
}

void PrefWriteValue(const Text& key, const Text& value) {
    if (mode != Mode::Writing || key.empty()) return;
    writer.Write(key);
    writer.Write(" = ", 3);
    writer.Write(value);
    writer.Write("\r\n", 2);
}

Text PrefReadValue(const Text& key, const Text& defaultValue) {
    if (mode != Mode::Reading || groupPosition == NoPosition || key.empty()) return defaultValue;
    const size_t size = text.size();
    size_t line = groupPosition;
    while (line < size) {
        if (text[line] == '[') break; // the next group begins: the key is not in this one
        size_t start = line;
        while (start < size && text[start] == ' ') ++start;
        size_t lineEnd = EndOfLine(start);
        if (start < size && text[start] != PrefCommentChar) {
            const char* equals = Find(start, lineEnd, '=');
            if (equals) {
                size_t keyEnd = Offset(equals);
                while (keyEnd > start && text[keyEnd - 1] == ' ') --keyEnd;
                if (SameKey(text.data() + start, keyEnd - start, key)) {
                    size_t value = Offset(equals) + 1;
                    while (value < lineEnd && text[value] == ' ') ++value;
                    const char* cr = Find(value, lineEnd, '\r');
                    size_t valueEnd = cr ? Offset(cr) : lineEnd;
                    return text.substr(value, valueEnd - value);
                }
            }
        }
        line = lineEnd + 1;
    }
    return defaultValue;
}
