// Files on Windows, run under Wine: the program's own folder, pages held open by another
// program or read-only, temporaries left by dead writers, writers killed at random, and handing
// a page to the shell.
#include "system/desktop_opener.h"
#include "system/files.h"
#include "system/text_windows.h"

#include "test_files.h"

#include <chrono>
#include <random>
#include <thread>

using namespace testsupport;
using WindowsFiles = ScratchTest;

namespace {

// A child of this program started by the test below: writes the target named in BRONDEL_WRITER
// (after its byte) whole with its byte, again and again, until it is killed.
const bool writerChild = [] {
    const char* writing = std::getenv("BRONDEL_WRITER");
    for (SafeFileWriter writer; writing;) {
        if (writer.Open(writing + 1)) writer.Write(Text(1 << 18, writing[0]));
        writer.Commit();
    }
    return false;
}();

Text ThisProgram() {
    wchar_t path[32768];
    return Utf8Text(path, GetModuleFileNameW(nullptr, path, 32768));
}

HANDLE StartWriter(const Text& target, char byte) {
    SetEnvironmentVariableW(L"BRONDEL_WRITER", WideText(byte + target).c_str()); // inherited
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    EXPECT_TRUE(CreateProcessW(WideText(ThisProgram()).c_str(), nullptr, nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &startup, &started));
    SetEnvironmentVariableW(L"BRONDEL_WRITER", nullptr);
    CloseHandle(started.hThread);
    return started.hProcess;
}

} // namespace

// Started through PATH from another folder, the program's folder was the current one.
TEST_F(WindowsFiles, ProgramDirIsTheFolderOfTheRunningProgramWhereverItIsStartedFrom) {
    SetCurrentDir(Path(""));
    TakeProgramDir("platform_tests.exe");
    const Text program = ThisProgram();
    EXPECT_EQ(ProgramDir, program.substr(0, program.rfind('\\') + 1));
    EXPECT_NE(ProgramDir, TextOfPath(fs::current_path()) + "\\");
}

// Another program holding the page without sharing, or a read-only page: refused before
// anything is written, and the old page kept. A page that may be replaced keeps its looks.
TEST_F(WindowsFiles, APageHeldOpenOrReadOnlyIsRefusedAndKeptAndAReplacedOneKeepsItsLooks) {
    Spit(dir / "held.html", "old");
    Spit(dir / "read-only.html", "old");
    SetFileAttributesW(WideText(Path("read-only.html")).c_str(), FILE_ATTRIBUTE_READONLY);
    const HANDLE held = CreateFileW(WideText(Path("held.html")).c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    for (const Text name : {"held.html", "read-only.html"}) {
        SafeFileWriter writer;
        EXPECT_FALSE(writer.Open(Path(name))) << name;
    }
    CloseHandle(held);
    SetFileAttributesW(WideText(Path("read-only.html")).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Slurp(dir / "held.html") + Slurp(dir / "read-only.html"), "oldold");
    EXPECT_EQ(EntryCount(), 2u) << "a temporary file was left behind";

    SetFileAttributesW(WideText(Path("held.html")).c_str(), FILE_ATTRIBUTE_HIDDEN);
    SafeFileWriter writer;
    ASSERT_TRUE(writer.Open(Path("held.html")));
    writer.Write("new");
    ASSERT_TRUE(writer.Commit());
    EXPECT_EQ(Slurp(dir / "held.html"), "new");
    EXPECT_TRUE(GetFileAttributesW(WideText(Path("held.html")).c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

// Writers of one target at once, killed at random, leave it whole: the old content or one
// writer's whole new content; the next writer clears what the dead ones left.
TEST_F(WindowsFiles, WritersKilledAtRandomLeaveTheTargetWhole) {
    const Text target = Path(Text(200, 'n') + ".html"); // past 260 characters with the folder
    ASSERT_GT(target.size(), 260u);
    Spit(PathOfText(target), "old");
    std::mt19937 random(7);
    for (int round = 0; round < 6; ++round) {
        std::vector<HANDLE> writers;
        for (char byte : {'a', 'b', 'c'}) writers.push_back(StartWriter(target, byte));
        std::this_thread::sleep_for(std::chrono::milliseconds(100 + random() % 400));
        for (HANDLE writer : writers) {
            TerminateProcess(writer, 9);
            WaitForSingleObject(writer, INFINITE);
            CloseHandle(writer);
        }
        const Text bytes = Slurp(PathOfText(target)); // whole old, or one writer's whole new
        EXPECT_TRUE(bytes == "old" || bytes == Text(1 << 18, bytes[0])) << round;
    }
    SafeFileWriter last;
    ASSERT_TRUE(last.Open(target));
    last.Write("last");
    ASSERT_TRUE(last.Commit());
    EXPECT_EQ(Slurp(PathOfText(target)), "last");
    EXPECT_EQ(EntryCount(), 1u) << "a dead writer's temporary was left";
}

// The shell opens a page with the program registered for its type (here a stand-in that notes
// what it was given); where no program is registered, the shell itself tells the user.
TEST_F(WindowsFiles, TheShellOpensAPageWithTheProgramForItsType) {
    const Text log = Path("opened.txt");
    const std::wstring command = L"cmd.exe /c echo %1>\"" + WideText(log) + L"\"";
    const auto set = [&](const std::wstring& key, const std::wstring& value) {
        RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    };
    set(L".brondelpage", L"BrondelTestPage");
    set(L"BrondelTestPage\\shell\\open\\command", command);
    Spit(PathOfText(Path("Kart \xD0\x9A.brondelpage")), "page");
    EXPECT_EQ(OpenOnDesktop(Path("Kart \xD0\x9A.brondelpage"), Path("")), OpenOutcome::Opened);
    Text opened; // the stand-in runs on its own: its note is awaited, up to 5 s
    for (int wait = 0; wait < 100 && !opened.ends_with("\n"); ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        opened = Slurp(PathOfText(log));
    }
    EXPECT_NE(opened.find("brondelpage"), Text::npos);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L".brondelpage");
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"BrondelTestPage");

    EXPECT_EQ(OpenOnDesktop(Path("nothing opens.brondelnone"), Path("")),
              OpenOutcome::DesktopToldUser);
}
