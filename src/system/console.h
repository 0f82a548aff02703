// The program's arguments and what it prints, as UTF-8 texts on every system.
#pragma once
#include "text.h"

#include <cstdio>

// Windows hands main() its arguments in the ANSI code page, where most names do not fit: there
// argv is replaced by the wide command line's arguments as UTF-8. Elsewhere nothing changes.
void TakeUtf8Arguments(int& argc, char**& argv);
// Prints text on stdout or stderr: on a Windows console through its wide API, so that every
// name shows, else as its bytes.
void PrintText(std::FILE* stream, const Text& text);
// Whether text printed on the stream reaches anyone. A Windows window program has no console
// of its own: it prints into the console it was started from, or where its output was sent;
// false when there is neither (started from the desktop). Always true elsewhere.
bool CanPrintOn(std::FILE* stream);
