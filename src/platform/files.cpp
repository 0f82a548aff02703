// The program folder, the current directory, safe whole-file writing and numbered files.
#include "files.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <system_error>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

Text ProgramDir;

void TakeProgramDir(const char* argv0) {
    std::error_code error;
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error || exe.empty()) exe = fs::absolute(fs::path(argv0 ? argv0 : ""), error);
    Text folder = exe.parent_path().string();
    if (folder.empty() || folder.back() != PathSeparator) folder += PathSeparator;
    ProgramDir = folder;
}

bool SetCurrentDir(const Text& folder) {
    std::error_code error;
    fs::current_path(fs::path(folder), error);
    return !error;
}

SafeFileWriter::~SafeFileWriter() { Abandon(); }

Text FollowLinks(const Text& path) {
    std::error_code error;
    fs::path absolute = fs::absolute(fs::path(path), error);
    if (error) return {};
    fs::path resolved = fs::weakly_canonical(absolute, error);
    return (error ? absolute : resolved).string();
}

namespace {

// A file that exists but may not be written (read-only, a folder, locked) is refused, as
// creating it in place would be: the rename of the finished temporary file would not ask.
bool MayReplace(const Text& target) {
    std::FILE* probe = std::fopen(target.c_str(), "r+b");
    if (!probe) return false;
    std::fclose(probe);
    return true;
}

constexpr size_t WriteBufferSize = 65536;
constexpr int ClaimAttempts = 2500; // a live writer holding the name is waited for up to 5 s
bool namedTemporaries = false;

// The temporary name is short, so it fits wherever the target's name fits, and the same for
// every write of one target, so that the next write finds what a crashed one left there.
Text TemporaryNameOf(const Text& name) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
    static const char* digits = "0123456789abcdef";
    Text temporary = ".~brondel-";
    for (int shift = 60; shift >= 0; shift -= 4) temporary += digits[(hash >> shift) & 15];
    return temporary;
}

#ifndef _WIN32
// The process's umask, which takes permissions from every file it creates; read once.
mode_t ProcessUmask() {
    static const mode_t mask = [] {
        mode_t current = umask(0);
        umask(current);
        return current;
    }();
    return mask;
}

bool WriteAll(int file, const char* bytes, size_t count) {
    while (count > 0) {
        const ssize_t written = write(file, bytes, count);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes += written;
        count -= static_cast<size_t>(written);
    }
    return true;
}

enum class NameState { Free, Held, Unknown };

// A temporary under the name that no writer holds any more (it died) is removed. A live
// writer keeps its temporary locked from before it has the name until it is gone.
NameState RemoveIfAbandoned(int folder, const Text& name) {
    const int held = openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (held < 0) return errno == ENOENT ? NameState::Free : NameState::Unknown;
    NameState state = NameState::Held;
    struct stat opened = {}, named = {};
    if (flock(held, LOCK_EX | LOCK_NB) == 0) {
        const bool same = fstat(held, &opened) == 0 &&
                          fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
                          opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
        state =
            !same || unlinkat(folder, name.c_str(), 0) == 0 ? NameState::Free : NameState::Unknown;
    }
    close(held);
    return state;
}

// The unnamed file is linked through its /proc entry, which needs no privilege.
Text UnnamedPath(int file) { return "/proc/self/fd/" + std::to_string(file); }

bool CanLinkUnnamedFiles() {
#ifdef O_TMPFILE
    static const bool procFd = access("/proc/self/fd", X_OK) == 0;
    return procFd && !namedTemporaries;
#else
    return false;
#endif
}
#endif

} // namespace

void UseNamedTemporaryFiles(bool named) { namedTemporaries = named; }

#ifndef _WIN32

bool SafeFileWriter::Open(const Text& requested, Placement placement) {
    Abandon();
    Text path;
    // Through a symbolic link the file it points to is written, and the link stays.
    if (requested.empty() || (path = FollowLinks(requested)).empty()) return false;
    struct stat old = {};
    const bool exists = stat(path.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return false;
    if (exists && placement == Placement::Replace && !MayReplace(path)) return false;
    const size_t slash = path.rfind('/');
    folderPath_ = path.substr(0, slash + 1);
    name_ = path.substr(slash + 1);
    folder_ = open(folderPath_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    placement_ = placement;
    failed_ = false;
    const int mode = exists ? static_cast<int>(old.st_mode & 07777) : 0666;
    if (folder_ < 0 || !CreateTemporary(mode)) {
        Abandon();
        return false;
    }
    // The umask only takes permissions away: a replaced file's are given back before any
    // byte is written, so the file is never more open than the one it replaces.
    if (exists && (mode & (ProcessUmask() | ~0777)) != 0 && fchmod(file_, mode) != 0) {
        Abandon();
        return false;
    }
    return true;
}

bool SafeFileWriter::CreateTemporary(int mode) {
#ifdef O_TMPFILE
    if (CanLinkUnnamedFiles()) {
        file_ = openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode & 0777);
        // Locked from the start: a name it gets later is never taken for one left by a crash.
        if (file_ >= 0) return placement_ == Placement::KeepExisting || flock(file_, LOCK_EX) == 0;
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return false;
    }
#endif
    return ClaimTemporaryName(true, mode);
}

// Gives the temporary file the target's temporary name: by creating it (named temporaries)
// or by linking the unnamed one. A file left under the name by a writer that died is removed
// first; one that a live writer holds is waited for.
bool SafeFileWriter::ClaimTemporaryName(bool create, int mode) {
    const Text name = TemporaryNameOf(name_);
    for (int attempt = 0; attempt < ClaimAttempts; ++attempt) {
        if (create) {
            file_ =
                openat(folder_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode & 0777);
            if (file_ >= 0 && flock(file_, LOCK_EX | LOCK_NB) == 0) {
                temporaryName_ = name;
                return true;
            }
            if (file_ >= 0) { // taken for abandoned between creating and locking: it is gone
                close(file_);
                file_ = -1;
                continue;
            }
        } else if (linkat(AT_FDCWD, UnnamedPath(file_).c_str(), folder_, name.c_str(),
                          AT_SYMLINK_FOLLOW) == 0) {
            temporaryName_ = name;
            return true;
        }
        if (errno != EEXIST) return false;
        const NameState state = RemoveIfAbandoned(folder_, name);
        if (state == NameState::Unknown) return false;
        if (state == NameState::Held) usleep(2000);
    }
    return false;
}

bool SafeFileWriter::PutInPlace() {
    const char* target = name_.c_str();
    if (temporaryName_.empty() && placement_ == Placement::KeepExisting) // linkat never replaces
        return linkat(AT_FDCWD, UnnamedPath(file_).c_str(), folder_, target, AT_SYMLINK_FOLLOW) ==
                   0 ||
               errno == EEXIST;
    if (temporaryName_.empty() && !ClaimTemporaryName(false, 0)) return false;
    const char* temporary = temporaryName_.c_str();
    if (placement_ == Placement::Replace) {
        if (renameat(folder_, temporary, folder_, target) != 0) return false;
        temporaryName_.clear();
        return true;
    }
    // Kept if the name is taken by then; Abandon removes the temporary name that is left.
#ifdef RENAME_NOREPLACE
    if (renameat2(folder_, temporary, folder_, target, RENAME_NOREPLACE) == 0) {
        temporaryName_.clear();
        return true;
    }
    if (errno == EEXIST) return true;
#endif
    return linkat(folder_, temporary, folder_, target, 0) == 0 || errno == EEXIST;
}

bool SafeFileWriter::Commit(bool syncFolder) {
    if (file_ < 0) return false;
    bool ok = FlushBuffer() && fsync(file_) == 0 && PutInPlace();
    if (ok && syncFolder) ok = fsync(folder_) == 0;
    Abandon();
    return ok;
}

// Closing the unnamed file deletes it; a named temporary still there is removed.
void SafeFileWriter::Abandon() {
    if (!temporaryName_.empty()) unlinkat(folder_, temporaryName_.c_str(), 0);
    if (file_ >= 0) close(file_);
    if (folder_ >= 0) close(folder_);
    file_ = folder_ = -1;
    temporaryName_.clear();
    buffer_.clear();
}

bool SyncFolder(const Text& folder) {
    const int opened = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (opened < 0) return false;
    const bool ok = fsync(opened) == 0;
    close(opened);
    return ok;
}

#else // Windows: named temporaries only. A file that a live writer has open cannot be
      // deleted there, which tells its temporary from one left by a crash.

namespace {

bool WriteAll(int file, const char* bytes, size_t count) {
    while (count > 0) {
        const int chunk = static_cast<int>(std::min<size_t>(count, 1 << 30));
        const int written = _write(file, bytes, static_cast<unsigned>(chunk));
        if (written <= 0) return false;
        bytes += written;
        count -= static_cast<size_t>(written);
    }
    return true;
}

} // namespace

bool SafeFileWriter::Open(const Text& requested, Placement placement) {
    Abandon();
    Text path;
    if (requested.empty() || (path = FollowLinks(requested)).empty()) return false;
    std::error_code error;
    const bool exists = fs::symlink_status(path, error).type() != fs::file_type::not_found;
    if (exists && placement == Placement::Replace && !MayReplace(path)) return false;
    const size_t last = path.find_last_of("\\/");
    folderPath_ = path.substr(0, last + 1);
    name_ = path.substr(last + 1);
    placement_ = placement;
    failed_ = false;
    return CreateTemporary(0);
}

bool SafeFileWriter::CreateTemporary(int mode) { return ClaimTemporaryName(true, mode); }

bool SafeFileWriter::ClaimTemporaryName(bool, int) {
    const Text name = TemporaryNameOf(name_), path = folderPath_ + name;
    for (int attempt = 0; attempt < ClaimAttempts; ++attempt) {
        if (_sopen_s(&file_, path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYRW,
                     _S_IREAD | _S_IWRITE) == 0) {
            temporaryName_ = name;
            return true;
        }
        file_ = -1;
        if (errno != EEXIST) return false;
        if (!DeleteFileA(path.c_str())) Sleep(2);
    }
    return false;
}

bool SafeFileWriter::PutInPlace() {
    const Text temporary = folderPath_ + temporaryName_, target = folderPath_ + name_;
    _close(file_);
    file_ = -1;
    const DWORD flags =
        MOVEFILE_WRITE_THROUGH | (placement_ == Placement::Replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (MoveFileExA(temporary.c_str(), target.c_str(), flags)) {
        temporaryName_.clear();
        return true;
    }
    return placement_ == Placement::KeepExisting && GetLastError() == ERROR_ALREADY_EXISTS;
}

bool SafeFileWriter::Commit(bool) {
    if (file_ < 0) return false;
    const bool ok = FlushBuffer() && _commit(file_) == 0 && PutInPlace();
    Abandon();
    return ok;
}

void SafeFileWriter::Abandon() {
    if (file_ >= 0) _close(file_);
    if (!temporaryName_.empty()) DeleteFileA((folderPath_ + temporaryName_).c_str());
    file_ = -1;
    temporaryName_.clear();
    buffer_.clear();
}

bool SyncFolder(const Text&) { return true; } // MOVEFILE_WRITE_THROUGH has done it

#endif

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
