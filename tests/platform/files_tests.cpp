#include "platform/files.h"

#include "test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

using testsupport::Slurp;

class FilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("brondel-files-" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    size_t EntryCount() const { return std::distance(fs::directory_iterator(dir), {}); }
    fs::path dir;
};

TEST_F(FilesTest, NumberedFileWritesLinesWithCrLf) {
    Text path = (dir / "page.html").string();
    ASSERT_NE(FileCreate(323, path), 0);
    EXPECT_EQ(FileWriteLine("<html>"), 8);
    EXPECT_EQ(FileWriteLine(""), 2);
    EXPECT_NE(FileClose(323), 0);
    EXPECT_EQ(Slurp(path), "<html>\r\n\r\n");
    EXPECT_EQ(EntryCount(), 1u); // no temporary file left behind
    EXPECT_EQ(FileWriteLine("after close"), 0);
}

TEST_F(FilesTest, FailedCreateLeavesNoCurrentFile) {
    EXPECT_EQ(FileCreate(323, (dir / "missing" / "page.html").string()), 0);
    EXPECT_EQ(FileWriteLine("x"), 0);
    EXPECT_EQ(FileClose(323), 0);
    std::ofstream(dir / "plain") << "x";
    EXPECT_EQ(FileCreate(323, (dir / "plain" / "below.html").string()), 0);
}

TEST_F(FilesTest, CommitKeepsPermissionsOfTheReplacedFile) {
    fs::path target = dir / "chart.kpv";
    std::ofstream(target) << "old";
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    SafeFileWriter writer;
    ASSERT_TRUE(writer.Open(target.string()));
    writer.Write("new");
    ASSERT_TRUE(writer.Commit());
    EXPECT_EQ(Slurp(target), "new");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(FilesTest, AbandonedWriterLeavesTheOldFileAndNoTemporary) {
    fs::path target = dir / "chart.kpv";
    std::ofstream(target) << "old";
    {
        SafeFileWriter writer;
        ASSERT_TRUE(writer.Open(target.string()));
        writer.Write("half");
    }
    EXPECT_EQ(Slurp(target), "old");
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(FilesTest, RunningOutOfSpaceKeepsTheOldFileByteForByte) {
    fs::path target = dir / "big.kpv";
    Text old(3000, 'o');
    std::ofstream(target, std::ios::binary) << old;
    SafeFileWriter writer;
    bool opened = false, committed = true;
    testsupport::WithFileSizeLimit(4096, [&] {
        opened = writer.Open(target.string());
        writer.Write(Text(100000, 'n'));
        committed = writer.Commit();
    });
    ASSERT_TRUE(opened);
    EXPECT_FALSE(committed);
    EXPECT_EQ(Slurp(target), old);
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(FilesTest, ProgramDirAndCurrentDirEndInASeparator) {
    TakeProgramDir("/usr/bin/true");
    ASSERT_FALSE(ProgramDir.empty());
    EXPECT_EQ(ProgramDir.back(), PathSeparator);
    EXPECT_TRUE(SetCurrentDir(dir.string()));
    EXPECT_EQ(fs::path(CurrentDir()), fs::path(dir.string() + "/"));
    EXPECT_FALSE(SetCurrentDir((dir / "nowhere").string()));
}
