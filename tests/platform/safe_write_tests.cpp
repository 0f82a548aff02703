// The safe writer under crashes and races: a writer killed in the middle, a name as long as a
// name may be, and an image name taken while the image is written. Each runs with the
// kernel's unnamed temporary files and with named ones, the fallback where there are none.
#include "platform/files.h"

#include "test_files.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using testsupport::Slurp;
using testsupport::Spit;

namespace {

class SafeWriteTest : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        fs::create_directories(dir);
        UseNamedTemporaryFiles(GetParam());
    }
    void TearDown() override {
        UseNamedTemporaryFiles(false);
        fs::remove_all(dir);
    }
    std::vector<Text> Entries() const {
        std::vector<Text> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.push_back(entry.path().filename());
        return names;
    }
    fs::path dir = fs::temp_directory_path() / ("brondel-safe-" + std::to_string(getpid()));
};

TEST_P(SafeWriteTest, AWriterKilledMidWayLeavesNothingPastTheNextWrite) {
    const fs::path target = dir / "page.html";
    Spit(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t writer = fork();
    if (writer == 0) {
        SafeFileWriter half;
        half.Open(target.string());
        half.Write(Text(1 << 20, 'x'));
        (void)!write(ready[1], "w", 1);
        pause();
    }
    close(ready[1]); // without a writer the read below ends at once
    char written;
    ASSERT_EQ(read(ready[0], &written, 1), 1);
    close(ready[0]);
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
    EXPECT_EQ(Slurp(target), "old");

    SafeFileWriter again;
    ASSERT_TRUE(again.Open(target.string()));
    for (const auto& entry : fs::directory_iterator(dir)) // no file is ever more open
        EXPECT_EQ(entry.status().permissions(), fs::perms::owner_read | fs::perms::owner_write);
    again.Write("new");
    ASSERT_TRUE(again.Commit());
    EXPECT_EQ(Slurp(target), "new");
    EXPECT_EQ(Entries(), std::vector<Text>{"page.html"});
}

TEST_P(SafeWriteTest, NamesUpToTheLimitAndImagesThatMustNotReplace) {
    const fs::path longest = dir / Text(255, 'n');
    SafeFileWriter writer;
    ASSERT_TRUE(writer.Open(longest.string()));
    writer.Write("long");
    ASSERT_TRUE(writer.Commit());
    EXPECT_EQ(Slurp(longest), "long");
    fs::remove(longest);

    const fs::path image = dir / "strek_middle.gif";
    ASSERT_TRUE(writer.Open(image.string(), Placement::KeepExisting));
    writer.Write("ours");
    Spit(image, "the user's"); // taken while the image is written
    EXPECT_TRUE(writer.Commit());
    EXPECT_EQ(Slurp(image), "the user's");
    EXPECT_EQ(Entries(), std::vector<Text>{"strek_middle.gif"});
}

INSTANTIATE_TEST_SUITE_P(Temporaries, SafeWriteTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Named" : "Unnamed"; });

} // namespace
