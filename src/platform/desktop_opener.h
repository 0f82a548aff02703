#pragma once
#include "text.h"
enum class OpenOutcome { Opened, NotOpened, DesktopToldUser };
// Hands file to the desktop to be opened with the program for its type, never through a
// shell, and returns within about a second: Opened when the desktop took it, NotOpened
// when it could not (the caller tells the user), DesktopToldUser when the desktop itself
// already showed the failure (the caller adds nothing).
OpenOutcome OpenOnDesktop(const Text& file, const Text& workingFolder);
