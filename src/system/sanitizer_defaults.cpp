// Linked into every program of a sanitizer build (BRONDEL_SANITIZE), so that the build's own
// test discovery, ctest and any run by hand report our faults and nothing else, without an
// environment to set up first.

// Leaks that are not ours: fontconfig keeps its caches, and D-Bus its connection data, for the
// life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n";
}

// Where undefined behaviour was met, not only what.
extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1"; }
