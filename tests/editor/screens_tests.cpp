// The editor under a desktop that is not the one it was drawn for: bold text at a doubled scale.
#include "editor_test.h"

#include <QWidget>

#include <fstream>

namespace {

// The dark pixels (under 50 % luminance) of bold text against the same text regular, drawn by
// the program in its own fonts: "Managing Director" on the canvas in the Box fonts 4 and 11,
// "LINE 1:" as labels in the gadget fonts 1 and 2, each in 25 unscaled rows.
std::pair<double, double> BoldRatios() {
    LoadProgramFonts();
    BeginGadgets(OpenAppWindow(MainWindow, 0, 0, 200, 100, 0, "Bold and regular"));
    BeginDrawing(WindowHandle(MainWindow));
    for (int font : {1, 2}) {
        AddLabel(font, 10, 25 * font + 25, 60, 14, "LINE 1:");
        SetGadgetFontHandle(font, FontHandle(font));
        SetDrawingFont(FontHandle(font == 1 ? 4 : 11));
        MoveTextCursor(10, 25 * font - 20);
        DrawTextAtCursor("Managing Director");
    }
    EndDrawing();
    const QImage picture = static_cast<QWidget*>(WindowWidget(MainWindow))->grab().toImage();
    ReleaseAll();
    double dark[4] = {};
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            dark[std::min(3, int(y / picture.devicePixelRatio() / 25))] +=
                qGray(picture.pixel(x, y)) < 128;
    return {dark[0] / dark[1], dark[2] / dark[3]};
}

} // namespace

TEST_F(EditorTest, BoldStaysBoldWhenScaledByTwo) {
    const auto [box, gadget] = BoldRatios();
    if (const char* out = std::getenv("BRONDEL_BOLD_RATIOS"))
        return void(std::ofstream(out) << box << ' ' << gadget);
    ASSERT_TRUE(RunChild("QT_SCALE_FACTOR=2 BRONDEL_BOLD_RATIOS=" + Path("two"), "*BoldStays*"));
    double box2 = 0, gadget2 = 0;
    std::ifstream(Path("two")) >> box2 >> gadget2;
    EXPECT_TRUE(box > 1.1 && gadget > 1.1) << "bold reads bold at 100 %";
    EXPECT_GE(box2, box) << "Managing Director, Box fonts";
    EXPECT_GE(gadget2, gadget) << "LINE 1:, gadget fonts";
}
