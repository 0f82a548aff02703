// Files: the safe writer keeps the old file through every failure, numbered line files, the
// program folder, and handing a file to the desktop.
#include "system/files.h"
#include "system/start_program.h"

#include "test_files.h"

#include <chrono>

using namespace testsupport;
using Files = ScratchTest;

#ifndef _WIN32
// 0 when every byte reached path, 1 when the writer refused it, 2 when the commit failed.
static int WriteWhole(const Text& path) {
    SafeFileWriter writer;
    if (!writer.Open(path)) return 1;
    writer.Write(Text(100000, 'n'));
    return writer.Commit() ? 0 : 2;
}
#endif

TEST_F(Files, TheOldFileSurvivesEveryFailureByteForByte) {
#ifdef _WIN32
    GTEST_SKIP() << "file modes, another user and a full disk are POSIX's; Windows' refusals "
                    "are tested in windows_files_tests.cpp";
#else
    Spit(dir / "old.txt", "old");
    Spit(dir / "read-only.txt", "old");
    fs::permissions(dir / "read-only.txt", fs::perms::owner_read);
    fs::permissions(dir, fs::perms::all); // only the file's own mode may refuse the writer
    fs::create_directory(dir / "folder");
    fs::create_directory(dir / "locked"); // a file that may be written in a folder that may not
    Spit(dir / "locked" / "open.txt", "old");
    fs::permissions(dir / "locked" / "open.txt", fs::perms::all);
    fs::permissions(dir / "locked", fs::perms::owner_all | fs::perms::others_exec);
    for (const Text& refused :
         {Path("missing/new.txt"), Path("old.txt/below.txt"), Path("folder"), Text()})
        EXPECT_EQ(WriteWhole(refused), 1) << refused;
    for (const Text& refused : {Path("read-only.txt"), Path("locked/open.txt")})
        EXPECT_EQ(InChild([&] { return WriteWhole(refused); }, RLIM_INFINITY, true), 1) << refused;
    EXPECT_EQ(InChild([&] { return WriteWhole(Path("old.txt")); }, 4096), 2);
    EXPECT_EQ(Slurp(dir / "old.txt") + Slurp(dir / "read-only.txt"), "oldold");
    EXPECT_EQ(EntryCount() + EntryCount("locked"), 5u) << "a temporary file was left behind";
#endif
}

TEST_F(Files, NumberedFilesWriteLinesEndedByCrLf) {
    ASSERT_NE(FileCreate(323, Path("page.html")), 0);
    EXPECT_EQ((std::pair{FileWriteLine("<html>"), FileWriteLine("")}), std::pair(8, 2));
#ifndef _WIN32
    EXPECT_EQ(EntryCount(), 0u) << "a named temporary where the kernel offers unnamed ones";
#endif
    EXPECT_NE(FileClose(323), 0);
    EXPECT_EQ(FileWriteLine("after close") + FileClose(323), 0);
    EXPECT_EQ(FileCreate(323, Path("missing/page.html")) + FileWriteLine("nowhere"), 0);
    EXPECT_EQ(Slurp(dir / "page.html"), "<html>\r\n\r\n");
    Spit(dir / "plain.html", "");
    EXPECT_EQ(fs::status(dir / "page.html").permissions(),
              fs::status(dir / "plain.html").permissions())
        << "a new file as any program makes it";
    ASSERT_NE(FileCreate(324, Path("dropped.html")), 0); // abandoned, never written
    CloseAllFiles();
    EXPECT_EQ(FileClose(324) + fs::exists(dir / "dropped.html"), 0);
}

#ifndef _WIN32 // Windows: in windows_files_tests.cpp
TEST_F(Files, ProgramDirIsTheFolderOfTheRunningProgram) {
    TakeProgramDir("/somewhere/else");
    EXPECT_EQ(ProgramDir, fs::read_symlink("/proc/self/exe").parent_path().string() + "/");
}
#endif

#ifndef _WIN32 // the Windows opener: windows_files_tests.cpp
// The desktop's opener is a stand-in xdg-open on PATH that notes its folder and URL and ends
// with the status the page's name asks for; "slow.html" keeps it running as a browser would.
TEST_F(Files, StartProgramHandsTheFileAndItsFolderToXdgOpenAndTellsWhetherItOpened) {
    fs::create_directories(dir / "charts");
    Spit(dir / "xdg-open", "#!/bin/sh\necho \"$PWD $1\" >> \"$0.log\"\n"
                           "case \"$1\" in *slow.html) echo $$ > \"$0.pid\"; exec sleep 8;;\n"
                           "*no.html) exit 3;; esac\n");
    fs::permissions(dir / "xdg-open", fs::perms::owner_all);
    const Text path = getenv("PATH");
    setenv("PATH", (dir.string() + ":" + path).c_str(), 1);
    SetCurrentDir(Path("charts"));
    EXPECT_EQ(StartProgram(Path("charts/AZaz09@[`{: \xC3\xA9-_~.html"), "", "", 0),
              OpenOutcome::Opened);
    EXPECT_EQ(fs::current_path(), dir);
    EXPECT_EQ(StartProgram("staff.html", "", Path("charts"), 0), OpenOutcome::Opened);
    EXPECT_EQ(StartProgram(Path("no.html"), "", "", 0), OpenOutcome::NotOpened);
    EXPECT_EQ(StartProgram("", "", "", 0), OpenOutcome::NotOpened);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(StartProgram(Path("slow.html"), "", "", 0), OpenOutcome::Opened);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(4));
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1) << "a child is left to reap";
    const int slow = std::atoi(Slurp(dir / "xdg-open.pid").c_str());
    if (slow > 0) kill(slow, SIGKILL);
    const auto opened = [&](const Text& in, const Text& url) {
        return in + " file://" + url + "\n";
    };
    EXPECT_EQ(Slurp(dir / "xdg-open.log"),
              opened(Path("charts"), Path("charts/AZaz09%40%5B%60%7B%3A%20%C3%A9-_~.html")) +
                  opened(Path("charts"), Path("staff.html")) +
                  opened(dir.string(), Path("no.html")) + opened(dir.string(), Path("slow.html")));
    setenv("PATH", (dir.string() + "/charts").c_str(), 1); // no xdg-open anywhere
    EXPECT_EQ(StartProgram(Path("page.html"), "", "", 0), OpenOutcome::NotOpened);
    setenv("PATH", path.c_str(), 1);
}
#endif
