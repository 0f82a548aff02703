// The clipboard and the chart's picture in the whole editor: a paste into the box editor's
// one-line fields ends at its first CR, LF or NUL; "Copy Picture" (Ctrl+C)
// puts the chart's SVG and a PNG of twice its pixels on white, as large on paper as the SVG,
// on the clipboard; "Export Picture..." writes the chosen file in its name's format, or says
// that it could not.
#include "editor_test.h"

#include "html/picture.h"

#include <algorithm>

TEST_F(EditorTest, APasteEndsAtTheFirstLineBreak) {
    Script script;
    Text pasted = "x"; // only CR, LF and NUL break a line of the chart file or the page
    script.ClickGadget(202).TypeText(TextFieldOf(1), "x");
    for (const Text& end : {Text("\n"), Text("\r"), Text(1, '\0'), Text("\v"), Text("\f"),
                            Text("\u0085"), Text("\u2028"), Text("\u2029")}) {
        const Text text = "y" + end + "z";
        pasted += end == "\n" || end == "\r" || end[0] == 0 ? "y" : text;
        script.Call([text] { SetClipboardText(text); }).PressKey('V' | ShortcutCtrl);
    }
    script.ClickGadget(OkButton).Call([&] { EXPECT_EQ(Line1[202], pasted); });
    RunEditor(script.Quit());
}

TEST_F(EditorTest, CopyPictureAndExportPicture) {
    ChartPicture picture;
    Text svg, png;
    Script script;
    script.Call([&] {
        Line1[202] = "Sales", Red[202] = 255, Green[202] = Blue[202] = 0, Underline1[202] = 1;
        picture = BuildChartPicture();
    });
    script.PressKey(ShortcutCtrl | 'C').Call([&] {
        svg = ClipboardData("image/svg+xml"), png = ClipboardData("image/png");
    });
    for (const char* name : {"a.svg", "a.png", "gone/a.svg"})
        script.RightClick(202).ChoosePopupItem(ExportPictureCommand).AnswerSave(Path(name));
    RunEditor(script.AnswerMessage(IDOK).Quit());
    EXPECT_TRUE(svg == picture.svg && testsupport::Slurp(folder / "a.svg") == svg);
    for (const Text& bytes : {png, testsupport::Slurp(folder / "a.png")}) { // copied, exported
        const Picture image = PictureOfPng(bytes);
        ASSERT_EQ(std::pair(image.width, image.height),
                  std::pair(2 * picture.pixelWidth, 2 * picture.pixelHeight));
        EXPECT_EQ(image.At(1, 1), 0xFFFFFFFFu);           // the margin
        EXPECT_EQ(image.At(2 * 10, 2 * 10), 0xFFFF0000u); // inside the Box
        unsigned underline = 255; // "Sales" underlined: the font places the line, rows 50 to 53
        for (int y = 2 * 25; y < 2 * 27; ++y)
            underline = std::min(underline, image.At(166, y) >> 16 & 255);
        EXPECT_LT(underline, 80u);
        EXPECT_NEAR(image.width * 1e5 / image.dotsPerMetreX, picture.widthHundredthMm, 1);
        EXPECT_NEAR(image.height * 1e5 / image.dotsPerMetreY, picture.heightHundredthMm, 1);
    }
    EXPECT_TRUE(MatchesGolden(Masked(Asked(script)), Golden("export_picture.txt")));
}
