// StartProgram: the working-folder rule and the hand-over to the desktop.
#include "start_program.h"

#include "files.h"

Text StartProgramWorkingFolder(const Text& file, const Text& directory, PathRules rules) {
    if (!directory.empty()) return directory;
    size_t last = LastPathSeparator(file, rules);
    if (last == Text::npos || last == 0) return {};
    return file.substr(0, last + 1);
}

OpenOutcome StartProgram(const Text& file, const Text& parameters, const Text& directory,
                         uint32_t flags) {
    (void)parameters;
    (void)flags;
    if (file.empty()) return OpenOutcome::NotOpened;
    const Text folder = StartProgramWorkingFolder(file, directory);
    SetCurrentDir(ProgramDir);
    // Relative names mean beside the program.
    return OpenOnDesktop(IsAbsolutePath(file) ? file : ProgramDir + file, folder);
}
