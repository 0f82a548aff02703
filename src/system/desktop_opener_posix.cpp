// Opening a file on freedesktop systems: xdg-open with the file's URL. Outside GNOME and KDE
// xdg-open runs the browser itself in the foreground, so it is never waited for beyond its
// first second: what it says by then (it could not be started, or ended with a failure) is
// its answer, and once it is still running it has found a program. An intermediate child
// takes that answer and ends, so that xdg-open goes on under init and no zombie is left.
#include "desktop_opener.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int AnswerMilliseconds = 1000;

// Percent-encodes everything but unreserved bytes and '/', so any path is a valid URL.
Text FileUrl(const Text& path) {
    Text url = "file://";
    for (unsigned char c : path) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '_' || c == '.' ||
                           c == '~';
        if (plain) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += HexDigits[c >> 4];
            url += HexDigits[c & 15];
        }
    }
    return url;
}

// Looked up before forking: after fork only the simplest calls are safe in a program with
// threads (Qt's).
Text FindProgram(const char* name) {
    const char* path = getenv("PATH");
    Text folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    for (size_t from = 0; from <= folders.size();) {
        size_t end = folders.find(':', from);
        if (end == Text::npos) end = folders.size();
        const Text folder = end > from ? folders.substr(from, end - from) : ".";
        const Text candidate = folder + "/" + name;
        struct stat info = {};
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            access(candidate.c_str(), X_OK) == 0)
            return candidate;
        from = end + 1;
    }
    return {};
}

// Runs in the intermediate child: starts the opener and reports 1 when it took the file (it
// ended well, or still runs after a second), 0 when it failed.
[[noreturn]] void StartAndReport(const char* program, char* const argv[], const char* folder,
                                 int report) {
    const pid_t opener = fork();
    if (opener == 0) {
        const int nothing = open("/dev/null", O_RDONLY);
        if (nothing >= 0) dup2(nothing, STDIN_FILENO);
        dup2(STDERR_FILENO,
             STDOUT_FILENO); // a program's output is its own (brondel-generate's paths)
        // A folder that cannot be entered leaves the opener in ours; (void) does not quiet
        // the warning that _FORTIFY_SOURCE builds give for an unused result.
        [[maybe_unused]] const int entered = *folder ? chdir(folder) : 0;
        execve(program, argv, environ);
        _exit(127);
    }
    char answer = opener > 0 ? 1 : 0;
    const timespec tick{0, 10 * 1000 * 1000};
    for (int waited = 0; opener > 0 && waited < AnswerMilliseconds; waited += 10) {
        int status = 0;
        const pid_t ended = waitpid(opener, &status, WNOHANG);
        if (ended == opener) {
            answer = WIFEXITED(status) && WEXITSTATUS(status) == 0;
            break;
        }
        if (ended < 0 && errno != EINTR) break;
        nanosleep(&tick, nullptr);
    }
    (void)!write(report, &answer, 1);
    _exit(0);
}

} // namespace

OpenOutcome OpenOnDesktop(const Text& file, const Text& workingFolder) {
    const Text program = FindProgram("xdg-open");
    if (program.empty() || file.empty()) return OpenOutcome::NotOpened;
    Text url = FileUrl(file);
    char name[] = "xdg-open";
    char* const argv[] = {name, url.data(), nullptr};
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return OpenOutcome::NotOpened;
    const pid_t middle = fork();
    if (middle == 0) {
        close(report[0]);
        StartAndReport(program.c_str(), argv, workingFolder.c_str(), report[1]);
    }
    close(report[1]);
    char answer = 0;
    ssize_t got = -1;
    if (middle > 0) do
            got = read(report[0], &answer, 1);
        while (got < 0 && errno == EINTR);
    close(report[0]);
    if (middle > 0)
        while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
        }
    return got == 1 && answer == 1 ? OpenOutcome::Opened : OpenOutcome::NotOpened;
}
