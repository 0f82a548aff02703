// The program folder, the current directory, safe whole-file writing and numbered files.
#include "files.h"

#include <cerrno>
#include <filesystem>
#include <map>
#include <memory>
#include <system_error>
#ifndef _WIN32
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
    std::error_code error;
    if (fs::symlink_status(target, error).type() == fs::file_type::not_found) return true;
    std::FILE* probe = std::fopen(target.c_str(), "r+b");
    if (!probe) return false;
    std::fclose(probe);
    return true;
}

} // namespace

bool SafeFileWriter::Open(const Text& requested) {
    Abandon();
    Text path;
    // Through a symbolic link the file it points to is written, and the link stays.
    if (requested.empty() || (path = FollowLinks(requested)).empty() || !MayReplace(path))
        return false;
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100 && !file_; ++attempt) {
#ifdef _WIN32
        long pid = 0;
#else
        long pid = static_cast<long>(getpid());
#endif
        temporary_ = path + ".~" + std::to_string(pid) + "-" + std::to_string(++counter);
        file_ = std::fopen(temporary_.c_str(), "wbx"); // exclusive: never reuse someone's file
        if (!file_ && errno != EEXIST) break;
    }
    if (!file_) {
        temporary_.clear();
        return false;
    }
    target_ = path;
    failed_ = false;
    return true;
}

void SafeFileWriter::Write(const char* bytes, size_t count) {
    if (!file_ || failed_ || count == 0) return;
    if (std::fwrite(bytes, 1, count, file_) != count) failed_ = true;
}

bool SafeFileWriter::Commit() {
    if (!file_) return false;
    bool ok = !failed_ && std::fflush(file_) == 0 && !std::ferror(file_);
#ifndef _WIN32
    if (ok) ok = fsync(fileno(file_)) == 0;
#endif
    ok = (std::fclose(file_) == 0) && ok;
    file_ = nullptr;
    std::error_code error;
    if (ok) {
        fs::file_status old = fs::status(target_, error);
        if (!error && fs::exists(old)) fs::permissions(temporary_, old.permissions(), error);
        error.clear();
        fs::rename(temporary_, target_, error);
        ok = !error;
    }
    if (!ok) fs::remove(temporary_, error);
    temporary_.clear();
    return ok;
}

void SafeFileWriter::Abandon() {
    if (!file_) return;
    std::fclose(file_);
    file_ = nullptr;
    std::error_code error;
    fs::remove(temporary_, error);
    temporary_.clear();
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
