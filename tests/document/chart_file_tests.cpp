// The chart file: golden files written byte for byte, loads of damaged, partial, foreign and odd
// files walked from chart_loads.tsv, huge files and garbage, the extension rule, and saves and
// loads that fail.
#include "document/chart_file.h"

#include "test_files.h"

#include <random>

using namespace testsupport;
using ChartFile = ScratchTest;

// A value of the Chart named by its chart-file key: "L2-190", "S1-200", "C3-188", "H-5", "V-99".
static Text ChartValue(const Text& key) {
    const int slot = std::stoi(key.substr(key.find('-') + 1)), n = key[1] - '0';
    if (key[0] == 'L') return LineTable(n)[slot];
    if (key[0] == 'S') return StyleCode(slot, n);
    if (key[0] == 'C') return DecimalText((n == 1 ? Red : n == 2 ? Green : Blue)[slot]);
    return DecimalText((key[0] == 'H' ? HConnector : VConnector)[slot]);
}

TEST_F(ChartFile, ChartsSaveAsTheirGoldenFiles) {
    for (const Text golden :
         {"document/golden/empty.kpv", "document/golden/example.kpv", "html/golden/examples.kpv",
          "html/golden/escaped.kpv", "html/golden/connectors_4.kpv"}) {
        ClearChart();
        ASSERT_EQ(ReadChartFile(TestData(golden)), ChartFileStatus::Done) << golden;
        ASSERT_EQ(WriteChartFile(Path("org.kpv")), ChartFileStatus::Done);
        Text expected = Slurp(TestData(golden)); // but line 4 names the folder it is saved in
        const size_t at = expected.find("\r\nLast Project Dir = ") + 21;
        EXPECT_EQ(Slurp(dir / "org.kpv"),
                  expected.replace(at, expected.find('\r', at) - at, ProgramDir));
    }
}

TEST_F(ChartFile, LoadsTakeWhatTheFileHoldsAndLeaveTheRest) {
    for (const auto& row : Cases("document/chart_loads.tsv")) {
        for (int slot = 0; slot < SlotCount; ++slot) {
            WriteBox(slot, {{"old1", "old2", "old3"}, {1, 0, 1}, {1, 1, 0}, {0, 1, 1}, 11, 22, 33});
            HConnector[slot] = VConnector[slot] = 1;
        }
        ASSERT_EQ(WriteChartFile(Path("before.kpv")), ChartFileStatus::Done);
        Spit(dir / "in.kpv", row[1]);
        LastProjectDir.clear();
        EXPECT_EQ(ChartFileMessage(ReadChartFile(Path("in.kpv"))), row[2]) << row[0];
        EXPECT_EQ(LastProjectDir, ProgramDir);
        EXPECT_TRUE(row[2].empty() || (WriteChartFile(Path("after.kpv")) == ChartFileStatus::Done &&
                                       Slurp(dir / "after.kpv") == Slurp(dir / "before.kpv")))
            << row[0] << ": the Chart changed";
        for (size_t i = 3; i < row.size(); ++i) {
            const auto [key, value] = Step(row[i]);
            EXPECT_EQ(ChartValue(key), value) << row[0] << ": " << key;
        }
    }
}

TEST_F(ChartFile, HugeFilesAndBinaryGarbageLoadWithoutHarm) {
    Spit(dir / "huge.kpv", "[KPVV10]\r\n[Raw Chart Text]\r\nL3-285 = " + Text(10u << 20, 'w') +
                               "\r\nL1-188 = Sales\r\n;" + Text(1u << 20, ';'));
// Not with the address sanitizer, which reserves more address space than any limit allows, nor
// on Windows, which has no limits of a process's own.
#if !defined(__SANITIZE_ADDRESS__) && !defined(_WIN32)
    // Where there is no room for its text, the file cannot be loaded, which is said, not a crash.
    const int tight = InChild([&] {
        std::ifstream statm("/proc/self/statm");
        rlim_t pages = 0;
        statm >> pages;
        const rlim_t room = pages * sysconf(_SC_PAGESIZE) + (4u << 20);
        const rlimit memory{room, room};
        return setrlimit(RLIMIT_AS, &memory) == 0 ? int(ReadChartFile(Path("huge.kpv"))) : 99;
    });
    EXPECT_EQ(tight, int(ChartFileStatus::CannotOpen));
#endif
    ASSERT_EQ(ReadChartFile(Path("huge.kpv")), ChartFileStatus::Done);
    EXPECT_EQ(std::pair(Line3[285].size(), Line1[188].size()),
              (std::pair<size_t, size_t>(10 << 20, 5)));
    std::mt19937 random(42); // bytes of every value, one in eight a line end, '=', '[' or ';'
    Text garbage = "[KPVV10]\r\n[Raw Chart Text]\r\n";
    for (int i = 0; i < 40000; ++i)
        garbage += random() % 8 ? char(random()) : "\r\n=[]; -"[random() % 8];
    Spit(dir / "garbage.kpv", garbage);
    EXPECT_EQ(ReadChartFile(Path("garbage.kpv")), ChartFileStatus::Done);
}

TEST_F(ChartFile, TheExtensionIsForcedOnTheFileName) {
    for (const auto& row : Cases("document/chart_extensions.tsv"))
        EXPECT_EQ(ApplyChartExtension(row[0]), row[1]) << row[0];
}

TEST_F(ChartFile, FailedSavesAndLoadsSaySoAndChangeNothing) {
    ASSERT_EQ(WriteChartFile(Path("org.kpv")), ChartFileStatus::Done);
    const Text saved = Slurp(dir / "org.kpv");
    Line1[188] = "changed";
    LastProjectDir = "before/";
    std::vector<int> failed = {int(WriteChartFile(Path("missing/org.kpv")))};
#ifndef _WIN32 // on a full disk
    failed.push_back(InChild([&] { return int(WriteChartFile(Path("org.kpv"))); }, 8192));
#endif
    for (const int status : failed)
        EXPECT_STREQ(ChartFileMessage(ChartFileStatus(status)),
                     "Could not save chart, already in use?");
    EXPECT_STREQ(ChartFileMessage(ReadChartFile(Path("missing.kpv"))),
                 "Could not load chart, already in use or unknown error?");
    EXPECT_EQ(LastProjectDir + Line1[188] + Slurp(dir / "org.kpv"), "before/changed" + saved);
    EXPECT_EQ(EntryCount(), 1u) << "a temporary file was left behind";
}
