// The Qt half of the scripted user: clicks and keys through QTest to the native window, as the
// platform would deliver them, and pictures through QImage.
#include "gui/qt/qt_probe.h"
#include "harness.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QWindow>

#include <filesystem>

namespace {

// A widget the user can reach: there, shown and enabled.
bool Usable(const QWidget* widget) { return widget && widget->isVisible() && widget->isEnabled(); }

Qt::Key QtKeyOf(int virtualKey, bool shift) {
    if (virtualKey >= 0x70 && virtualKey <= 0x87) return Qt::Key(Qt::Key_F1 + virtualKey - 0x70);
    if (virtualKey >= 'A' && virtualKey <= 'Z') return Qt::Key(virtualKey);
    if (virtualKey == 0x08) return Qt::Key_Backspace;
    if (virtualKey == 0x09) return shift ? Qt::Key_Backtab : Qt::Key_Tab;
    if (virtualKey == 0x0D) return Qt::Key_Return;
    if (virtualKey == 0x23) return Qt::Key_End;
    return virtualKey == 0x1B ? Qt::Key_Escape : Qt::Key_unknown; // no other key is needed
}

// The key goes to the active window. A typed character brings its text; for other keys QTest
// gives the key's own.
std::string Send(Qt::Key key, Qt::KeyboardModifiers modifiers = {}, QString text = {}) {
    QWidget* target = QApplication::activeWindow();
    if (!Usable(target)) return "no window or field to type into";
    if (text.isNull())
        QTest::keyClick(target->windowHandle(), key, modifiers);
    else
        QTest::sendKeyEvent(QTest::Click, target->windowHandle(), key, text, modifiers);
    return {};
}

} // namespace

// A real click goes to the native window at a point, a gadget's point being its centre, and
// activates that window first.
std::string userhalf::Click(int gadget, int window, int x, int y, bool right) {
    QPoint point(x, y);
    QWidget* target = WindowWidget(window);
    if (QWidget* widget = GadgetWidget(gadget); Usable(widget))
        point = widget->mapTo(target = widget->window(), widget->rect().center());
    if (!Usable(target) || !target->rect().contains(point))
        return "nothing there to click (missing, hidden, disabled or outside its window)";
    if (QApplication::activeWindow() != target) {
        target->activateWindow();
        QApplication::processEvents();
    }
    QTest::mouseClick(target->windowHandle(), right ? Qt::RightButton : Qt::LeftButton, {}, point);
    return {};
}

std::string userhalf::Press(int key) {
    const Qt::Key qtKey = QtKeyOf(key & 0xFFFF, key & ShortcutShift);
    // Shift, Ctrl and Alt are in the same order as Qt's modifier bits.
    const auto modifiers = Qt::KeyboardModifiers::fromInt((key >> 16 & 7) << 25);
    return qtKey == Qt::Key_unknown ? "no key for " + std::to_string(key) : Send(qtKey, modifiers);
}

std::string userhalf::Type(int field, const Text& character) {
    if (!Usable(GadgetWidget(field))) return "no field to type into";
    return Send(Qt::Key_unknown, {}, QString::fromUtf8(character));
}

std::string userhalf::Close(int window) {
    QWidget* widget = WindowWidget(window);
    if (!widget || !widget->isVisible() || QApplication::activeModalWidget())
        return "cannot close it";
    widget->close();
    return {};
}

std::string userhalf::ChooseItem(int id, int) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    for (QAction* item : menu->actions())
        if (!item->isSeparator() && item->data().toInt() == id)
            QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, {},
                              menu->actionGeometry(item).center());
    return {};
}

std::string userhalf::DismissPopup() {
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    return {};
}

// The offscreen platform unless another one is asked for, and the user's settings (where Qt's
// dialogs keep their history) kept apart in a folder beside the test program.
void PrepareScriptedUser(const char* program) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("XDG_CONFIG_HOME",
           (std::filesystem::absolute(program).parent_path() / "test-config").c_str(), 1);
}

void ListenLikeAScreenReader() { QAccessible::setActive(true); }

void SetClipboardText(const Text& text) {
    QApplication::clipboard()->setText(QString::fromUtf8(text));
}

Text ClipboardData(const Text& mimeType) {
    return QApplication::clipboard()
        ->mimeData()
        ->data(QString::fromStdString(mimeType))
        .toStdString();
}

Picture PictureOfPng(const Text& bytes) {
    const QImage image = QImage::fromData(QByteArray::fromStdString(bytes), "PNG")
                             .convertToFormat(QImage::Format_ARGB32);
    Picture picture{image.width(), image.height(), 1, {}};
    picture.dotsPerMetreX = image.dotsPerMeterX(), picture.dotsPerMetreY = image.dotsPerMeterY();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) picture.pixels.push_back(image.pixel(x, y));
    return picture;
}

bool WaitUntil(const std::function<bool()>& done) { return QTest::qWaitFor(done); }

::testing::AssertionResult LooksLikeGolden(int window, const std::string& golden) {
    QWidget* widget = WindowWidget(window);
    const QImage shown = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (std::getenv("BRONDEL_UPDATE_GOLDEN")) shown.save(QString::fromStdString(golden));
    if (QImage(QString::fromStdString(golden)).convertToFormat(QImage::Format_RGB32) == shown)
        return ::testing::AssertionSuccess();
    const auto kept =
        std::filesystem::path(BRONDEL_ARTIFACTS_DIR) / std::filesystem::path(golden).filename();
    std::filesystem::create_directories(kept.parent_path());
    shown.save(QString::fromStdString(kept.string()));
    return ::testing::AssertionFailure()
           << "window " << window << " differs from " << golden << ": see " << kept;
}
