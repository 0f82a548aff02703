// The real requesters (no hook): each opens the right dialog, application-modal, with the
// caption, text, buttons, starting colour or folder asked for, and returns the user's answer.
// A 10 ms timer plays the user on the dialog once it is open.
#include "gui_test.h"

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
#include <QWindow>

#include <functional>

namespace {

// Acts on the first modal window that opens. A modal window still open two seconds later is
// rejected, so that a test that fails cannot hang.
class ModalUser {
  public:
    explicit ModalUser(std::function<void(QWidget*)> act) : act_(std::move(act)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
        timer_.start(10);
    }
    bool Acted() const { return acted_; }

  private:
    void Tick() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!acted_) {
            if (!modal) return;
            acted_ = true;
            act_(modal);
            return;
        }
        if (modal && ++ticksAfter_ > 200) {
            ADD_FAILURE() << "a modal window stayed open: " << modal->windowTitle().toStdString();
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        }
    }
    std::function<void(QWidget*)> act_;
    QTimer timer_;
    bool acted_ = false;
    int ticksAfter_ = 0;
};

void Click(QAbstractButton* button) {
    ASSERT_NE(button, nullptr);
    button->click();
}

using Requesters = GuiTest;

TEST_F(Requesters, QuestionBoxHasCaptionTextIconYesAndNoAndBlocksTheOtherWindows) {
    OpenTestWindow(300);
    AddButton(293, 10, 10, 60, 18, "About");
    int clicks = 0;
    QObject::connect(static_cast<QPushButton*>(GadgetWidget(293)), &QPushButton::clicked,
                     [&] { ++clicks; });
    QWidget* main = static_cast<QWidget*>(WindowWidget(300));

    for (int answer : {IDYES, IDNO}) {
        ModalUser user([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "Question");
            EXPECT_EQ(box->text(), "Do you really want to exit?");
            EXPECT_EQ(box->icon(), QMessageBox::Question);
            EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
            EXPECT_EQ(box->buttons().size(), 2);
            EXPECT_NE(box->button(QMessageBox::Yes), nullptr);
            EXPECT_NE(box->button(QMessageBox::No), nullptr);
            // A real click on the main window goes nowhere while the box is open.
            QTest::mouseClick(main->windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 19));
            Click(box->button(answer == IDYES ? QMessageBox::Yes : QMessageBox::No));
        });
        EXPECT_EQ(ShowMessage("Question", "Do you really want to exit?", 36), answer);
        EXPECT_TRUE(user.Acted());
    }
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(main->isEnabled());
}

TEST_F(Requesters, InformationErrorAndPlainBoxesHaveOneOkButton) {
    struct Case {
        uint32_t flags;
        QMessageBox::Icon icon;
    };
    for (const Case& c : {Case{64, QMessageBox::Information}, Case{16, QMessageBox::Critical},
                          Case{0, QMessageBox::NoIcon}}) {
        ModalUser user([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "Error!");
            EXPECT_EQ(box->text(), "You need to LOAD or SAVE a CHART first!");
            EXPECT_EQ(box->icon(), c.icon);
            EXPECT_EQ(box->buttons().size(), 1);
            Click(box->button(QMessageBox::Ok));
        });
        EXPECT_EQ(ShowMessage("Error!", "You need to LOAD or SAVE a CHART first!", c.flags), IDOK);
    }
}

TEST_F(Requesters, WindowsKeepTheirOwnStateAroundARequester) {
    OpenTestWindow(300);
    OpenTestWindow(301);
    OpenTestWindow(302);
    auto* hidden = static_cast<QWidget*>(WindowWidget(301));
    auto* disabled = static_cast<QWidget*>(WindowWidget(302));
    ShowAppWindow(301, 1);
    disabled->setEnabled(false);
    ModalUser user(
        [](QWidget* modal) { Click(qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Ok)); });
    ShowMessage("Information", "text", 64);
    EXPECT_TRUE(static_cast<QWidget*>(WindowWidget(300))->isEnabled());
    EXPECT_TRUE(static_cast<QWidget*>(WindowWidget(300))->isVisible());
    EXPECT_FALSE(hidden->isVisible());
    EXPECT_FALSE(disabled->isEnabled());
}

TEST_F(Requesters, ColourChooserStartsOnOneZeroZeroAndKeepsCustomColoursForTheRun) {
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        EXPECT_EQ(QColorDialog::customColor(i), QColor(Qt::black)) << i;
    const QColor chosen(10, 20, 30);
    {
        ModalUser user([&](QWidget* modal) {
            auto* dialog = qobject_cast<QColorDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->currentColor(), QColor(1, 0, 0));
            EXPECT_EQ(dialog->windowModality(), Qt::ApplicationModal);
            dialog->setCurrentColor(chosen);
            QPushButton* add = nullptr;
            for (QPushButton* button : dialog->findChildren<QPushButton*>())
                if (button->text().contains("Custom")) add = button;
            Click(add);
            dialog->accept();
        });
        EXPECT_EQ(PickColour(), RgbColour(10, 20, 30));
    }
    {
        ModalUser user([&](QWidget* modal) {
            auto* dialog = qobject_cast<QColorDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->currentColor(), QColor(1, 0, 0)); // not the colour chosen before
            EXPECT_EQ(QColorDialog::customColor(0), chosen);
            dialog->reject();
        });
        EXPECT_EQ(PickColour(), -1);
    }
}

QFileDialog* FileDialogOf(QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    EXPECT_NE(dialog, nullptr);
    return dialog;
}

QString NameField(QFileDialog* dialog) {
    auto* field = dialog->findChild<QLineEdit*>("fileNameEdit");
    return field ? field->text() : QString("(no name field)");
}

// The way a user confirms a name: the name field holds it, then the dialog accepts.
void ChooseName(QFileDialog* dialog, const QString& name) {
    if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
    dialog->selectFile(name);
    static_cast<QDialog*>(dialog)->accept();
}

TEST_F(Requesters, OpenStartsInTheDefaultFolderWithTheFilterAndTakesAnyName) {
    QTemporaryDir folder;
    const Text path = QDir(folder.path()).canonicalPath().toStdString();
    ModalUser user([&](QWidget* modal) {
        QFileDialog* dialog = FileDialogOf(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Load Chart...");
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog->fileMode(), QFileDialog::AnyFile);
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(dialog->directory().canonicalPath().toStdString(), path);
        EXPECT_EQ(NameField(dialog), "");
        EXPECT_EQ(dialog->nameFilters(), QStringList{"Brondel (*.KPV) (*.kpv)"});
        EXPECT_EQ(dialog->selectedNameFilter(), "Brondel (*.KPV)"); // as shown
        EXPECT_EQ(dialog->windowModality(), Qt::ApplicationModal);
        ChooseName(dialog, "missing.kpv"); // need not exist
    });
    EXPECT_EQ(AskOpenFileName("Load Chart...", path + "/", "Brondel (*.KPV)|*.kpv", 0),
              path + "/missing.kpv");
}

TEST_F(Requesters, SaveTakesANameWithoutFolderAndNeverAsksBeforeReplacing) {
    QTemporaryDir folder;
    const Text path = QDir(folder.path()).canonicalPath().toStdString();
    const Text existing = path + "/org.kpv";
    {
        QFile file(QString::fromStdString(existing));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(path));
    ModalUser user([&](QWidget* modal) {
        QFileDialog* dialog = FileDialogOf(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Save Chart...");
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_EQ(NameField(dialog), "org.kpv");
        EXPECT_TRUE(dialog->defaultSuffix().isEmpty());
        ChooseName(dialog, "org.kpv");
    });
    const Text chosen = AskSaveFileName("Save Chart...", "org.kpv", "Brondel (*.KPV)|*.kpv", 0);
    QDir::setCurrent(before);
    EXPECT_EQ(chosen, existing);
}

TEST_F(Requesters, CancelGivesEmptyTextEvenWithADefaultFile) {
    QTemporaryDir folder;
    const Text path = QDir(folder.path()).canonicalPath().toStdString();
    ModalUser user([&](QWidget* modal) {
        QFileDialog* dialog = FileDialogOf(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->directory().canonicalPath().toStdString(), path);
        EXPECT_EQ(NameField(dialog), "chart.kpv");
        dialog->reject();
    });
    EXPECT_EQ(AskOpenFileName("Load Chart...", path + "/chart.kpv", "Brondel (*.KPV)|*.kpv", 0),
              "");
}

} // namespace
