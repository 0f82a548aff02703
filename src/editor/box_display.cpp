// Box display: paints the Boxes' colours and styled text lines onto the main window, over the
// captionless Box buttons. PaintCurrentBox paints the one Box being clicked or edited,
// RefreshChart repaints the whole Chart and its connector lines on a cleared canvas. Both give
// the Box buttons their Boxes' lines as names for screen readers.
#include "editor.h"
#include "gui/gui.h"
#include "preview/connector_preview.h"

#include <array>

namespace {

// The fonts loaded at start-up for the eight StyleCodes of bold, italic and underline flags:
// "000" font 11, "001" 6, "010" 5, "011" 10, "100" 4, "101" 9, "110" 7, "111" 8.
constexpr std::array<int, 8> StyleFonts{11, 6, 5, 10, 4, 9, 7, 8};

// Text tops below the Box's top, before TextDropY and LineShiftY are added.
constexpr std::array<int, 3> LineTop{1, 13, 25};
constexpr int NarrowRowDrop = 3;
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

// Where a Box's text goes, line by line, in the fonts its lines select.
void DrawBoxText(int box, const GadgetBounds& r) {
    PlaceBoxText(box);
    for (int line = 1; line <= 3; ++line) {
        const Text& text = LineTable(line)[box];
        SelectStyleFont(box, line);
        const int width = text.empty() ? 0 : TextPixelWidth(text);
        const int shift = line == 3 ? 0 : LineShiftY;
        MoveTextCursor(r.x + (r.width >> 1) - (width >> 1),
                       r.y + TextDropY + shift + LineTop[line - 1]);
        DrawTextAtCursor(text);
    }
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
        const SwatchArea& swatch = PickedSwatch;
        FillRect(swatch.x, swatch.y, swatch.width, swatch.height, PickedColour);
        EndDrawing();
        Red[CurrentBox] = RedOf(PickedColour);
        Green[CurrentBox] = GreenOf(PickedColour);
        Blue[CurrentBox] = BlueOf(PickedColour);
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
        DrawBoxText(CurrentBox, GadgetRect(CurrentBox));
        EndDrawing();
        NameBox(CurrentBox);
        DrawCurrentBox = 0;
    }
}

void RefreshChart() {
    // A repaint still pending would wipe what is drawn below.
    RepaintNow(MainWindow);
    // The canvas starts clean, as a window does after a full repaint: text that ran over a Box's
    // edges before it was shortened or deleted leaves nothing between the Boxes.
    ClearWindowCanvas(MainWindow);
    std::array<GadgetBounds, LastBox - FirstBox + 1> rects;
    for (int box = FirstBox; box <= LastBox; ++box) rects[box - FirstBox] = GadgetRect(box);
    LineShiftY = 0;
    BeginMainWindowDrawing();
    for (int slot = FirstHConnector; slot <= LastHConnector; ++slot)
        WriteGadgetState(slot, HConnector[slot]);
    for (int slot = FirstVConnector; slot <= LastVConnector; ++slot)
        WriteGadgetState(slot, VConnector[slot]);
    for (int box = FirstBox; box <= LastBox; ++box) {
        // Showing the gadget again makes it repaint itself as a plain button, which covers the
        // black fill below: a Box without colour and without a first line looks untouched.
        if (Red[box] == 0 && Green[box] == 0 && Blue[box] == 0 && Line1[box].empty()) {
            SetGadgetHidden(box, 1);
            SetGadgetHidden(box, 0);
        }
        FillBox(box, rects[box - FirstBox]);
    }
    EndDrawing();

    BeginMainWindowDrawing();
    SetDrawingMode(1);
    for (int box = FirstBox; box <= LastBox; ++box) DrawBoxText(box, rects[box - FirstBox]);
    EndDrawing();
    for (int box = FirstBox; box <= LastBox; ++box) NameBox(box);
    DrawConnectors();
}
