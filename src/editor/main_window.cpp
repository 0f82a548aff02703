// The main window (300): one button per Box, one check box per Connector, the command bar
// and the swap indicator, at fixed pixel positions. Gadget numbers are the Chart's slots.
// Start reading at OpenMainWindow: the creation order below is also the Tab order.
#include "editor.h"
#include "gui/gui.h"

namespace {

struct FontSpec {
    const char* face;
    int points;
    uint32_t style;
};
// Fonts 1 and 2 dress the gadgets; 3 to 11 draw Box text by StyleCode.
constexpr FontSpec ProgramFonts[] = {
    {"Tahoma", 8, FONT_BOLD},
    {"Tahoma", 8, 0},
    {"Tahoma", 7, 0},
    {"Tahoma", 7, FONT_BOLD},
    {"Tahoma", 7, FONT_ITALIC},
    {"Tahoma", 7, FONT_UNDERLINE},
    {"Tahoma", 7, FONT_BOLD | FONT_ITALIC},
    {"Tahoma", 7, FONT_BOLD | FONT_ITALIC | FONT_UNDERLINE},
    {"Tahoma", 7, FONT_BOLD | FONT_UNDERLINE},
    {"Tahoma", 7, FONT_ITALIC | FONT_UNDERLINE},
    {"Tahoma", 7, 0},
};

constexpr uint32_t MainWindowFlags =
    CENTRE_ON_SCREEN | WS_CAPTION_BITS | WS_SYSMENU_BIT | WS_MINIMIZEBOX_BIT; // 0xCA0001
constexpr int BoxWidth = 128, BoxHeight = 40, NarrowBoxHeight = 20;

int BoxX(int column) { return 10 + 140 * column; }

// Columns 4 to 6 stand one pixel higher than columns 0 to 3, except in the narrow row.
int BoxY(int row, int column) {
    if (row == NarrowRow) return 60;
    int lift = column >= 4 ? 1 : 0;
    if (row == 0) return 9 - lift;
    return 90 + 50 * (row - 2) - lift;
}

int HCheckBoxY(int row, int gap) {
    if (row == NarrowRow) return 61;
    int lift = gap >= 1 ? 1 : 0;
    if (row == 0) return 21 - lift;
    return 101 + 50 * (row - 2) - lift;
}

int VCheckBoxY(int gap) {
    if (gap == 0) return 48;
    if (gap == 1) return 78;
    return 128 + 50 * (gap - 2);
}

constexpr int VCheckBoxX[ColumnCount] = {67, 208, 348, 488, 628, 768, 908};

struct CheckBoxException {
    int number;
    int x; // 0 keeps the family's x
    uint32_t align;
};
// Departures from the family rules, as the grid has always had them.
constexpr CheckBoxException CheckBoxExceptions[] = {
    {5, 0, BS_RIGHT},      {17, 0, BS_RIGHT},     {23, 0, BS_RIGHT},     {29, 0, BS_RIGHT},
    {35, 0, BS_RIGHT},     {41, 0, BS_RIGHT},     {47, 0, BS_RIGHT},     {53, 0, BS_RIGHT},
    {59, 0, BS_RIGHT},     {65, 0, BS_RIGHT},     {71, 0, BS_RIGHT},     {77, 0, BS_RIGHT},
    {83, 0, BS_RIGHT},     {49, 0, BS_RIGHT},     {95, 0, BS_RIGHT},     {96, 0, BS_RIGHT},
    {108, 629, BS_CENTER}, {109, 769, BS_CENTER}, {110, 909, BS_CENTER}, {115, 629, BS_CENTER},
    {116, 769, BS_CENTER}, {117, 909, BS_CENTER},
};

struct CommandButton {
    int number;
    const char* text;
    int x, width, font;
};
constexpr CommandButton CommandBar[] = {
    {AboutButton, "About", 78, 60, 2},
    {NewChartButton, "New Chart", 150, 128, 2},
    {LoadChartButton, "Load Chart", 290, 128, 2},
    {SaveChartButton, "Save Chart", 430, 128, 2},
    {RedrawChartButton, "Redraw Chart", 570, 128, 2},
    {GenerateChartButton, "Generate Chart", 710, 128, 1},
    {ExitButton, "Exit Brondel", 850, 128, 2},
};
constexpr int CommandBarY = 690, CommandBarHeight = 18;

void AddBox(int row, int column) {
    int box = BoxOf(row, column);
    if (row == NarrowRow)
        AddButton(box, BoxX(column), BoxY(row, column), BoxWidth, NarrowBoxHeight, "");
    else
        AddButton(box, BoxX(column), BoxY(row, column), BoxWidth, BoxHeight, "", BS_MULTILINE);
}

Text Place(int box) {
    return "row " + DecimalText(RowOfBox(box) + 1) + ", column " +
           DecimalText(ColumnOfBox(box) + 1);
}

// A screen reader names a connector by the two Boxes it joins, counted from 1.
Text ConnectorName(int number) {
    const bool horizontal = IsHConnector(number);
    const int first = horizontal ? LeftBoxOf(number) : UpperBoxOf(number);
    const int second = horizontal ? RightBoxOf(number) : LowerBoxOf(number);
    return "Connector between " + Place(first) + " and " + Place(second);
}

void AddConnectorCheckBox(int number, int x, int y, int width, int height) {
    uint32_t align = BS_CENTER;
    for (const CheckBoxException& exception : CheckBoxExceptions) {
        if (exception.number != number) continue;
        align = exception.align;
        if (exception.x) x = exception.x;
    }
    AddCheckBox(number, x, y, width, height, "", align);
    SetGadgetAccessibleName(number, ConnectorName(number));
}

void AddHConnectorCheckBoxes(int row) {
    for (int gap = 0; gap < ColumnCount - 1; ++gap)
        AddConnectorCheckBox(HConnectorOf(row, gap), 138 + 140 * gap, HCheckBoxY(row, gap), 12, 20);
}

void AddVConnectorCheckBox(int gap, int column) {
    AddConnectorCheckBox(VConnectorOf(gap, column), VCheckBoxX[column], VCheckBoxY(gap), 12, 12);
}

// Boxes of a row are created from the middle outwards: columns 3, 2, 1, 0, then 4, 5, 6.
constexpr int BoxCreationColumns[ColumnCount] = {3, 2, 1, 0, 4, 5, 6};

void AddVConnectorColumns(int firstColumn, int lastColumn) {
    for (int gap = 1; gap < RowCount - 1; ++gap)
        for (int column = firstColumn; column <= lastColumn; ++column)
            AddVConnectorCheckBox(gap, column);
}

} // namespace

void LoadProgramFonts() {
    int number = 1;
    for (const FontSpec& font : ProgramFonts)
        LoadNumberedFont(number++, font.face, font.points, font.style);
}

void OpenMainWindow() {
    Handle window = OpenAppWindow(MainWindow, 15, 0, MainClientWidth, MainClientHeight,
                                  MainWindowFlags, WindowTitle);
    if (!window || !BeginGadgets(CurrentWindowHandle())) return;

    for (int column = 0; column < ColumnCount; ++column) AddBox(NarrowRow, column);
    AddHConnectorCheckBoxes(NarrowRow);
    AddHConnectorCheckBoxes(0);
    for (int row = 2; row < RowCount; ++row) {
        for (int column : BoxCreationColumns) AddBox(row, column);
        AddHConnectorCheckBoxes(row);
    }
    for (int column = 0; column < ColumnCount; ++column) AddVConnectorCheckBox(0, column);
    AddVConnectorColumns(0, 2);
    AddVConnectorColumns(3, 5);
    AddVConnectorColumns(6, 6);
    for (int column : BoxCreationColumns) AddBox(0, column);

    for (const CommandButton& button : CommandBar) {
        AddButton(button.number, button.x, CommandBarY, button.width, CommandBarHeight,
                  button.text);
        SetGadgetFontHandle(button.number, FontHandle(button.font));
    }
    AddLabel(SwapIndicator, 10, CommandBarY, 63, CommandBarHeight, "Swap OFF",
             SS_CENTER | SUNKEN_EDGE);
    SetGadgetFontHandle(SwapIndicator, FontHandle(1));
}
