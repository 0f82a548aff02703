// The scripted user: performs one step on the real widgets each time the program is about to
// wait for an event, and answers requesters from its queue. See harness.h.
#include "harness.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QWindow>

namespace {

QWidget* GadgetOf(int number) { return static_cast<QWidget*>(GadgetWidget(number)); }
QWidget* WindowOf(int number) { return static_cast<QWidget*>(WindowWidget(number)); }

bool Reachable(QWidget* widget, const std::string& name, std::string& why) {
    if (!widget) {
        why = name + " does not exist";
        return false;
    }
    if (!widget->isVisible()) {
        why = name + " is not visible";
        return false;
    }
    if (!widget->isEnabled()) {
        why = name + " is disabled";
        return false;
    }
    return true;
}

// A real click goes to the native window at a point and activates that window first.
void ClickWindowAt(QWidget* window, QPoint point, Qt::MouseButton button) {
    if (QApplication::activeWindow() != window) {
        window->activateWindow();
        QApplication::processEvents();
    }
    QTest::mouseClick(window->windowHandle(), button, Qt::NoModifier, point);
}

bool ClickGadgetWith(int number, Qt::MouseButton button, std::string& why) {
    QWidget* gadget = GadgetOf(number);
    if (!Reachable(gadget, "gadget " + std::to_string(number), why)) return false;
    QWidget* window = gadget->window();
    const QPoint centre = gadget->mapTo(window, gadget->rect().center());
    if (!window->rect().contains(centre)) {
        why = "the centre of gadget " + std::to_string(number) + " lies outside its window";
        return false;
    }
    ClickWindowAt(window, centre, button);
    return true;
}

bool ClickWindowWith(int number, int x, int y, Qt::MouseButton button, std::string& why) {
    QWidget* window = WindowOf(number);
    if (!Reachable(window, "window " + std::to_string(number), why)) return false;
    if (!window->rect().contains(x, y)) {
        why = "the point lies outside window " + std::to_string(number);
        return false;
    }
    ClickWindowAt(window, QPoint(x, y), button);
    return true;
}

Qt::Key QtKeyOf(int virtualKey, bool shift) {
    if (virtualKey >= 0x70 && virtualKey <= 0x87) return Qt::Key(Qt::Key_F1 + virtualKey - 0x70);
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return Qt::Key(virtualKey);
    switch (virtualKey) {
    case 0x08:
        return Qt::Key_Backspace;
    case 0x09:
        return shift ? Qt::Key_Backtab : Qt::Key_Tab;
    case 0x0D:
        return Qt::Key_Return;
    case 0x1B:
        return Qt::Key_Escape;
    case 0x20:
        return Qt::Key_Space;
    case 0x21:
        return Qt::Key_PageUp;
    case 0x22:
        return Qt::Key_PageDown;
    case 0x23:
        return Qt::Key_End;
    case 0x24:
        return Qt::Key_Home;
    case 0x25:
        return Qt::Key_Left;
    case 0x26:
        return Qt::Key_Up;
    case 0x27:
        return Qt::Key_Right;
    case 0x28:
        return Qt::Key_Down;
    case 0x2D:
        return Qt::Key_Insert;
    case 0x2E:
        return Qt::Key_Delete;
    default:
        return Qt::Key_unknown;
    }
}

// The key a keyboard would report for a typed character.
Qt::Key QtKeyOfCharacter(const QString& character) {
    const QChar c = character.at(0).toUpper();
    if (character.size() == 1 && c.unicode() >= 0x20 && c.unicode() <= 0xFF)
        return Qt::Key(c.unicode());
    return Qt::Key_unknown;
}

QWindow* ActiveNativeWindow(std::string& why) {
    QWidget* active = QApplication::activeWindow();
    if (!active || !active->windowHandle()) {
        why = "no window is active";
        return nullptr;
    }
    return active->windowHandle();
}

QMenu* OpenPopup(std::string& why) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) why = "no popup menu is open";
    return menu;
}

} // namespace

Script& Script::Add(std::string what, std::function<bool(std::string&)> act) {
    steps_.push_back({std::move(what), std::move(act)});
    return *this;
}

Script& Script::ClickGadget(int number) {
    return Add("click gadget " + std::to_string(number),
               [number](std::string& why) { return ClickGadgetWith(number, Qt::LeftButton, why); });
}

Script& Script::ClickAt(int window, int x, int y) {
    return Add(
        "click window " + std::to_string(window) + " at " + std::to_string(x) + "," +
            std::to_string(y),
        [=](std::string& why) { return ClickWindowWith(window, x, y, Qt::LeftButton, why); });
}

Script& Script::RightClick(int number) {
    return Add("right-click gadget " + std::to_string(number), [number](std::string& why) {
        return ClickGadgetWith(number, Qt::RightButton, why);
    });
}

Script& Script::RightClickAt(int window, int x, int y) {
    return Add(
        "right-click window " + std::to_string(window) + " at " + std::to_string(x) + "," +
            std::to_string(y),
        [=](std::string& why) { return ClickWindowWith(window, x, y, Qt::RightButton, why); });
}

Script& Script::TypeText(int number, const Text& text) {
    Add("click into field " + std::to_string(number), [number](std::string& why) {
        if (!ClickGadgetWith(number, Qt::LeftButton, why)) return false;
        QTest::keyClick(GadgetOf(number)->window()->windowHandle(), Qt::Key_End);
        return true;
    });
    const QString characters = QString::fromUtf8(text);
    for (int i = 0; i < characters.size();) {
        const int length = characters.at(i).isHighSurrogate() ? 2 : 1;
        const QString character = characters.mid(i, length);
        i += length;
        Add("type '" + character.toStdString() + "' into field " + std::to_string(number),
            [number, character](std::string& why) {
                QWidget* field = GadgetOf(number);
                if (!Reachable(field, "field " + std::to_string(number), why)) return false;
                QTest::sendKeyEvent(QTest::Click, field->window()->windowHandle(),
                                    QtKeyOfCharacter(character), character, Qt::NoModifier);
                return true;
            });
    }
    return *this;
}

Script& Script::ClearText(int number) {
    return Add("clear field " + std::to_string(number), [number](std::string& why) {
        if (!ClickGadgetWith(number, Qt::LeftButton, why)) return false;
        QWindow* window = GadgetOf(number)->window()->windowHandle();
        QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(window, Qt::Key_Backspace);
        return true;
    });
}

Script& Script::PressKey(int key) {
    return Add("press key " + std::to_string(key), [key](std::string& why) {
        QWindow* window = ActiveNativeWindow(why);
        if (!window) return false;
        Qt::KeyboardModifiers modifiers;
        if (key & ShortcutShift) modifiers |= Qt::ShiftModifier;
        if (key & ShortcutCtrl) modifiers |= Qt::ControlModifier;
        if (key & ShortcutAlt) modifiers |= Qt::AltModifier;
        const Qt::Key qtKey = QtKeyOf(key & 0xFFFF, key & ShortcutShift);
        if (qtKey == Qt::Key_unknown) {
            why = "no key for virtual key " + std::to_string(key & 0xFFFF);
            return false;
        }
        QTest::keyClick(window, qtKey, modifiers);
        return true;
    });
}

Script& Script::CloseWindow(int window) {
    return Add("close window " + std::to_string(window), [window](std::string& why) {
        QWidget* widget = WindowOf(window);
        if (!Reachable(widget, "window " + std::to_string(window), why)) return false;
        if (QApplication::activeModalWidget()) {
            why = "a modal window blocks it";
            return false;
        }
        widget->close();
        return true;
    });
}

Script& Script::ChoosePopupItem(int id) {
    return Add("choose popup item " + std::to_string(id), [id](std::string& why) {
        QMenu* menu = OpenPopup(why);
        if (!menu) return false;
        for (QAction* item : menu->actions())
            if (!item->isSeparator() && item->data().toInt() == id) {
                const QPoint centre = menu->actionGeometry(item).center();
                if (QWindow* native = menu->windowHandle())
                    QTest::mouseClick(native, Qt::LeftButton, Qt::NoModifier, centre);
                else
                    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, centre);
                return true;
            }
        why = "the open popup menu has no item " + std::to_string(id);
        return false;
    });
}

Script& Script::DismissPopup() {
    return Add("dismiss the popup menu", [](std::string& why) {
        QMenu* menu = OpenPopup(why);
        if (!menu) return false;
        QTest::keyClick(menu, Qt::Key_Escape);
        return true;
    });
}

Script& Script::Call(std::function<void()> action) {
    return Add("call", [action = std::move(action)](std::string&) {
        action();
        return true;
    });
}

Script& Script::Quit() {
    return Add("quit", [](std::string&) {
        RequestQuit();
        return true;
    });
}

Script& Script::AnswerMessage(int answer) {
    answers_.push_back({"message", {answer, {}}});
    return *this;
}

Script& Script::AnswerColour(int32_t colour) {
    answers_.push_back({"colour", {colour, {}}});
    return *this;
}

Script& Script::AnswerOpen(const Text& path) {
    answers_.push_back({"open", {0, path}});
    return *this;
}

Script& Script::AnswerSave(const Text& path) {
    answers_.push_back({"save", {0, path}});
    return *this;
}

void Script::Stop(const std::string& message) {
    if (!stopped_) ADD_FAILURE() << message;
    stopped_ = true;
    RequestQuit();
}

void Script::NextStep() {
    if (stopped_) {
        RequestQuit();
        return;
    }
    if (steps_.empty()) {
        Stop("the program waits for an event, but the script has no step left after " +
             std::to_string(done_) + " steps");
        return;
    }
    Step step = std::move(steps_.front());
    steps_.pop_front();
    ++done_;
    std::string why;
    if (!step.act(why))
        Stop("step " + std::to_string(done_) + " (" + step.what + ") cannot be done: " + why);
}

RequesterAnswer Script::Respond(const RequesterCall& call) {
    requests_.push_back(call);
    const RequesterAnswer cancel{call.kind == "colour" ? -1 : 0, {}};
    const std::string asked = "a " + call.kind + " requester (\"" + call.caption + "\", \"" +
                              call.text.substr(0, 60) + "\")";
    if (answers_.empty()) {
        Stop("the program asks " + asked + ", but the script has no answer left");
        return cancel;
    }
    Answer answer = answers_.front();
    answers_.pop_front();
    if (answer.kind != call.kind) {
        Stop("the program asks " + asked + ", but the next answer is for a " + answer.kind +
             " requester");
        return cancel;
    }
    return answer.answer;
}

void Script::Run(const std::function<void()>& program) {
    ClearQuitRequest();
    SetBeforeWaitHook([this] { NextStep(); });
    SetRequesterHook([this](const RequesterCall& call) { return Respond(call); });
    program();
    SetBeforeWaitHook({});
    SetRequesterHook({});
    if (!stopped_ && !steps_.empty())
        ADD_FAILURE() << "the program ended with " << steps_.size()
                      << " script steps left, the first: " << steps_.front().what;
    if (!stopped_ && !answers_.empty())
        ADD_FAILURE() << "the program ended with " << answers_.size()
                      << " requester answers left, the first for a " << answers_.front().kind
                      << " requester";
    ReleaseAll();
    ClearQuitRequest();
}
