// The editor under a desktop that is not the one it was drawn for: bold text at a doubled scale,
// and a desktop opener that cannot open the page.
#include "chart/chart.h"
#include "editor/editor.h"
#include "harness.h"
#include "test_files.h"

#include <QCoreApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Pixels under 50 % luminance in the 25 unscaled rows from top.
double DarkPixels(const QImage& picture, int top) {
    const qreal ratio = picture.devicePixelRatio();
    int dark = 0;
    for (int y = qRound(top * ratio); y < qRound((top + 25) * ratio); ++y)
        for (int x = 0; x < picture.width(); ++x) dark += qGray(picture.pixel(x, y)) < 128;
    return dark;
}

// Prints the dark pixels of bold text against the same text regular, drawn by the program in its
// own fonts: "Managing Director" on the canvas in the Box fonts 4 and 11, "LINE 1:" as labels
// in the gadget fonts 1 and 2.
void PrintBoldRatios() {
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
    std::printf("ratios %f %f\n", DarkPixels(picture, 0) / DarkPixels(picture, 25),
                DarkPixels(picture, 50) / DarkPixels(picture, 75));
    ReleaseAll();
}

std::pair<double, double> BoldRatiosAt(const std::string& scale) {
    const std::string command = "BRONDEL_BOLD_RATIOS=1 QT_SCALE_FACTOR=" + scale + " '" +
                                QCoreApplication::applicationFilePath().toStdString() +
                                "' --gtest_filter='Screens.BoldStays*'";
    FILE* run = popen(command.c_str(), "r");
    std::pair<double, double> ratios{0, 0};
    char line[200];
    while (fgets(line, sizeof line, run))
        std::sscanf(line, "ratios %lf %lf", &ratios.first, &ratios.second);
    pclose(run);
    return ratios;
}

TEST(Screens, BoldStaysBoldWhenScaledByTwo) {
    if (qEnvironmentVariableIsSet("BRONDEL_BOLD_RATIOS")) return PrintBoldRatios();
    const auto normal = BoldRatiosAt("1"), doubled = BoldRatiosAt("2");
    EXPECT_TRUE(normal.first > 1.1 && normal.second > 1.1) << "bold reads bold at 100 %";
    EXPECT_GE(doubled.first, normal.first) << "Managing Director, Box fonts";
    EXPECT_GE(doubled.second, normal.second) << "LINE 1:, gadget fonts";
}

// xdg-open stands in for the desktop's opener; it notes the URL it was given.
TEST(Screens, APageThatNoProgramCouldOpenIsReported) {
    const auto folder = fs::temp_directory_path() / ("brondel-opener-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray(folder.c_str()) + ':' + path);
    const Text page = (folder / "chart.html").string();
    for (int status : {3, 0}) {
        testsupport::Spit(folder / "xdg-open", "#!/bin/sh\necho \"$1\" > \"$0.url\"\nexit " +
                                                   std::to_string(status) + "\n");
        fs::permissions(folder / "xdg-open", fs::perms::owner_all);
        fs::remove(folder / "xdg-open.url");
        Script script;
        script.AnswerSave((folder / "chart.kpv").string()).ClickGadget(296).ClickGadget(298);
        script.Call([&] {
            EXPECT_TRUE(QTest::qWaitFor([&] { return fs::exists(folder / "xdg-open.url"); }));
            const auto asked = [&] { return script.Requests().size() > 1; };
            EXPECT_EQ(QTest::qWaitFor(asked, status ? 5000 : 500), status != 0);
        });
        if (status) script.AnswerMessage(IDOK);
        script.Quit().Run([] {
            char name[] = "brondel", *argv[] = {name, nullptr};
            RunBrondel(1, argv);
        });
        EXPECT_EQ(testsupport::Slurp(folder / "xdg-open.url"), "file://" + page + "\n");
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
