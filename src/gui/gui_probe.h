// What tests see of the real windows beyond what the logic asks of them: what a screen reader
// says of a gadget, whether it is on screen, the open popup menu, a window as the screen shows
// it. Each backend implements it (qt_probe.cpp, win32_probe.cpp); the logic never uses it.
#pragma once
#include "gui/gui.h"

#include <vector>

Text GadgetAccessibleName(int number);
bool GadgetShown(int number); // the gadget and its window are shown

struct PopupItemSeen {
    int id = 0;
    Text text; // as the logic gave it
    bool enabled = true, separator = false;
};
std::vector<PopupItemSeen> OpenPopupItems(); // in order; empty when no popup menu is open

// Pixels as 0xAARRGGBB, row by row; scale is device pixels per window pixel.
struct Picture {
    int width = 0, height = 0;
    double scale = 1;
    std::vector<uint32_t> pixels;
    double dotsPerMetreX = 0, dotsPerMetreY = 0; // as a picture file gives them, or 0
    uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};
Picture GrabWindow(int number); // its client area: gadgets and canvas as the screen shows them
