// File helpers shared by the test programs: whole files in and out, CR LF lines, and running a
// step while files may not grow past a limit (a disk that fills up part-way).
#pragma once
#include "platform/text.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/resource.h>
#include <vector>

namespace testsupport {

inline Text Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void Spit(const std::filesystem::path& path, const Text& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Splits at CR LF; the text must end with one.
inline std::vector<Text> CrLfLines(const Text& bytes) {
    std::vector<Text> lines;
    size_t start = 0;
    for (size_t end; (end = bytes.find("\r\n", start)) != Text::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "text does not end with CR LF";
    return lines;
}

// Runs step while no file may grow beyond limit bytes (SIGXFSZ ignored, so writes fail).
inline void WithFileSizeLimit(rlim_t limit, const std::function<void()>& step) {
    struct sigaction ignore {
    }, previous{};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previous);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &small);
    step();
    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &previous, nullptr);
}

} // namespace testsupport
