// The scripted user: performs one step on the real widgets each time the program is about to
// wait for an event, and answers requesters from its queue. See harness.h.
#include "harness.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QTest>
#include <QWindow>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {

QWidget* GadgetOf(int number) { return static_cast<QWidget*>(GadgetWidget(number)); }

// Why a widget cannot be used, or an empty text.
std::string Unreachable(QWidget* widget, const std::string& name) {
    if (!widget) return name + " does not exist";
    if (!widget->isVisible()) return name + " is not visible";
    return widget->isEnabled() ? "" : name + " is disabled";
}

// A real click goes to the native window at a point and activates that window first.
std::string ClickIn(QWidget* window, QPoint point, Qt::MouseButton button, std::string name) {
    if (std::string why = Unreachable(window, name); !why.empty()) return why;
    if (!window->rect().contains(point)) return "the point lies outside " + name;
    if (QApplication::activeWindow() != window) {
        window->activateWindow();
        QApplication::processEvents();
    }
    QTest::mouseClick(window->windowHandle(), button, Qt::NoModifier, point);
    return {};
}

std::string ClickGadget(int number, Qt::MouseButton button) {
    QWidget* gadget = GadgetOf(number);
    const std::string name = "gadget " + std::to_string(number);
    if (std::string why = Unreachable(gadget, name); !why.empty()) return why;
    return ClickIn(gadget->window(), gadget->mapTo(gadget->window(), gadget->rect().center()),
                   button, "the window of " + name);
}

std::string ClickWindow(int number, QPoint point, Qt::MouseButton button) {
    return ClickIn(static_cast<QWidget*>(WindowWidget(number)), point, button,
                   "window " + std::to_string(number));
}

Qt::Key QtKeyOf(int virtualKey, bool shift) {
    if (virtualKey >= 0x70 && virtualKey <= 0x87) return Qt::Key(Qt::Key_F1 + virtualKey - 0x70);
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return Qt::Key(virtualKey);
    if (virtualKey == 0x09 && shift) return Qt::Key_Backtab;
    static const std::map<int, Qt::Key> keys{
        {0x08, Qt::Key_Backspace}, {0x09, Qt::Key_Tab},    {0x0D, Qt::Key_Return},
        {0x1B, Qt::Key_Escape},    {0x20, Qt::Key_Space},  {0x21, Qt::Key_PageUp},
        {0x22, Qt::Key_PageDown},  {0x23, Qt::Key_End},    {0x24, Qt::Key_Home},
        {0x25, Qt::Key_Left},      {0x26, Qt::Key_Up},     {0x27, Qt::Key_Right},
        {0x28, Qt::Key_Down},      {0x2D, Qt::Key_Insert}, {0x2E, Qt::Key_Delete}};
    const auto found = keys.find(virtualKey);
    return found == keys.end() ? Qt::Key_unknown : found->second;
}

// Presses a key in the window of a gadget, or in the active window for gadget -1. A typed
// character comes with its text; without one, QTest gives the key's own.
std::string Key(int gadget, Qt::Key key, Qt::KeyboardModifiers modifiers = {}, QString text = {}) {
    QWidget* target = gadget < 0 ? QApplication::activeWindow() : GadgetOf(gadget);
    const std::string why = Unreachable(target, gadget < 0 ? "the active window" : "a field");
    if (!why.empty()) return why;
    QWindow* window = target->window()->windowHandle();
    if (text.isNull())
        QTest::keyClick(window, key, modifiers);
    else
        QTest::sendKeyEvent(QTest::Click, window, key, text, modifiers);
    return why;
}

} // namespace

Script& Script::Add(Step step) {
    steps_.push_back(std::move(step));
    return *this;
}

Script& Script::ClickGadget(int number) {
    return Add([=] { return ::ClickGadget(number, Qt::LeftButton); });
}
Script& Script::RightClick(int number) {
    return Add([=] { return ::ClickGadget(number, Qt::RightButton); });
}
Script& Script::ClickAt(int window, int x, int y) {
    return Add([=] { return ClickWindow(window, QPoint(x, y), Qt::LeftButton); });
}
Script& Script::RightClickAt(int window, int x, int y) {
    return Add([=] { return ClickWindow(window, QPoint(x, y), Qt::RightButton); });
}

Script& Script::TypeText(int number, const Text& text) {
    Add([=] {
        const std::string why = ::ClickGadget(number, Qt::LeftButton);
        return why.empty() ? Key(number, Qt::Key_End) : why;
    });
    const QString characters = QString::fromUtf8(text);
    for (int i = 0; i < characters.size();) {
        const QString character = characters.mid(i, characters.at(i).isHighSurrogate() ? 2 : 1);
        i += character.size();
        // The key a keyboard reports for the character.
        const char16_t upper = character.at(0).toUpper().unicode();
        const Qt::Key key = character.size() == 1 && upper >= 0x20 && upper <= 0xFF
                                ? Qt::Key(upper)
                                : Qt::Key_unknown;
        Add([=] { return Key(number, key, {}, character); });
    }
    return *this;
}

Script& Script::ClearText(int number) {
    return Add([=] {
        const std::string why = ::ClickGadget(number, Qt::LeftButton);
        if (!why.empty()) return why;
        Key(number, Qt::Key_A, Qt::ControlModifier);
        return Key(number, Qt::Key_Backspace);
    });
}

Script& Script::PressKey(int key) {
    return Add([=] {
        const Qt::Key qtKey = QtKeyOf(key & 0xFFFF, key & ShortcutShift);
        if (qtKey == Qt::Key_unknown) return "no key for virtual key " + std::to_string(key);
        Qt::KeyboardModifiers modifiers;
        modifiers.setFlag(Qt::ShiftModifier, key & ShortcutShift);
        modifiers.setFlag(Qt::ControlModifier, key & ShortcutCtrl);
        modifiers.setFlag(Qt::AltModifier, key & ShortcutAlt);
        return Key(-1, qtKey, modifiers);
    });
}

Script& Script::CloseWindow(int window) {
    return Add([=] {
        auto* widget = static_cast<QWidget*>(WindowWidget(window));
        std::string why = Unreachable(widget, "window " + std::to_string(window));
        if (why.empty() && QApplication::activeModalWidget()) why = "a modal window blocks it";
        if (why.empty()) widget->close();
        return why;
    });
}

Script& Script::ChoosePopupItem(int id) {
    return Add([=]() -> std::string {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        for (QAction* item : menu ? menu->actions() : QList<QAction*>())
            if (!item->isSeparator() && item->data().toInt() == id) {
                QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                                  menu->actionGeometry(item).center());
                return {};
            }
        return "no popup menu with item " + std::to_string(id) + " is open";
    });
}

Script& Script::DismissPopup() {
    return Add([]() -> std::string {
        QWidget* menu = QApplication::activePopupWidget();
        if (!menu) return "no popup menu is open";
        QTest::keyClick(menu, Qt::Key_Escape);
        return {};
    });
}

Script& Script::Call(std::function<void()> action) {
    return Add([action = std::move(action)] { return action(), std::string(); });
}

Script& Script::Quit() {
    return Add([] { return RequestQuit(), std::string(); });
}

Script& Script::Answer(const Text& kind, RequesterAnswer answer) {
    answers_.emplace_back(kind, std::move(answer));
    return *this;
}
Script& Script::AnswerMessage(int answer) { return Answer("message", {answer, {}}); }
Script& Script::AnswerColour(int32_t colour) { return Answer("colour", {colour, {}}); }
Script& Script::AnswerOpen(const Text& path) { return Answer("open", {0, path}); }
Script& Script::AnswerSave(const Text& path) { return Answer("save", {0, path}); }

void Script::Stop(const std::string& message) {
    if (!stopped_) ADD_FAILURE() << message;
    stopped_ = true;
    RequestQuit();
}

void Script::NextStep() {
    if (stopped_) return RequestQuit();
    if (steps_.empty())
        return Stop("the program waits for an event, but the script has no step left after " +
                    std::to_string(done_) + " steps");
    const Step step = std::move(steps_.front());
    steps_.pop_front();
    ++done_;
    if (const std::string why = step(); !why.empty())
        Stop("step " + std::to_string(done_) + " cannot be done: " + why);
}

RequesterAnswer Script::Respond(const RequesterCall& call) {
    requests_.push_back(call);
    const std::string asked = "the program asks a " + call.kind + " requester (\"" + call.caption +
                              "\", \"" + call.text.substr(0, 60) + "\"), but ";
    if (answers_.empty()) {
        Stop(asked + "the script has no answer left");
    } else {
        const auto [kind, answer] = answers_.front();
        answers_.pop_front();
        if (kind == call.kind) return answer;
        Stop(asked + "the next answer is for a " + kind + " requester");
    }
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

namespace {

const bool UpdatingGolden = std::getenv("BRONDEL_UPDATE_GOLDEN") != nullptr;

} // namespace

::testing::AssertionResult LooksLikeGolden(int window, const std::string& golden) {
    auto* widget = static_cast<QWidget*>(WindowWidget(window));
    const QImage shown = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (UpdatingGolden) shown.save(QString::fromStdString(golden));
    const QImage expected =
        QImage(QString::fromStdString(golden)).convertToFormat(QImage::Format_RGB32);
    int differing = expected.size() == shown.size() ? 0 : -1;
    for (int y = 0; differing >= 0 && y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            differing += shown.pixel(x, y) != expected.pixel(x, y);
    if (differing == 0) return ::testing::AssertionSuccess();
    const auto kept =
        std::filesystem::path(BRONDEL_ARTIFACTS_DIR) / std::filesystem::path(golden).filename();
    std::filesystem::create_directories(kept.parent_path());
    shown.save(QString::fromStdString(kept.string()));
    return ::testing::AssertionFailure()
           << "window " << window << " differs from " << golden << " in " << differing
           << " pixels (-1: in size); see " << kept;
}

::testing::AssertionResult MatchesGolden(const Text& text, const std::string& golden) {
    if (UpdatingGolden) std::ofstream(golden, std::ios::binary) << text;
    std::stringstream expected;
    expected << std::ifstream(golden, std::ios::binary).rdbuf();
    if (text == expected.str()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << golden << " differs from:\n" << text;
}
