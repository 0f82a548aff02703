// Files of the platform layer (plain C++): the program folder, the current directory, and
// files that are written whole through a temporary file so that a failed write never
// destroys the file it was meant to replace.
#pragma once
#include "text.h"

#include <cstdio>

extern Text ProgramDir; // folder of the running executable, with a trailing PathSeparator

void TakeProgramDir(const char* argv0); // sets ProgramDir once at start-up
bool SetCurrentDir(const Text& folder);

// The absolute path of the file that writing path reaches: symbolic links followed.
Text FollowLinks(const Text& path);

// The one way the programs write a file. A symbolic link is followed to the file it names;
// a target that exists but may not be written is refused. The bytes go to a temporary file in
// the target's folder; Commit() flushes it to disk and moves it over the target only if every
// write succeeded, and the target keeps its permissions. A writer destroyed without a
// successful Commit() removes its temporary file.
class SafeFileWriter {
  public:
    SafeFileWriter() = default;
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    bool Open(const Text& path); // false when refused or the temporary file cannot be created
    bool IsOpen() const { return file_ != nullptr; }
    void Write(const char* bytes, size_t count);
    void Write(const Text& text) { Write(text.data(), text.size()); }
    bool Commit(); // true only when the target now holds every byte written
    void Abandon();

  private:
    std::FILE* file_ = nullptr;
    Text target_, temporary_;
    bool failed_ = false;
};

// Numbered line files, as the page generator uses them (file 323).
int FileCreate(int number, const Text& path); // nonzero on success; becomes the current file
int FileWriteLine(const Text& text);          // writes text + CR LF to the current file
int FileClose(int number);                    // commits; nonzero when every byte reached the file
void CloseAllFiles();                         // abandons files still open (program end)
