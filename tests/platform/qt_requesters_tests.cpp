// The real requesters, with no scripted answers: each opens the right dialog, application-
// modal, with the caption, text, icon, buttons, starting colour or folder asked for, and
// returns the user's answer. A 10 ms timer plays the user on the dialog once it is open.
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

// Acts on the first modal window that opens.
void WhenModalOpens(const std::function<void(QWidget*)>& act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->deleteLater();
            EXPECT_EQ(modal->windowModality(), Qt::ApplicationModal);
            act(modal);
        }
    });
    timer->start(10);
}

TEST(QtRequesters, MessageBoxesShowCaptionTextIconAndButtonsAndAnswer) {
    OpenAppWindow(300, 0, 0, 200, 100, 0, "Main");
    BeginGadgets(WindowHandle(300));
    AddButton(293, 10, 10, 60, 18, "About");
    OpenAppWindow(301, 0, 0, 100, 100, 0, "Hidden");
    OpenAppWindow(302, 0, 0, 100, 100, 0, "Disabled");
    ShowAppWindow(301, 1);
    static_cast<QWidget*>(WindowWidget(302))->setEnabled(false);
    int clicks = 0;
    QObject::connect(static_cast<QPushButton*>(GadgetWidget(293)), &QPushButton::clicked,
                     [&] { ++clicks; });
    struct Case {
        uint32_t flags;
        QMessageBox::StandardButton press;
        int answer;
        const char* seen; // icon, then the buttons
    } cases[] = {{36, QMessageBox::Yes, IDYES, "4 Yes No"},
                 {36, QMessageBox::No, IDNO, "4 Yes No"},
                 {16, QMessageBox::Ok, IDOK, "3 OK"},
                 {64, QMessageBox::Ok, IDOK, "1 OK"},
                 {0, QMessageBox::Ok, IDOK, "0 OK"}};
    for (const Case& c : cases) {
        Text seen;
        WhenModalOpens([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            seen = std::to_string(box->icon());
            for (QAbstractButton* button : box->buttons())
                seen += " " + button->text().remove('&').toStdString();
            seen += " " + box->windowTitle().toStdString() + ": " + box->text().toStdString();
            // A real click on the main window goes nowhere while the box is open.
            QTest::mouseClick(static_cast<QWidget*>(WindowWidget(300))->windowHandle(),
                              Qt::LeftButton, Qt::NoModifier, QPoint(40, 19));
            box->button(c.press)->click();
        });
        EXPECT_EQ(ShowMessage("Question", "Do you really want to exit?", c.flags), c.answer);
        EXPECT_EQ(seen, Text(c.seen) + " Question: Do you really want to exit?");
    }
    EXPECT_EQ(clicks, 0);
    const auto shown = [](int window) {
        return static_cast<QWidget*>(WindowWidget(window))->isVisible();
    };
    const auto enabled = [](int window) {
        return static_cast<QWidget*>(WindowWidget(window))->isEnabled();
    };
    EXPECT_EQ((std::array{shown(300), enabled(300), shown(301), enabled(302)}),
              (std::array{true, true, false, false}));
    ReleaseAll();
}

TEST(QtRequesters, TheColourChooserStartsOnOneZeroZeroAndKeepsCustomColoursForTheRun) {
    EXPECT_EQ(QColorDialog::customColor(0), QColor(Qt::black));
    WhenModalOpens([](QWidget* modal) {
        auto* dialog = qobject_cast<QColorDialog*>(modal);
        EXPECT_EQ(dialog->currentColor(), QColor(1, 0, 0));
        dialog->setCurrentColor(QColor(10, 20, 30));
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            if (button->text().contains("Custom")) button->click();
        dialog->accept();
    });
    EXPECT_EQ(PickColour(), RgbColour(10, 20, 30));
    WhenModalOpens([](QWidget* modal) {
        EXPECT_EQ(qobject_cast<QColorDialog*>(modal)->currentColor(), QColor(1, 0, 0));
        EXPECT_EQ(QColorDialog::customColor(0), QColor(10, 20, 30));
        qobject_cast<QDialog*>(modal)->reject();
    });
    EXPECT_EQ(PickColour(), -1);
}

// The default file splits into the starting folder and the name; the pattern becomes the
// filter; any name is taken (an opened file need not exist, a saved one is replaced without a
// question, no extension is added); Cancel gives empty text.
TEST(QtRequesters, FileRequestersStartInTheDefaultFolderAndTakeAnyName) {
    QTemporaryDir scratch;
    const Text folder = QDir(scratch.path()).canonicalPath().toStdString();
    struct Case {
        bool saving;
        Text defaultFile, typed, answer, seen;
    } cases[] = {
        {false, folder + "/", "missing", folder + "/missing", "Load Chart...|open||" + folder},
        {true, folder + "/org.kpv", "org", folder + "/org", "Save Chart...|save|org.kpv|" + folder},
        {false, folder + "/a.kpv", "", "", "Load Chart...|open|a.kpv|" + folder},
    };
    for (const Case& c : cases) {
        Text seen;
        WhenModalOpens([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            seen = dialog->windowTitle().toStdString() +
                   (dialog->acceptMode() ? "|save|" : "|open|") +
                   dialog->findChild<QLineEdit*>("fileNameEdit")->text().toStdString() + "|" +
                   dialog->directory().canonicalPath().toStdString();
            EXPECT_EQ(dialog->nameFilters(), QStringList{"Brondel (*.KPV) (*.kpv)"});
            if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
            dialog->selectFile(QString::fromStdString(c.typed));
            c.typed.empty() ? dialog->reject() : static_cast<QDialog*>(dialog)->accept();
        });
        const auto ask = c.saving ? AskSaveFileName : AskOpenFileName;
        EXPECT_EQ(ask(c.saving ? "Save Chart..." : "Load Chart...", c.defaultFile,
                      "Brondel (*.KPV)|*.kpv", 0),
                  c.answer);
        EXPECT_EQ(seen, c.seen);
    }
}

} // namespace
