// The preference store: the one reader and writer of the program's INI-style files (the
// chart file and the settings file). One process-wide file at a time, either created and
// written from top to bottom or opened and read whole for key lookups.
//
// Lines: "[" group "]", key " = " value, ";" comment; written with CR LF, read up to LF.
// Lookups ignore the case of ASCII letters and match whole keys and whole group names.
#pragma once
#include "system/text.h"

inline constexpr char PrefCommentChar = ';';

// Closes any open file, makes ProgramDir the current directory (whether or not the file can
// then be created), and starts writing path through a temporary file beside it. 0 on failure.
int PrefCreate(const Text& path);

// Closes any open file, makes ProgramDir the current directory, and reads path whole.
// 0 when the file cannot be opened or read or its text cannot be held, and at once for
// anything but a regular file (a named pipe would block).
int PrefOpen(const Text& path);

// Ends the current file. When writing, the file replaces its old version only if every byte
// was written and flushed; otherwise the old file stays as it was and the result is 0.
// Nonzero in every other case (including nothing open).
int PrefClose();

// Writing: writes the group's header line and returns 1.
// Reading: selects the first group whose header has this name (1), or no group at all (0),
// after which every lookup answers with its default. 0 when no file is open.
int PrefGroup(const Text& name);

int PrefWriteComment(const Text& text);                  // 1, or 0 when not writing
// Nothing for an empty key; a value holding CR or LF is written empty, as it would break
// its line in two.
void PrefWriteValue(const Text& key, const Text& value);

// The value of the first line in the selected group (or, before any PrefGroup, before the
// first header of the file) that carries key; defaultValue when there is none.
Text PrefReadValue(const Text& key, const Text& defaultValue = Text());
