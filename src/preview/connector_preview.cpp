// Connector preview: shows on the main window how ticked Connectors route lines through empty
// Boxes. Each Connector draws a two-pixel-wide stub from the side of each pass-through Box it
// touches towards that Box's centre; an unticked Connector paints its stubs out again in the
// button-face colour. Start at DrawConnectors.
#include "preview/connector_preview.h"

#include "chart/chart.h"
#include "gui/gui.h"

namespace {

// Vertical stubs: where each half-line starts below the Box's top edge and how long it is,
// by the kind of gap. The narrow row is half as tall, so the gaps touching it differ.
struct VerticalStub {
    int upperFromMiddle, upperLength; // in the upper Box, from GY + (GH >> 1)
    int lowerFromTop, lowerLength;    // in the lower Box, from GY
};
constexpr VerticalStub RowZeroToNarrow{0, 18, 2, 9};
constexpr VerticalStub NarrowToRowTwo{1, 7, 2, 20};
constexpr VerticalStub FullRows{1, 17, 2, 20};
constexpr int HorizontalStubLength = 61;

const VerticalStub& StubOfGap(int gap) {
    if (gap == 0) return RowZeroToNarrow;
    if (gap == 1) return NarrowToRowTwo;
    return FullRows;
}

void DrawStub(int x, int y, int dx, int dy, int32_t colour) {
    DrawLine(x, y, dx, dy, colour);
    if (dy == 0)
        DrawLine(x, y + 1, dx, 0, colour);
    else
        DrawLine(x + 1, y, 0, dy, colour);
}

void DrawHorizontalConnector(int slot) {
    const int32_t colour = HConnector[slot] == 1 ? 0 : ButtonFaceColour();
    const int left = LeftBoxOf(slot), right = RightBoxOf(slot);
    if (IsEmptyBox(left)) {
        const GadgetBounds r = GadgetRect(left);
        DrawStub(r.x + (r.width >> 1) + 1, r.y + (r.height >> 1), HorizontalStubLength, 0, colour);
    }
    if (IsEmptyBox(right)) {
        const GadgetBounds r = GadgetRect(right);
        DrawStub(r.x + 2, r.y + (r.height >> 1), HorizontalStubLength, 0, colour);
    }
}

void DrawVerticalConnector(int slot, int gap) {
    const int32_t colour = VConnector[slot] == 1 ? 0 : ButtonFaceColour();
    const VerticalStub& stub = StubOfGap(gap);
    const int upper = UpperBoxOf(slot), lower = LowerBoxOf(slot);
    if (IsEmptyBox(upper)) {
        const GadgetBounds r = GadgetRect(upper);
        DrawStub(r.x + (r.width >> 1) - 1, r.y + (r.height >> 1) + stub.upperFromMiddle, 0,
                 stub.upperLength, colour);
    }
    if (IsEmptyBox(lower)) {
        const GadgetBounds r = GadgetRect(lower);
        DrawStub(r.x + (r.width >> 1) - 1, r.y + stub.lowerFromTop, 0, stub.lowerLength, colour);
    }
}

} // namespace

void ReadConnectorCheckBoxes() {
    for (int slot = FirstHConnector; slot <= LastHConnector; ++slot)
        HConnector[slot] = ReadGadgetState(slot);
    for (int slot = FirstVConnector; slot <= LastVConnector; ++slot)
        VConnector[slot] = ReadGadgetState(slot);
}

void DrawConnectors() {
    RepaintNow(MainWindow);
    ReadConnectorCheckBoxes();

    // All stubs in one drawing pass, which ends before anything else may draw.
    SelectWindow(MainWindow);
    BeginDrawing(CurrentWindowHandle());
    // Rows and gaps alternate from the top down, so the stub of the Connector below a Box is
    // drawn after (and wins over) the stub of the Connector above it where the two overlap.
    for (int row = 0; row < RowCount; ++row) {
        for (int gap = 0; gap < ColumnCount - 1; ++gap)
            DrawHorizontalConnector(HConnectorOf(row, gap));
        if (row == RowCount - 1) break;
        for (int column = 0; column < ColumnCount; ++column)
            DrawVerticalConnector(VConnectorOf(row, column), row);
    }
    EndDrawing();
}
