// The real requesters, with no scripted answers: each opens its dialog application-modal with
// the caption, text, icon, buttons, colour or folder asked for (what the user sees of each is in
// golden/qt_requesters.txt), blocks the other windows, and returns the user's answer. A 10 ms
// timer plays the user on the dialog once it is open.
#include "harness.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

Text seen;

// Plays the user on the first modal window that opens: notes what it shows, then acts.
template <typename Dialog> void WhenOpen(const std::function<Text(Dialog*)>& act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            seen += (dialog->windowModality() == Qt::ApplicationModal ? "modal " : "modeless ") +
                    dialog->windowTitle().toStdString() + ": " + act(dialog);
        }
    });
    timer->start(10);
}

TEST(QtRequesters, EachShowsWhatItWasAskedAndReturnsTheAnswer) {
    OpenAppWindow(300, 0, 0, 200, 100, 0, "Main");
    BeginGadgets(WindowHandle(300));
    AddButton(293, 10, 10, 60, 18, "About");
    int clicks = 0;
    QObject::connect(static_cast<QPushButton*>(GadgetWidget(293)), &QPushButton::clicked,
                     [&] { ++clicks; });
    OpenAppWindow(301, 0, 0, 100, 100, 0, "Hidden, stays so");
    ShowAppWindow(301, 1);
    for (const auto& [flags, press] : {std::pair{36u, QMessageBox::Yes},
                                       {36u, QMessageBox::No},
                                       {16u, QMessageBox::Ok},
                                       {64u, QMessageBox::Ok},
                                       {0u, QMessageBox::Ok}}) {
        WhenOpen<QMessageBox>([press](QMessageBox* box) {
            // A real click on the main window goes nowhere while the box is open.
            QTest::mouseClick(static_cast<QWidget*>(WindowWidget(300))->windowHandle(),
                              Qt::LeftButton, {}, {40, 19});
            Text buttons;
            for (QAbstractButton* button : box->buttons())
                buttons += button->text().remove('&').toStdString() + " ";
            box->button(press)->click();
            return box->text().toStdString() + " | icon " + std::to_string(box->icon()) + " | " +
                   buttons;
        });
        seen += "answer " +
                std::to_string(ShowMessage("Question", "Do you really want to exit?", flags)) +
                "\n";
    }
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(static_cast<QWidget*>(WindowWidget(301))->isVisible());
    EXPECT_TRUE(static_cast<QWidget*>(WindowWidget(300))->isEnabled());

    // The colour chooser opens on (1, 0, 0) every time and keeps custom colours for the run.
    for (const QColor& chosen : {QColor(10, 20, 30), QColor()}) {
        WhenOpen<QColorDialog>([chosen](QColorDialog* dialog) {
            const Text shown = dialog->currentColor().name().toStdString() + " " +
                               QColorDialog::customColor(0).name().toStdString();
            dialog->setCurrentColor(chosen);
            for (QPushButton* button : dialog->findChildren<QPushButton*>())
                if (button->text().contains("Custom")) button->click();
            chosen.isValid() ? dialog->accept() : dialog->reject();
            return shown + " | ";
        });
        seen += "answer " + std::to_string(PickColour()) + "\n";
    }

    // The default file splits into the starting folder and the name; any name is taken (an
    // opened file need not exist, a saved one is replaced without a question and gets no
    // extension); Cancel gives empty text.
    QTemporaryDir scratch;
    const Text folder = QDir(scratch.path()).canonicalPath().toStdString();
    for (const auto& [ask, file, typed] : {std::tuple{&AskOpenFileName, "/", "missing"},
                                           {&AskSaveFileName, "/org.kpv", "org"},
                                           {&AskOpenFileName, "/a.kpv", ""}}) {
        WhenOpen<QFileDialog>([typed](QFileDialog* dialog) {
            const Text shown =
                dialog->findChild<QLineEdit*>("fileNameEdit")->text().toStdString() + " in " +
                dialog->directory().dirName().toStdString() + " | " +
                dialog->nameFilters().join(";").toStdString() +
                (dialog->testOption(QFileDialog::DontConfirmOverwrite) ? " | no question" : "") +
                " | suffix '" + dialog->defaultSuffix().toStdString() + "' | ";
            if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
            dialog->selectFile(typed);
            *typed ? static_cast<QDialog*>(dialog)->accept() : dialog->reject();
            return shown;
        });
        const Text answer = ask("Chart...", folder + file, "Brondel (*.KPV)|*.kpv", 0);
        seen += "answer " + (answer.empty() ? answer : answer.substr(folder.size())) + "\n";
    }
    const Text name = QDir(scratch.path()).dirName().toStdString();
    for (size_t at; (at = seen.find(name)) != Text::npos;) seen.replace(at, name.size(), "FOLDER");
    EXPECT_TRUE(MatchesGolden(seen, BRONDEL_PLATFORM_GOLDEN_DIR "/qt_requesters.txt"));
    ReleaseAll();
}

} // namespace
