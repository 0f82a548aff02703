// The editor: everything happens in RunBrondel (src/editor/event_loop.cpp).
#include "editor/editor.h"

int main(int argc, char** argv) { return RunBrondel(argc, argv); }
