// The safe writer under crashes and races, with the kernel's unnamed temporary files and with
// named ones (the fallback where there are none): a target whose name is as long as a name may
// be, an image name taken while the image is written, and writers of one target at once,
// killed at random.
#include "system/files.h"

#include "test_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <memory>
#include <random>
#include <set>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using testsupport::Slurp;
using testsupport::Spit;

class SafeWriteTest : public ::testing::TestWithParam<bool> {};

TEST_P(SafeWriteTest, LongNamesKeptPermissionsAndImagesThatMustNotReplace) {
    UseNamedTemporaryFiles(GetParam());
    const testsupport::ScratchFolder scratch("safe");
    const fs::path& dir = scratch.path;
    const fs::path target = dir / Text(255, 'n'), image = dir / "strek_middle.gif";
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write;
    Spit(target, "old");
    fs::permissions(target, mode);
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
}

INSTANTIATE_TEST_SUITE_P(UnnamedAndNamedTemporaries, SafeWriteTest, ::testing::Bool());

// Writers of one target at once with named temporaries: two in turn both get through; many,
// killed at random while the target is read over and over, leave in every read the whole old
// content or one writer's whole new content, and one more writer leaves no temporary behind.
// POSIX only (fork, SIGKILL).
using SafeWriteMeeting = testsupport::ScratchTest;
TEST_F(SafeWriteMeeting, ManyWritersKilledAtRandomLeaveOldOrOneWholeNewContent) {
    constexpr int Writers = 26; // many small writes: many writers meeting at a new name
    UseNamedTemporaryFiles(true);
    const Text target = Path("page.html");
    SafeFileWriter first, second; // neither waits for the other
    ASSERT_TRUE(first.Open(target) && second.Open(target));
    first.Write("first"), second.Write("old");
    ASSERT_TRUE(first.Commit() && second.Commit());
    ASSERT_EQ(Slurp(target), "old");
    const auto contentOf = [](int n) { return Text((1 << 15) + 1024 * n, char('a' + n)); };
    std::vector<pid_t> writers(Writers);
    const auto restart = [&](int n) { // writer n killed wherever it is, and started again
        if (writers[n] > 0 && kill(writers[n], SIGKILL) == 0) waitpid(writers[n], nullptr, 0);
        if ((writers[n] = fork()) != 0) return;
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const Text content = contentOf(n);
        for (SafeFileWriter writer;; writer.Commit())
            if (writer.Open(target)) writer.Write(content);
    };
    std::shared_ptr<void> stop(nullptr, [&](void*) { // also when the test fails
        for (pid_t writer : writers)
            if (writer > 0 && kill(writer, SIGKILL) == 0) waitpid(writer, nullptr, 0);
        UseNamedTemporaryFiles(false);
    });
    for (int n = 0; n < Writers; ++n) restart(n);
    std::mt19937 random(20);
    std::set<char> seen;
    int bad = 0;
    for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
         std::chrono::steady_clock::now() < end;) {
        const Text read = Slurp(target);
        const int n = read.empty() ? -1 : read[0] - 'a';
        if (read != "old" && (n < 0 || n >= Writers || read != contentOf(n)) && ++bad <= 3)
            ADD_FAILURE() << "read " << read.size() << " bytes";
        seen.insert(read[0]);
        if (random() % 8 == 0) restart(static_cast<int>(random() % Writers));
    }
    stop.reset();
    EXPECT_EQ(bad, 0) << "reads of a page cut short or empty";
    EXPECT_GE(seen.size(), 3u) << "the writers did not get through";
    SafeFileWriter last;
    ASSERT_TRUE(last.Open(target));
    last.Write("new");
    ASSERT_TRUE(last.Commit());
    EXPECT_EQ(EntryCount(), 1u) << "a temporary file is left";
}
