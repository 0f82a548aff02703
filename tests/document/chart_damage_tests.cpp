// Loading chart files that are damaged, partial, foreign or odd: the status, what reaches
// the Chart, and what must stay untouched.
#include "document/chart_file.h"
#include "document_test.h"

#include <algorithm>
#include <random>

using namespace doctest;

namespace {

class ChartLoadTest : public DocumentTest {
  protected:
    void SetUp() override {
        DocumentTest::SetUp();
        lines = CrLfLines(Golden("example.kpv"));
    }
    // Puts recognisable values everywhere, so that an untouched table can be told apart.
    void FillChart() {
        for (int box = FirstBox; box <= LastBox; ++box) {
            for (int line = 1; line <= 3; ++line) {
                LineTable(line)[box] = "old " + DecimalText(line);
                BoldTable(line)[box] = 1;
                ItalicTable(line)[box] = line == 2;
                UnderlineTable(line)[box] = line == 3;
            }
            Red[box] = 11, Green[box] = 22, Blue[box] = 33;
        }
        for (int h = FirstHConnector; h <= LastHConnector; ++h) HConnector[h] = 1;
        for (int v = FirstVConnector; v <= LastVConnector; ++v) VConnector[v] = 1;
    }
    void Drop(const Text& prefix) {
        std::erase_if(lines, [&](const Text& l) { return l.rfind(prefix, 0) == 0; });
    }
    void Set(const Text& key, const Text& line) {
        auto at = std::find_if(lines.begin(), lines.end(), [&](const Text& l) {
            return l.rfind(key, 0) == 0 && l.size() > key.size() &&
                   (l[key.size()] == ' ' || l[key.size()] == '=');
        });
        ASSERT_NE(at, lines.end()) << key;
        *at = line;
    }
    Text Joined(const Text& end = "\r\n") const {
        Text bytes;
        for (const Text& l : lines) bytes += l + end;
        return bytes;
    }
    ChartFileStatus Load(const Text& bytes) {
        Spit(dir / "in.kpv", bytes);
        return ReadChartFile(Path("in.kpv"));
    }
    std::vector<Text> lines; // the worked example, line by line
};

TEST_F(ChartLoadTest, AFileWithoutTheMagicLeavesTheChartAlone) {
    FillChart();
    const ChartSnapshot before = ChartSnapshot::Take();
    Text body = Joined().substr(10); // all but "[KPVV10]" CR LF
    std::mt19937 random(5);
    Text garbage;
    for (int i = 0; i < 20000; ++i) garbage += static_cast<char>(random());
    garbage.erase(std::remove(garbage.begin(), garbage.end(), '\0'), garbage.end());
    const Text foreign[] = {body,
                            "",
                            " [KPVV10]\r\n" + body,
                            "[KPVV10 ]\r\n" + body,
                            "[KPVV1]\r\n" + body,
                            "[KPVV100]\r\n" + body,
                            Text("\0[KPVV10]\r\n", 11) + body,
                            "\xEF\xBB\xBF[KPVV10]\r\n" + body,
                            garbage};
    for (const Text& bytes : foreign) {
        LastProjectDir.clear();
        EXPECT_EQ(Load(bytes), ChartFileStatus::NotAChart) << bytes.substr(0, 12);
        EXPECT_EQ(LastProjectDir, dir.string() + "/");
        EXPECT_TRUE(ChartSnapshot::Take() == before);
    }
    LastProjectDir = "kept/";
    EXPECT_EQ(ReadChartFile(Path("missing.kpv")), ChartFileStatus::CannotOpen);
    EXPECT_EQ(LastProjectDir, "kept/");
    EXPECT_TRUE(ChartSnapshot::Take() == before);
}

TEST_F(ChartLoadTest, TheMagicCountsInAnyCaseAndAnywhere) {
    FillChart();
    const ChartSnapshot before = ChartSnapshot::Take();
    EXPECT_EQ(Load("[kpvv10]"), ChartFileStatus::Done);
    EXPECT_TRUE(ChartSnapshot::Take() == before);
    // The settings file has the same magic: loaded as a chart it changes nothing.
    EXPECT_EQ(Load(Golden("settings.ini")), ChartFileStatus::Done);
    EXPECT_TRUE(ChartSnapshot::Take() == before);

    lines.erase(lines.begin());
    lines.push_back("[Kpvv10]");
    EXPECT_EQ(Load(Joined()), ChartFileStatus::Done);
    EXPECT_EQ(Line1[188], "Sales");
    EXPECT_EQ(Line1[189], "");
    EXPECT_EQ(StyleCode(188, 1), "100");
    EXPECT_EQ(Red[188], 227);
    EXPECT_EQ(Blue[189], 0);
    EXPECT_EQ(HConnector[0], 1);
    EXPECT_EQ(HConnector[1], 0);
}

TEST_F(ChartLoadTest, MissingGroupsLeaveTheirTablesAsTheyWere) {
    FillChart();
    Drop("[Raw Chart Text Styles]");
    Drop("[Raw Chart CheckBox");
    lines.insert(lines.begin() + 4, "[Raw Chart Text Style]"); // near, but another group
    ASSERT_EQ(Load(Joined()), ChartFileStatus::Done);
    EXPECT_EQ(Line1[188], "Sales");
    EXPECT_EQ(Line3[285], "");
    EXPECT_EQ(StyleCode(188, 1), "100") << "lines without their header belong to the group above";
    EXPECT_EQ(StyleCode(190, 2), "110");
    EXPECT_EQ(StyleCode(285, 3), "101");
    EXPECT_EQ(Red[189], 0);
    EXPECT_EQ(HConnector[0], 1);
    EXPECT_EQ(HConnector[83], 1);
    EXPECT_EQ(VConnector[180], 1);
}

TEST_F(ChartLoadTest, MissingKeysEmptyTextsKeepStylesAndZeroNumbers) {
    FillChart();
    for (const char* prefix : {"L2-", "S2-", "C2-", "H-", "V-9"}) Drop(prefix);
    ASSERT_EQ(Load(Joined()), ChartFileStatus::Done);
    EXPECT_EQ(Line1[190], "");
    EXPECT_EQ(Line2[190], "") << "a missing text line empties the text";
    EXPECT_EQ(StyleCode(190, 1), "000");
    EXPECT_EQ(StyleCode(190, 2), "110") << "a missing style line keeps the style";
    EXPECT_EQ(Red[190], 0);
    EXPECT_EQ(Green[190], 0) << "a missing colour line gives 0";
    EXPECT_EQ(HConnector[0], 0);
    EXPECT_EQ(VConnector[95], 0);
    EXPECT_EQ(VConnector[100], 0);
}

TEST_F(ChartLoadTest, StyleCodesAreReadFromTheirFirstSecondAndLastCharacter) {
    const std::pair<Text, Text> cases[] = {
        {"1", "101"},    {"10", "100"},  {"", "000"},    {"011", "011"}, {"1x1", "101"},
        {"0110", "010"}, {"abc", "000"}, {"921", "921"}, {"-11", "011"}, {"1 ", "100"},
    };
    for (const auto& [value, code] : cases) {
        Bold1[200] = Italic1[200] = Underline1[200] = 1;
        Set("S1-200", "S1-200 = " + value);
        ASSERT_EQ(Load(Joined()), ChartFileStatus::Done);
        EXPECT_EQ(StyleCode(200, 1), code) << "'" << value << "'";
    }
    Bold1[200] = Italic1[200] = 0;
    Underline1[200] = 1;
    Drop("S1-200");
    ASSERT_EQ(Load(Joined()), ChartFileStatus::Done);
    EXPECT_EQ(StyleCode(200, 1), "001");
}

TEST_F(ChartLoadTest, NumbersAreDecimalValuesWithoutLimits) {
    const std::pair<Text, int32_t> cases[] = {
        {"abc", 0},        {"300", 300}, {"-5", -5},
        {"12abc", 12},     {"", 0},      {"+7", 7},
        {"4294967297", 1}, {"- 3", 0},   {"2147483648", INT32_MIN},
    };
    for (const auto& [value, number] : cases) {
        Set("C1-200", "C1-200 = " + value);
        Set("H-5", "H-5 = " + value);
        Set("V-99", "V-99=" + value);
        ASSERT_EQ(Load(Joined()), ChartFileStatus::Done);
        EXPECT_EQ(Red[200], number) << value;
        EXPECT_EQ(HConnector[5], number) << value;
        EXPECT_EQ(VConnector[99], number) << value;
    }
}

TEST_F(ChartLoadTest, LfOnlyLineEndsLoadLikeCrLf) {
    Set("L2-250", "L2-250 = Finance  ");
    Set("S2-250", "S2-250 = 011");
    Set("V-150", "V-150 = 1");
    ASSERT_EQ(Load(Joined()), ChartFileStatus::Done);
    const ChartSnapshot crlf = ChartSnapshot::Take();
    ClearChart();
    ASSERT_EQ(Load(Joined("\n")), ChartFileStatus::Done);
    EXPECT_TRUE(ChartSnapshot::Take() == crlf);
    EXPECT_EQ(Line2[250], "Finance  ");
    EXPECT_EQ(StyleCode(250, 2), "011");
    EXPECT_EQ(VConnector[150], 1);
}

TEST_F(ChartLoadTest, TheFirstOfTwoKeysOrGroupsWins) {
    lines.insert(lines.begin() + 5, "l1-188 = First");
    lines.insert(lines.begin() + 5, "S1-190 = 111"); // stands in the text group: not a style
    lines.push_back("[Raw Chart Box Colors]");
    lines.push_back("C1-188 = 1");
    ASSERT_EQ(Load(Joined()), ChartFileStatus::Done);
    EXPECT_EQ(Line1[188], "First");
    EXPECT_EQ(StyleCode(190, 1), "000");
    EXPECT_EQ(Red[188], 227);
}

TEST_F(ChartLoadTest, TextsThatAreNotUtf8AreTakenAsWindows1252) {
    Set("L1-188", "L1-188 = Caf\xE9 \x80 5");
    Set("L2-188", "L2-188 = Caf\xC3\xA9");
    Set("L3-188", "L3-188 = \x93quoted\x94");
    Set("C1-188", "C1-188 = 2\xE9");
    ASSERT_EQ(Load(Joined()), ChartFileStatus::Done);
    EXPECT_EQ(Line1[188], "Caf\xC3\xA9 \xE2\x82\xAC 5");
    EXPECT_EQ(Line2[188], "Caf\xC3\xA9") << "valid UTF-8 stays as it is";
    EXPECT_EQ(Line3[188], "\xE2\x80\x9Cquoted\xE2\x80\x9D");
    EXPECT_EQ(Red[188], 2);
}

TEST_F(ChartLoadTest, AFiftyMegabyteFileLoads) {
    Text huge(50u << 20, 'w');
    Set("L3-285", "L3-285 = " + huge);
    lines.push_back(";" + Text(1u << 20, ';'));
    ASSERT_EQ(Load(Joined()), ChartFileStatus::Done);
    EXPECT_EQ(Line3[285].size(), huge.size());
    EXPECT_EQ(Line1[188], "Sales");
    EXPECT_EQ(Red[188], 227);
    EXPECT_EQ(HConnector[0], 1);
    EXPECT_EQ(VConnector[180], 0);
}

TEST_F(ChartLoadTest, BinaryGarbageAfterTheMagicLoadsWithoutHarm) {
    std::mt19937 random(42);
    for (int round = 0; round < 20; ++round) {
        Text bytes = "[KPVV10]\r\n[Raw Chart Text]\r\n";
        for (int i = 0; i < 4000; ++i) {
            unsigned r = random() % 64;
            bytes += r < 8 ? Text(1, "\r\n=[]; -"[r]) : Text(1, static_cast<char>(random()));
        }
        ClearChart();
        EXPECT_EQ(Load(bytes), ChartFileStatus::Done);
        for (int box = FirstBox; box <= LastBox; ++box) {
            EXPECT_TRUE(IsValidUtf8(Line1[box]));
            EXPECT_EQ(Line1[box].find_first_of(Text("\r\n\0", 3)), Text::npos);
        }
    }
}

} // namespace
