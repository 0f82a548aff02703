// What the two halves of the safe writer share: files_posix.cpp and files_windows.cpp build
// it on each system's own calls, files.cpp holds the rest.
#pragma once
#include "files.h"

namespace safewrite {

constexpr size_t WriteBufferSize = 65536;
constexpr int ClaimAttempts = 2500; // a live writer holding the name is waited for up to 5 s

bool MayReplace(const Text& target);
Text TemporaryNameOf(const Text& name);
bool UsingNamedTemporaries();
bool WriteAll(int file, const char* bytes, size_t count); // every byte, or false

} // namespace safewrite
