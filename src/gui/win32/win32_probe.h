// The real windows behind window and gadget numbers, for the Win32 half of the scripted user,
// and where the canvas holds text (whose pixels differ from one text renderer to another).
#pragma once
// gui.h before windows.h, which defines some of its names as macros of the same values.
#include "gui/gui.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <vector>

HWND GadgetHwnd(int number);
HWND WindowHwnd(int number);
// Every rectangle of the window's canvas text has been drawn into since the window opened,
// with room for overhangs, in client pixels; noted only once NoteCanvasText was called.
void NoteCanvasText();
std::vector<RECT> CanvasTextAreas(int window);
