// The scripted user: performs one step on the real widgets each time the program is about to
// wait for an event, and answers requesters from its queue. See harness.h.
#include "harness.h"

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QTest>
#include <QWindow>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

QWidget* WidgetOf(void* widget) { return static_cast<QWidget*>(widget); }

// A widget the user can reach: there, shown and enabled.
bool Usable(const QWidget* widget) { return widget && widget->isVisible() && widget->isEnabled(); }

Qt::Key QtKeyOf(int virtualKey, bool shift) {
    if (virtualKey >= 0x70 && virtualKey <= 0x87) return Qt::Key(Qt::Key_F1 + virtualKey - 0x70);
    if (virtualKey >= 'A' && virtualKey <= 'Z') return Qt::Key(virtualKey);
    if (virtualKey == 0x08) return Qt::Key_Backspace;
    if (virtualKey == 0x09) return shift ? Qt::Key_Backtab : Qt::Key_Tab;
    if (virtualKey == 0x0D) return Qt::Key_Return;
    return virtualKey == 0x1B ? Qt::Key_Escape : Qt::Key_unknown; // no other key is needed
}

// Presses a key in the window of a gadget, or of the active window for gadget -1. A typed
// character brings its text; for other keys QTest gives the key's own.
std::string Press(int gadget, Qt::Key key, Qt::KeyboardModifiers modifiers = {},
                  QString text = {}) {
    QWidget* target = gadget < 0 ? QApplication::activeWindow() : WidgetOf(GadgetWidget(gadget));
    if (!Usable(target)) return "no window or field to type into";
    if (text.isNull())
        QTest::keyClick(target->window()->windowHandle(), key, modifiers);
    else
        QTest::sendKeyEvent(QTest::Click, target->window()->windowHandle(), key, text, modifiers);
    return {};
}

const bool UpdatingGolden = std::getenv("BRONDEL_UPDATE_GOLDEN") != nullptr;

} // namespace

// A real click goes to the native window at a point, a gadget's point being its centre, and
// activates that window first.
Script::Step Script::Click(int gadget, int window, int x, int y, bool right) {
    return [=]() -> std::string {
        QPoint point(x, y);
        QWidget* target = WidgetOf(WindowWidget(window));
        if (QWidget* widget = WidgetOf(GadgetWidget(gadget)); Usable(widget))
            point = widget->mapTo(target = widget->window(), widget->rect().center());
        if (!Usable(target) || !target->rect().contains(point))
            return "nothing there to click (missing, hidden, disabled or outside its window)";
        if (QApplication::activeWindow() != target) {
            target->activateWindow();
            QApplication::processEvents();
        }
        QTest::mouseClick(target->windowHandle(), right ? Qt::RightButton : Qt::LeftButton, {},
                          point);
        return {};
    };
}

Script& Script::TypeText(int number, const Text& text) {
    ClickGadget(number).Add([=] { return Press(number, Qt::Key_End); });
    for (const char32_t character : QString::fromUtf8(text).toUcs4())
        Add([=] { return Press(number, Qt::Key_unknown, {}, QString::fromUcs4(&character, 1)); });
    return *this;
}

Script& Script::PressKey(int key) {
    return Add([=] {
        const Qt::Key qtKey = QtKeyOf(key & 0xFFFF, key & ShortcutShift);
        // Shift, Ctrl and Alt are in the same order as Qt's modifier bits.
        const auto modifiers = Qt::KeyboardModifiers::fromInt((key >> 16 & 7) << 25);
        return qtKey == Qt::Key_unknown ? "no key for " + std::to_string(key)
                                        : Press(-1, qtKey, modifiers);
    });
}

Script& Script::CloseWindow(int window) {
    return Add([=]() -> std::string {
        QWidget* widget = WidgetOf(WindowWidget(window));
        if (!widget || !widget->isVisible() || QApplication::activeModalWidget())
            return "cannot close it";
        widget->close();
        return {};
    });
}

Script& Script::ChoosePopupItem(int id) {
    return Add([=]() -> std::string {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        for (QAction* item : menu ? menu->actions() : QList<QAction*>())
            if (!item->isSeparator() && item->data().toInt() == id)
                return QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, {},
                                         menu->actionGeometry(item).center()),
                       "";
        return "no popup menu with item " + std::to_string(id) + " is open";
    });
}

Script& Script::DismissPopup() {
    return Add([]() -> std::string {
        QWidget* menu = QApplication::activePopupWidget();
        return menu ? QTest::keyClick(menu, Qt::Key_Escape), "" : "no popup menu is open";
    });
}

Script& Script::Call(std::function<void()> action) {
    return Add([action = std::move(action)] { return action(), std::string(); });
}

void Script::Stop(const std::string& message) {
    if (!stopped_) ADD_FAILURE() << message;
    stopped_ = true;
    RequestQuit();
}

void Script::NextStep() {
    if (steps_.empty() || stopped_)
        return Stop("the program waits for an event, but the script has no step left after " +
                    std::to_string(done_) + " steps");
    const Step step = std::move(steps_.front());
    steps_.pop_front();
    const std::string why = step();
    if (++done_, !why.empty())
        Stop("step " + std::to_string(done_) + " of the script cannot be done: " + why);
}

RequesterAnswer Script::Respond(const RequesterCall& call) {
    requests_.push_back(call);
    if (!answers_.empty() && answers_.front().first == call.kind) {
        const RequesterAnswer answer = answers_.front().second;
        answers_.pop_front();
        return answer;
    }
    Stop("the program asks a " + call.kind + " requester (\"" + call.caption + "\", \"" +
         call.text.substr(0, 60) + "\"), but the script's next answer is for another one or none");
    return {call.kind == "colour" ? -1 : 0, {}}; // cancel
}

void Script::Run(const std::function<void()>& program) {
    ClearQuitRequest();
    SetBeforeWaitHook([this] { NextStep(); });
    SetRequesterHook([this](const RequesterCall& call) { return Respond(call); });
    program();
    SetBeforeWaitHook({});
    SetRequesterHook({});
    if (!stopped_ && (!steps_.empty() || !answers_.empty()))
        ADD_FAILURE() << "the program ended with " << steps_.size() << " script steps and "
                      << answers_.size() << " requester answers left";
    ReleaseAll();
    ClearQuitRequest();
}

::testing::AssertionResult LooksLikeGolden(int window, const std::string& golden) {
    const QImage shown =
        WidgetOf(WindowWidget(window))->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (UpdatingGolden) shown.save(QString::fromStdString(golden));
    if (QImage(QString::fromStdString(golden)).convertToFormat(QImage::Format_RGB32) == shown)
        return ::testing::AssertionSuccess();
    const auto kept =
        std::filesystem::path(BRONDEL_ARTIFACTS_DIR) / std::filesystem::path(golden).filename();
    std::filesystem::create_directories(kept.parent_path());
    shown.save(QString::fromStdString(kept.string()));
    return ::testing::AssertionFailure()
           << "window " << window << " differs from " << golden << ": see " << kept;
}

::testing::AssertionResult MatchesGolden(const Text& text, const std::string& golden) {
    if (UpdatingGolden) std::ofstream(golden, std::ios::binary) << text;
    std::stringstream expected;
    expected << std::ifstream(golden, std::ios::binary).rdbuf();
    if (text == expected.str()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << golden << " differs from:\n" << text;
}
