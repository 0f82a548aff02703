// The preference store: the bytes it writes, every lookup rule, and what happens to the
// file and the current directory when creating, opening or committing fails.
#include "document_test.h"

#include <sys/stat.h>

#include <cstdlib>

using namespace doctest;

namespace {

class PrefStoreTest : public DocumentTest {
  protected:
    // Opens a file holding exactly these bytes.
    void OpenText(const Text& bytes) {
        Spit(dir / "prefs.ini", bytes);
        ASSERT_NE(PrefOpen(Path("prefs.ini")), 0);
    }
};

TEST_F(PrefStoreTest, WritesHeadersCommentsAndValuesWithCrLf) {
    ASSERT_NE(PrefCreate(Path("out.ini")), 0);
    EXPECT_EQ(PrefGroup("A"), 1);
    EXPECT_EQ(PrefWriteComment("x"), 1);
    PrefWriteValue("k", "v");
    PrefWriteValue("", "nothing at all");
    PrefWriteValue("empty", "");
    PrefWriteValue("spaced", "  text  ");
    EXPECT_NE(PrefClose(), 0);
    EXPECT_EQ(Slurp(dir / "out.ini"), "[A]\r\n;x\r\nk = v\r\nempty = \r\nspaced =   text  \r\n");
    EXPECT_EQ(EntryCount(), 1u) << "a temporary file was left behind";
}

TEST_F(PrefStoreTest, WritesNothingUnlessCreated) {
    EXPECT_EQ(PrefGroup("A"), 0);
    EXPECT_EQ(PrefWriteComment("x"), 0);
    PrefWriteValue("k", "v");
    EXPECT_NE(PrefClose(), 0) << "closing with nothing open is no failure";

    OpenText("[A]\r\nk = v\r\n");
    EXPECT_EQ(PrefWriteComment("x"), 0);
    PrefWriteValue("k", "w");
    EXPECT_EQ(PrefReadValue("k", "default"), "default") << "no group selected after writes";
    EXPECT_NE(PrefClose(), 0);
    EXPECT_EQ(Slurp(dir / "prefs.ini"), "[A]\r\nk = v\r\n");
}

TEST_F(PrefStoreTest, CreatingOrOpeningAgainFinishesThePreviousFile) {
    ASSERT_NE(PrefCreate(Path("first.ini")), 0);
    PrefWriteValue("k", "1");
    ASSERT_NE(PrefCreate(Path("second.ini")), 0);
    EXPECT_EQ(Slurp(dir / "first.ini"), "k = 1\r\n");
    PrefWriteValue("k", "2");
    ASSERT_NE(PrefOpen(Path("first.ini")), 0);
    EXPECT_EQ(Slurp(dir / "second.ini"), "k = 2\r\n");
    EXPECT_EQ(PrefReadValue("K"), "1");
    EXPECT_EQ(PrefReadValue("k", "ignored in writing mode"), "1");
    ASSERT_NE(PrefCreate(Path("third.ini")), 0);
    EXPECT_EQ(PrefReadValue("k", "writing"), "writing");
}

TEST_F(PrefStoreTest, ValuesLoseLeadingSpacesOnlyAndKeepEveryEqualsSign) {
    ASSERT_NE(PrefCreate(Path("v.ini")), 0);
    PrefGroup("G");
    PrefWriteValue("lead", "  text");
    PrefWriteValue("trail", "text  ");
    PrefWriteValue("a", "b = c");
    PrefWriteValue("blank", "   ");
    ASSERT_NE(PrefClose(), 0);
    ASSERT_NE(PrefOpen(Path("v.ini")), 0);
    ASSERT_EQ(PrefGroup("G"), 1);
    EXPECT_EQ(PrefReadValue("lead"), "text");
    EXPECT_EQ(PrefReadValue("trail"), "text  ");
    EXPECT_EQ(PrefReadValue("a"), "b = c");
    EXPECT_EQ(PrefReadValue("blank", "default"), "") << "a present empty value is no default";
}

TEST_F(PrefStoreTest, KeysMatchWholeAndIgnoringAsciiCase) {
    OpenText("[G]\r\n"
             "Key=Value\r\n"
             "   other   =   Spaced\r\n"
             "Last Project Dir = /dir/\r\n"
             "Last Project = /dir/a.kpv\r\n"
             "\tTabbed = no\r\n"
             "novalue\r\n"
             ";comment = no\r\n"
             "   ;indented = no\r\n"
             "Ünïcode = bytes\r\n"
             "= nameless\r\n");
    ASSERT_EQ(PrefGroup("g"), 1);
    EXPECT_EQ(PrefReadValue("KEY"), "Value");
    EXPECT_EQ(PrefReadValue("OTHER"), "Spaced");
    EXPECT_EQ(PrefReadValue("Last Project"), "/dir/a.kpv");
    EXPECT_EQ(PrefReadValue("last project dir"), "/dir/");
    EXPECT_EQ(PrefReadValue("Last", "none"), "none");
    EXPECT_EQ(PrefReadValue("Tabbed", "none"), "none") << "a tab is no space";
    EXPECT_EQ(PrefReadValue("\tTabbed"), "no");
    EXPECT_EQ(PrefReadValue("novalue", "none"), "none");
    EXPECT_EQ(PrefReadValue(";comment", "none"), "none");
    EXPECT_EQ(PrefReadValue("comment", "none"), "none");
    EXPECT_EQ(PrefReadValue(";indented", "none"), "none");
    EXPECT_EQ(PrefReadValue("Ünïcode"), "bytes");
    EXPECT_EQ(PrefReadValue("üNïCODE", "none"), "none") << "only ASCII letters fold";
    EXPECT_EQ(PrefReadValue("", "empty key"), "empty key");
}

TEST_F(PrefStoreTest, FirstOccurrenceWinsForGroupsAndKeys) {
    OpenText("[G]\r\nk = first\r\nk = second\r\n[g]\r\nk = third\r\nonly = later\r\n");
    ASSERT_EQ(PrefGroup("G"), 1);
    EXPECT_EQ(PrefReadValue("k"), "first");
    EXPECT_EQ(PrefReadValue("only", "none"), "none") << "the second [g] is never selected";
}

TEST_F(PrefStoreTest, GroupHeadersAreWholeNamesAtTheStartOfALine) {
    OpenText("top = before\r\n"
             "[Common Settings2]\r\nk = wrong\r\n"
             "[common settings]\r\nk = right\r\n [Fake]\r\nafter = still in group\r\n"
             "[Next]\r\nnext = value\r\n"
             "[Open\r\nopen = unclosed\r\n"
             "[Last]");
    EXPECT_EQ(PrefReadValue("top"), "before") << "before any group: the lines above the first";
    EXPECT_EQ(PrefReadValue("k", "none"), "none");
    ASSERT_EQ(PrefGroup("Common Settings"), 1);
    EXPECT_EQ(PrefReadValue("k"), "right");
    EXPECT_EQ(PrefReadValue("after"), "still in group") << "' [Fake]' is no header";
    EXPECT_EQ(PrefReadValue("next", "none"), "none") << "the next header ends the group";
    EXPECT_EQ(PrefReadValue("top", "none"), "none") << "lines before the header are not searched";
    EXPECT_EQ(PrefGroup("Fake"), 0);
    EXPECT_EQ(PrefGroup("Open\r"), 1) << "the CR is part of an unclosed header's name";
    EXPECT_EQ(PrefReadValue("open"), "unclosed");
    EXPECT_EQ(PrefGroup("Open"), 0);
    ASSERT_EQ(PrefGroup("NEXT"), 1);
    EXPECT_EQ(PrefReadValue("next"), "value");
    ASSERT_EQ(PrefGroup("last"), 1) << "a header may end the file without a line end";
    EXPECT_EQ(PrefReadValue("anything", "default"), "default");
}

TEST_F(PrefStoreTest, AFailedGroupAnswersEveryLookupWithItsDefault) {
    OpenText("[A]\r\nk = a\r\n[B]\r\nk = b\r\n");
    ASSERT_EQ(PrefGroup("B"), 1);
    EXPECT_EQ(PrefReadValue("k"), "b");
    EXPECT_EQ(PrefGroup("C"), 0);
    EXPECT_EQ(PrefReadValue("k", "default"), "default");
    EXPECT_EQ(PrefReadValue("k"), "");
    ASSERT_EQ(PrefGroup("A"), 1) << "groups can be selected in any order";
    EXPECT_EQ(PrefReadValue("k"), "a");
    ASSERT_EQ(PrefGroup("B"), 1);
    EXPECT_EQ(PrefReadValue("k"), "b");
    PrefClose();
    EXPECT_EQ(PrefGroup("A"), 0);
    EXPECT_EQ(PrefReadValue("k", "closed"), "closed");
}

TEST_F(PrefStoreTest, LineEndsOfEveryKindReadAlike) {
    const Text body = "[A]|k = v|;c|two = 2  |[B]|k = w|";
    auto with = [&](const Text& end) {
        Text bytes;
        for (char c : body) bytes += c == '|' ? end : Text(1, c);
        return bytes;
    };
    for (const Text& end : {Text("\r\n"), Text("\n")}) {
        SCOPED_TRACE(end.size());
        OpenText(with(end));
        ASSERT_EQ(PrefGroup("A"), 1);
        EXPECT_EQ(PrefReadValue("k"), "v");
        EXPECT_EQ(PrefReadValue("two"), "2  ");
        ASSERT_EQ(PrefGroup("B"), 1);
        EXPECT_EQ(PrefReadValue("k"), "w");
    }
    // LF CR: headers are still found (one CR after an LF is stepped over), but the CR then
    // starts every value line.
    OpenText(with("\n\r"));
    ASSERT_EQ(PrefGroup("A"), 1);
    EXPECT_EQ(PrefReadValue("k"), "v");
    EXPECT_EQ(PrefReadValue("two", "none"), "none");
    ASSERT_EQ(PrefGroup("B"), 1);
    // A lone CR ends a value but not a line.
    OpenText("[A]\rk = v\r\nx = y\rz = w");
    ASSERT_EQ(PrefGroup("A"), 1);
    EXPECT_EQ(PrefReadValue("k", "none"), "none");
    EXPECT_EQ(PrefReadValue("x"), "y");
    EXPECT_EQ(PrefReadValue("z", "none"), "none");
}

TEST_F(PrefStoreTest, TheTextEndsAtItsFirstNulByte) {
    OpenText(Text("[A]\r\nk = v\r\nx = a\0b\r\n[B]\r\ny = 1\r\n", 32));
    ASSERT_EQ(PrefGroup("A"), 1);
    EXPECT_EQ(PrefReadValue("x"), "a");
    EXPECT_EQ(PrefGroup("B"), 0);
}

TEST_F(PrefStoreTest, OpenFailsForWhatCannotBeRead) {
    EXPECT_EQ(PrefOpen(Path("missing.ini")), 0);
    EXPECT_EQ(PrefGroup("A"), 0);
    EXPECT_EQ(PrefReadValue("k", "default"), "default");
    fs::create_directory(dir / "folder.ini");
    EXPECT_EQ(PrefOpen(Path("folder.ini")), 0);
    EXPECT_EQ(PrefOpen(""), 0);
    Spit(dir / "empty.ini", "");
    ASSERT_NE(PrefOpen(Path("empty.ini")), 0);
    EXPECT_EQ(PrefGroup("A"), 0);
    EXPECT_EQ(PrefReadValue("k", "default"), "default");
}

TEST_F(PrefStoreTest, ReadsAFileOfFiftyMegabytes) {
    Text big = "[A]\r\nk = v\r\nhuge = ";
    big.append(50u << 20, 'x');
    big += "\r\n[B]\r\nk = w\r\n";
    Spit(dir / "big.ini", big);
    ASSERT_NE(PrefOpen(Path("big.ini")), 0);
    ASSERT_EQ(PrefGroup("B"), 1);
    EXPECT_EQ(PrefReadValue("k"), "w");
    ASSERT_EQ(PrefGroup("A"), 1);
    EXPECT_EQ(PrefReadValue("huge").size(), 50u << 20);
    EXPECT_EQ(PrefReadValue("missing", "none"), "none");
}

#if defined(__SANITIZE_ADDRESS__)
#define BRONDEL_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BRONDEL_ASAN 1
#endif
#endif

TEST_F(PrefStoreTest, AFileThatCannotBeHeldIsAFailedOpen) {
#ifdef BRONDEL_ASAN
    GTEST_SKIP() << "the address sanitizer reserves more address space than any limit allows";
#else
    Text big = "[A]\r\nk = v\r\n";
    big.append(64u << 20, 'x');
    Spit(dir / "big.ini", big);
    Text().swap(big);
    // Allow the process 16 MB more address space than it uses now.
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0;
    statm >> pages;
    rlimit saved{};
    getrlimit(RLIMIT_AS, &saved);
    rlimit small = saved;
    small.rlim_cur = pages * static_cast<size_t>(sysconf(_SC_PAGESIZE)) + (16u << 20);
    ASSERT_EQ(setrlimit(RLIMIT_AS, &small), 0);
    int opened = PrefOpen(Path("big.ini"));
    int group = PrefGroup("A");
    setrlimit(RLIMIT_AS, &saved);
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(group, 0);
    EXPECT_EQ(PrefReadValue("k", "default"), "default");
#endif
}

TEST_F(PrefStoreTest, ProgramDirIsTheCurrentDirectoryAfterEveryCreateOrOpen) {
    fs::create_directory(dir / "elsewhere");
    auto check = [&](const char* what, const std::function<int()>& step, int expected) {
        ASSERT_TRUE(SetCurrentDir((dir / "elsewhere").string()));
        EXPECT_EQ(step() != 0, expected != 0) << what;
        EXPECT_EQ(fs::current_path(), dir) << what;
        PrefClose();
    };
    Spit(dir / "there.ini", "[A]\r\n");
    check(
        "open", [&] { return PrefOpen(Path("there.ini")); }, 1);
    check(
        "open missing", [&] { return PrefOpen(Path("missing.ini")); }, 0);
    check(
        "create", [&] { return PrefCreate(Path("new.ini")); }, 1);
    check(
        "create in a missing folder", [&] { return PrefCreate(Path("no/new.ini")); }, 0);
    check(
        "create relative", [] { return PrefCreate("relative.ini"); }, 1);
    EXPECT_TRUE(fs::exists(dir / "relative.ini"));
    EXPECT_FALSE(fs::exists(dir / "elsewhere" / "relative.ini"));
    check(
        "open relative", [] { return PrefOpen("relative.ini"); }, 1);
}

TEST_F(PrefStoreTest, CreateFailsWhereNoFileCanBeMade) {
    Spit(dir / "plain", "keep");
    fs::create_directory(dir / "folder.ini");
    EXPECT_EQ(PrefCreate(Path("missing/new.ini")), 0);
    EXPECT_EQ(PrefCreate(Path("plain/below.ini")), 0);
    EXPECT_EQ(PrefCreate(Path("folder.ini")), 0);
    EXPECT_EQ(PrefCreate(""), 0);
    EXPECT_EQ(PrefGroup("A"), 0) << "nothing is open after a failed create";
    EXPECT_NE(PrefClose(), 0);
    EXPECT_EQ(Slurp(dir / "plain"), "keep");
    EXPECT_TRUE(fs::is_directory(dir / "folder.ini"));
    EXPECT_EQ(EntryCount(), 2u);
}

TEST_F(PrefStoreTest, AFailedCommitKeepsTheOldFileByteForByte) {
    Text old = "[Old]\r\n" + Text(3000, 'o') + "\r\n";
    Spit(dir / "keep.ini", old);
    int created = 0, closed = 1;
    WithFileSizeLimit(4096, [&] {
        created = PrefCreate(Path("keep.ini"));
        PrefGroup("New");
        for (int i = 0; i < 1000; ++i) PrefWriteValue("key" + std::to_string(i), "value");
        closed = PrefClose();
    });
    EXPECT_NE(created, 0);
    EXPECT_EQ(closed, 0);
    EXPECT_EQ(Slurp(dir / "keep.ini"), old);
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(PrefStoreTest, ReplacesTheFileBehindALinkAndKeepsItsPermissions) {
    fs::create_directory(dir / "real");
    Spit(dir / "real" / "target.ini", "old\r\n");
    fs::permissions(dir / "real" / "target.ini", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(dir / "real" / "target.ini", dir / "link.ini");
    ASSERT_NE(PrefCreate(Path("link.ini")), 0);
    PrefWriteValue("k", "new");
    ASSERT_NE(PrefClose(), 0);
    EXPECT_TRUE(fs::is_symlink(dir / "link.ini"));
    EXPECT_EQ(Slurp(dir / "real" / "target.ini"), "k = new\r\n");
    EXPECT_EQ(fs::status(dir / "real" / "target.ini").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), {}), 1);
}

} // namespace
