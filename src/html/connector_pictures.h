// What the 34 connector images show, as black rectangles on a transparent cell. This one
// description is rasterised into GIF files by tools/make_connector_images and placed cell by
// cell into the chart's SVG picture, so that the picture's lines lie in exactly the pixels the
// page's images put them. Header only: the build-time tool cannot link the program's library.
//
// Every line is 2 pixels thick and placed so that the pictures of neighbouring cells meet
// without gaps: rows 19-20 of a 40-high cell, rows 9-10 of a 20-high cell, columns 74-75 of a
// 150-wide cell.
#pragma once
#include "image_names.h"

#include <string>
#include <vector>

struct InkRect {
    int left, top, right, bottom; // pixel corners, both included
};

struct ConnectorPicture {
    std::string fileName; // "strek_NAME.gif"
    int width, height;
    std::vector<InkRect> ink;
};

namespace connector_pictures {

// The horizontal line of a cell h pixels high lies on its rows h/2 - 1 and h/2.
inline int LineTop(int height) { return height / 2 - 1; }
inline int ColumnLeft(int width) { return width / 2 - 1; }

inline std::string FileName(const char* name) {
    return std::string(ImageFilePrefix) + name + ImageFileExtension;
}

// A junction: an arm from the centre to the edge for every side that is on, the 2 x 2 centre
// square included in each arm.
inline ConnectorPicture Junction(const char* name, int sides, int height) {
    ConnectorPicture p{FileName(name), BoxCellWidth, height, {}};
    const int top = LineTop(height), bottom = top + 1;
    const int left = ColumnLeft(BoxCellWidth), right = left + 1;
    if (sides & SideLeft) p.ink.push_back({0, top, right, bottom});
    if (sides & SideRight) p.ink.push_back({left, top, BoxCellWidth - 1, bottom});
    if (sides & SideUp) p.ink.push_back({left, 0, right, bottom});
    if (sides & SideDown) p.ink.push_back({left, top, right, height - 1});
    return p;
}

inline ConnectorPicture HorizontalLine(const char* name, int width, int height) {
    return {FileName(name), width, height, {{0, LineTop(height), width - 1, LineTop(height) + 1}}};
}

inline ConnectorPicture VerticalLine(const char* name, int width, int height) {
    return {
        FileName(name), width, height, {{ColumnLeft(width), 0, ColumnLeft(width) + 1, height - 1}}};
}

} // namespace connector_pictures

// The whole image set, in the order of the generated ImageSet.
inline std::vector<ConnectorPicture> ConnectorPictures() {
    using namespace connector_pictures;
    std::vector<ConnectorPicture> pictures = {
        HorizontalLine(HLineImageName, ConnectorCellWidth, BoxCellHeight),
        HorizontalLine(NarrowHLineImageName, ConnectorCellWidth, NarrowCellHeight),
        VerticalLine(VLineImageName, BoxCellWidth, SpacerCellHeight),
        {FileName(CrossingFillerName), ConnectorCellWidth, SpacerCellHeight, {}},
    };
    for (int sides = 1; sides < SideCombinations; ++sides)
        pictures.push_back(Junction(JunctionImageNames[sides].standard, sides, BoxCellHeight));
    for (int sides = 1; sides < SideCombinations; ++sides)
        pictures.push_back(Junction(JunctionImageNames[sides].narrow, sides, NarrowCellHeight));
    return pictures;
}
