// The page's lines written by hand from the described document: the empty Chart, the worked
// examples, colour texts, line tags, the narrow row, escaping, the byte-order mark, and
// generations that must not remember anything of the one before.
#include "html_test.h"

using namespace htmltest;

namespace {

class PageTest : public HtmlTest {};

TEST_F(PageTest, EmptyChartHasEveryLineInPlace) {
    std::vector<Text> lines = CrLfLines(BuildChartPage());
    ASSERT_EQ(lines.size(), 442u);
    const std::vector<Text> head = {
        "<html>",
        "",
        "<HEAD>",
        "</HEAD>",
        "",
        "<body bgcolor=#FFFFFF text=#000000>",
        "<table valign=center border=0 cellspacing=0 cellpadding=0 width=1110>"};
    EXPECT_EQ(std::vector<Text>(lines.begin(), lines.begin() + 7), head);
    EXPECT_EQ(lines[439], "</table>");
    EXPECT_EQ(lines[440], "</body>");
    EXPECT_EQ(lines[441], "</html>");

    const Text filler = "<td bgcolor=#FFFFFF valign=center align=center nowrap width=10 height=8>"
                        "<img src=gfx/strek_middlehori_tom.gif></td>";
    const Text emptyVertical =
        "<td bgcolor=#FFFFFF valign=center align=center nowrap width=150 height=8></td>";
    int fillers = 0;
    for (const Text& line : lines) fillers += line == filler;
    EXPECT_EQ(fillers, 78);

    for (int row = 0; row < RowCount; ++row) {
        size_t first = BoxCellLine(row, 0) - 1;
        EXPECT_EQ(lines[first], "<tr>");
        EXPECT_EQ(lines[first + 14], "</tr>");
        EXPECT_EQ(lines[first + 15], "");
        const Text height = row == NarrowRow ? "20" : "40";
        for (int column = 0; column < ColumnCount; ++column)
            EXPECT_EQ(lines[BoxCellLine(row, column)],
                      Text(row == NarrowRow ? NarrowCell : StandardCell) + "</td>")
                << row << "," << column;
        for (int gap = 0; gap < ColumnCount - 1; ++gap)
            EXPECT_EQ(lines[HConnectorCellLine(row, gap)],
                      "<td bgcolor=#FFFFFF valign=center align=center nowrap width=10 height=" +
                          height + "><br></td>");
        if (row == RowCount - 1) continue;
        EXPECT_EQ(lines[VConnectorCellLine(row, 0) - 1], "<tr>");
        for (int column = 0; column < ColumnCount; ++column) {
            EXPECT_EQ(lines[VConnectorCellLine(row, column)], emptyVertical);
            if (column < ColumnCount - 1) {
                EXPECT_EQ(lines[VConnectorCellLine(row, column) + 1], filler);
            }
        }
        EXPECT_EQ(lines[VConnectorCellLine(row, 6) + 1], "</tr>");
        EXPECT_EQ(lines[VConnectorCellLine(row, 6) + 2], "");
    }
}

TEST_F(PageTest, WorkedExamples) {
    SetBox(BoxOf(4, 3), {"Board", "", "Chair"}, {"100", "000", "010"}, 255, 0, 0);
    std::vector<Text> lines = ChartPageLines();
    EXPECT_EQ(lines[BoxCellLine(4, 3)],
              "<td bgcolor=#FF0000 valign=center align=center nowrap width=150 height=40>"
              "<font face=verdana size=1><B>Board</B><BR><BR><I>Chair</I></font></td>");
    EXPECT_EQ(lines[BoxCellLine(4, 2)],
              "<td bgcolor=#FFFFFF valign=center align=center nowrap width=150 height=40></td>");
}

TEST_F(PageTest, ColourTextHasTwoDigitsPerComponentAndShowsBlackWhite) {
    struct Case {
        int r, g, b;
        const char* text;
    } cases[] = {
        {16, 255, 10, "10FF0A"},    {1, 2, 3, "010203"},       {0, 0, 0, "FFFFFF"},
        {0, 0, 1, "000001"},        {255, 255, 255, "FFFFFF"}, {256, 0, 4095, "10000FFF"},
        {-1, 0, 0, "FFFFFFFF0000"},
    };
    for (const Case& c : cases) {
        SetBox(200, {}, {}, c.r, c.g, c.b);
        EXPECT_EQ(BoxColourOf(200), c.text) << c.r << " " << c.g << " " << c.b;
    }
    SetBox(BoxOf(3, 0), {"x"}, {}, 0, 0, 0);
    SetBox(BoxOf(3, 1), {"x"}, {}, 0, 0, 1);
    std::vector<Text> lines = ChartPageLines();
    EXPECT_EQ(lines[BoxCellLine(3, 0)].substr(0, 20), "<td bgcolor=#FFFFFF ");
    EXPECT_EQ(lines[BoxCellLine(3, 1)].substr(0, 20), "<td bgcolor=#000001 ");
}

// The content of a standard Box cell, between its opening tag and "</td>".
Text Content(const Text& cell) {
    size_t open = cell.find('>');
    return cell.substr(open + 1, cell.size() - open - 1 - 5);
}

TEST_F(PageTest, LineTagsFollowTheStyleCodes) {
    struct Case {
        const char* codes[3];
        const char* content;
    } cases[] = {
        {{"100", "010", "001"}, "<B>a</B><BR><I>b</I><BR><U>c</U>"},
        {{"110", "111", "101"}, "<B><I>a</I></B><BR><B><I><U>b</U></I></B><BR><B><U>c</U></B>"},
        {{"011", "000", "110"}, "<I><U>a</U></I><BR>b<BR><B><I>c</I></B>"},
        {{"000", "011", "111"}, "a<BR><I><U>b</U></I><BR><B><I><U>c</U></I></B>"},
        {{"001", "101", "011"}, "<U>a</U><BR><B><U>b</U></B><BR><I><U>c</U></I>"},
        {{"010", "110", "100"}, "<I>a</I><BR><B><I>b</I></B><BR><B>c</B>"},
        {{"000", "000", "000"}, "a<BR>b<BR>c"},
    };
    for (const Case& c : cases) {
        SetBox(BoxOf(5, 2), {"a", "b", "c"}, {c.codes[0], c.codes[1], c.codes[2]});
        EXPECT_EQ(Content(ChartPageLines()[BoxCellLine(5, 2)]),
                  Text("<font face=verdana size=1>") + c.content + "</font>")
            << c.codes[0] << c.codes[1] << c.codes[2];
    }
}

TEST_F(PageTest, LineBreaksAndTagsWithoutText) {
    // Text in line 3 only: two breaks before it, inside the font tags.
    SetBox(BoxOf(2, 0), {"", "", "Third"});
    // An empty Box with styled lines still writes their tags, and no font tags.
    SetBox(BoxOf(2, 1), {}, {"100", "000", "111"});
    // Flags other than 0 and 1 count as no style; the breaks stay.
    SetBox(BoxOf(2, 2), {"Two", "Nine", "Minus"}, {"200", "090", "001"});
    Bold1[BoxOf(2, 3)] = 2;
    std::vector<Text> lines = ChartPageLines();
    EXPECT_EQ(Content(lines[BoxCellLine(2, 0)]), "<font face=verdana size=1><BR><BR>Third</font>");
    EXPECT_EQ(Content(lines[BoxCellLine(2, 1)]), "<B></B><BR><B><I><U></U></I></B>");
    EXPECT_EQ(Content(lines[BoxCellLine(2, 2)]),
              "<font face=verdana size=1>Two<BR>Nine<BR><U>Minus</U></font>");
    EXPECT_EQ(Content(lines[BoxCellLine(2, 3)]), "");
}

TEST_F(PageTest, NarrowRowShowsLineOneOnly) {
    SetBox(195, {"Head", "not shown", "nor this"}, {"101", "100", "100"}, 255, 255, 204);
    SetBox(196, {"", "line two only"}, {"000", "000", "000"});
    std::vector<Text> lines = ChartPageLines();
    EXPECT_EQ(lines[BoxCellLine(1, 0)],
              "<td bgcolor=#FFFFCC valign=center align=center nowrap width=150 height=20>"
              "<font face=verdana size=1><B><U>Head</U></B><BR></font></td>");
    // Line 2 makes the Box one with text (font tags, a break) without being written.
    EXPECT_EQ(lines[BoxCellLine(1, 1)],
              Text(NarrowCell) + "<font face=verdana size=1><BR></font></td>");
}

TEST_F(PageTest, BoxTextsAreEscaped) {
    EXPECT_EQ(EscapeBoxText("a&b<c>d\"e'f"), "a&amp;b&lt;c&gt;d&quot;e'f");
    EXPECT_EQ(EscapeBoxText("&amp;"), "&amp;amp;");
    EXPECT_EQ(EscapeBoxText("plain text"), "plain text");
    SetBox(BoxOf(6, 0), {"</td><td>", "R&D", "\"x\""});
    EXPECT_EQ(Content(ChartPageLines()[BoxCellLine(6, 0)]),
              "<font face=verdana size=1>&lt;/td&gt;&lt;td&gt;<BR>R&amp;D<BR>&quot;x&quot;</font>");
}

TEST_F(PageTest, ByteOrderMarkOnlyWhenAByteIsNotAscii) {
    SetBox(BoxOf(0, 0), {"ASCII ~ only"});
    Text ascii = BuildChartPage();
    EXPECT_EQ(ascii.substr(0, 8), "<html>\r\n");

    SetBox(BoxOf(13, 6), {"", "", "Z\xC3\xBCrich"});
    Text utf8 = BuildChartPage();
    EXPECT_EQ(utf8.substr(0, 11), "\xEF\xBB\xBF<html>\r\n");
    EXPECT_EQ(CrLfLines(utf8.substr(3)).size(), 442u);
    EXPECT_NE(utf8.find("<BR><BR>Z\xC3\xBCrich</font>"), Text::npos);
}

TEST_F(PageTest, GenerationsAreIndependentOfEachOther) {
    SetBox(BoxOf(7, 4), {"Lost soon"}, {"100", "000", "000"}, 10, 20, 30);
    HConnector[HConnectorOf(7, 4)] = 1;
    VConnector[VConnectorOf(6, 5)] = 1;
    Text first = BuildChartPage();
    EXPECT_EQ(BuildChartPage(), first);

    // The working tables are empty again after every generation.
    for (auto* table : {&BoxColourText, &LineOpenTag1, &LineOpenTag2, &LineOpenTag3, &LineCloseTag1,
                        &LineCloseTag2, &LineCloseTag3, &CellLeadIn, &CellClose})
        for (int slot = 0; slot < SlotCount; ++slot) EXPECT_TRUE((*table)[slot].empty()) << slot;

    Line1[BoxOf(7, 4)].clear();
    std::vector<Text> lines = ChartPageLines();
    EXPECT_EQ(lines[BoxCellLine(7, 4)],
              "<td bgcolor=#0A141E valign=center align=center nowrap width=150 height=40>"
              "<img src=gfx/strek_rightmiddle_av.gif><B></B><BR></td>");
    EXPECT_EQ(lines[BoxCellLine(7, 5)],
              Text(StandardCell) + "<img src=gfx/strek_leftmiddlestop3.gif></td>");
}

TEST(PageName, KpvBecomesHtml) {
    EXPECT_EQ(HtmlFileNameOf("/charts/staff.kpv"), "/charts/staff.html");
    EXPECT_EQ(HtmlFileNameOf("/charts/STAFF.KPV"), "/charts/STAFF.html");
    EXPECT_EQ(HtmlFileNameOf(".kpv"), ".html");
    EXPECT_EQ(HtmlFileNameOf("kpv"), ".html");
}

} // namespace
