// The editor's start-up as a user gets it, ended the moment the loop first waits with the
// main window painted. bench/run-benchmarks times whole runs of this program and reads
// their peak memory.
#include "editor/editor.h"
#include "gui/gui.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    SetBeforeWaitHook([] {
        // By now start-up has drawn the whole Chart and the window has been shown.
        std::fflush(stdout);
        std::_Exit(0);
    });
    return RunBrondel(argc, argv);
}
