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

// The absolute path of the file that writing path reaches: every symbolic link followed, the
// last one too when the file it names does not exist yet (the user placed it: the file is
// made where it points, and the link stays). Empty when it cannot be told.
Text FollowLinks(const Text& path);

// The standard library's path of a text and back, as UTF-8 on every system (its narrow paths
// are in the ANSI code page on Windows, where no name outside it would survive).
std::filesystem::path PathOfText(const Text& text);
Text TextOfPath(const std::filesystem::path& path);

// The one way the programs write a file. A symbolic link is followed to the file it names;
// a target that exists but may not be written is refused. The bytes go to a temporary file in
// the target's folder that already has the final permissions (the old file's, or the default
// ones for a new file); Commit() flushes it to disk, puts it in place only if every write
// succeeded, and syncs the folder. A writer destroyed without a successful Commit() removes its
// temporary file.
//
// When writers meet: whatever writers of one target run at once and however they are killed,
// the target holds its whole old content or one writer's whole new content. Every writer has a
// temporary of its own: ".~brondel-" + 16 hex digits of the target name's hash + "-" + a part
// no other writer uses (process, counter, random digits). It holds that name from its creation
// (exclusive create, then an exclusive lock for the writer's whole life; on POSIX it checks,
// once locked, that the name still names its file, and else starts again under a new name),
// and only its own name is ever renamed into place. Before creating its temporary, a writer
// removes those of the same target whose writers died (their lock is free). Nobody waits for
// anybody. Where the system allows it, the temporary has no name until it is complete (POSIX
// O_TMPFILE, locked from its creation), so a crash leaves nothing behind. On Windows a file
// created exclusively without sharing cannot be opened or deleted by another while its writer
// lives, which serves as the lock.
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

// The one way the programs read a whole file (the preference store, the images of a
// single-file page). It opens without blocking (a named pipe or a device never holds it up),
// reads only a regular file, and answers:
//   Read       bytes holds the whole file (at most maxBytes of them);
//   Missing    nothing has the name (ENOENT; ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND);
//   NotRegular the name is a folder, device, pipe or socket, or a symbolic link while
//              followLinks is false (the link itself is never read through then);
//   TooLarge   the file holds more than maxBytes bytes;
//   Failed     anything else: no rights, a read error, no memory for the bytes.
enum class ReadOutcome { Read, Missing, NotRegular, TooLarge, Failed };
// bytes receives the whole file on Read, and nothing otherwise.
ReadOutcome ReadWholeFile(const Text& path, Text& bytes, size_t maxBytes = SIZE_MAX,
                          bool followLinks = true);

// Flushes a folder's entries to disk: files put in place there survive a power loss.
bool SyncFolder(const Text& folder);

// Where the system's unnamed temporary files cannot be used (and in tests): named ones.
void UseNamedTemporaryFiles(bool named);

// Numbered line files, as the page generator uses them (file 323).
int FileCreate(int number, const Text& path); // nonzero on success; becomes the current file
int FileWriteLine(const Text& text);          // writes text + CR LF to the current file
int FileClose(int number);                    // commits; nonzero when every byte reached the file
void CloseAllFiles();                         // abandons files still open (program end)
