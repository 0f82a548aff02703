// The editor under a desktop that is not the one it was drawn for: bold text at a doubled scale,
// a dark palette, and a desktop opener that cannot open the page.
#include "chart/chart.h"
#include "editor/editor.h"
#include "harness.h"
#include "platform/gui.h"

#include "test_files.h"

#include <QApplication>
#include <QImage>
#include <QProcess>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

namespace fs = std::filesystem;

namespace {

QImage WindowPicture(int window) {
    return static_cast<QWidget*>(WindowWidget(window))->grab().toImage();
}

// Pixels under 50 % luminance in a rectangle given in unscaled pixels.
int DarkPixels(const QImage& picture, const QRect& area) {
    const qreal ratio = picture.devicePixelRatio();
    int dark = 0;
    for (int y = qRound(area.top() * ratio); y < qRound((area.bottom() + 1) * ratio); ++y)
        for (int x = qRound(area.left() * ratio); x < qRound((area.right() + 1) * ratio); ++x)
            dark += qGray(picture.pixel(x, y)) < 128;
    return dark;
}

// Dark pixels of bold text against the same text regular, drawn by the program in its own
// fonts: "Managing Director" on the canvas in the Box fonts 4 and 11, "LINE 1:" as labels in the
// gadget fonts 1 and 2.
std::pair<double, double> BoldRatios() {
    LoadProgramFonts();
    BeginGadgets(OpenAppWindow(MainWindow, 0, 0, 200, 100, 0, "Bold and regular"));
    for (int font : {1, 2}) {
        AddLabel(font, 10, 25 * font + 25, 60, 14, "LINE 1:");
        SetGadgetFontHandle(font, FontHandle(font));
    }
    BeginDrawing(WindowHandle(MainWindow));
    for (int font : {4, 11}) {
        SetDrawingFont(FontHandle(font));
        MoveTextCursor(10, font == 4 ? 5 : 30);
        DrawTextAtCursor("Managing Director");
    }
    EndDrawing();
    const QImage picture = WindowPicture(MainWindow);
    ReleaseAll();
    return {DarkPixels(picture, {0, 0, 200, 25}) / double(DarkPixels(picture, {0, 25, 200, 25})),
            DarkPixels(picture, {0, 50, 200, 25}) / double(DarkPixels(picture, {0, 75, 200, 25}))};
}

// The ratios of a run of this test program at another scale.
std::pair<double, double> BoldRatiosAt(const QString& scale) {
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_SCALE_FACTOR", scale);
    environment.insert("BRONDEL_BOLD_RATIOS", "1");
    run.setProcessEnvironment(environment);
    run.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=Screens.BoldStaysBold*"});
    run.waitForFinished(30000);
    const QByteArray output = run.readAllStandardOutput();
    std::pair<double, double> ratios{0, 0};
    const qsizetype at = output.indexOf("ratios ");
    if (at >= 0)
        std::sscanf(output.constData() + at, "ratios %lf %lf", &ratios.first, &ratios.second);
    return ratios;
}

TEST(Screens, BoldStaysBoldWhenScaledByTwo) {
    if (qEnvironmentVariableIsSet("BRONDEL_BOLD_RATIOS")) { // the run at one scale
        const auto [box, gadget] = BoldRatios();
        std::printf("ratios %f %f\n", box, gadget);
        return;
    }
    const auto normal = BoldRatiosAt("1"), doubled = BoldRatiosAt("2");
    EXPECT_GT(normal.first, 1.1);
    EXPECT_GT(normal.second, 1.1);
    EXPECT_GE(doubled.first, normal.first) << "Managing Director, Box fonts";
    EXPECT_GE(doubled.second, normal.second) << "LINE 1:, gadget fonts";
}

void RunEditor(Script& script) {
    script.Run([] {
        char name[] = "brondel";
        char* argv[] = {name, nullptr};
        RunBrondel(1, argv);
    });
}

TEST(Screens, WindowsKeepTheirLightFaceUnderADarkPalette) {
    const QPalette before = QApplication::palette();
    const QPalette dark(QColor(0x32, 0x32, 0x32)); // light text on dark faces, as dark themes give
    QApplication::setPalette(dark);
    QApplication::setPalette(dark, "QAbstractButton");
    Script script;
    script.ClickGadget(202).TypeText(302, "Sales").ClickGadget(322); // Box 202 gets a line
    script
        .ClickGadget(12) // Connector 12: a stub across the empty Box 203, rows 110 and 111
        .Call([] {
            const QImage picture = WindowPicture(MainWindow);
            EXPECT_EQ(picture.pixel(180, 110), qRgb(0, 0, 0));
            EXPECT_EQ(picture.pixel(180, 105), qRgb(0xEF, 0xEF, 0xEF)) << "Box 203's face";
            EXPECT_EQ(picture.pixel(860, 693), qRgb(0xEF, 0xEF, 0xEF)) << "Exit Brondel's face";
            EXPECT_GT(DarkPixels(picture, {10, 90, 128, 40}), 20) << "Sales";
            EXPECT_GT(DarkPixels(picture, {850, 690, 128, 18}), 20) << "Exit Brondel";
        })
        .Quit();
    RunEditor(script);
    QApplication::setPalette(before);
}

// xdg-open stands in for the desktop's opener; it notes the URL it was given.
TEST(Screens, APageThatNoProgramCouldOpenIsReported) {
    const fs::path folder =
        fs::temp_directory_path() / ("brondel-opener-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray(folder.c_str()) + ':' + path);
    const fs::path opener = folder / "xdg-open", noted = folder / "url";
    for (int status : {3, 0}) {
        testsupport::Spit(opener, "#!/bin/sh\necho \"$1\" > \"$(dirname \"$0\")/url\"\nexit " +
                                      std::to_string(status) + "\n");
        fs::permissions(opener, fs::perms::owner_all);
        fs::remove(noted);
        Script script;
        script.AnswerSave((folder / "chart.kpv").string()).ClickGadget(296).ClickGadget(298);
        script.Call([&] {
            EXPECT_TRUE(QTest::qWaitFor([&] { return fs::exists(noted); }, 5000));
            const bool asked =
                QTest::qWaitFor([&] { return script.Requests().size() > 1; }, status ? 5000 : 500);
            EXPECT_EQ(asked, status != 0);
        });
        if (status) script.AnswerMessage(IDOK);
        RunEditor(script.Quit());
        const Text page = (folder / "chart.html").string();
        EXPECT_EQ(testsupport::Slurp(noted), "file://" + page + "\n");
        ASSERT_EQ(script.Requests().size(), status ? 2u : 1u) << "opener exit status " << status;
        if (!status) continue;
        EXPECT_EQ(script.Requests()[1].caption, "Error!");
        EXPECT_EQ(script.Requests()[1].text,
                  "The chart page was written to " + page + ", but no program could open it.");
    }
    qputenv("PATH", path);
    fs::remove_all(folder);
}

} // namespace
