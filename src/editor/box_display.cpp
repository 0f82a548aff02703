// Box display: paints the Boxes' colours and styled text lines onto the main window, over the
// captionless Box buttons. PaintCurrentBox paints the one Box being clicked or edited,
// RefreshChart repaints the whole Chart and its connector lines on a cleared canvas. Both give
// the Box buttons their Boxes' lines as names for screen readers.
#include "editor.h"
#include "platform/gui.h"
#include "preview/connector_preview.h"

#include <array>
#include <string_view>

namespace {

// The eight valid StyleCodes and the numbers under which their fonts are loaded at start-up.
struct StyleFont {
    std::string_view code;
    int font;
};
constexpr std::array<StyleFont, 8> StyleFonts{{
    {"000", 11},
    {"100", 4},
    {"010", 5},
    {"001", 6},
    {"110", 7},
    {"111", 8},
    {"101", 9},
    {"011", 10},
}};

// Text tops below the Box's top, before TextDropY and LineShiftY are added.
constexpr std::array<int, 3> LineTop{1, 13, 25};
constexpr int NarrowRowDrop = 3;

// A code outside the eight selects nothing, so the font of the line drawn before stays.
void SelectStyleFont(const Text& code) {
    for (const StyleFont& style : StyleFonts)
        if (code == style.code) {
            SetDrawingFont(FontHandle(style.font));
            return;
        }
}

int32_t BoxColour(int box) { return RgbColour(Red[box], Green[box], Blue[box]); }

void FillBox(int box) {
    const GadgetBounds r = GadgetRect(box);
    FillRect(r.x + 1, r.y + 1, r.width - 3, r.height - 3, BoxColour(box));
}

// Lines are centred on the gadget's centre; one or two lines are moved down so that they sit
// in the middle of a full-height Box. Line 3 never moves.
void LayOutBoxText(int box) {
    TextDropY = IsNarrowBox(box) ? NarrowRowDrop : 0;
    if (Line3[box].empty() && !Line2[box].empty() && TextDropY == 0)
        LineShiftY = 7;
    else if (!Line1[box].empty() && Line2[box].empty() && Line3[box].empty() && TextDropY == 0)
        LineShiftY = 13;
    else
        LineShiftY = 0;

    const GadgetBounds r = GadgetRect(box);
    for (int line = 1; line <= 3; ++line) {
        const Text& text = LineTable(line)[box];
        SelectStyleFont(StyleCode(box, line));
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
        FillBox(CurrentBox);
        EndDrawing();
        FillCurrentBox = 2;
    }
    if (DrawCurrentBox == 1) {
        BeginMainWindowDrawing();
        SetDrawingMode(1);
        LayOutBoxText(CurrentBox);
        EndDrawing();
        NameBox(CurrentBox);
        DrawCurrentBox = 0;
    }
}

void RefreshChart() {
    // A repaint still pending would wipe what is drawn below. Then the canvas starts clean, as
    // a window does after a full repaint: text that ran over a Box's edges before it was
    // shortened or deleted leaves nothing between the Boxes.
    RepaintNow(MainWindow);
    ClearWindowCanvas(MainWindow);
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
        FillBox(box);
    }
    EndDrawing();

    BeginMainWindowDrawing();
    SetDrawingMode(1);
    for (int box = FirstBox; box <= LastBox; ++box) LayOutBoxText(box);
    EndDrawing();
    for (int box = FirstBox; box <= LastBox; ++box) NameBox(box);

    DrawConnectors();
}
