// The clipboard and the chart's picture in the whole editor: a paste into the box editor's
// one-line fields ends at its first CR, LF or NUL; "Copy Picture" (Ctrl+C)
// puts the chart's SVG and a PNG of twice its pixels on white, as large on paper as the SVG,
// on the clipboard; "Export Picture..." writes the chosen file in its name's format, or says
// that it could not.
#include "editor_test.h"

#include "html/picture.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>

TEST_F(EditorTest, PasteCopyPictureAndExportPicture) {
    ChartPicture picture;
    Text svg, png;
    Script script;
    QString pasted = "x"; // only CR, LF and NUL break a line of the chart file or the page
    script.ClickGadget(202).TypeText(TextFieldOf(1), "x");
    for (char16_t end : {u'\n', u'\r', u'\0', u'\v', u'\f', u'\x85', u'\u2028', u'\u2029'}) {
        const QString text = QString("y%1z").arg(QChar(end));
        pasted += end == '\n' || end == '\r' || end == 0 ? "y" : text;
        script.Call([text] { QApplication::clipboard()->setText(text); })
            .PressKey('V' | ShortcutCtrl);
    }
    script.ClickGadget(OkButton).Call([&] {
        EXPECT_EQ(Line1[202], pasted.toStdString());
        Line1[202] = "Sales", Red[202] = 255, Green[202] = Blue[202] = 0, Underline1[202] = 1;
        picture = BuildChartPicture();
    });
    script.PressKey(ShortcutCtrl | 'C').Call([&] {
        const QMimeData* data = QApplication::clipboard()->mimeData();
        svg = data->data("image/svg+xml").toStdString(),
        png = data->data("image/png").toStdString();
    });
    for (const char* name : {"a.svg", "a.png", "gone/a.svg"})
        script.RightClick(202).ChoosePopupItem(ExportPictureCommand).AnswerSave(Path(name));
    RunEditor(script.AnswerMessage(IDOK).Quit());
    EXPECT_TRUE(svg == picture.svg && testsupport::Slurp(folder / "a.svg") == svg);
    for (const Text& bytes : {png, testsupport::Slurp(folder / "a.png")}) { // copied, exported
        const QImage image = QImage::fromData(QByteArray::fromStdString(bytes), "PNG");
        ASSERT_EQ(image.size(), QSize(2 * picture.pixelWidth, 2 * picture.pixelHeight));
        EXPECT_EQ(image.pixel(1, 1), qRgb(255, 255, 255));       // the margin
        EXPECT_EQ(image.pixel(2 * 10, 2 * 10), qRgb(255, 0, 0)); // inside the Box
        EXPECT_LT(qRed(image.pixel(2 * 83, 2 * 26)), 80);        // "Sales" underlined
        EXPECT_NEAR(image.width() * 1e5 / image.dotsPerMeterX(), picture.widthHundredthMm, 1);
        EXPECT_NEAR(image.height() * 1e5 / image.dotsPerMeterY(), picture.heightHundredthMm, 1);
    }
    EXPECT_TRUE(MatchesGolden(Masked(Asked(script)), Golden("export_picture.txt")));
}
