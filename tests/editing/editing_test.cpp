// Set-up and canvas helpers shared by the editing tests.
#include "editing_test.h"

void StartEditorWindow() {
    // A scripted run releases every window and font when it ends: open them again.
    if (FontHandle(11) == 0) LoadProgramFonts();
    if (WindowHandle(MainWindow) == 0) OpenMainWindow();
}

void ResetEditor() {
    SetBeforeWaitHook({});
    SetRequesterHook({});
    ClearQuitRequest();
    ClearChart();
    CurrentBox = 0;
    NarrowRowEdit = TextDropY = DrawCurrentBox = 0;
    FillCurrentBox = ApplyPickedColour = PickedColour = 0;
    SwapMode = SwapState::Off;
    StartEditorWindow();
    if (WindowHandle(BoxEditorWindow) != 0) CloseAppWindow(BoxEditorWindow);
    WriteGadgetText(SwapIndicator, "Swap OFF");
    SelectWindow(MainWindow);
    RefreshChart();
}

void EditWithScript(Script& script, int box, const std::function<void()>& afterClose) {
    script.Run([&] {
        CurrentBox = box;
        DrawCurrentBox = 1;
        NarrowRowEdit = IsNarrowBox(box) ? 1 : 0;
        TextDropY = IsNarrowBox(box) ? 3 : 0;
        PaintCurrentBox();
        EditBox();
        if (afterClose) afterClose();
    });
}

uint32_t BoxPixel(int box, int x, int y) {
    const GadgetBounds r = GadgetRect(box);
    return MainPixel(r.x + x, r.y + y);
}

void Whiteout(int x, int y, int width, int height) {
    SelectWindow(MainWindow);
    BeginDrawing(CurrentWindowHandle());
    FillRect(x, y, width, height, RgbColour(255, 255, 255));
    EndDrawing();
}

// A refresh clears the canvas first, so ink is what is painted (not transparent) and not the
// white that Whiteout laid down.
bool IsInk(uint32_t pixel) { return pixel != White && (pixel >> 24) != 0; }

std::vector<int> InkRows(int x, int y, int width, int height) {
    std::vector<int> rows;
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            if (IsInk(MainPixel(x + column, y + row))) {
                rows.push_back(row);
                break;
            }
    return rows;
}

std::vector<int> InkBandTops(int x, int y, int width, int height) {
    std::vector<int> tops;
    const std::vector<int> rows = InkRows(x, y, width, height);
    for (size_t i = 0; i < rows.size(); ++i)
        if (i == 0 || rows[i] != rows[i - 1] + 1) tops.push_back(rows[i]);
    return tops;
}

int FirstInkColumn(int x, int y, int width, int height) {
    for (int column = 0; column < width; ++column)
        for (int row = 0; row < height; ++row)
            if (IsInk(MainPixel(x + column, y + row))) return column;
    return -1;
}
