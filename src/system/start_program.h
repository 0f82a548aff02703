// Opening a document or program with the desktop, as "Generate Chart" opens its page.
#pragma once
#include "desktop_opener.h"
#include "text.h"

#include <cstdint>

constexpr uint32_t StartWait = 1, StartHidden = 2;

// Opens file with the desktop (OpenOnDesktop). The working folder is the folder of file (or
// directory when given); a relative file is taken beside the program. Leaves ProgramDir as the
// current directory. NotOpened without a file. parameters and flags are not used by the
// desktop opener.
OpenOutcome StartProgram(const Text& file, const Text& parameters, const Text& directory,
                         uint32_t flags);
// The folder of file up to its last separator that is not its first character, or directory
// when that is given.
Text StartProgramWorkingFolder(const Text& file, const Text& directory,
                               PathRules rules = NativePaths);
