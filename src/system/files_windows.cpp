// The safe writer on Windows: named temporaries only. A file that a live writer has open
// cannot be deleted there, which tells its temporary from one left by a crash.
#include "safe_writer.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

namespace fs = std::filesystem;
using namespace safewrite;

bool safewrite::WriteAll(int file, const char* bytes, size_t count) {
    while (count > 0) {
        const int chunk = static_cast<int>(std::min<size_t>(count, 1 << 30));
        const int written = _write(file, bytes, static_cast<unsigned>(chunk));
        if (written <= 0) return false;
        bytes += written;
        count -= static_cast<size_t>(written);
    }
    return true;
}

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
