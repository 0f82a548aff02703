// The one place where the Chart's state is defined.
#include "chart.h"

SlotTable<Text> Line1, Line2, Line3;
SlotTable<int32_t> Bold1{}, Bold2{}, Bold3{};
SlotTable<int32_t> Italic1{}, Italic2{}, Italic3{};
SlotTable<int32_t> Underline1{}, Underline2{}, Underline3{};
SlotTable<int32_t> Red{}, Green{}, Blue{};
SlotTable<int32_t> HConnector{}, VConnector{};

Text ChartFileName, LastProject, LastProjectDir;

SlotTable<Text>& LineTable(int line) {
    static SlotTable<Text>* const tables[] = {&Line1, &Line2, &Line3};
    return *tables[line - 1];
}
SlotTable<int32_t>& BoldTable(int line) {
    static SlotTable<int32_t>* const tables[] = {&Bold1, &Bold2, &Bold3};
    return *tables[line - 1];
}
SlotTable<int32_t>& ItalicTable(int line) {
    static SlotTable<int32_t>* const tables[] = {&Italic1, &Italic2, &Italic3};
    return *tables[line - 1];
}
SlotTable<int32_t>& UnderlineTable(int line) {
    static SlotTable<int32_t>* const tables[] = {&Underline1, &Underline2, &Underline3};
    return *tables[line - 1];
}

bool IsEmptyBox(int box) { return Line1[box].empty() && Line2[box].empty() && Line3[box].empty(); }

Text StyleCode(int box, int line) {
    return DecimalText(BoldTable(line)[box]) + DecimalText(ItalicTable(line)[box]) +
           DecimalText(UnderlineTable(line)[box]);
}

void ClearBoxLines(int slot, int fromLine) {
    for (int line = fromLine; line <= 3; ++line) {
        LineTable(line)[slot].clear();
        BoldTable(line)[slot] = ItalicTable(line)[slot] = UnderlineTable(line)[slot] = 0;
    }
}

void ClearChart() {
    for (int box = FirstBox; box <= LastBox; ++box) Red[box] = Green[box] = Blue[box] = 0;
    for (int slot = 0; slot < SlotCount; ++slot) {
        ClearBoxLines(slot);
        HConnector[slot] = VConnector[slot] = 0;
    }
    ChartFileName.clear();
}

BoxContents ReadBox(int slot) {
    BoxContents c;
    for (int line = 1; line <= 3; ++line) {
        c.lines[line - 1] = LineTable(line)[slot];
        c.bold[line - 1] = BoldTable(line)[slot];
        c.italic[line - 1] = ItalicTable(line)[slot];
        c.underline[line - 1] = UnderlineTable(line)[slot];
    }
    c.red = Red[slot];
    c.green = Green[slot];
    c.blue = Blue[slot];
    return c;
}

void WriteBox(int slot, const BoxContents& c) {
    for (int line = 1; line <= 3; ++line) {
        LineTable(line)[slot] = c.lines[line - 1];
        BoldTable(line)[slot] = c.bold[line - 1];
        ItalicTable(line)[slot] = c.italic[line - 1];
        UnderlineTable(line)[slot] = c.underline[line - 1];
    }
    Red[slot] = c.red;
    Green[slot] = c.green;
    Blue[slot] = c.blue;
}

void ExchangeBoxes(int first, int second) {
    const BoxContents firstContents = ReadBox(first);
    const BoxContents secondContents = ReadBox(second);
    WriteBox(first, secondContents);
    WriteBox(second, firstContents);
}
