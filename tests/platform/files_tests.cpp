// Files: the safe writer keeps the old file through every failure, numbered line files, the
// program folder, and handing a file to the desktop.
#include "platform/files.h"
#include "platform/start_program.h"

#include "test_files.h"

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
    EXPECT_EQ(FileWriteLine("<html>") + FileWriteLine(""), 8 + 2);
#ifndef _WIN32
    EXPECT_EQ(EntryCount(), 0u) << "a named temporary where the kernel offers unnamed ones";
#endif
    EXPECT_NE(FileClose(323), 0);
    EXPECT_EQ(FileWriteLine("after close") + FileClose(323), 0);
    EXPECT_EQ(FileCreate(323, Path("missing/page.html")) + FileWriteLine("nowhere"), 0);
    EXPECT_EQ(Slurp(dir / "page.html"), "<html>\r\n\r\n");
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

TEST_F(Files, StartProgramHandsTheFileAndItsFolderToTheDesktop) {
    Text handed;
    SetDesktopOpener([&](const Text& file, const Text& folder) {
        handed += file + "|" + folder + "\n";
        return file != "/refused.html";
    });
    fs::create_directory(dir / "elsewhere");
    SetCurrentDir(Path("elsewhere"));
    // Each call that the desktop takes gives 1; nothing is handed over without a file.
    EXPECT_EQ(StartProgram("/charts/staff.html", "", "", 0) + StartProgram("", "", "", 0) +
                  StartProgram("/charts/staff.html", "", "/work/", 0) +
                  StartProgram("staff.html", "", "", 0) + StartProgram("/refused.html", "", "", 0),
              3);
    EXPECT_EQ(fs::current_path(), dir);
    EXPECT_EQ(handed, "/charts/staff.html|/charts/\n/charts/staff.html|/work/\n" + ProgramDir +
                          "staff.html|\n/refused.html|\n");
#ifndef _WIN32 // the Windows opener: in windows_files_tests.cpp

    // Without one, xdg-open gets a file URL: here a stand-in on PATH that refuses "no.html".
    SetDesktopOpener(nullptr);
    Spit(dir / "xdg-open", "#!/bin/sh\necho \"$1\" >> \"$0.log\"\n[ \"${1##*/}\" != no.html ]\n");
    fs::permissions(dir / "xdg-open", fs::perms::owner_all);
    setenv("PATH", (dir.string() + ":" + getenv("PATH")).c_str(), 1);
    EXPECT_EQ(StartProgram(Path("AZaz09@[`{: \xC3\xA9-_~.html"), "", "", 0), 1);
    EXPECT_EQ(StartProgram(Path("no.html"), "", "", 0), 0);
    EXPECT_EQ(Slurp(dir / "xdg-open.log"), "file://" +
                                               Path("AZaz09%40%5B%60%7B%3A%20%C3%A9-_~.html") +
                                               "\nfile://" + Path("no.html") + "\n");
#endif
}
