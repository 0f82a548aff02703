// The Chart: the one document, held in parallel tables indexed by the main window's gadget
// numbers ("slots"), with the slot arithmetic and the helpers that work on whole Boxes.
// Plain C++: the page generator, the chart file and the editor all stand on it.
//
// Slots:   0..83   horizontal Connectors (6 x row + gap)
//          90..180 vertical Connectors   (90 + 7 x gap + column)
//          188..285 Boxes                (188 + 7 x row + column)
//          300     the main window itself
// Everything else holds no Chart content.
#pragma once
#include "system/text.h"

#include <array>
#include <cstdint>

constexpr int SlotCount = 301;
constexpr int RowCount = 14;
constexpr int ColumnCount = 7;
constexpr int NarrowRow = 1;

constexpr int FirstBox = 188, LastBox = 285;
constexpr int FirstHConnector = 0, LastHConnector = 83;
constexpr int FirstVConnector = 90, LastVConnector = 180;
constexpr int FirstNarrowBox = 195, LastNarrowBox = 201;
constexpr int MainWindow = 300; // the window whose gadget numbers the slots are

constexpr int BoxOf(int row, int column) { return FirstBox + ColumnCount * row + column; }
constexpr int RowOfBox(int box) { return (box - FirstBox) / ColumnCount; }
constexpr int ColumnOfBox(int box) { return (box - FirstBox) % ColumnCount; }
constexpr bool IsBox(int slot) { return slot >= FirstBox && slot <= LastBox; }
constexpr bool IsNarrowBox(int slot) { return slot >= FirstNarrowBox && slot <= LastNarrowBox; }

// Horizontal Connector k of a row joins column k and column k + 1.
constexpr int HConnectorOf(int row, int gap) { return (ColumnCount - 1) * row + gap; }
constexpr int LeftBoxOf(int h) { return BoxOf(h / (ColumnCount - 1), h % (ColumnCount - 1)); }
constexpr int RightBoxOf(int h) { return LeftBoxOf(h) + 1; }
constexpr bool IsHConnector(int slot) { return slot >= FirstHConnector && slot <= LastHConnector; }

// Vertical Connector of gap g joins row g and row g + 1.
constexpr int VConnectorOf(int gap, int column) {
    return FirstVConnector + ColumnCount * gap + column;
}
constexpr int UpperBoxOf(int v) { return v + (FirstBox - FirstVConnector); }
constexpr int LowerBoxOf(int v) { return UpperBoxOf(v) + ColumnCount; }
constexpr bool IsVConnector(int slot) { return slot >= FirstVConnector && slot <= LastVConnector; }

static_assert(BoxOf(RowCount - 1, ColumnCount - 1) == LastBox);
static_assert(BoxOf(NarrowRow, 0) == FirstNarrowBox && BoxOf(NarrowRow, 6) == LastNarrowBox);
static_assert(HConnectorOf(RowCount - 1, ColumnCount - 2) == LastHConnector);
static_assert(VConnectorOf(RowCount - 2, ColumnCount - 1) == LastVConnector);
static_assert(LeftBoxOf(83) == 284 && RightBoxOf(83) == 285 && LeftBoxOf(6) == 195);
static_assert(UpperBoxOf(90) == 188 && LowerBoxOf(90) == 195 && LowerBoxOf(180) == 285);
static_assert(LastBox < SlotCount && LastHConnector < FirstVConnector && LastVConnector < FirstBox);

template <typename T> using SlotTable = std::array<T, SlotCount>;

// The Box values: three lines, nine style flags, three colour components.
extern SlotTable<Text> Line1, Line2, Line3;
extern SlotTable<int32_t> Bold1, Bold2, Bold3;
extern SlotTable<int32_t> Italic1, Italic2, Italic3;
extern SlotTable<int32_t> Underline1, Underline2, Underline3;
extern SlotTable<int32_t> Red, Green, Blue;
// The Connector values, 0 or 1 (a chart file may hold others).
extern SlotTable<int32_t> HConnector, VConnector;

extern Text ChartFileName;  // path last chosen in the Load or Save requester
extern Text LastProject;    // "Last Project" of the settings file, read at start-up
extern Text LastProjectDir; // folder offered by the requesters, written into chart files

// Per-line accessors, for code that walks the three lines of a Box.
SlotTable<Text>& LineTable(int line); // line 1..3
SlotTable<int32_t>& BoldTable(int line);
SlotTable<int32_t>& ItalicTable(int line);
SlotTable<int32_t>& UnderlineTable(int line);

bool IsEmptyBox(int box);          // all three lines empty, whatever the colour
Text StyleCode(int box, int line); // decimal texts of bold, italic, underline, joined
void ClearChart();                 // the "New Chart" reset

// A Box's contents: its 15 values, taken out of the tables or put back as a whole.
struct BoxContents {
    std::array<Text, 3> lines;
    std::array<int32_t, 3> bold{}, italic{}, underline{};
    int32_t red = 0, green = 0, blue = 0;
    bool operator==(const BoxContents&) const = default;
};
BoxContents ReadBox(int slot);
void WriteBox(int slot, const BoxContents& contents);
void ClearBoxLines(int slot, int fromLine = 1); // lines fromLine..3 empty, their flags 0
void ExchangeBoxes(int first, int second);
