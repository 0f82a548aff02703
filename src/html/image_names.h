// Names of the connector image set, shared by the page generator and the build-time tool that
// draws the pictures. A junction image is chosen by the sides of an empty Box that are on.
#pragma once

// Side bits: the index into JunctionImageNames is L*8 + R*4 + U*2 + D.
inline constexpr int SideLeft = 8, SideRight = 4, SideUp = 2, SideDown = 1;
inline constexpr int SideCombinations = 16;

struct JunctionImageRow {
    const char* standard; // in a box cell of 150 x 40 (rows 0 and 2 to 13)
    const char* narrow;   // in a box cell of 150 x 20 (the narrow row)
};

// Index 0 (no side on) has no image. Note the crossed names of the single vertical arms:
// a Box joined only downwards shows "upmiddle_av", one joined only upwards "downmiddle_av".
inline constexpr JunctionImageRow JunctionImageNames[SideCombinations] = {
    /* ---- */ {nullptr, nullptr},
    /* ---D */ {"upmiddle_av", "upmiddle2_av"},
    /* --U- */ {"downmiddle_av", "downmiddle2_av"},
    /* --UD */ {"middleup", "middleup2"},
    /* -R-- */ {"rightmiddle_av", "rightmiddle2_av"},
    /* -R-D */ {"leftmiddlestop", "rightmiddlestop4"},
    /* -RU- */ {"rightmiddlestop2", "rightmiddlestop3"},
    /* -RUD */ {"downmiddleup", "rightdownmiddleup"},
    /* L--- */ {"leftmiddle_av", "leftmiddle2_av"},
    /* L--D */ {"rightmiddlestop", "leftmiddlestop2"},
    /* L-U- */ {"leftmiddlestop3", "leftmiddlestop4"},
    /* L-UD */ {"downmiddleup2", "leftdownmiddleup"},
    /* LR-- */ {"middle2", "middle3"},
    /* LR-D */ {"leftmiddleleft", "leftmiddleleft4"},
    /* LRU- */ {"leftmiddleleft2", "leftmiddleleft3"},
    /* LRUD */ {"centercross", "centercross2"},
};

// The connector images of the table cells between Boxes.
inline constexpr const char* HLineImageName = "middlehori";         // box row connector, 10 x 40
inline constexpr const char* NarrowHLineImageName = "middlehori2";  // narrow row connector, 10 x 20
inline constexpr const char* VLineImageName = "middle";             // spacer row connector, 150 x 8
inline constexpr const char* CrossingFillerName = "middlehori_tom"; // spacer crossing, 10 x 8

inline constexpr const char* ImageFilePrefix = "strek_";
inline constexpr const char* ImageFileExtension = ".gif";
inline constexpr const char* ImageFolder = "gfx";
inline constexpr int ImageCount = 4 + 2 * (SideCombinations - 1);

// Cell sizes in pixels: the pictures fill their cells exactly so that lines meet.
inline constexpr int BoxCellWidth = 150, BoxCellHeight = 40, NarrowCellHeight = 20;
inline constexpr int ConnectorCellWidth = 10, SpacerCellHeight = 8;
