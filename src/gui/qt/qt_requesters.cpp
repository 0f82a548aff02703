// Requesters: the message box, the colour chooser and the file chooser, each one blocking call.
// They are application-modal, so the program's other windows take no input while one is shown
// and keep their own enabled or hidden state. Qt's own dialogs are used on every desktop, so
// that filters, overwrite questions and the starting folder behave the same everywhere.
// With a requester hook set (a scripted user), the hook answers and nothing opens.
#include "qt_state.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <vector>

namespace qtlayer {
namespace {

constexpr int IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5;
constexpr uint32_t MB_TYPEMASK = 0xF, MB_ICONMASK = 0xF0, MB_DEFMASK = 0xF00;
constexpr size_t FileNameBufferSize = 10000; // a longer path cannot be returned
constexpr int CustomColourCount = 16;

// The owner is the program window that has the keyboard, if any.
QWidget* DialogOwner() {
    const int window = ActiveWindow();
    WindowEntry* entry = FindWindow(window);
    return entry ? entry->widget.data() : nullptr;
}

struct ButtonAnswer {
    QMessageBox::StandardButton button;
    int answer;
};

std::vector<ButtonAnswer> ButtonsOf(uint32_t type) {
    switch (type) {
    case 1:
        return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case 2:
        return {{QMessageBox::Abort, IDABORT},
                {QMessageBox::Retry, IDRETRY},
                {QMessageBox::Ignore, IDIGNORE}};
    case 3:
        return {
            {QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case 4:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case 5:
        return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default:
        return {{QMessageBox::Ok, IDOK}};
    }
}

QMessageBox::Icon IconOf(uint32_t icon) {
    switch (icon) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case 0x30:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// Qt's file and colour dialogs write their history, last folder and custom colours into a
// settings file of Qt's own when they are destroyed. Brondel.ini is the program's only
// settings file, so each dialog is made once and kept, hidden, until the process ends.
template <typename Dialog> Dialog& KeptDialog(Dialog*& kept) {
    if (!kept) kept = new Dialog;
    return *kept;
}

bool HookAnswers(const RequesterCall& call, RequesterAnswer& answer) {
    if (!State().requesterHook) return false;
    const auto hook = State().requesterHook;
    answer = hook(call);
    return true;
}

// "Desc|*.a;*.b|Desc 2|*.c" becomes Qt's "Desc (*.a *.b)" list; a lone description is
// dropped as the platform's filter list would ignore it.
QStringList NameFiltersOf(const Text& pattern) {
    const QStringList parts = QString::fromUtf8(pattern).split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString wildcards = parts[i + 1];
        wildcards.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + wildcards.simplified() + QLatin1Char(')');
    }
    return filters;
}

Text AskFileName(const Text& kind, const Text& title, const Text& defaultFile, const Text& pattern,
                 int patternIndex) {
    RequesterAnswer answer;
    if (HookAnswers({kind, title, Text(), defaultFile, pattern, 0}, answer))
        return answer.path.size() < FileNameBufferSize ? answer.path : Text();
    if (!qApp) return {};

    // The default file splits at its last separator into the starting folder and the name;
    // one without a separator past its first character is a name alone, in the current
    // folder (not whichever folder a dialog showed last).
    QString folder = QDir::currentPath(), name = QString::fromUtf8(defaultFile);
    const size_t last = LastPathSeparator(defaultFile);
    if (last != Text::npos && last > 0) {
        folder = QString::fromUtf8(defaultFile.substr(0, last));
        name = QString::fromUtf8(defaultFile.substr(last + 1));
    }
    QFileDialog& dialog = KeptDialog(State().fileDialog);
    dialog.setWindowTitle(QString::fromUtf8(title));
    dialog.setDirectory(folder);
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite |
                      QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(kind == "save" ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile); // an opened file need not exist
    const QStringList filters = NameFiltersOf(pattern);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) dialog.selectNameFilter(filters.value(patternIndex, filters.first()));
    // The kept dialog still shows the name chosen last time, and selectFile cannot empty it.
    if (auto* nameField = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        nameField->clear();
    if (!name.isEmpty()) dialog.selectFile(name);
    if (ExecOver(dialog, DialogOwner()) != QDialog::Accepted) return {};
    // Qt answers with '/' everywhere; the program's paths use the system's own separator.
    const Text path =
        QDir::toNativeSeparators(dialog.selectedFiles().value(0)).toUtf8().toStdString();
    return path.size() < FileNameBufferSize ? path : Text();
}

} // namespace

// A kept dialog is the owner's child only while it is shown: a child dies with its parent.
int ExecOver(QDialog& dialog, QWidget* owner) {
    const Qt::WindowFlags flags = dialog.windowFlags();
    dialog.setParent(owner, flags);
    dialog.setWindowModality(Qt::ApplicationModal);
    const int result = dialog.exec();
    // A name field's completion list stays open when Return accepts the dialog; a kept dialog
    // would leave it taking the next click.
    while (QWidget* popup = QApplication::activePopupWidget())
        if (!popup->close()) break;
    dialog.setParent(nullptr, flags);
    return result;
}

// The colour chooser's custom colours start black in every run and are kept until it ends.
void PrepareRequesters() {
    for (int i = 0; i < CustomColourCount; ++i) QColorDialog::setCustomColor(i, QColor(Qt::black));
}

} // namespace qtlayer

using namespace qtlayer;

int ShowMessage(const Text& caption, const Text& text, uint32_t flags) {
    RequesterAnswer answer;
    if (HookAnswers({"message", caption, text, Text(), Text(), flags}, answer)) return answer.code;
    if (!qApp) return 0;
    QMessageBox box(IconOf(flags & MB_ICONMASK), QString::fromUtf8(caption),
                    QString::fromUtf8(text), QMessageBox::NoButton, DialogOwner());
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    const std::vector<ButtonAnswer> buttons = ButtonsOf(flags & MB_TYPEMASK);
    for (const ButtonAnswer& b : buttons) box.addButton(b.button);
    const size_t preferred = (flags & MB_DEFMASK) >> 8;
    box.setDefaultButton(buttons[preferred < buttons.size() ? preferred : 0].button);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (const ButtonAnswer& b : buttons)
        if (clicked && clicked == box.button(b.button)) return b.answer;
    return 0;
}

int32_t PickColour() {
    RequesterAnswer answer;
    if (HookAnswers({"colour", Text(), Text(), Text(), Text(), 0}, answer)) return answer.code;
    if (!qApp) return -1;
    QColorDialog& dialog = KeptDialog(State().colourDialog);
    dialog.setOptions(QColorDialog::DontUseNativeDialog);
    dialog.setCurrentColor(QColor(1, 0, 0));
    if (ExecOver(dialog, DialogOwner()) != QDialog::Accepted) return -1;
    const QColor chosen = dialog.selectedColor();
    return RgbColour(chosen.red(), chosen.green(), chosen.blue());
}

Text AskOpenFileName(const Text& title, const Text& defaultFile, const Text& pattern,
                     int patternIndex) {
    return AskFileName("open", title, defaultFile, pattern, patternIndex);
}

Text AskSaveFileName(const Text& title, const Text& defaultFile, const Text& pattern,
                     int patternIndex) {
    return AskFileName("save", title, defaultFile, pattern, patternIndex);
}

void SetRequesterHook(std::function<RequesterAnswer(const RequesterCall&)> hook) {
    State().requesterHook = std::move(hook);
}
