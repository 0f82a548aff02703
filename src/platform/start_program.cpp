// StartProgram: the working-folder rule and the hand-over to the desktop.
#include "start_program.h"

#include "files.h"

#include <cstdlib>
#ifdef _WIN32
#include "desktop_opener.h"
#else
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

static DesktopOpener desktopOpener;

void SetDesktopOpener(DesktopOpener opener) { desktopOpener = std::move(opener); }

Text StartProgramWorkingFolder(const Text& file, const Text& directory, PathRules rules) {
    if (!directory.empty()) return directory;
    size_t last = LastPathSeparator(file, rules);
    if (last == Text::npos || last == 0) return {};
    return file.substr(0, last + 1);
}

#ifndef _WIN32
// Percent-encodes everything but unreserved bytes and '/', so any path is a valid URL.
static Text FileUrl(const Text& path) {
    static const char* hex = "0123456789ABCDEF";
    Text url = "file://";
    for (unsigned char c : path) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
        if (plain) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        }
    }
    return url;
}

static bool OpenWithXdgOpen(const Text& file, const Text&) {
    Text url = FileUrl(file);
    char program[] = "xdg-open";
    char* argv[] = {program, url.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) != 0) return false;
    int status = 0;
    // xdg-open hands the URL on and ends; its status tells whether the desktop took it.
    if (waitpid(pid, &status, 0) != pid) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
#endif

// Where the desktop already told the user that it could not open the file, the caller adds
// nothing: that counts as taken.
static bool OpenWithTheDesktop(const Text& file, const Text& folder) {
#ifdef _WIN32
    return OpenOnDesktop(file, folder) != OpenOutcome::NotOpened;
#else
    return OpenWithXdgOpen(file, folder);
#endif
}

intptr_t StartProgram(const Text& file, const Text& parameters, const Text& directory,
                      uint32_t flags) {
    (void)parameters;
    (void)flags;
    if (file.empty()) return 0;
    Text folder = StartProgramWorkingFolder(file, directory);
    SetCurrentDir(ProgramDir);
    Text absolute = file;
    if (!IsAbsolutePath(file))
        absolute = ProgramDir + file; // relative names mean beside the program
    bool opened =
        desktopOpener ? desktopOpener(absolute, folder) : OpenWithTheDesktop(absolute, folder);
    return opened ? 1 : 0;
}
