// Shared set-up of the editing tests: the real platform layer under the offscreen Qt
// platform, the program's fonts, the main window, and helpers that read the main window's
// canvas.
#pragma once
#include "chart/chart.h"
#include "editor/editor.h"
#include "harness.h"
#include "platform/gui.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

// Loads fonts 1 to 11 as start-up does and opens the main window, unless they are there.
void StartEditorWindow();

// An empty Chart on a freshly refreshed main window, and no script or requester answers left
// over from an earlier test.
void ResetEditor();

// Opens the box editor on a Box as the event loop does after a click on it, with the script as
// the user. afterClose runs once the editor has closed, while the main window is still open.
void EditWithScript(Script& script, int box, const std::function<void()>& afterClose = {});

// Pixel of the main window's canvas relative to a Box's top-left corner.
uint32_t BoxPixel(int box, int x, int y);

constexpr uint32_t Opaque(int32_t colour) {
    return 0xFF000000u | (uint32_t(colour & 0xFF) << 16) | (uint32_t(colour) & 0xFF00u) |
           (uint32_t(colour >> 16) & 0xFFu);
}
constexpr uint32_t OpaqueBlack = 0xFF000000u;
constexpr uint32_t White = 0xFFFFFFFFu;

inline uint32_t MainPixel(int x, int y) { return CanvasPixel(MainWindow, x, y); }

// Paints a rectangle of the main window's canvas white, so that what is drawn next can be
// told apart from whatever an earlier test left there.
void Whiteout(int x, int y, int width, int height);

// Rows (relative to top) of the rectangle that hold at least one painted pixel other than
// white.
std::vector<int> InkRows(int x, int y, int width, int height);
// First rows of the runs of consecutive ink rows.
std::vector<int> InkBandTops(int x, int y, int width, int height);
int FirstInkColumn(int x, int y, int width, int height);

class EditorTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetEditor(); }
};
