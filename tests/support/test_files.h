// What the test programs share: whole files in and out, case tables kept beside the tests, a
// private folder per test that is also ProgramDir, and (POSIX) steps run in a child process
// that has no room left on its disk or no root rights.
#pragma once
#include "chart/chart.h"
#include "system/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>
#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace testsupport {

namespace fs = std::filesystem;

inline Text Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void Spit(const fs::path& path, const Text& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline Text TestData(const Text& name) {
    return TextOfPath(fs::path(BRONDEL_TESTS_DIR) / PathOfText(name));
}

// The rows of a tab-separated case table under tests/ ('#' lines and blank lines skipped),
// every field with the escapes \r \n \t \0 \\ and \xHH decoded.
inline std::vector<std::vector<Text>> Cases(const Text& name) {
    std::ifstream in(TestData(name));
    EXPECT_TRUE(in.is_open()) << name;
    std::vector<std::vector<Text>> rows;
    for (Text line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        rows.emplace_back(1);
        for (size_t i = 0; i < line.size(); ++i) {
            const char c = line[i], escaped = c == '\\' ? line[++i] : 0;
            if (c == '\t')
                rows.back().emplace_back();
            else if (escaped == 'x')
                rows.back().back() += char(std::stoi(line.substr(i + 1, 2), 0, 16)), i += 2;
            else if (escaped)
                rows.back().back() += Text("\r\n\t\0\\", 5)[Text("rnt0\\").find(escaped)];
            else
                rows.back().back() += c;
        }
    }
    return rows;
}

// A step of a case table, "query → answer", split at its arrow.
inline std::pair<Text, Text> Step(const Text& field) {
    const size_t arrow = std::min(field.find(" → "), field.size());
    return {field.substr(0, arrow), field.substr(std::min(arrow + 5, field.size()))};
}

#ifdef _WIN32
inline int ProcessId() { return _getpid(); }
// Handles of every kind: a file left open shows as one more.
inline long OpenFileCount() {
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    return static_cast<long>(handles);
}
#else
inline int ProcessId() { return getpid(); }
inline long OpenFileCount() { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); }

// Runs step in a child process whose files may not grow past fileSize bytes (a write past it
// fails) and which, when asked, first gives up root, past which no permission stands; the
// result is step's, as the child's exit status (-1 when it throws, 99 when it cannot start).
inline int InChild(const std::function<int()>& step, rlim_t fileSize = RLIM_INFINITY,
                   bool asNobody = false) {
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit files{fileSize, fileSize};
        if (setrlimit(RLIMIT_FSIZE, &files) != 0 ||
            (asNobody && geteuid() == 0 && setuid(65534) != 0))
            _exit(99);
        [&]() noexcept { _exit(step()); }(); // a throw ends the child, never back into the tests
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

// The test program's own folders in the temporary folder start with this.
inline Text ScratchPrefix() { return "brondel-" + std::to_string(ProcessId()); }

// A new folder in the temporary folder, removed with all it holds when it goes out of scope,
// also when the test fails.
struct ScratchFolder {
    explicit ScratchFolder(Text name) {
        std::ranges::replace(name, '/', '-'); // a parameterised test's name holds a '/'
        for (int attempt = 0;; ++attempt) {
            path = fs::temp_directory_path() /
                   PathOfText(ScratchPrefix() + "-" + name + "-" + std::to_string(attempt));
            if (fs::create_directory(path)) break;
        }
    }
    ~ScratchFolder() { fs::remove_all(path, ignored); }
    std::error_code ignored;
    fs::path path;
};

// Fails the program's run when it leaves anything of its own in the temporary folder (made
// since it started: a program of the same number long ago may have left something too).
struct NothingLeftBehind : ::testing::Environment {
    void TearDown() override {
        const Text prefix = ScratchPrefix();
        for (const auto& entry : fs::directory_iterator(fs::temp_directory_path()))
            if (const Text name = TextOfPath(entry.path().filename());
                name.rfind(prefix, 0) == 0 && !std::isdigit(name[prefix.size()]) &&
                entry.last_write_time() >= started)
                ADD_FAILURE() << "left behind: " << name, fs::remove_all(entry.path());
    }
    const fs::file_time_type started = fs::file_time_type::clock::now();
};
inline auto* const NothingLeft = ::testing::AddGlobalTestEnvironment(new NothingLeftBehind);

// A private folder per test, which is also ProgramDir, and an empty Chart; no test may leave
// a file open.
class ScratchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        openFiles = OpenFileCount();
        ProgramDir = TextOfPath(dir) + PathSeparator;
        ClearChart();
        LastProject = LastProjectDir = "";
    }
    void TearDown() override {
        EXPECT_EQ(OpenFileCount(), openFiles) << "a file was left open";
        SetCurrentDir(TextOfPath(fs::temp_directory_path()));
    }
    Text Path(const Text& name) const {
        return TextOfPath(dir / PathOfText(name).make_preferred());
    }
    size_t EntryCount(const Text& folder = "") const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir / folder), {}));
    }
    ScratchFolder scratch{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    fs::path dir = scratch.path;
    long openFiles = 0;
};

} // namespace testsupport
