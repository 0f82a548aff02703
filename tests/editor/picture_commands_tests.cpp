// "Copy Picture" (Ctrl+C) and "Export Picture..." on the whole editor, driven by a scripted
// user: the clipboard holds the chart's SVG and a PNG of twice its pixels on white whose
// physical size is the SVG's, and the export writes the chosen file in its name's format.
#include "chart/chart.h"
#include "editor/editor.h"
#include "harness.h"
#include "html/picture.h"
#include "test_files.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

TEST(PictureCommands, CtrlCCopiesSvgAndPngAndExportWritesTheChosenFormat) {
    const fs::path folder =
        fs::temp_directory_path() / ("brondel-pictures-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const Text png = (folder / "chart.png").string(), svg = (folder / "chart.svg").string();
    ChartPicture picture;
    auto expectPng = [&](const QByteArray& bytes) {
        const QImage image = QImage::fromData(bytes, "PNG");
        ASSERT_EQ(image.size(), QSize(2 * picture.pixelWidth, 2 * picture.pixelHeight));
        EXPECT_EQ(image.pixel(1, 1), qRgb(255, 255, 255));       // the margin
        EXPECT_EQ(image.pixel(2 * 10, 2 * 10), qRgb(255, 0, 0)); // inside the Box
        EXPECT_LT(qRed(image.pixel(2 * 83, 2 * 26)), 80);        // "Sales" underlined
        EXPECT_NEAR(image.width() * 1e5 / image.dotsPerMeterX(), picture.widthHundredthMm, 1);
        EXPECT_NEAR(image.height() * 1e5 / image.dotsPerMeterY(), picture.heightHundredthMm, 1);
    };
    Script script;
    script
        .Call([&] {
            Line1[202] = "Sales", Red[202] = 255, Underline1[202] = 1;
            picture = BuildChartPicture();
        })
        .PressKey(ShortcutCtrl | 'C')
        .Call([&] {
            const QMimeData* data = QGuiApplication::clipboard()->mimeData();
            ASSERT_NE(data, nullptr);
            EXPECT_EQ(data->data("image/svg+xml").toStdString(), picture.svg);
            expectPng(data->data("image/png"));
        })
        .RightClick(202)
        .ChoosePopupItem(6)
        .AnswerSave(png)
        .RightClick(202)
        .ChoosePopupItem(6)
        .AnswerSave(svg)
        .Call([&] {
            expectPng(QByteArray::fromStdString(testsupport::Slurp(png)));
            EXPECT_EQ(testsupport::Slurp(svg), picture.svg);
        })
        .Quit();
    script.Run([] {
        char name[] = "brondel";
        char* argv[] = {name, nullptr};
        RunBrondel(1, argv);
    });
    ASSERT_EQ(script.Requests().size(), 2u);
    EXPECT_EQ(script.Requests()[0].pattern, "SVG picture (*.svg)|*.svg|PNG picture (*.png)|*.png");
    fs::remove_all(folder);
}

} // namespace
