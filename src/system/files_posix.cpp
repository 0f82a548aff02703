// The safe writer on POSIX systems: the kernel's unnamed temporary files where there are
// some, else a named temporary of the writer's own, kept locked (flock) while its writer lives.
#include "safe_writer.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace safewrite;

bool safewrite::WriteAll(int file, const char* bytes, size_t count) {
    while (count > 0) {
        const ssize_t written = write(file, bytes, count);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes += written;
        count -= static_cast<size_t>(written);
    }
    return true;
}

namespace {

// The process's umask, which takes permissions from every file it creates; read once.
mode_t ProcessUmask() {
    static const mode_t mask = [] {
        mode_t current = umask(0);
        umask(current);
        return current;
    }();
    return mask;
}

// True when the name still names the file that is open: nobody took the name away from it.
bool StillNamed(int folder, const char* name, int file) {
    struct stat opened = {}, named = {};
    return fstat(file, &opened) == 0 && opened.st_nlink > 0 &&
           fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// The temporaries of a target whose writers died: a live writer keeps its own locked from
// before it counts as having the name until it is gone, so whatever lock can be taken is free.
void RemoveAbandonedTemporaries(int folder, const Text& prefix) {
    const int listed = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* entries = listed >= 0 ? fdopendir(listed) : nullptr;
    if (!entries) {
        if (listed >= 0) close(listed);
        return;
    }
    while (const dirent* entry = readdir(entries)) {
        const char* name = entry->d_name;
        if (std::strncmp(name, prefix.c_str(), prefix.size()) != 0) continue;
        const int held = openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (held < 0) continue;
        if (flock(held, LOCK_EX | LOCK_NB) == 0 && StillNamed(folder, name, held))
            unlinkat(folder, name, 0);
        close(held);
    }
    closedir(entries);
}

// The unnamed file is linked through its /proc entry, which needs no privilege.
Text UnnamedPath(int file) { return "/proc/self/fd/" + std::to_string(file); }

bool CanLinkUnnamedFiles() {
#ifdef O_TMPFILE
    static const bool procFd = access("/proc/self/fd", X_OK) == 0;
    return procFd && !UsingNamedTemporaries();
#else
    return false;
#endif
}

} // namespace

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
    RemoveAbandonedTemporaries(folder_, TemporaryPrefixOf(name_));
#ifdef O_TMPFILE
    if (CanLinkUnnamedFiles()) {
        file_ = openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode & 0777);
        // Locked from the start: the name it gets later is never taken for one left by a crash.
        if (file_ >= 0) return flock(file_, LOCK_EX | LOCK_NB) == 0;
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return false;
    }
#endif
    return ClaimTemporaryName(true, mode);
}

// Gives the temporary file a name of its own in the target's folder: by creating it (named
// temporaries) or by linking the unnamed one. A created file counts as ours only once it is
// locked and still under the name: between the two a cleaner may have taken it for abandoned.
bool SafeFileWriter::ClaimTemporaryName(bool create, int mode) {
    for (int attempt = 0; attempt < ClaimAttempts; ++attempt) {
        const Text name = UniqueTemporaryNameOf(name_);
        if (!create) {
            if (linkat(AT_FDCWD, UnnamedPath(file_).c_str(), folder_, name.c_str(),
                       AT_SYMLINK_FOLLOW) == 0) {
                temporaryName_ = name;
                return true;
            }
            if (errno != EEXIST) return false;
            continue;
        }
        file_ = openat(folder_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode & 0777);
        if (file_ < 0) {
            if (errno != EEXIST) return false;
            continue;
        }
        if (flock(file_, LOCK_EX | LOCK_NB) == 0 && StillNamed(folder_, name.c_str(), file_)) {
            temporaryName_ = name;
            return true;
        }
        close(file_); // a cleaner has it, and removes it
        file_ = -1;
    }
    return false;
}

// Only the writer's own name is ever renamed into place.
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

ReadOutcome ReadWholeFile(const Text& path, Text& bytes, size_t maxBytes, bool followLinks) {
    bytes.clear();
    const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW);
    const int file = open(path.c_str(), flags);
    if (file < 0) {
        if (errno == ENOENT) return ReadOutcome::Missing;
        return errno == ELOOP && !followLinks ? ReadOutcome::NotRegular : ReadOutcome::Failed;
    }
    struct stat info = {};
    ReadOutcome outcome = ReadOutcome::Read;
    if (fstat(file, &info) != 0)
        outcome = ReadOutcome::Failed;
    else if (!S_ISREG(info.st_mode))
        outcome = ReadOutcome::NotRegular;
    else if (static_cast<uintmax_t>(info.st_size) > maxBytes)
        outcome = ReadOutcome::TooLarge;
    try {
        // One byte more than the size, so that the end of the file is seen in the same read;
        // a file that grows meanwhile is read on, up to the limit.
        size_t used = 0;
        if (outcome == ReadOutcome::Read) bytes.resize(static_cast<size_t>(info.st_size) + 1);
        while (outcome == ReadOutcome::Read) {
            if (used == bytes.size()) bytes.resize(used < maxBytes / 2 ? used * 2 : maxBytes + 1);
            const ssize_t count = read(file, bytes.data() + used, bytes.size() - used);
            if (count < 0 && errno == EINTR) continue;
            if (count < 0) outcome = ReadOutcome::Failed;
            if (count <= 0) break;
            used += static_cast<size_t>(count);
            if (used > maxBytes) outcome = ReadOutcome::TooLarge;
        }
        bytes.resize(outcome == ReadOutcome::Read ? used : 0);
    } catch (const std::exception&) {
        outcome = ReadOutcome::Failed;
    }
    if (outcome != ReadOutcome::Read) Text().swap(bytes);
    close(file);
    return outcome;
}
