// Files on Windows, every name through the wide API in the "\\?\" form: the program folder,
// the one file reader, and the safe writer.
//
// The safe writer's temporary is named after its target and its writer
// (safewrite::UniqueTemporaryNameOf: process id, counter, random digits), created exclusively and
// shared with nobody: no other writer can open, delete or take it while it is written. It takes the
// attributes and security of the file it replaces and is put in place from its own name by one
// rename (MoveFileExW), so the target is always whole. Temporaries of writers whose process has
// ended are deleted by the next writer of the same target.
#include "safe_writer.h"
#include "text_windows.h"

#include <windows.h>

#include <aclapi.h> // needs windows.h first
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <random>

using namespace safewrite;

void TakeProgramDir(const char*) {
    std::wstring exe(MAX_PATH, L'\0');
    DWORD length;
    while ((length = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()))) ==
           exe.size())
        exe.resize(exe.size() * 2);
    exe.resize(length);
    if (exe.starts_with(L"\\\\?\\")) exe.erase(0, 4);
    ProgramDir = Utf8Text(exe.substr(0, exe.find_last_of(L"\\/") + 1));
}

namespace {

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr int PlaceAttempts = 500; // writers of one target at once take turns for up to 1 s

struct Handle {
    HANDLE handle;
    explicit Handle(HANDLE opened) : handle(opened) {}
    ~Handle() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
    explicit operator bool() const { return handle != INVALID_HANDLE_VALUE; }
};

bool IsMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

} // namespace

ReadOutcome ReadWholeFile(const Text& path, Text& bytes, size_t maxBytes, bool followLinks) {
    bytes.clear();
    const std::wstring wide = WidePath(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return IsMissing(GetLastError()) ? ReadOutcome::Missing : ReadOutcome::Failed;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (!followLinks && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)))
        return ReadOutcome::NotRegular;
    Handle file(CreateFileW(wide.c_str(), GENERIC_READ, ShareAll, nullptr, OPEN_EXISTING,
                            followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file) return IsMissing(GetLastError()) ? ReadOutcome::Missing : ReadOutcome::Failed;
    LARGE_INTEGER size = {};
    if (GetFileType(file.handle) != FILE_TYPE_DISK) return ReadOutcome::NotRegular;
    if (!GetFileSizeEx(file.handle, &size)) return ReadOutcome::Failed;
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) return ReadOutcome::TooLarge;
    try {
        // One byte more than the size, so that the end of the file is seen in the same read.
        Text read(static_cast<size_t>(size.QuadPart) + 1, '\0');
        size_t used = 0;
        for (;;) {
            if (used == read.size()) read.resize(read.size() * 2);
            DWORD count = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(read.size() - used, 1 << 30));
            if (!ReadFile(file.handle, read.data() + used, chunk, &count, nullptr))
                return ReadOutcome::Failed;
            if (count == 0) break;
            used += count;
            if (used > maxBytes) return ReadOutcome::TooLarge;
        }
        read.resize(used);
        bytes = std::move(read);
    } catch (const std::exception&) {
        return ReadOutcome::Failed;
    }
    return ReadOutcome::Read;
}

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

namespace {

// What follows the target's temporary name: this writer's own part.
bool ProcessIsRunning(DWORD id) {
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED; // alive, another user's
    DWORD status = 0;
    const bool running = GetExitCodeProcess(process, &status) && status == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

// Temporaries of the target whose writer's process has ended are deleted; a live writer's
// stays (and could not be deleted while it is written: it is shared with nobody).
void RemoveAbandoned(const Text& folder, const Text& prefix) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(WidePath(folder + prefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const Text name = Utf8Text(found.cFileName);
        // The writer's process id: the first eight hex digits after the prefix.
        const DWORD writer = std::strtoul(name.substr(prefix.size(), 8).c_str(), nullptr, 16);
        if (writer != GetCurrentProcessId() && !ProcessIsRunning(writer))
            DeleteFileW(WidePath(folder + name).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// The replaced file's attributes and security go to the file that replaces it, where Windows
// lets them (ReplaceFileW would keep them, but takes the target away for a moment, and a writer
// killed in that moment would leave no target at all).
void TakeLooksOf(const std::wstring& target, intptr_t temporary) {
    const HANDLE to = reinterpret_cast<HANDLE>(temporary);
    PACL access = nullptr;
    PSECURITY_DESCRIPTOR security = nullptr;
    if (GetNamedSecurityInfoW(target.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &access, nullptr, &security) == ERROR_SUCCESS) {
        SetSecurityInfo(to, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, access,
                        nullptr);
        LocalFree(security);
    }
    FILE_BASIC_INFO looks = {}; // times of zero stay as they are
    looks.FileAttributes = GetFileAttributesW(target.c_str()) &
                           (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    if (looks.FileAttributes != 0)
        SetFileInformationByHandle(to, FileBasicInfo, &looks, sizeof looks);
}

} // namespace

bool SafeFileWriter::Open(const Text& requested, Placement placement) {
    Abandon();
    Text path;
    if (requested.empty() || (path = FollowLinks(requested)).empty()) return false;
    const std::wstring target = WidePath(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES && !IsMissing(GetLastError())) return false;
    if (attributes != INVALID_FILE_ATTRIBUTES && placement == Placement::Replace) {
        // A folder, a read-only file or one that another program holds without sharing is
        // refused now, as the replacement would be refused.
        if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return false;
        if (!Handle(CreateFileW(target.c_str(), GENERIC_WRITE | DELETE, ShareAll, nullptr,
                                OPEN_EXISTING, 0, nullptr)))
            return false;
    }
    const size_t last = path.find_last_of("\\/");
    folderPath_ = path.substr(0, last + 1);
    name_ = path.substr(last + 1);
    placement_ = placement;
    failed_ = false;
    if (!CreateTemporary(0)) return false;
    if (attributes != INVALID_FILE_ATTRIBUTES) TakeLooksOf(target, _get_osfhandle(file_));
    return true;
}

bool SafeFileWriter::CreateTemporary(int mode) { return ClaimTemporaryName(true, mode); }

bool SafeFileWriter::ClaimTemporaryName(bool, int) {
    RemoveAbandoned(folderPath_, TemporaryPrefixOf(name_));
    for (int attempt = 0; attempt < 16; ++attempt) {
        const Text name = UniqueTemporaryNameOf(name_);
        const HANDLE created =
            CreateFileW(WidePath(folderPath_ + name).c_str(), GENERIC_WRITE | WRITE_DAC, 0, nullptr,
                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS) continue;
            return false;
        }
        file_ = _open_osfhandle(reinterpret_cast<intptr_t>(created), _O_WRONLY | _O_BINARY);
        if (file_ < 0) {
            CloseHandle(created);
            DeleteFileW(WidePath(folderPath_ + name).c_str());
            return false;
        }
        temporaryName_ = name;
        return true;
    }
    return false;
}

bool SafeFileWriter::PutInPlace() {
    const std::wstring temporary = WidePath(folderPath_ + temporaryName_),
                       target = WidePath(folderPath_ + name_);
    _close(file_);
    file_ = -1;
    const DWORD flags =
        MOVEFILE_WRITE_THROUGH | (placement_ == Placement::Replace ? MOVEFILE_REPLACE_EXISTING : 0);
    // Writers of one target at once take turns: one that finds the target busy tries again.
    for (int attempt = 0; attempt < PlaceAttempts; ++attempt) {
        if (MoveFileExW(temporary.c_str(), target.c_str(), flags)) {
            temporaryName_.clear();
            return true;
        }
        const DWORD error = GetLastError();
        if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
            return placement_ == Placement::KeepExisting; // Abandon removes ours
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) return false;
        Sleep(2);
    }
    return false;
}

bool SafeFileWriter::Commit(bool) {
    if (file_ < 0) return false;
    const bool ok = FlushBuffer() && _commit(file_) == 0 && PutInPlace();
    Abandon();
    return ok;
}

void SafeFileWriter::Abandon() {
    if (file_ >= 0) _close(file_);
    if (!temporaryName_.empty()) DeleteFileW(WidePath(folderPath_ + temporaryName_).c_str());
    file_ = -1;
    temporaryName_.clear();
    buffer_.clear();
}

bool SyncFolder(const Text&) { return true; } // MOVEFILE_WRITE_THROUGH and ReplaceFileW did it
