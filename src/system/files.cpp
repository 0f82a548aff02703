// The program folder, the current directory, what both halves of the safe writer share
// (files_posix.cpp, files_windows.cpp) and numbered files.
#include "files.h"
#include "safe_writer.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <system_error>
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

Text ProgramDir;

fs::path PathOfText(const Text& text) { return fs::path(std::u8string(text.begin(), text.end())); }

Text TextOfPath(const fs::path& path) {
    const std::u8string utf8 = path.u8string();
    return Text(utf8.begin(), utf8.end());
}

#ifndef _WIN32 // Windows asks GetModuleFileNameW (files_windows.cpp)
void TakeProgramDir(const char* argv0) {
    std::error_code error;
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error || exe.empty()) exe = fs::absolute(fs::path(argv0 ? argv0 : ""), error);
    Text folder = exe.parent_path().string();
    if (folder.empty() || folder.back() != PathSeparator) folder += PathSeparator;
    ProgramDir = folder;
}
#endif

bool SetCurrentDir(const Text& folder) {
    std::error_code error;
    fs::current_path(PathOfText(folder), error);
    return !error;
}

SafeFileWriter::~SafeFileWriter() { Abandon(); }

Text FollowLinks(const Text& path) {
    std::error_code error;
    fs::path followed = fs::absolute(PathOfText(path), error);
    if (error || path.empty()) return {};
    // The folders are taken as the system reaches them; a last link is followed by hand, as
    // the library's canonical forms stop at one whose file does not exist yet.
    for (int hops = 0; hops < 40; ++hops) {
        const fs::path name = followed.filename();
        fs::path folder = fs::weakly_canonical(followed.parent_path(), error);
        if (error) folder = followed.parent_path();
        if (name.empty() || name == "." || name == "..")
            return TextOfPath((folder / name).lexically_normal());
        followed = folder / name;
        if (!fs::is_symlink(fs::symlink_status(followed, error))) return TextOfPath(followed);
        const fs::path target = fs::read_symlink(followed, error);
        if (error) return {};
        followed = target.is_absolute() ? target : folder / target;
    }
    return {}; // a loop of links
}

namespace safewrite {

namespace {
bool namedTemporaries = false;

// The last count hexadecimal digits of value.
Text HexOf(uint64_t value, int count) {
    Text text;
    for (int shift = 4 * (count - 1); shift >= 0; shift -= 4)
        text += HexDigits[(value >> shift) & 15];
    return text;
}

long CurrentProcessId() {
#ifdef _WIN32
    return _getpid();
#else
    return getpid();
#endif
}
} // namespace

// A file that exists but may not be written (read-only, a folder, locked) is refused, as
// creating it in place would be: the rename of the finished temporary file would not ask.
bool MayReplace(const Text& target) {
    std::FILE* probe = std::fopen(target.c_str(), "r+b");
    if (!probe) return false;
    std::fclose(probe);
    return true;
}

// The names are short, so they fit wherever the target's name fits.
Text TemporaryPrefixOf(const Text& name) {
    return ".~brondel-" + HexOf(NameHash(name.data(), name.size()), 16) + "-";
}

// The process tells writers of different processes apart, the counter those of one process,
// and the random digits a process that got the number of one that died.
Text UniqueTemporaryNameOf(const Text& name) {
    static std::atomic<uint32_t> counter{0};
    static const uint64_t random = std::random_device{}();
    const uint64_t process = static_cast<uint64_t>(CurrentProcessId());
    return TemporaryPrefixOf(name) + HexOf(process, 8) + HexOf(++counter, 8) + HexOf(random, 4);
}

bool UsingNamedTemporaries() { return namedTemporaries; }

} // namespace safewrite

void UseNamedTemporaryFiles(bool named) { safewrite::namedTemporaries = named; }

using safewrite::WriteAll;
using safewrite::WriteBufferSize;

void SafeFileWriter::Write(const char* bytes, size_t count) {
    if (file_ < 0 || failed_ || count == 0) return;
    if (buffer_.size() + count > WriteBufferSize && !FlushBuffer()) return;
    if (count >= WriteBufferSize)
        failed_ = !WriteAll(file_, bytes, count);
    else
        buffer_.append(bytes, count);
}

bool SafeFileWriter::FlushBuffer() {
    if (!failed_ && !buffer_.empty()) failed_ = !WriteAll(file_, buffer_.data(), buffer_.size());
    buffer_.clear();
    return !failed_;
}

static std::map<int, std::unique_ptr<SafeFileWriter>> openFiles;
static SafeFileWriter* currentFile = nullptr;

int FileCreate(int number, const Text& path) {
    auto writer = std::make_unique<SafeFileWriter>();
    if (!writer->Open(path)) {
        currentFile = nullptr;
        return 0;
    }
    auto& slot = openFiles[number];
    slot = std::move(writer); // a file still open under the number is abandoned
    currentFile = slot.get();
    return 1;
}

int FileWriteLine(const Text& text) {
    if (!currentFile) return 0;
    currentFile->Write(text);
    currentFile->Write("\r\n", 2);
    return static_cast<int>(text.size() + 2);
}

int FileClose(int number) {
    auto found = openFiles.find(number);
    if (found == openFiles.end()) return 0;
    if (currentFile == found->second.get()) currentFile = nullptr;
    bool ok = found->second->Commit();
    openFiles.erase(found);
    return ok ? 1 : 0;
}

void CloseAllFiles() {
    currentFile = nullptr;
    openFiles.clear();
}
