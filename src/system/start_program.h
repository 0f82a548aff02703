// Opening a document or program with the desktop, as "Generate Chart" opens its page.
#pragma once
#include "text.h"

#include <cstdint>
#include <functional>

constexpr uint32_t StartWait = 1, StartHidden = 2;

// Hands a file to the desktop; returns true when the desktop took it. The editor installs
// one built on Qt; without one, the freedesktop opener "xdg-open" is started directly
// (never through a shell).
using DesktopOpener = std::function<bool(const Text& file, const Text& workingFolder)>;
void SetDesktopOpener(DesktopOpener opener);

// Opens file with the desktop. The working folder is the folder of file (or directory when
// given). Leaves ProgramDir as the current directory. Returns 0 when the desktop refused,
// nonzero otherwise. parameters and StartWait are not used by the desktop opener.
intptr_t StartProgram(const Text& file, const Text& parameters, const Text& directory,
                      uint32_t flags);
// The folder of file up to its last separator that is not its first character, or directory
// when that is given.
Text StartProgramWorkingFolder(const Text& file, const Text& directory,
                               PathRules rules = NativePaths);
