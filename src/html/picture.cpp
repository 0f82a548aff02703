// The Chart's SVG picture, built from the page generator's working tables so that it shows what
// the page shows: which cells are filled, which carry text in which style, and which image each
// cell holds, whose ink (connector_pictures.h) is placed at the cell's place in the table.
// Start reading at BuildChartPicture.
#include "picture.h"
#include "connector_pictures.h"
#include "page.h"
#include "system/files.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr int ColumnPitch = BoxCellWidth + ConnectorCellWidth;
// A browser shows the page's text (size=1) at 10 pixels; its lines follow each other at 12 and
// the block of lines is centred in its cell.
constexpr int FontPixels = 10, LinePitch = 12, TextAscent = 9;
constexpr const char* FontFamily = "verdana, sans-serif";
constexpr const char* FirstFontFamily = "verdana";

int RowHeight(int row) { return row == NarrowRow ? NarrowCellHeight : BoxCellHeight; }
int RowTop(int row) {
    int top = 0;
    for (int r = 0; r < row; ++r) top += RowHeight(r) + SpacerCellHeight;
    return top;
}
int ColumnLeft(int column) { return ColumnPitch * column; }

// The pictures of the image set by the tag the page writes for them.
const ConnectorPicture* PictureOfTag(const Text& tag) {
    static const std::vector<std::pair<Text, ConnectorPicture>> pictures = [] {
        std::vector<std::pair<Text, ConnectorPicture>> all;
        for (ConnectorPicture& picture : ConnectorPictures())
            all.emplace_back(Text("<img src=") + ImageFolder + "/" + picture.fileName + ">",
                             std::move(picture));
        return all;
    }();
    if (tag.empty()) return nullptr;
    for (const auto& [pictureTag, picture] : pictures)
        if (pictureTag == tag) return &picture;
    return nullptr; // the font tag of a Box with text
}

void AddInk(std::vector<InkRect>& ink, const Text& tag, int x, int y) {
    if (const ConnectorPicture* picture = PictureOfTag(tag))
        for (const InkRect& r : picture->ink)
            ink.push_back({x + r.left, y + r.top, x + r.right, y + r.bottom});
}

// The ink of every image of the page, at its place in the table.
std::vector<InkRect> PageInk() {
    std::vector<InkRect> ink;
    const Text crossing = ImageTag(CrossingFillerName);
    for (int row = 0; row < RowCount; ++row)
        for (int column = 0; column < ColumnCount; ++column) {
            const int x = ColumnLeft(column), y = RowTop(row);
            AddInk(ink, CellLeadIn[BoxOf(row, column)], x, y);
            if (column < ColumnCount - 1)
                AddInk(ink, HConnectorImage[HConnectorOf(row, column)], x + BoxCellWidth, y);
            if (row == RowCount - 1) continue;
            const int spacerY = y + RowHeight(row);
            AddInk(ink, VConnectorImage[VConnectorOf(row, column)], x, spacerY);
            if (column < ColumnCount - 1) AddInk(ink, crossing, x + BoxCellWidth, spacerY);
        }
    return ink;
}

// Rectangles that continue one another within the same band become one, so that each line
// is one shape without seams however the picture is scaled.
void MergeRuns(std::vector<InkRect>& ink, int InkRect::*bandStart, int InkRect::*bandEnd,
               int InkRect::*from, int InkRect::*to) {
    std::sort(ink.begin(), ink.end(), [&](const InkRect& a, const InkRect& b) {
        return std::tie(a.*bandStart, a.*bandEnd, a.*from) <
               std::tie(b.*bandStart, b.*bandEnd, b.*from);
    });
    std::vector<InkRect> merged;
    for (const InkRect& r : ink) {
        if (!merged.empty()) {
            InkRect& last = merged.back();
            if (last.*bandStart == r.*bandStart && last.*bandEnd == r.*bandEnd &&
                r.*from <= last.*to + 1) {
                last.*to = std::max(last.*to, r.*to);
                continue;
            }
        }
        merged.push_back(r);
    }
    ink = std::move(merged);
}

struct Crop {
    int left, top, right, bottom; // in the page's table, right and bottom excluded
};

// The rows and columns that show anything (a fill, text or a line), with the margin around.
// Nothing to show keeps the whole grid.
Crop CropOfChart() {
    int firstRow = RowCount, lastRow = -1, firstColumn = ColumnCount, lastColumn = -1;
    for (int box = FirstBox; box <= LastBox; ++box) {
        if (CellLeadIn[box].empty() && BoxColourText[box] == "FFFFFF") continue;
        firstRow = std::min(firstRow, RowOfBox(box));
        lastRow = std::max(lastRow, RowOfBox(box));
        firstColumn = std::min(firstColumn, ColumnOfBox(box));
        lastColumn = std::max(lastColumn, ColumnOfBox(box));
    }
    if (lastRow < 0)
        firstRow = 0, lastRow = RowCount - 1, firstColumn = 0, lastColumn = ColumnCount - 1;
    return {ColumnLeft(firstColumn) - PictureMargin, RowTop(firstRow) - PictureMargin,
            ColumnLeft(lastColumn) + BoxCellWidth + PictureMargin,
            RowTop(lastRow) + RowHeight(lastRow) + PictureMargin};
}

Text Number(int value) { return std::to_string(value); }

// Components beyond 0..255 (only an edited chart file holds them) are brought into range.
Text FillColour(int box) {
    const Text& colour = BoxColourText[box];
    if (colour.size() == 6) return "#" + colour;
    Text hex = "#";
    for (int32_t component : {Red[box], Green[box], Blue[box]}) {
        const int c = std::clamp<int32_t>(component, 0, 255);
        hex += HexDigits[c >> 4];
        hex += HexDigits[c & 15];
    }
    return hex;
}

Text Millimetres(int hundredths) {
    const int fraction = hundredths % 100;
    return Number(hundredths / 100) + (fraction < 10 ? ".0" : ".") + Number(fraction) + "mm";
}

void AddBoxText(Text& svg, ChartPicture& picture, int& underlined, int box, int x, int y) {
    if (IsEmptyBox(box)) return;
    // Lines 1 and 2 end in a line break, so a Box shows two lines, or three when line 3 has
    // text; the narrow row shows its first line only.
    const int shown = IsNarrowBox(box) ? 1 : Line3[box].empty() ? 2 : 3;
    const int top = y + (RowHeight(RowOfBox(box)) - LinePitch * shown) / 2;
    for (int line = 1; line <= shown; ++line) {
        const Text& text = LineTable(line)[box];
        if (text.empty()) continue;
        const LineStyle* style = LineStyleOf(StyleCode(box, line));
        const int centre = x + BoxCellWidth / 2,
                  baseline = top + LinePitch * (line - 1) + TextAscent;
        picture.lines.push_back({centre, baseline, XmlCharactersOf(text), style && style->bold,
                                 style && style->italic, style && style->underline});
        svg += "<text x=\"" + Number(centre) + "\" y=\"" + Number(baseline) + "\"";
        if (style && style->bold) svg += " font-weight=\"bold\"";
        if (style && style->italic) svg += " font-style=\"italic\"";
        // The id lets a renderer without text decorations (Qt SVG) find the text's extent.
        if (style && style->underline)
            svg += " id=\"u" + Number(++underlined) + "\" text-decoration=\"underline\"";
        svg += ">" + EscapeXmlText(text) + "</text>\n";
    }
}

// The SVG, and the same shapes into the picture's description.
Text RenderSvg(const Crop& crop, ChartPicture& picture) {
    const int width = crop.right - crop.left, height = crop.bottom - crop.top;
    const int widthHundredthMm = picture.widthHundredthMm,
              heightHundredthMm = picture.heightHundredthMm;
    Text svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
               Millimetres(widthHundredthMm) + "\" height=\"" + Millimetres(heightHundredthMm) +
               "\" viewBox=\"0 0 " + Number(width) + " " + Number(height) + "\">\n";
    svg += "<rect width=\"" + Number(width) + "\" height=\"" + Number(height) +
           "\" fill=\"#FFFFFF\"/>\n";
    picture.fills.push_back({0, 0, width, height, 0xFFFFFF});
    for (int box = FirstBox; box <= LastBox; ++box) {
        if (BoxColourText[box] == "FFFFFF") continue;
        const PictureFill fill{
            ColumnLeft(ColumnOfBox(box)) - crop.left, RowTop(RowOfBox(box)) - crop.top,
            BoxCellWidth, RowHeight(RowOfBox(box)),
            static_cast<uint32_t>(std::strtoul(FillColour(box).c_str() + 1, nullptr, 16))};
        picture.fills.push_back(fill);
        svg += "<rect x=\"" + Number(fill.x) + "\" y=\"" + Number(fill.y) + "\" width=\"" +
               Number(fill.width) + "\" height=\"" + Number(fill.height) + "\" fill=\"" +
               FillColour(box) + "\"/>\n";
    }
    std::vector<InkRect> ink = PageInk();
    MergeRuns(ink, &InkRect::top, &InkRect::bottom, &InkRect::left, &InkRect::right);
    MergeRuns(ink, &InkRect::left, &InkRect::right, &InkRect::top, &InkRect::bottom);
    if (!ink.empty()) {
        svg += "<path fill=\"#000000\" d=\"";
        for (const InkRect& r : ink) {
            picture.fills.push_back({r.left - crop.left, r.top - crop.top, r.right - r.left + 1,
                                     r.bottom - r.top + 1, 0x000000});
            svg += "M" + Number(r.left - crop.left) + " " + Number(r.top - crop.top) + "h" +
                   Number(r.right - r.left + 1) + "v" + Number(r.bottom - r.top + 1) + "h-" +
                   Number(r.right - r.left + 1) + "z";
        }
        svg += "\"/>\n";
    }
    svg += "<g font-family=\"" + Text(FontFamily) + "\" font-size=\"" + Number(FontPixels) +
           "\" text-anchor=\"middle\" fill=\"#000000\">\n";
    int underlined = 0;
    for (int box = FirstBox; box <= LastBox; ++box)
        AddBoxText(svg, picture, underlined, box, ColumnLeft(ColumnOfBox(box)) - crop.left,
                   RowTop(RowOfBox(box)) - crop.top);
    return svg + "</g>\n</svg>\n";
}

} // namespace

ChartPicture BuildChartPicture() {
    ComputePageTables();
    const Crop crop = CropOfChart();
    ChartPicture picture;
    picture.pixelWidth = crop.right - crop.left;
    picture.pixelHeight = crop.bottom - crop.top;
    // At 96 pixels per inch, scaled down where that would be wider than the limit.
    const double perPixel =
        std::min(2540.0 / PicturePixelsPerInch, PictureMaxWidthMm * 100.0 / picture.pixelWidth);
    picture.widthHundredthMm = static_cast<int>(std::lround(picture.pixelWidth * perPixel));
    picture.heightHundredthMm = static_cast<int>(std::lround(picture.pixelHeight * perPixel));
    picture.fontFamily = FirstFontFamily;
    picture.fontPixels = FontPixels;
    picture.svg = RenderSvg(crop, picture);
    EmptyWorkingTables();
    return picture;
}

Text SvgFileNameOf(const Text& chartFileName) { return ChartNameStem(chartFileName) + ".svg"; }

bool WritePictureFile(const Text& path, const Text& bytes) {
    SafeFileWriter writer;
    if (!writer.Open(path)) return false;
    writer.Write(bytes);
    return writer.Commit();
}

// Only characters that XML 1.0 allows in text reach the picture, so that it is always
// well-formed: a text that is not UTF-8 is read as windows-1252 (as charts are), then control
// characters but the tab, and U+FFFE and U+FFFF, are left out. The rest of the forbidden
// characters (surrogates, beyond U+10FFFF) are no UTF-8.
Text XmlCharactersOf(const Text& text) {
    const Text utf8 = TextAsUtf8(text);
    Text kept;
    kept.reserve(utf8.size());
    for (size_t at = 0; at < utf8.size();) {
        const auto byte = [&](size_t i) { return static_cast<unsigned char>(utf8[at + i]); };
        const size_t length = byte(0) < 0xC0 ? 1 : byte(0) < 0xE0 ? 2 : byte(0) < 0xF0 ? 3 : 4;
        const bool control = byte(0) < 0x20 && byte(0) != '\t';
        const bool nonCharacter =
            length == 3 && byte(0) == 0xEF && byte(1) == 0xBF && byte(2) >= 0xBE;
        if (!control && !nonCharacter) kept.append(utf8, at, length);
        at += length;
    }
    return kept;
}

Text EscapeXmlText(const Text& text) { return EscapeBoxText(XmlCharactersOf(text), false); }
