// The editor: everything happens in RunBrondel (src/editor/event_loop.cpp).
#include "editor/editor.h"
#include "system/console.h"

int main(int argc, char** argv) {
    TakeUtf8Arguments(argc, argv); // Windows hands them over in its ANSI code page
    return RunBrondel(argc, argv);
}
