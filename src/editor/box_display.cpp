// Box display: paints the Boxes' colours and styled text lines onto the main window, over the
// captionless Box buttons. PaintCurrentBox paints the one Box being clicked or edited,
// RefreshChart repaints the Chart and its connector lines as on a cleared canvas: all of it
// the first time, then only around what changed. Both give the Box buttons their Boxes' lines
// as names for screen readers.
#include "editor.h"
#include "gui/gui.h"
#include "preview/connector_preview.h"

#include <algorithm>
#include <array>

namespace {

// The fonts loaded at start-up for the eight StyleCodes of bold, italic and underline flags:
// "000" font 11, "001" 6, "010" 5, "011" 10, "100" 4, "101" 9, "110" 7, "111" 8.
constexpr std::array<int, 8> StyleFonts{11, 6, 5, 10, 4, 9, 7, 8};

// Text tops below the Box's top, before TextDropY and LineShiftY are added.
constexpr std::array<int, 3> LineTop{1, 13, 25};
constexpr int NarrowRowDrop = 3;
// Bounds of a line's ink around its text position: the line height of the Box fonts and the
// italic overhang, with room to spare.
constexpr int LineInkHeight = 18, InkMargin = 4;

bool IsEmptyArea(const GadgetBounds& a) { return a.width <= 0 || a.height <= 0; }

GadgetBounds United(const GadgetBounds& a, const GadgetBounds& b) {
    if (IsEmptyArea(a)) return b;
    if (IsEmptyArea(b)) return a;
    const int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    const int right = std::max(a.x + a.width, b.x + b.width);
    const int bottom = std::max(a.y + a.height, b.y + b.height);
    return {left, top, right - left, bottom - top};
}

bool Meet(const GadgetBounds& a, const GadgetBounds& b) {
    return !IsEmptyArea(a) && !IsEmptyArea(b) && a.x < b.x + b.width && b.x < a.x + a.width &&
           a.y < b.y + b.height && b.y < a.y + a.height;
}

// A code outside the eight (a flag other than 0 or 1) selects nothing, so the font of the line
// drawn before stays.
void SelectStyleFont(int box, int line) {
    const int32_t bold = BoldTable(line)[box], italic = ItalicTable(line)[box];
    const int32_t underline = UnderlineTable(line)[box];
    if ((bold | italic | underline) & ~1) return;
    SetDrawingFont(FontHandle(StyleFonts[bold * 4 + italic * 2 + underline]));
}

int32_t BoxColour(int box) { return RgbColour(Red[box], Green[box], Blue[box]); }

void FillBox(int box, const GadgetBounds& r) {
    FillRect(r.x + 1, r.y + 1, r.width - 3, r.height - 3, BoxColour(box));
}

// Lines are centred on the gadget's centre; one or two lines are moved down so that they sit
// in the middle of a full-height Box. Line 3 never moves.
void PlaceBoxText(int box) {
    TextDropY = IsNarrowBox(box) ? NarrowRowDrop : 0;
    if (Line3[box].empty() && !Line2[box].empty() && TextDropY == 0)
        LineShiftY = 7;
    else if (!Line1[box].empty() && Line2[box].empty() && Line3[box].empty() && TextDropY == 0)
        LineShiftY = 13;
    else
        LineShiftY = 0;
}

// Where a Box's text goes, line by line, in the fonts its lines select. Returns around what the
// lines may ink, the Box included; draws them unless only measuring.
GadgetBounds LayOutBoxText(int box, const GadgetBounds& r, bool draw = true) {
    PlaceBoxText(box);
    GadgetBounds ink = r;
    for (int line = 1; line <= 3; ++line) {
        const Text& text = LineTable(line)[box];
        SelectStyleFont(box, line);
        const int width = text.empty() ? 0 : TextPixelWidth(text);
        const int shift = line == 3 ? 0 : LineShiftY;
        const int x = r.x + (r.width >> 1) - (width >> 1);
        const int y = r.y + TextDropY + shift + LineTop[line - 1];
        if (!text.empty())
            ink = United(ink, {x - InkMargin, y - InkMargin, width + 2 * InkMargin,
                               LineInkHeight + 2 * InkMargin});
        if (!draw) continue;
        MoveTextCursor(x, y);
        DrawTextAtCursor(text);
    }
    return ink;
}

// Where a Box stands, counted from 1 as a person counts rows and columns.
const Text& PlaceOfBox(int box) {
    static const auto places = [] {
        std::array<Text, LastBox - FirstBox + 1> all;
        for (int b = FirstBox; b <= LastBox; ++b)
            all[b - FirstBox] = " (row " + DecimalText(RowOfBox(b) + 1) + ", column " +
                                DecimalText(ColumnOfBox(b) + 1) + ")";
        return all;
    }();
    return places[box - FirstBox];
}

// A screen reader reads the Chart through the names of the Box buttons: the lines that are
// drawn, then where the Box stands.
void NameBox(int box) {
    static Text name; // kept, so that naming every Box on every refresh allocates nothing
    name.clear();
    for (int line = 1; line <= 3; ++line) {
        const Text& text = LineTable(line)[box];
        if (text.empty()) continue;
        if (!name.empty()) name += ", ";
        name += text;
    }
    if (name.empty()) name = "Empty box";
    name += PlaceOfBox(box);
    SetGadgetAccessibleName(box, name);
}

void BeginMainWindowDrawing() {
    SelectWindow(MainWindow);
    BeginDrawing(CurrentWindowHandle());
}

} // namespace

void PaintCurrentBox() {
    if (ApplyPickedColour == 1) {
        SelectWindow(BoxEditorWindow);
        BeginDrawing(CurrentWindowHandle());
        SetDrawingMode(1);
        // One row less than the swatch drawn at opening: the frame's bottom inside row keeps
        // the colour shown before.
        FillRect(184, 86, 40, 17, PickedColour);
        EndDrawing();
        Red[CurrentBox] = PickedColour & 0xFF;
        Green[CurrentBox] = (PickedColour >> 8) & 0xFF;
        Blue[CurrentBox] = (PickedColour >> 16) & 0xFF;
        ApplyPickedColour = 0;
    }
    if (DrawCurrentBox == 1 && FillCurrentBox == 1) {
        BeginMainWindowDrawing();
        FillBox(CurrentBox, GadgetRect(CurrentBox));
        EndDrawing();
        FillCurrentBox = 2;
    }
    if (DrawCurrentBox == 1) {
        BeginMainWindowDrawing();
        SetDrawingMode(1);
        LayOutBoxText(CurrentBox, GadgetRect(CurrentBox));
        EndDrawing();
        NameBox(CurrentBox);
        DrawCurrentBox = 0;
    }
}

namespace {

// A Box's values that its picture on the main window depends on.
struct BoxLook {
    std::array<Text, 3> lines;
    std::array<int32_t, 12> values; // bold, italic, underline of each line; red, green, blue

    bool IsOf(int box) const {
        for (int line = 1; line <= 3; ++line)
            if (lines[line - 1] != LineTable(line)[box] ||
                values[line - 1] != BoldTable(line)[box] ||
                values[line + 2] != ItalicTable(line)[box] ||
                values[line + 5] != UnderlineTable(line)[box])
                return false;
        return values[9] == Red[box] && values[10] == Green[box] && values[11] == Blue[box];
    }
    void Take(int box) {
        for (int line = 1; line <= 3; ++line) {
            lines[line - 1] = LineTable(line)[box];
            values[line - 1] = BoldTable(line)[box];
            values[line + 2] = ItalicTable(line)[box];
            values[line + 5] = UnderlineTable(line)[box];
        }
        values[9] = Red[box];
        values[10] = Green[box];
        values[11] = Blue[box];
    }
};

// The Chart as the main window shows it since the last refresh, and where each Box may have
// inked. A refresh then draws again only around what changed, and what else changed the
// canvas since, with the same pixels as drawing everything.
struct DrawnChart {
    bool valid = false;
    std::array<BoxLook, LastBox - FirstBox + 1> boxes;
    std::array<GadgetBounds, LastBox - FirstBox + 1> ink;
};

DrawnChart& Drawn() {
    static DrawnChart drawn;
    return drawn;
}

// A Box without colour and without a first line is shown again as a plain button, which clears
// its whole rectangle of the canvas at the next repaint.
bool IsPlainBox(int box) {
    return Red[box] == 0 && Green[box] == 0 && Blue[box] == 0 && Line1[box].empty();
}

// Where the picture changes: around every Box that changed, before and after, and what else
// changed the canvas. (Connector stubs are all drawn again on every refresh.)
GadgetBounds ChangedArea() {
    DrawnChart& drawn = Drawn();
    GadgetBounds area = TakeCanvasChanges(MainWindow);
    BeginMainWindowDrawing(); // measures only, every Box: a line's font may be the one before
    for (int box = FirstBox; box <= LastBox; ++box) {
        const GadgetBounds ink = LayOutBoxText(box, GadgetRect(box), false);
        if (!drawn.boxes[box - FirstBox].IsOf(box))
            area = United(area, United(ink, drawn.ink[box - FirstBox]));
    }
    EndDrawing();
    // Shown again, a focused plain Box gives up the focus, as it does when all is drawn.
    if (const int focused = FocusedGadget(); IsBox(focused) && IsPlainBox(focused))
        area = United(area, GadgetRect(focused));
    return area;
}

void RememberDrawnChart() {
    DrawnChart& drawn = Drawn();
    for (int box = FirstBox; box <= LastBox; ++box) drawn.boxes[box - FirstBox].Take(box);
    drawn.valid = true;
    TakeCanvasChanges(MainWindow); // what the refresh itself drew
}

void WriteConnectorCheckBoxes() {
    for (int slot = FirstHConnector; slot <= LastHConnector; ++slot)
        WriteGadgetState(slot, HConnector[slot]);
    for (int slot = FirstVConnector; slot <= LastVConnector; ++slot)
        WriteGadgetState(slot, VConnector[slot]);
}

// Everything drawn, or, with a limit, everything whose pixels may fall within it, in the same
// order. Beyond the limit only the plain Boxes that meet it change: cleared whole and given
// their stubs again, as drawing everything leaves them.
void DrawChart(const GadgetBounds* limit) {
    std::array<GadgetBounds, LastBox - FirstBox + 1> rects;
    for (int box = FirstBox; box <= LastBox; ++box) rects[box - FirstBox] = GadgetRect(box);
    const auto drawsIn = [&](const GadgetBounds& r) { return !limit || Meet(r, *limit); };
    LineShiftY = 0;
    BeginMainWindowDrawing();
    if (limit) {
        LimitDrawingTo(*limit);
        ClearWithinLimit();
    }
    WriteConnectorCheckBoxes();
    for (int box = FirstBox; box <= LastBox; ++box) {
        if (!drawsIn(rects[box - FirstBox])) continue;
        // Showing the gadget again makes it repaint itself as a plain button, which covers the
        // black fill below: a Box without colour and without a first line looks untouched.
        if (IsPlainBox(box)) {
            SetGadgetHidden(box, 1);
            SetGadgetHidden(box, 0);
        }
        FillBox(box, rects[box - FirstBox]);
    }
    EndDrawing();

    BeginMainWindowDrawing();
    if (limit) LimitDrawingTo(*limit);
    SetDrawingMode(1);
    for (int box = FirstBox; box <= LastBox; ++box) {
        const GadgetBounds& r = rects[box - FirstBox];
        const bool draw = drawsIn(Drawn().ink[box - FirstBox]) || drawsIn(r);
        const GadgetBounds ink = LayOutBoxText(box, r, draw);
        if (draw) Drawn().ink[box - FirstBox] = ink;
    }
    EndDrawing();
    for (int box = FirstBox; box <= LastBox; ++box)
        if (drawsIn(rects[box - FirstBox])) NameBox(box); // a Box outside kept its lines
    DrawConnectors(); // stubs are opaque: drawn again where they were, they change nothing
}

} // namespace

void RefreshChart() {
    // A repaint still pending would wipe what is drawn below.
    RepaintNow(MainWindow);
    if (!Drawn().valid) {
        // The canvas starts clean, as a window does after a full repaint: text that ran over a
        // Box's edges before it was shortened or deleted leaves nothing between the Boxes.
        ClearWindowCanvas(MainWindow);
        DrawChart(nullptr);
        RememberDrawnChart();
        return;
    }
    const GadgetBounds area = ChangedArea();
    if (IsEmptyArea(area)) { // measuring every Box left the text placement as drawing would
        WriteConnectorCheckBoxes();
        DrawConnectors();
    } else if (area.width * area.height * 2 > MainClientWidth * MainClientHeight) {
        ClearWindowCanvas(MainWindow);
        DrawChart(nullptr);
    } else {
        DrawChart(&area);
    }
    RememberDrawnChart();
}

void ForgetDrawnChart() { Drawn().valid = false; }
