// The clipboard and the chart's picture in the whole editor: a paste into the box editor's
// one-line fields ends at its first line break and never brings a NUL; "Copy Picture" (Ctrl+C)
// puts the chart's SVG and a PNG of twice its pixels on white, as large on paper as the SVG,
// on the clipboard; "Export Picture..." writes the chosen file in its name's format, or says
// that it could not.
#include "editor_test.h"

#include "html/picture.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>

TEST_F(EditorTest, PasteCopyPictureAndExportPicture) {
    ChartPicture picture;
    Text svg, png;
    Script script;
    script.ClickGadget(202).TypeText(302, "x");
    for (char16_t end : {u'\n', u'\r', u'\x85', u'\u2028', u'\u2029', u'\0'})
        script.Call([end] { QApplication::clipboard()->setText(QString("y%1z").arg(QChar(end))); })
            .PressKey('V' | ShortcutCtrl);
    script.ClickGadget(OkButton).Call([&] {
        EXPECT_EQ(Line1[202], "xyyyyyy");
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

// Brondel.ini is the only settings file: Qt's own file and colour dialogs, used for real (in a
// child process, this test again) and accepted as a user would, leave nothing in the child's
// configuration folder, not even once it has ended. The picture's save dialog asks before it
// replaces a file; the chart's does not.
TEST_F(EditorTest, QtsDialogsWriteNoSettingsOfTheirOwn) {
    if (const char* parent = std::getenv("BRONDEL_DIALOGS")) {
        int questions = 0;
        QTimer user; // accepts each dialog as it opens, Yes to a question
        QObject::connect(&user, &QTimer::timeout, [&questions] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                ++questions, box->button(QMessageBox::Yes)->click();
            else if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
        });
        user.start(10);
        const Text chart = Text(parent) + "/a.kpv", picture = Text(parent) + "/a.svg";
        EXPECT_EQ(AskSaveFileName("Save Chart...", chart, "Brondel (*.KPV)|*.kpv", 0), chart);
        EXPECT_EQ(AskSavePictureName("Export Picture...", picture), picture);
        EXPECT_EQ(PickColour() + questions, 2) << "Yes to replacing the picture, not the chart";
        return;
    }
    for (const char* name : {"a.kpv", "a.svg"}) testsupport::Spit(folder / name, "old");
    fs::create_directory(folder / "test-config");
    EXPECT_TRUE(RunChild("BRONDEL_DIALOGS=" + folder.string(), "*QtsDialogs*"));
    EXPECT_TRUE(fs::is_empty(folder / "test-config"))
        << fs::directory_iterator(folder / "test-config")->path();
}
