// The safe writer under crashes and races, with the kernel's unnamed temporary files and with
// named ones (the fallback where there are none): a writer killed in the middle of writing a
// target whose name is as long as a name may be, and an image name taken while the image is
// written.
#include "platform/files.h"

#include "test_files.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using testsupport::Slurp;
using testsupport::Spit;

class SafeWriteTest : public ::testing::TestWithParam<bool> {};

TEST_P(SafeWriteTest, KilledWritersLongNamesAndImagesThatMustNotReplace) {
    UseNamedTemporaryFiles(GetParam());
    const testsupport::ScratchFolder scratch("safe");
    const fs::path& dir = scratch.path;
    const fs::path target = dir / Text(255, 'n'), image = dir / "strek_middle.gif";
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write;
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
}

INSTANTIATE_TEST_SUITE_P(UnnamedAndNamedTemporaries, SafeWriteTest, ::testing::Bool());
