// Saving charts: the exact bytes of the 1066-line file, a save and load that give back every
// value, the extension rule, and saves that cannot create or cannot finish their file.
#include "document/chart_file.h"
#include "document_test.h"

#include <random>

using namespace doctest;

namespace {

class ChartFileTest : public DocumentTest {
  protected:
    // The saved file must equal the golden file except for line 4, which names the real folder.
    void ExpectGolden(const char* golden) {
        const Text path = Path("org.kpv");
        ASSERT_EQ(WriteChartFile(path), ChartFileStatus::Done);
        EXPECT_EQ(LastProjectDir, dir.string() + "/");
        std::vector<Text> saved = CrLfLines(Slurp(path));
        std::vector<Text> expected = CrLfLines(Golden(golden));
        ASSERT_EQ(expected.size(), 1066u);
        ASSERT_EQ(saved.size(), 1066u);
        EXPECT_EQ(expected[3], "Last Project Dir = /charts/");
        EXPECT_EQ(saved[3], "Last Project Dir = " + dir.string() + "/");
        for (size_t i = 0; i < saved.size(); ++i) {
            if (i == 3) continue;
            EXPECT_EQ(saved[i], expected[i]) << "line " << i + 1;
        }
        EXPECT_EQ(EntryCount(), 1u);
    }
};

TEST_F(ChartFileTest, AnEmptyChartSavesAsTheGoldenFile) { ExpectGolden("empty.kpv"); }

TEST_F(ChartFileTest, TheSalesExampleSavesAsTheGoldenFile) {
    Line1[188] = "Sales";
    Bold1[188] = 1;
    Red[188] = 227;
    Green[188] = 222;
    Blue[188] = 188;
    HConnector[0] = 1;
    ExpectGolden("example.kpv");
    std::vector<Text> lines = CrLfLines(Slurp(Path("org.kpv")));
    const std::pair<int, const char*> listed[] = {{1, "[KPVV10]"},
                                                  {2, ";Brondel file."},
                                                  {3, "[Common Settings]"},
                                                  {5, "[Raw Chart Text]"},
                                                  {6, "L1-188 = Sales"},
                                                  {7, "L1-189 = "},
                                                  {300, "[Raw Chart Text Styles]"},
                                                  {301, "S1-188 = 100"},
                                                  {302, "S1-189 = 000"},
                                                  {399, "S2-188 = 000"},
                                                  {596, "C1-188 = 227"},
                                                  {694, "C2-188 = 222"},
                                                  {792, "C3-188 = 188"},
                                                  {793, "C3-189 = 0"},
                                                  {891, "H-0 = 1"},
                                                  {976, "V-90 = 0"},
                                                  {1066, "V-180 = 0"}};
    for (auto [number, text] : listed) EXPECT_EQ(lines.at(number - 1), text);
}

TEST_F(ChartFileTest, WritesTheConnectorAndNumberValuesAsSignedDecimals) {
    HConnector[83] = 1;
    VConnector[180] = 1;
    Red[285] = -7;
    Blue[285] = 2147483647;
    Underline3[285] = 1;
    Italic2[200] = 1;
    ASSERT_EQ(WriteChartFile(Path("n.kpv")), ChartFileStatus::Done);
    std::vector<Text> lines = CrLfLines(Slurp(Path("n.kpv")));
    EXPECT_EQ(lines[973], "H-83 = 1");
    EXPECT_EQ(lines[1065], "V-180 = 1");
    EXPECT_EQ(lines[692], "C1-285 = -7");
    EXPECT_EQ(lines[888], "C3-285 = 2147483647");
    EXPECT_EQ(lines[593], "S3-285 = 001");
    EXPECT_EQ(lines[398 + 12], "S2-200 = 010");
}

// Every value of every Box and Connector, with texts that carry '=', ';', '[', tabs,
// trailing spaces and UTF-8, style digits beyond 0 and 1, and colours of any 32-bit value.
void FillChartRandomly(std::mt19937& random) {
    const std::vector<Text> pieces = {"a", "Z", " ", "=", ";", "[", "]",    "\t",
                                      "é", "€", "Ø", "#", "0", "-", "<td>", "&"};
    auto text = [&] {
        Text t;
        for (int n = random() % 12; n > 0; --n) t += pieces[random() % pieces.size()];
        if (!t.empty() && t[0] == ' ') t[0] = '_'; // leading spaces are not kept, see below
        return t;
    };
    auto number = [&] { return static_cast<int32_t>(random()); };
    for (int box = FirstBox; box <= LastBox; ++box) {
        for (int line = 1; line <= 3; ++line) {
            LineTable(line)[box] = text();
            BoldTable(line)[box] = random() % 10;
            ItalicTable(line)[box] = random() % 2;
            UnderlineTable(line)[box] = random() % 10;
        }
        Red[box] = random() % 256;
        Green[box] = number();
        Blue[box] = box == 200 ? INT32_MIN : number();
    }
    for (int h = FirstHConnector; h <= LastHConnector; ++h) HConnector[h] = random() % 2;
    for (int v = FirstVConnector; v <= LastVConnector; ++v) VConnector[v] = random() % 3;
}

TEST_F(ChartFileTest, SaveAndLoadGiveBackEveryValue) {
    std::mt19937 random(1066);
    FillChartRandomly(random);
    Line1[188] = "";
    Line2[188] = "a = b = c";
    Line3[188] = "trailing  ";
    const ChartSnapshot before = ChartSnapshot::Take();
    ASSERT_EQ(WriteChartFile(Path("round.kpv")), ChartFileStatus::Done);
    ClearChart();
    LastProjectDir = "elsewhere";
    ASSERT_EQ(ReadChartFile(Path("round.kpv")), ChartFileStatus::Done);
    EXPECT_EQ(LastProjectDir, dir.string() + "/");
    for (int box = FirstBox; box <= LastBox; ++box)
        for (int line = 1; line <= 3; ++line)
            EXPECT_EQ(LineTable(line)[box], before.texts[line - 1][box]) << box << "/" << line;
    EXPECT_TRUE(ChartSnapshot::Take() == before);
}

TEST_F(ChartFileTest, LeadingSpacesOfABoxTextAreLost) {
    Line1[230] = "  centred  ";
    ASSERT_EQ(WriteChartFile(Path("lead.kpv")), ChartFileStatus::Done);
    ClearChart();
    ASSERT_EQ(ReadChartFile(Path("lead.kpv")), ChartFileStatus::Done);
    EXPECT_EQ(Line1[230], "centred  ");
}

TEST_F(ChartFileTest, OnlyBoxesAndConnectorSlotsAreSavedAndLoaded) {
    Line1[187] = "not a box";
    Red[286] = 5;
    HConnector[84] = 1;
    VConnector[181] = 1;
    ASSERT_EQ(WriteChartFile(Path("slots.kpv")), ChartFileStatus::Done);
    Text saved = Slurp(Path("slots.kpv"));
    EXPECT_EQ(saved.find("not a box"), Text::npos);
    EXPECT_EQ(saved.find("-84 ="), Text::npos);
    EXPECT_EQ(saved.find("-181 ="), Text::npos);
    Line1[187] = "kept";
    ASSERT_EQ(ReadChartFile(Path("slots.kpv")), ChartFileStatus::Done);
    EXPECT_EQ(Line1[187], "kept");
    EXPECT_EQ(Red[286], 5);
}

TEST_F(ChartFileTest, TheExtensionIsForcedOnTheFileNamePart) {
    const std::pair<Text, Text> cases[] = {
        {"org", "org.kpv"},
        {"org.txt", "org.kpv"},
        {"org.old.kpv", "org.kpv"},
        {"org.KPV", "org.kpv"},
        {"/charts/my.chart.txt", "/charts/my.kpv"},
        {"/home/a.b/org", "/home/a.b/org.kpv"},
        {"/home/a.b/c.d/org.x", "/home/a.b/c.d/org.kpv"},
        {"/charts/org.", "/charts/org.kpv"},
        {"/charts/.hidden", "/charts/.kpv"},
    };
    for (const auto& [chosen, used] : cases) EXPECT_EQ(ApplyChartExtension(chosen), used) << chosen;
}

TEST_F(ChartFileTest, EveryStatusHasItsMessage) {
    EXPECT_STREQ(ChartFileMessage(ChartFileStatus::Done), "");
    EXPECT_STREQ(ChartFileMessage(ChartFileStatus::CannotCreate),
                 "Could not save chart, already in use?");
    EXPECT_STREQ(ChartFileMessage(ChartFileStatus::WriteFailed),
                 "Could not save chart, already in use?");
    EXPECT_STREQ(ChartFileMessage(ChartFileStatus::CannotOpen),
                 "Could not load chart, already in use or unknown error?");
    EXPECT_STREQ(ChartFileMessage(ChartFileStatus::NotAChart), "This is not a valid .KPV file!");
}

TEST_F(ChartFileTest, ASaveThatCannotCreateItsFileReportsIt) {
    Spit(dir / "plain", "keep");
    LastProjectDir = "before/";
    EXPECT_EQ(WriteChartFile(Path("missing/org.kpv")), ChartFileStatus::CannotCreate);
    EXPECT_EQ(WriteChartFile(Path("plain/org.kpv")), ChartFileStatus::CannotCreate);
    EXPECT_EQ(LastProjectDir, "before/");
    EXPECT_EQ(Slurp(dir / "plain"), "keep");
    EXPECT_EQ(EntryCount(), 1u);
    EXPECT_EQ(fs::current_path(), dir);
}

TEST_F(ChartFileTest, ASaveThatRunsOutOfSpaceKeepsThePreviousFile) {
    Line1[188] = "Previous";
    ASSERT_EQ(WriteChartFile(Path("org.kpv")), ChartFileStatus::Done);
    const Text previous = Slurp(Path("org.kpv"));
    fs::permissions(Path("org.kpv"),
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    std::mt19937 random(7);
    FillChartRandomly(random);
    ChartFileStatus status = ChartFileStatus::Done;
    WithFileSizeLimit(8192, [&] { status = WriteChartFile(Path("org.kpv")); });
    EXPECT_EQ(status, ChartFileStatus::WriteFailed);
    EXPECT_EQ(Slurp(Path("org.kpv")), previous);
    EXPECT_EQ(EntryCount(), 1u) << "the temporary file was left behind";

    ASSERT_EQ(WriteChartFile(Path("org.kpv")), ChartFileStatus::Done);
    EXPECT_NE(Slurp(Path("org.kpv")), previous);
    EXPECT_EQ(fs::status(Path("org.kpv")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

} // namespace
