// The safe writer under crashes and races, with the kernel's unnamed temporary files and with
// named ones (the fallback where there are none): a writer killed in the middle of writing a
// target whose name is as long as a name may be, an image name taken while the image is
// written, and many writers of one target at once.
#include "platform/files.h"

#include "test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <set>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using testsupport::Slurp;
using testsupport::Spit;

class SafeWriteTest : public ::testing::TestWithParam<bool> {};

TEST_P(SafeWriteTest, KilledWritersLongNamesAndImagesThatMustNotReplace) {
    UseNamedTemporaryFiles(GetParam());
    const fs::path dir = fs::temp_directory_path() / ("brondel-safe-" + std::to_string(getpid()));
    const fs::path target = dir / Text(255, 'n'), image = dir / "strek_middle.gif";
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write;
    fs::create_directories(dir);
    Spit(target, "old");
    fs::permissions(target, mode);
    if (fork() == 0) { // killed in the middle of its write
        SafeFileWriter half;
        half.Open(target.string());
        half.Write(Text(1 << 20, 'x'));
        raise(SIGKILL);
    }
    wait(nullptr);
    SafeFileWriter writer;
    ASSERT_TRUE(writer.Open(target.string()));
    for (const auto& entry : fs::directory_iterator(dir)) // nothing is ever more open
        EXPECT_EQ(entry.status().permissions(), mode);
    writer.Write("new");
    ASSERT_TRUE(writer.Commit());
    EXPECT_EQ(Slurp(target), "new");

    ASSERT_TRUE(writer.Open(image.string(), Placement::KeepExisting));
    writer.Write("ours");
    Spit(image, "the user's");
    EXPECT_TRUE(writer.Commit());
    EXPECT_EQ(Slurp(image), "the user's");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 2) << "a temporary file is left";
    UseNamedTemporaryFiles(false);
    fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(UnnamedAndNamedTemporaries, SafeWriteTest, ::testing::Bool());

// Many writers of one target at once with named temporaries, killed at random while the
// target is read over and over: every read finds the whole old content or one writer's whole
// new content, and one more writer leaves no temporary behind. POSIX only (fork, SIGKILL).
TEST(SafeWriteMeeting, ManyWritersKilledAtRandomLeaveOldOrOneWholeNewContent) {
    constexpr int Writers = 24; // many small writes: many writers meeting at a new name
    UseNamedTemporaryFiles(true);
    struct Scratch { // writers and folder gone also when the test fails
        fs::path dir;
        std::vector<pid_t> writers;
        ~Scratch() {
            for (pid_t writer : writers) kill(writer, SIGKILL);
            for (pid_t writer : writers) waitpid(writer, nullptr, 0);
            fs::remove_all(dir);
            UseNamedTemporaryFiles(false);
        }
    } scratch{fs::temp_directory_path() / ("brondel-meet-" + std::to_string(getpid())), {}};
    const fs::path target = scratch.dir / "page.html";
    fs::create_directories(scratch.dir);
    Spit(target, "old");
    // Writer n's content: its own size and its own letter.
    auto contentOf = [](int n) { return Text((1 << 15) + 1024 * n, char('a' + n)); };
    auto startWriter = [&](int n) {
        const pid_t child = fork();
        if (child == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            for (const Text content = contentOf(n);;) {
                SafeFileWriter writer;
                if (!writer.Open(target.string())) continue;
                writer.Write(content.data(), content.size() / 2);
                writer.Write(content.data() + content.size() / 2,
                             content.size() - content.size() / 2);
                writer.Commit();
            }
        }
        return child;
    };
    for (int n = 0; n < Writers; ++n) scratch.writers.push_back(startWriter(n));
    std::mt19937 random(20);
    std::set<char> seen;
    int bad = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    for (int round = 0; std::chrono::steady_clock::now() < end; ++round) {
        const Text read = Slurp(target);
        const int n = read.empty() ? -1 : read[0] - 'a';
        const bool whole = read == "old" || (n >= 0 && n < Writers && read == contentOf(n));
        if (!whole && ++bad <= 3) ADD_FAILURE() << "read " << read.size() << " bytes";
        if (whole && read != "old") seen.insert(read[0]);
        if (round % 8 == 0) { // one writer killed, wherever it is, and started again
            pid_t& writer = scratch.writers[random() % Writers];
            kill(writer, SIGKILL);
            waitpid(writer, nullptr, 0);
            writer = startWriter(static_cast<int>(&writer - scratch.writers.data()));
        }
    }
    for (pid_t writer : scratch.writers) kill(writer, SIGKILL);
    for (pid_t writer : scratch.writers) waitpid(writer, nullptr, 0);
    scratch.writers.clear();
    EXPECT_EQ(bad, 0) << "reads of a page cut short or empty";
    EXPECT_GE(seen.size(), 2u) << "the writers did not get through";

    SafeFileWriter last;
    ASSERT_TRUE(last.Open(target.string()));
    last.Write(contentOf(0));
    ASSERT_TRUE(last.Commit());
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.dir), {}), 1)
        << "a temporary file is left";
}
