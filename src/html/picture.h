// The Chart as one self-contained SVG picture: the page's cells at the page's sizes and places,
// Box fills, the Boxes' lines of text with their styles, and the connector lines exactly where
// the page's images put them. Empty rows and columns at the edges are cropped away. Plain C++:
// brondel-generate writes it, and the editor copies and exports it.
#pragma once
#include "system/text.h"

#include <cstdint>
#include <vector>

inline constexpr int PictureMargin = 8;         // white around the cropped chart, in pixels
inline constexpr int PictureMaxWidthMm = 160;   // inside the text area of A4 portrait
inline constexpr int PicturePixelsPerInch = 96; // the size a browser gives the page

// What the SVG draws, in its own pixels, for programs that draw it themselves.
struct PictureFill {
    int x, y, width, height;
    uint32_t rgb; // 0xRRGGBB
};
struct PictureLine {
    int x, baseline; // the text is centred on x
    Text text;       // UTF-8, as the SVG shows it
    bool bold, italic, underline;
};

struct ChartPicture {
    Text svg;
    int pixelWidth = 0, pixelHeight = 0;             // the picture's own pixels (its viewBox)
    int widthHundredthMm = 0, heightHundredthMm = 0; // the size it states, in 1/100 mm
    // The SVG's shapes in its order (white ground, Box fills, lines) and its texts.
    std::vector<PictureFill> fills;
    std::vector<PictureLine> lines;
    Text fontFamily; // the first of the SVG's families
    int fontPixels = 0;
};

// The picture of the Chart as it is now. Uses the page generator's working tables and leaves
// them empty again.
ChartPicture BuildChartPicture();

Text SvgFileNameOf(const Text& chartFileName); // the chart's name stem (page.h) + ".svg"

// Writes bytes to path through the safe writer; false when the file is not there whole.
bool WritePictureFile(const Text& path, const Text& bytes);

// The text in UTF-8 with only the characters XML 1.0 allows in text, and no line breaks: bytes
// that are not UTF-8 read as windows-1252, control characters, U+FFFE and U+FFFF left out.
Text XmlCharactersOf(const Text& text);
// XML character data: the characters above, with & < > escaped as on the page.
Text EscapeXmlText(const Text& text);
