// Files on Windows, run under Wine: the program's own folder, pages held open by another
// program or read-only, temporaries left by dead writers, writers killed at random, and handing
// a page to the shell.
#include "platform/desktop_opener.h"
#include "platform/files.h"
#include "platform/safe_writer.h"
#include "platform/windows_text.h"

#include "test_files.h"

#include <chrono>
#include <random>
#include <thread>

using namespace testsupport;
using WindowsFiles = ScratchTest;

namespace {

// A writer of the target named by BRONDEL_WRITER, writing it whole with its own byte again and
// again until it is killed: started by the test below as a child of its own program.
const bool writerChild = [] {
    const char* target = std::getenv("BRONDEL_WRITER");
    if (!target) return false;
    const Text bytes(1 << 18, std::getenv("BRONDEL_WRITER_BYTE")[0]);
    for (;;) {
        SafeFileWriter writer;
        if (writer.Open(target)) {
            writer.Write(bytes);
            writer.Commit();
        }
    }
}();

Text ThisProgram() {
    wchar_t path[32768];
    return Utf8Text(path, GetModuleFileNameW(nullptr, path, 32768));
}

// A process of this program that writes target with byte until it is killed.
HANDLE StartWriter(const Text& target, char byte) {
    SetEnvironmentVariableW(L"BRONDEL_WRITER", WideText(target).c_str());
    SetEnvironmentVariableW(L"BRONDEL_WRITER_BYTE", std::wstring(1, wchar_t(byte)).c_str());
    std::wstring program = WideText(ThisProgram());
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    const bool ok = CreateProcessW(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &started);
    SetEnvironmentVariableW(L"BRONDEL_WRITER", nullptr);
    EXPECT_TRUE(ok) << "the writer did not start";
    if (!ok) return nullptr;
    CloseHandle(started.hThread);
    return started.hProcess;
}

bool WholeOldOrOneWritersWholeNew(const Text& bytes) {
    if (bytes == "old") return true;
    return bytes.size() == (1u << 18) && bytes.find_first_not_of(bytes[0]) == Text::npos;
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
        EXPECT_TRUE(WholeOldOrOneWritersWholeNew(Slurp(PathOfText(target)))) << round;
    }
    SafeFileWriter last;
    ASSERT_TRUE(last.Open(target));
    last.Write("last");
    ASSERT_TRUE(last.Commit());
    EXPECT_EQ(Slurp(PathOfText(target)), "last");
    EXPECT_EQ(EntryCount(), 1u) << "a dead writer's temporary was left";
}

// A temporary that a live writer holds is never taken away: only the dead ones' go.
TEST_F(WindowsFiles, OnlyTemporariesOfDeadWritersAreRemoved) {
    const Text prefix = safewrite::TemporaryNameOf("page.html");
    Spit(dir / (prefix + "-7fffffff-0-0000"), "a dead writer's");
    const HANDLE live = CreateFileW(WideText(Path(prefix + "-7ffffffd-0-0000")).c_str(),
                                    GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    SafeFileWriter writer;
    ASSERT_TRUE(writer.Open(Path("page.html"), Placement::KeepExisting));
    writer.Write("new");
    EXPECT_TRUE(writer.Commit());
    CloseHandle(live);
    EXPECT_EQ(Slurp(dir / "page.html"), "new");
    EXPECT_EQ(EntryCount(), 2u) << "the live writer's temporary and the page";
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
