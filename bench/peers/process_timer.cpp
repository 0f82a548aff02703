// Times whole processes side by side: each round starts every command once, in an order that
// alternates from round to round, and waits for it. Prints one line per run:
//   ROUND COMMAND_INDEX MILLISECONDS PEAK_KIB
// so that the caller can pair the runs of one round. Standard output and error of the commands
// go to /dev/null.
//
//   process_timer ROUNDS -- COMMAND ARGS... [-- COMMAND ARGS...]...
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

struct Run {
    double milliseconds = -1;
    long peakKib = 0;
};

Run Time(std::vector<char*>& argv) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    Run run;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status) &&
            WEXITSTATUS(status) == 0) {
            run.milliseconds =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            run.peakKib = usage.ru_maxrss;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4 || std::strcmp(argv[2], "--") != 0) {
        std::fputs("usage: process_timer ROUNDS -- COMMAND ARGS... [-- COMMAND ARGS...]...\n",
                   stderr);
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    std::vector<std::vector<char*>> commands;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            commands.emplace_back();
            continue;
        }
        commands.back().push_back(argv[i]);
    }
    for (auto& command : commands) command.push_back(nullptr);
    const size_t count = commands.size();
    for (int round = 0; round < rounds; ++round)
        for (size_t k = 0; k < count; ++k) {
            const size_t index = round % 2 ? count - 1 - k : k;
            const Run run = Time(commands[index]);
            if (run.milliseconds < 0) {
                std::fprintf(stderr, "process_timer: %s failed\n", commands[index][0]);
                return 1;
            }
            std::printf("%d %zu %.4f %ld\n", round, index, run.milliseconds, run.peakKib);
        }
    return 0;
}
