// Files of the platform layer (plain C++): the program folder, the current directory, and
// files that are written whole through a temporary file so that a failed write never
// destroys the file it was meant to replace.
#pragma once
#include "text.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>

extern Text ProgramDir; // folder of the running executable, with a trailing PathSeparator

void TakeProgramDir(const char* argv0); // sets ProgramDir once at start-up
bool SetCurrentDir(const Text& folder);

// The absolute path of the file that writing path reaches: symbolic links followed.
Text FollowLinks(const Text& path);

// The standard library's path of a text and back, as UTF-8 on every system (its narrow paths
// are in the ANSI code page on Windows, where no name outside it would survive).
std::filesystem::path PathOfText(const Text& text);
Text TextOfPath(const std::filesystem::path& path);

enum class ReadOutcome { Read, Missing, NotRegular, TooLarge, Failed };
// bytes receives the whole file on Read, and nothing otherwise.
ReadOutcome ReadWholeFile(const Text& path, Text& bytes, size_t maxBytes = SIZE_MAX,
                          bool followLinks = true);

// The one way the programs write a file. A symbolic link is followed to the file it names;
// a target that exists but may not be written is refused. The bytes go to a temporary file in
// the target's folder that already has the final permissions (the old file's, or the default
// ones for a new file); Commit() flushes it to disk, puts it in place only if every write
// succeeded, and syncs the folder. Where the system allows it the temporary file has no name
// until it is complete, so a crash leaves nothing behind; otherwise a temporary left by a
// writer that died is removed by the next write of the same target. A writer destroyed
// without a successful Commit() removes its temporary file.
enum class Placement {
    Replace,      // the file replaces whatever the target holds
    KeepExisting, // the file goes in place only if nothing has the target's name by then
};

class SafeFileWriter {
  public:
    SafeFileWriter() = default;
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // false when refused or the temporary file cannot be created
    bool Open(const Text& path, Placement placement = Placement::Replace);
    bool IsOpen() const { return file_ >= 0; }
    void Write(const char* bytes, size_t count);
    void Write(const Text& text) { Write(text.data(), text.size()); }
    // true when the target now holds every byte written (with KeepExisting: or was taken by
    // then, and keeps what it had). syncFolder false leaves the folder's sync to the caller,
    // who writes several files into it and calls SyncFolder once.
    bool Commit(bool syncFolder = true);
    void Abandon();

  private:
    bool CreateTemporary(int mode);
    bool ClaimTemporaryName(bool create, int mode);
    bool FlushBuffer();
    bool PutInPlace();

    int file_ = -1, folder_ = -1;
    Placement placement_ = Placement::Replace;
    Text folderPath_, name_, temporaryName_; // temporaryName_ stays empty while it has none
    Text buffer_;
    bool failed_ = false;
};

// Flushes a folder's entries to disk: files put in place there survive a power loss.
bool SyncFolder(const Text& folder);

// Where the system's unnamed temporary files cannot be used (and in tests): named ones.
void UseNamedTemporaryFiles(bool named);

// Numbered line files, as the page generator uses them (file 323).
int FileCreate(int number, const Text& path); // nonzero on success; becomes the current file
int FileWriteLine(const Text& text);          // writes text + CR LF to the current file
int FileClose(int number);                    // commits; nonzero when every byte reached the file
void CloseAllFiles();                         // abandons files still open (program end)
