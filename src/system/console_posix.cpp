// Arguments and output on POSIX systems, which pass UTF-8 bytes through as they are.
#include "console.h"

void TakeUtf8Arguments(int&, char**&) {}

void PrintText(std::FILE* stream, const Text& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

bool CanPrintOn(std::FILE*) { return true; }
