// The real requesters, with no scripted answers: each opens its dialog application-modal with
// the caption, text, icon, buttons, colour or folder asked for, over its owner if any, and returns
// the user's answer (what the user saw and answered is in golden/qt_requesters.txt). A 10 ms timer
// plays the user on the dialog once it is open.
#include "harness.h"

#include <QApplication>
#include <QColorDialog>
#include <QDebug>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdlib>

namespace {

QString seen;

// Plays the user on the first modal dialog that opens: notes what it shows, then acts.
void WhenOpen(const std::function<void(QDialog*)>& act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer->deleteLater();
        QString line;
        {
            QDebug shown = QDebug(&line) << dialog->windowTitle() << dialog->windowModality()
                                         << (dialog->parentWidget() ? "over its owner" : "alone");
            if (auto* box = qobject_cast<QMessageBox*>(dialog))
                shown << box->text() << box->icon() << box->standardButtons();
            if (qobject_cast<QColorDialog*>(dialog))
                shown << static_cast<QColorDialog*>(dialog)->currentColor().name()
                      << QColorDialog::customColor(0).name();
            if (auto* files = qobject_cast<QFileDialog*>(dialog))
                shown << files->findChild<QLineEdit*>("fileNameEdit")->text()
                      << files->directory().dirName() << files->nameFilters() << files->options()
                      << files->defaultSuffix() << files->acceptMode();
        }
        seen += line + "| ";
        act(dialog);
    });
    timer->start(10);
}

TEST(QtRequesters, EachShowsWhatItWasAskedAndReturnsTheAnswer) {
    // Run again in a child whose configuration folder is a scratch one: Brondel.ini is the only
    // settings file, so Qt's dialogs leave nothing there, not even once the child has ended.
    if (!std::getenv("BRONDEL_REQUESTERS")) {
        QTemporaryDir parent;
        QFile::link(QFile::symLinkTarget("/proc/self/exe"), parent.filePath("child"));
        const QString run =
            "BRONDEL_REQUESTERS=1 " + parent.filePath("child") + " --gtest_filter=QtRequesters.*";
        EXPECT_EQ(std::system(run.toUtf8().constData()), 0);
        EXPECT_TRUE(QDir(parent.filePath("test-config")).isEmpty());
        return;
    }
    OpenAppWindow(300, 0, 0, 200, 100, 0, "Main");
    for (const auto& [flags, press] : {std::pair{36u, QMessageBox::Yes},
                                       {36u, QMessageBox::No},
                                       {16u, QMessageBox::Ok},
                                       {64u, QMessageBox::Ok},
                                       {0u, QMessageBox::Ok}}) {
        WhenOpen([press](QDialog* box) { static_cast<QMessageBox*>(box)->button(press)->click(); });
        seen += QString("answer %1\n")
                    .arg(ShowMessage("Question", "Do you really want to exit?", flags));
    }
    // The colour chooser opens on (1, 0, 0) every time and keeps custom colours for the run.
    WhenOpen([](QDialog* colours) {
        static_cast<QColorDialog*>(colours)->setCurrentColor(QColor(10, 20, 30));
        for (QPushButton* button : colours->findChildren<QPushButton*>())
            if (button->text().contains("Custom")) button->click();
        colours->accept();
    });
    seen += QString("answer %1\n").arg(PickColour());
    WhenOpen([](QDialog* colours) { colours->reject(); });
    seen += QString("answer %1\n").arg(PickColour());
    // The default file splits into the starting folder and the name; any name is taken, with
    // no question and no extension added; Cancel gives empty text.
    QTemporaryDir scratch;
    const Text folder = QDir(scratch.path()).canonicalPath().toStdString();
    WhenOpen([](QDialog* files) {
        if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
        static_cast<QFileDialog*>(files)->selectFile("org");
        files->accept();
    });
    const Text saved = AskSaveFileName("Chart...", folder + "/org.kpv", "Brondel (*.KPV)|*.kpv", 0);
    WhenOpen([](QDialog* files) { files->reject(); });
    const Text opened = AskOpenFileName("Chart...", folder + "/", "Brondel (*.KPV)|*.kpv", 0);
    // The picture's dialog asks before it replaces a file.
    QFile(scratch.filePath("a.svg")).open(QIODevice::WriteOnly);
    WhenOpen([](QDialog* files) {
        WhenOpen([](QDialog* box) {
            static_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click();
        });
        files->accept();
    });
    const Text picture = AskSavePictureName("Export Picture...", folder + "/a.svg");
    EXPECT_EQ(saved + "|" + opened + "|" + picture, folder + "/org||" + folder + "/a.svg")
        << "saved as typed, no name when cancelled";
    EXPECT_TRUE(MatchesGolden(seen.replace(QDir(scratch.path()).dirName(), "FOLDER").toStdString(),
                              BRONDEL_GUI_GOLDEN_DIR "/qt_requesters.txt"));
    ReleaseAll();
}

} // namespace
