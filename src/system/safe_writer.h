// What the two halves of the safe writer share: files_posix.cpp and files_windows.cpp build
// it on each system's own calls, files.cpp holds the rest. The rule when writers meet is
// described in files.h: a temporary name of its own for every writer, held from its creation,
// and only that name renamed into place.
#pragma once
#include "files.h"

namespace safewrite {

constexpr size_t WriteBufferSize = 65536;
// Tries at a temporary name of its own; one is lost only when a cleaner took it between its
// creation and its lock, so a few are plenty.
constexpr int ClaimAttempts = 64;

bool MayReplace(const Text& target);
// ".~brondel-" + the 16 hex digits of the target name's hash + "-": every temporary of the
// target starts so, and nothing else does.
Text TemporaryPrefixOf(const Text& name);
// The prefix followed by a part that no other writer, in this process or another, uses.
Text UniqueTemporaryNameOf(const Text& name);
bool UsingNamedTemporaries();
bool WriteAll(int file, const char* bytes, size_t count); // every byte, or false

} // namespace safewrite
