// The full chart the benchmarks measure: every Box coloured and holding three styled lines,
// every Connector ticked. Boxes left empty carry the connector lines through themselves.
#pragma once
#include "chart/chart.h"

enum class EmptyBoxes { None, EveryOther, All };

inline void FillFullChart(EmptyBoxes empty = EmptyBoxes::None) {
    ClearChart();
    for (int box = FirstBox; box <= LastBox; ++box) {
        Red[box] = 226;
        Green[box] = 234;
        Blue[box] = 249;
        if (empty == EmptyBoxes::All || (empty == EmptyBoxes::EveryOther && box % 2 == 0)) continue;
        for (int line = 1; line <= 3; ++line) {
            LineTable(line)[box] = "Line " + DecimalText(line) + " of box " + DecimalText(box);
            BoldTable(line)[box] = line == 1;
            ItalicTable(line)[box] = line == 2;
            UnderlineTable(line)[box] = line == 3;
        }
    }
    for (int h = FirstHConnector; h <= LastHConnector; ++h) HConnector[h] = 1;
    for (int v = FirstVConnector; v <= LastVConnector; ++v) VConnector[v] = 1;
}
