// The page of the Chart: colour texts and line tags of every Box, then the 442 lines of the
// document (27 table rows of 16 lines between a head of 7 and a tail of 3). Start reading at
// ChartPageLines.
#include "page.h"

SlotTable<Text> BoxColourText;
SlotTable<Text> LineOpenTag1, LineOpenTag2, LineOpenTag3;
SlotTable<Text> LineCloseTag1, LineCloseTag2, LineCloseTag3;
SlotTable<Text> CellLeadIn, CellClose;
SlotTable<Text> HConnectorImage, VConnectorImage;
Text HtmlFileName;

namespace {

SlotTable<Text>* const OpenTags[] = {&LineOpenTag1, &LineOpenTag2, &LineOpenTag3};
SlotTable<Text>* const CloseTags[] = {&LineCloseTag1, &LineCloseTag2, &LineCloseTag3};

// The seven styled StyleCodes; "000" and every other text get no tags.
constexpr LineStyle StyledLines[] = {
    {"100", true, false, false, "<B>", "</B>"},
    {"010", false, true, false, "<I>", "</I>"},
    {"001", false, false, true, "<U>", "</U>"},
    {"110", true, true, false, "<B><I>", "</I></B>"},
    {"111", true, true, true, "<B><I><U>", "</U></I></B>"},
    {"101", true, false, true, "<B><U>", "</U></B>"},
    {"011", false, true, true, "<I><U>", "</U></I>"},
};

constexpr const char* LineBreak = "<BR>";
constexpr const char* FontOpen = "<font face=verdana size=1>";
constexpr const char* FontClose = "</font>";
constexpr const char* SpacerCrossingCell =
    "<td bgcolor=#FFFFFF valign=center align=center nowrap width=10 height=8>"
    "<img src=gfx/strek_middlehori_tom.gif></td>";

Text TwoHexDigits(int32_t component) {
    Text digits = HexText(component);
    return TextLength(digits) == 1 ? "0" + digits : digits;
}

Text BoxCell(int box) {
    bool narrow = IsNarrowBox(box);
    Text cell = "<td bgcolor=#" + BoxColourText[box] +
                (narrow ? " valign=center align=center nowrap width=150 height=20>"
                        : " valign=center align=center nowrap width=150 height=40>") +
                CellLeadIn[box] + LineOpenTag1[box] + EscapeBoxText(Line1[box]) +
                LineCloseTag1[box];
    if (!narrow) { // the narrow row shows its first line only
        cell += LineOpenTag2[box] + EscapeBoxText(Line2[box]) + LineCloseTag2[box];
        cell += LineOpenTag3[box] + EscapeBoxText(Line3[box]) + LineCloseTag3[box];
    }
    return cell + CellClose[box] + "</td>";
}

Text ConnectorCell(int h, bool narrow) {
    return Text(narrow
                    ? "<td bgcolor=#FFFFFF valign=center align=center nowrap width=10 height=20>"
                    : "<td bgcolor=#FFFFFF valign=center align=center nowrap width=10 height=40>") +
           HConnectorImage[h] + "<br></td>";
}

void AddBoxRow(std::vector<Text>& lines, int row) {
    lines.push_back("<tr>");
    lines.push_back(BoxCell(BoxOf(row, 0)));
    for (int column = 1; column < ColumnCount; ++column) {
        lines.push_back(ConnectorCell(HConnectorOf(row, column - 1), row == NarrowRow));
        lines.push_back(BoxCell(BoxOf(row, column)));
    }
    lines.push_back("</tr>");
    lines.push_back("");
}

void AddSpacerRow(std::vector<Text>& lines, int gap) {
    lines.push_back("<tr>");
    for (int column = 0; column < ColumnCount; ++column) {
        lines.push_back(
            "<td bgcolor=#FFFFFF valign=center align=center nowrap width=150 height=8>" +
            VConnectorImage[VConnectorOf(gap, column)] + "</td>");
        if (column < ColumnCount - 1) lines.push_back(SpacerCrossingCell);
    }
    lines.push_back("</tr>");
    lines.push_back("");
}

std::vector<Text> RenderPageLines() {
    std::vector<Text> lines = {
        "<html>",
        "",
        "<HEAD>",
        "</HEAD>",
        "",
        "<body bgcolor=#FFFFFF text=#000000>",
        "<table valign=center border=0 cellspacing=0 cellpadding=0 width=1110>",
    };
    lines.reserve(442);
    for (int row = 0; row < RowCount; ++row) {
        AddBoxRow(lines, row);
        if (row < RowCount - 1) AddSpacerRow(lines, row);
    }
    lines.push_back("</table>");
    lines.push_back("</body>");
    lines.push_back("</html>");
    return lines;
}

bool IsAscii(const std::vector<Text>& lines) {
    for (const Text& line : lines)
        for (unsigned char c : line)
            if (c >= 128) return false;
    return true;
}

} // namespace

Text BoxColourOf(int box) {
    Text colour = TwoHexDigits(Red[box]) + TwoHexDigits(Green[box]) + TwoHexDigits(Blue[box]);
    return TextEqual(colour, "000000") ? Text("FFFFFF") : colour; // uncoloured Boxes show white
}

const LineStyle* LineStyleOf(const Text& styleCode) {
    for (const LineStyle& style : StyledLines)
        if (TextEqual(styleCode, style.code)) return &style;
    return nullptr;
}

Text EscapeBoxText(const Text& text, bool quotes) {
    if (text.find_first_of(quotes ? "&<>\"" : "&<>") == Text::npos) return text;
    Text escaped;
    escaped.reserve(text.size() + 16);
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += quotes ? "&quot;" : "\"";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

void ComputeBoxTags() {
    for (int box = FirstBox; box <= LastBox; ++box) {
        BoxColourText[box] = BoxColourOf(box);
        bool hasText = !IsEmptyBox(box);
        for (int line = 1; line <= 3; ++line) {
            const LineStyle* tags = LineStyleOf(StyleCode(box, line));
            Text open = tags ? tags->open : "";
            Text close = tags ? tags->close : "";
            // Lines 1 and 2 of a Box with text always end in a break, even when empty.
            if (line < 3 && (tags || hasText)) close += LineBreak;
            (*OpenTags[line - 1])[box] = open;
            (*CloseTags[line - 1])[box] = close;
        }
    }
}

void ComputeFontTags() {
    for (int box = FirstBox; box <= LastBox; ++box) {
        if (IsEmptyBox(box)) continue;
        CellLeadIn[box] = FontOpen;
        CellClose[box] = FontClose;
    }
}

void EmptyWorkingTables() {
    for (SlotTable<Text>* table :
         {&BoxColourText, &LineOpenTag1, &LineOpenTag2, &LineOpenTag3, &LineCloseTag1,
          &LineCloseTag2, &LineCloseTag3, &CellLeadIn, &CellClose})
        for (Text& entry : *table) entry.clear();
}

void ComputePageTables() {
    ComputeConnectorImages();
    ComputeBoxTags();
    ComputeNarrowRowImages();
    ComputeJunctionImages();
    ComputeFontTags();
}

std::vector<Text> ChartPageLines() {
    ComputePageTables();
    std::vector<Text> lines = RenderPageLines();
    EmptyWorkingTables();
    if (!IsAscii(lines)) lines.front().insert(0, Utf8ByteOrderMark);
    return lines;
}

Text BuildChartPage() {
    std::vector<Text> lines = ChartPageLines();
    size_t size = 0;
    for (const Text& line : lines) size += line.size() + 2;
    Text page;
    page.reserve(size);
    for (const Text& line : lines) {
        page += line;
        page += "\r\n";
    }
    return page;
}

Text ChartNameStem(const Text& chartFileName) {
    const size_t length = chartFileName.size();
    if (length >= 4 && TextEqualIgnoringAsciiCase(".kpv", 4, chartFileName.substr(length - 4)))
        return chartFileName.substr(0, length - 4);
    return chartFileName;
}

Text HtmlFileNameOf(const Text& chartFileName) { return ChartNameStem(chartFileName) + ".html"; }
