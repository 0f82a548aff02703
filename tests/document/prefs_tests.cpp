// The preference store: its lookup rules walked from prefs_lookups.tsv, the bytes it writes,
// and files that cannot be had. That it works beside the program, wherever the current directory
// is, shows in the settings file's tests.
#include "document/prefs.h"

#include "test_files.h"

using namespace testsupport;
using Prefs = ScratchTest;

TEST_F(Prefs, LookupsFollowTheTabledSteps) {
    for (const auto& row : Cases("document/prefs_lookups.tsv")) {
        Spit(dir / "p.ini", row[1]);
        ASSERT_NE(PrefOpen(Path("p.ini")), 0) << row[0];
        for (size_t i = 2; i < row.size(); ++i) {
            const auto [query, answer] = Step(row[i]);
            const bool group = query.size() > 1 && query.front() == '[' && query.back() == ']';
            EXPECT_EQ(group ? DecimalText(PrefGroup(query.substr(1, query.size() - 2)))
                            : PrefReadValue(query, "(default)"),
                      answer)
                << row[0] << ": " << query;
        }
    }
}

TEST_F(Prefs, WritesLinesEndedByCrLfAndOnlyWhenWriting) {
    EXPECT_EQ(PrefOpen(Path("missing.ini")) + PrefOpen(dir.string()) + PrefOpen("") +
                  PrefCreate(Path("no/x.ini")) + PrefGroup("A") + PrefWriteComment("x"),
              0)
        << "nothing can be opened, so nothing is open";
    ASSERT_EQ(PrefCreate(Path("out.ini")), 1);
    EXPECT_EQ((std::pair{PrefGroup("A"), PrefWriteComment("x")}),
              std::pair(1, 1)); // braces: in order
    PrefWriteValue("", "no key, no line");
    PrefWriteValue("spaced", "  a = b  ");
    EXPECT_EQ(PrefReadValue("spaced", "writing"), "writing");
    ASSERT_NE(PrefOpen(Path("out.ini")), 0) << "opening a file finishes the one before";
    EXPECT_EQ(PrefWriteComment("x"), 0);
    PrefWriteValue("k", "w");
    ASSERT_NE(PrefCreate(Path("second.ini")), 0);
    EXPECT_NE(PrefClose(), 0);
    EXPECT_EQ(Slurp(dir / "out.ini"), "[A]\r\n;x\r\nspaced =   a = b  \r\n");
    EXPECT_EQ(EntryCount(), 2u) << "a temporary file was left behind";
}
