// Which image goes into which cell: line images between connected Boxes, and junction images
// that carry the lines of all touching Connectors through an empty Box. Start at
// ComputeJunctionImages; the side combinations are the data of image_names.h.
#include "image_names.h"
#include "page.h"

Text ImageTag(const char* name) {
    return Text("<img src=") + ImageFolder + "/" + ImageFilePrefix + name + ImageFileExtension +
           ">";
}

void ComputeConnectorImages() {
    for (int h = FirstHConnector; h <= LastHConnector; ++h)
        HConnectorImage[h] = HConnector[h] == 1 ? ImageTag(HLineImageName) : Text();
    for (int v = FirstVConnector; v <= LastVConnector; ++v)
        VConnectorImage[v] = VConnector[v] == 1 ? ImageTag(VLineImageName) : Text();
}

void ComputeNarrowRowImages() {
    bool anyEmpty = false;
    for (int box = FirstNarrowBox; box <= LastNarrowBox; ++box) anyEmpty |= IsEmptyBox(box);
    if (!anyEmpty) return;
    for (int gap = 0; gap < ColumnCount - 1; ++gap) {
        int h = HConnectorOf(NarrowRow, gap);
        HConnectorImage[h] = HConnector[h] == 1 ? ImageTag(NarrowHLineImageName) : Text();
    }
}

namespace {

// A side's state: a value other than 0 or 1 (only an edited chart file has one) is neither.
enum class Side { Off, On, Unknown };

Side SideOf(int32_t value) {
    if (value == 1) return Side::On;
    if (value == 0) return Side::Off;
    return Side::Unknown;
}

struct BoxSides {
    Side left = Side::Off, right = Side::Off, up = Side::Off, down = Side::Off;
};

BoxSides SidesOf(int box) {
    int row = RowOfBox(box), column = ColumnOfBox(box);
    BoxSides sides; // a side at the edge of the grid has no Connector and stays off
    if (column > 0) sides.left = SideOf(HConnector[HConnectorOf(row, column - 1)]);
    if (column < ColumnCount - 1) sides.right = SideOf(HConnector[HConnectorOf(row, column)]);
    if (row > 0) sides.up = SideOf(VConnector[VConnectorOf(row - 1, column)]);
    if (row < RowCount - 1) sides.down = SideOf(VConnector[VConnectorOf(row, column)]);
    return sides;
}

} // namespace

void ComputeJunctionImages() {
    for (int box = FirstBox; box <= LastBox; ++box) {
        if (!IsEmptyBox(box)) continue;
        BoxSides s = SidesOf(box);
        if (s.left == Side::Unknown || s.right == Side::Unknown || s.up == Side::Unknown ||
            s.down == Side::Unknown)
            continue;
        int index = (s.left == Side::On ? SideLeft : 0) | (s.right == Side::On ? SideRight : 0) |
                    (s.up == Side::On ? SideUp : 0) | (s.down == Side::On ? SideDown : 0);
        const JunctionImageRow& row = JunctionImageNames[index];
        const char* name = IsNarrowBox(box) ? row.narrow : row.standard;
        if (name) CellLeadIn[box] = ImageTag(name);
    }
}
