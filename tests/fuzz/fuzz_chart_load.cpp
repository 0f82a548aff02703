// libFuzzer target: any bytes as a preference file, a chart file, a page and a settings file.
// Besides not crashing, it checks what must hold for every input: the indexed preference store
// answers every group selection and lookup exactly as the plain walk over the text that it
// replaced (kept below), a file that is not a chart leaves the Chart alone, no Box text can
// break the page's table, every picture is well-formed XML, and whatever a chart file put into
// the Chart survives a save and a load unchanged. Built and run by run-fuzz.
#include "chart/chart.h"
#include "document/chart_file.h"
#include "document/prefs.h"
#include "document/settings.h"
#include "html/page.h"
#include "html/picture.h"
#include "system/files.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
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

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_chart_load: %s\n", what);
    std::abort();
}

bool IsClean(const Text& value) {
    return value.find_first_of(Text("\r\n\0", 3)) == Text::npos && value[0] != ' ';
}

size_t Count(const Text& text, const Text& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != Text::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// A small well-formedness check of the picture, whose tags the code writes: UTF-8 of characters
// that XML 1.0 allows, every "&" one of the predefined references, every "<" one tag to its
// ">" with its quotes paired.
bool IsWellFormedXml(const Text& xml) {
    static const std::regex reference("&(amp|lt|gt|quot|apos);");
    for (size_t at = 0; at < xml.size(); ++at) {
        const auto c = static_cast<unsigned char>(xml[at]);
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == '>' ||
            (xml.compare(at, 2, "\xEF\xBF") == 0 &&
             static_cast<unsigned char>(xml[at + 2]) >= 0xBE))
            return false;
        if (c != '<' && c != '&') continue;
        const size_t end = xml.find(c == '&' ? ';' : '>', at);
        const Text piece = xml.substr(at, end == None ? None : end - at + 1);
        if (c == '&' ? !std::regex_match(piece, reference)
                     : end == None || Count(piece, "<") != 1 || Count(piece, "\"") % 2 != 0)
            return false;
        at = end;
    }
    return IsValidUtf8(xml);
}

// The Chart as the bytes of its file.
Text Saved(const Text& name) {
    Require(WriteChartFile(ProgramDir + name) == ChartFileStatus::Done, "save failed");
    std::ifstream in(ProgramDir + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char folder[] = "/dev/shm/brondel-fuzz-XXXXXX", fallback[] = "/tmp/brondel-fuzz-XXXXXX";
    ProgramDir = Text(mkdtemp(folder) ? folder : mkdtemp(fallback)) + "/";
    std::atexit([] {
        std::error_code error;
        std::filesystem::remove_all(ProgramDir, error);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Text bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(ProgramDir + "input.ini", std::ios::binary) << bytes;

    t = bytes.substr(0, std::min(bytes.find('\0'), bytes.size())); // the store stops at a NUL
    const std::vector<Text> names = NamesIn();
    bool same = PrefOpen(ProgramDir + "input.ini") != 0;
    size_t position = 0; // before any group: the lines before the first header
    for (const Text& group : names) {
        for (const Text& key : names)
            same = same && PrefReadValue(key, "\x01") == WalkToValue(position, key, "\x01");
        position = WalkToGroup(group);
        same = same && PrefGroup(group) == (position != None ? 1 : 0);
    }
    PrefClose();
    Require(same, "the indexed store answers otherwise than the walk");

    ClearChart();
    static const Text empty = Saved("empty.kpv");
    const ChartFileStatus status = ReadChartFile(ProgramDir + "input.ini");
    const Text saved = Saved("saved.kpv");
    Require(status == ChartFileStatus::Done ||
                (status == ChartFileStatus::NotAChart && saved == empty),
            "an existing file did not load, or one that is no chart changed the Chart");
    const Text page = BuildChartPage();
    Require(Count(page, "\r\n") == 442 && Count(page, "<tr>") == 27 && Count(page, "<td") == 351 &&
                Count(page, "</td>") == 351,
            "a Box text broke the page's lines, rows or cells");
    Require(IsWellFormedXml(BuildChartPicture().svg), "the picture is not well-formed XML");
    // A full 1066-line reload costs as much as dozens of small inputs, so it follows one input
    // in eight, chosen by the input's bytes so that every failure reproduces.
    unsigned sum = 0;
    for (size_t i = 0; i < size; ++i) sum += data[i];
    if (sum % 8 == 0) {
        ClearChart();
        Require(ReadChartFile(ProgramDir + "saved.kpv") == ChartFileStatus::Done, "reload failed");
        Require(Saved("again.kpv") == saved, "save and load changed the Chart");
    }

    std::ofstream(ProgramDir + SettingsFileName, std::ios::binary) << bytes;
    LastProject.clear();
    ReadSettings();
    Require(IsClean(LastProject), "Last Project holds a line end or a leading space");
    ChartFileName = LastProject;
    WriteSettings();
    LastProject = "not read";
    ReadSettings();
    Require(LastProject == ChartFileName, "the settings file lost Last Project");
    return 0;
}
