// Box editor: window 301 "Edit Field", where the user changes one Box's lines, line styles and
// colour. Every change goes into the Chart at once and is shown live on the main window; Cancel
// puts back what it can from the snapshot taken at opening. Start at EditBox.
#include "editor.h"
#include "gui/gui.h"

#include <array>

namespace {

enum class Kind { TextField, Label, Button, Frame };

struct GadgetSpec {
    int number;
    Kind kind;
    int x, y, width, height;
    const char* text;
    uint32_t flags;
    int font; // 0: none set
};

constexpr uint32_t Toggle = BS_PUSHLIKE | BS_CHECKBOX_AUTO;
constexpr uint32_t FlatEdgeFrame = 2;

// In creation order, which is also the order of focus movement with Tab.
constexpr std::array<GadgetSpec, 21> EditorGadgets{{
    {TextFieldOf(1), Kind::TextField, 44, 22, 134, 20, "", ES_CENTER, 2},
    {TextFieldOf(2), Kind::TextField, 44, 42, 134, 20, "", ES_CENTER, 2},
    {TextFieldOf(3), Kind::TextField, 44, 62, 134, 20, "", ES_CENTER, 2},
    {LineLabelOf(1), Kind::Label, -9, 24, 50, 14, "LINE 1:", SS_RIGHT, 1},
    {LineLabelOf(2), Kind::Label, -9, 44, 50, 14, "LINE 2:", SS_RIGHT, 1},
    {LineLabelOf(3), Kind::Label, -9, 64, 50, 14, "LINE 3:", SS_RIGHT, 1},
    {HintLabel, Kind::Label, 1, 3, 212, 14, "Text should not exceed outside textbox!", SS_CENTER, 2},
    {ToggleOf(1, MakeBold), Kind::Button, 183, 22, 84, 20, "Make Bold", Toggle, 2},
    {ToggleOf(1, MakeItalic), Kind::Button, 269, 22, 84, 20, "Make Italic", Toggle, 2},
    {ToggleOf(1, MakeUnderline), Kind::Button, 355, 22, 84, 20, "Make Underline", Toggle, 2},
    {ColourButton, Kind::Button, 45, 85, 132, 20, "Change Background Color", 0, 2},
    {ColourSwatch, Kind::Frame, 183, 85, 42, 20, "", FlatEdgeFrame, 0},
    {ToggleOf(2, MakeBold), Kind::Button, 183, 42, 84, 20, "Make Bold", Toggle, 2},
    {ToggleOf(2, MakeItalic), Kind::Button, 269, 42, 84, 20, "Make Italic", Toggle, 2},
    {ToggleOf(2, MakeUnderline), Kind::Button, 355, 42, 84, 20, "Make Underline", Toggle, 2},
    {ToggleOf(3, MakeBold), Kind::Button, 183, 62, 84, 20, "Make Bold", Toggle, 2},
    {ToggleOf(3, MakeItalic), Kind::Button, 269, 62, 84, 20, "Make Italic", Toggle, 2},
    {ToggleOf(3, MakeUnderline), Kind::Button, 355, 62, 84, 20, "Make Underline", Toggle, 2},
    {CancelButton, Kind::Button, 269, 85, 84, 20, "Cancel", 0, 2},
    {OkButton, Kind::Button, 355, 85, 84, 20, "OK", BS_DEFPUSHBUTTON, 1},
    {DeleteButton, Kind::Button, 227, 85, 40, 20, "Delete", 0, 2},
}};

// Lines 2 and 3 cannot be edited in the narrow row.
constexpr std::array<int, 10> LinesTwoAndThree{
    ToggleOf(2, MakeBold),      ToggleOf(3, MakeBold),      ToggleOf(2, MakeItalic),
    ToggleOf(3, MakeItalic),    ToggleOf(2, MakeUnderline), ToggleOf(3, MakeUnderline),
    TextFieldOf(2),             TextFieldOf(3),             LineLabelOf(2),
    LineLabelOf(3)};

struct RowColour {
    int lastBox;
    int32_t red, green, blue;
};
constexpr std::array<RowColour, 4> RowDefaultColours{{
    {194, 227, 222, 188},
    {201, 125, 196, 245},
    {208, 191, 227, 252},
    {285, 226, 234, 249},
}};

void GiveRowDefaultColour(int box) {
    for (const RowColour& row : RowDefaultColours)
        if (box <= row.lastBox) {
            Red[box] = row.red;
            Green[box] = row.green;
            Blue[box] = row.blue;
            return;
        }
}

// What the Box was when the editor opened, once its flags agree with the toggles.
BoxContents Opening;

void CreateGadget(const GadgetSpec& g) {
    switch (g.kind) {
    case Kind::TextField:
        AddTextField(g.number, g.x, g.y, g.width, g.height, g.text, g.flags);
        break;
    case Kind::Label:
        AddLabel(g.number, g.x, g.y, g.width, g.height, g.text, g.flags);
        break;
    case Kind::Button:
        AddButton(g.number, g.x, g.y, g.width, g.height, g.text, g.flags);
        break;
    case Kind::Frame:
        AddFrame(g.number, g.x, g.y, g.width, g.height, g.text, g.flags);
        break;
    }
    if (g.font != 0) SetGadgetFontHandle(g.number, FontHandle(g.font));
}

bool IsValidStyleCode(const Text& code) {
    static constexpr std::array<const char*, 8> valid{"000", "100", "010", "001",
                                                      "110", "111", "101", "011"};
    for (const char* v : valid)
        if (code == v) return true;
    return false;
}

bool OpenEditor() {
    const int box = CurrentBox;
    const Handle window = OpenAppWindow(BoxEditorWindow, 420, 376, 444, 110,
                                        WS_CAPTION_BITS | WS_SYSMENU_BIT, "Edit Field");
    if (window == 0) return false;
    if (BeginGadgets(window) == 0) {
        CloseAppWindow(BoxEditorWindow);
        return false;
    }
    for (const GadgetSpec& g : EditorGadgets) CreateGadget(g);
    // Enter and Escape, from whichever gadget has the focus, press OK and Cancel.
    AddShortcut(BoxEditorWindow, KeyReturn, OkButton);
    AddShortcut(BoxEditorWindow, KeyEscape, CancelButton);

    SetWindowTopmost(BoxEditorWindow, 1);
    SelectWindow(BoxEditorWindow);

    if (Red[box] == 0 && Green[box] == 0 && Blue[box] == 0) GiveRowDefaultColour(box);
    if (NarrowRowEdit == 1)
        for (int gadget : LinesTwoAndThree) SetGadgetHidden(gadget, 1);

    for (int line = 1; line <= 3; ++line) WriteGadgetText(TextFieldOf(line), LineTable(line)[box]);

    SelectWindow(BoxEditorWindow);
    BeginDrawing(CurrentWindowHandle());
    const SwatchArea& swatch = OpeningSwatch;
    FillRect(swatch.x, swatch.y, swatch.width, swatch.height,
             RgbColour(Red[box], Green[box], Blue[box]));
    EndDrawing();

    for (int line = 1; line <= 3; ++line) {
        const Text code = StyleCode(box, line);
        if (!IsValidStyleCode(code)) continue;
        for (int style = 0; style < 3; ++style)
            WriteGadgetState(ToggleOf(line, style), code[style] == '1' ? 1 : 0);
    }
    ReadStyleToggles();
    Opening = ReadBox(box);
    return true;
}

void CloseEditor() {
    SetWindowTopmost(BoxEditorWindow, 0);
    CloseAppWindow(BoxEditorWindow);
    SelectWindow(MainWindow);
    ActivateCurrentWindow();
    NarrowRowEdit = 0;
}

void FinishWithOk() {
    CloseEditor();
    const int box = CurrentBox;
    if (IsEmptyBox(box)) {
        // Shown again, the gadget repaints itself as a plain, empty button.
        SetGadgetHidden(box, 1);
        SetGadgetHidden(box, 0);
        if (Opening.red != 0 && Opening.green != 0 && Opening.blue != 0)
            Red[box] = Green[box] = Blue[box] = 0;
    }
    NoteChartChanged(); // Cancel leaves no step
}

void SetLineFlagsFromOpening(int box, int line) {
    BoldTable(line)[box] = Opening.bold[line - 1];
    ItalicTable(line)[box] = Opening.italic[line - 1];
    UnderlineTable(line)[box] = Opening.underline[line - 1];
}

void FinishWithCancel() {
    CloseEditor();
    const int box = CurrentBox;
    for (int line = 1; line <= 3; ++line)
        if (!LineTable(line)[box].empty()) {
            LineTable(line)[box] = Opening.lines[line - 1];
            SetLineFlagsFromOpening(box, line);
        }
    for (int line = 1; line <= 3; ++line)
        if (LineTable(line)[box].empty()) SetLineFlagsFromOpening(box, line);
    if (IsEmptyBox(box)) Red[box] = Green[box] = Blue[box] = 0;
    // A line that had text at opening and was emptied brings back the opening colour too.
    for (int line = 1; line <= 3; ++line)
        if (LineTable(line)[box].empty() && !Opening.lines[line - 1].empty()) {
            LineTable(line)[box] = Opening.lines[line - 1];
            Red[box] = Opening.red;
            Green[box] = Opening.green;
            Blue[box] = Opening.blue;
        }
}

void DeleteBox() {
    const int box = CurrentBox;
    GiveRowDefaultColour(box);
    ClearBoxLines(box);
    for (int line = 1; line <= 3; ++line) {
        WriteGadgetText(TextFieldOf(line), "");
        for (int style = 0; style < 3; ++style) WriteGadgetState(ToggleOf(line, style), 0);
    }
}

void ChangeColour() {
    const int32_t colour = PickColour();
    if (colour == -1) return;
    // (0, 0, 0) means "no colour", so pure black is kept as red 1.
    PickedColour = colour == 0 ? 1 : colour;
    ApplyPickedColour = 1;
    PaintCurrentBox();
    SelectWindow(BoxEditorWindow);
}

enum class Outcome { Open, Closed };

Outcome HandleGadget(int source) {
    if (source >= TextFieldOf(1) && source <= TextFieldOf(3)) {
        const int line = source - FirstTextField + 1;
        LineTable(line)[CurrentBox] = ReadGadgetText(source);
        SelectWindow(BoxEditorWindow);
        return Outcome::Open;
    }
    if (source >= ToggleOf(1, MakeBold) && source <= ToggleOf(3, MakeUnderline)) {
        ReadStyleToggles();
        return Outcome::Open;
    }
    switch (source) {
    case ColourButton:
        ChangeColour();
        return Outcome::Open;
    case DeleteButton:
        DeleteBox();
        FinishWithOk();
        return Outcome::Closed;
    case CancelButton:
        FinishWithCancel();
        return Outcome::Closed;
    case OkButton:
        FinishWithOk();
        return Outcome::Closed;
    default:
        return Outcome::Open; // the main window's gadgets wait until the editor is closed
    }
}

} // namespace

void ReadStyleToggles() {
    const int box = CurrentBox;
    for (int line = 1; line <= 3; ++line) {
        BoldTable(line)[box] = ReadGadgetState(ToggleOf(line, MakeBold)) == 1 ? 1 : 0;
        ItalicTable(line)[box] = ReadGadgetState(ToggleOf(line, MakeItalic)) == 1 ? 1 : 0;
        UnderlineTable(line)[box] = ReadGadgetState(ToggleOf(line, MakeUnderline)) == 1 ? 1 : 0;
    }
}

void EditBox() {
    NoteChartBefore();
    if (!OpenEditor()) {
        NarrowRowEdit = 0;
        return;
    }
    for (;;) {
        DrawCurrentBox = 1;
        FillCurrentBox = 1;
        PaintCurrentBox();
        const int event = WaitEvent();
        if (event == QuitEvent) {
            NarrowRowEdit = 0;
            return;
        }
        // A close request of any window, the main window's too, only cancels the edit.
        if (event == CloseEvent) {
            FinishWithCancel();
            return;
        }
        const bool okOrCancelKey =
            event == MenuEvent && (EventSource() == OkButton || EventSource() == CancelButton);
        if ((event == GadgetEvent || okOrCancelKey) &&
            HandleGadget(EventSource()) == Outcome::Closed)
            return;
    }
}
