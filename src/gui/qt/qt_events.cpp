// Events: what the user does to the program's windows becomes a queue of program events
// (gadget, menu, close, right press) that WaitEvent hands out one at a time. Keyboard
// shortcuts of the active window and Tab focus movement are handled here too.
//
// Only actions handled while WaitEvent runs become events. Signals that the logic causes
// itself between two waits (writing a field's text, hiding a focused field, a requester taking
// the focus) are dropped, as a message loop would drop notifications sent outside its wait.
#include "qt_state.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include <algorithm>

namespace qtlayer {
namespace {

// Virtual-key codes of the keys a shortcut can name; 0 for the others.
int VirtualKeyOf(int key) {
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 0x70 + (key - Qt::Key_F1);
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;
    switch (key) {
    case Qt::Key_Backspace:
        return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 0x0D;
    case Qt::Key_Escape:
        return 0x1B;
    case Qt::Key_Space:
        return 0x20;
    case Qt::Key_PageUp:
        return 0x21;
    case Qt::Key_PageDown:
        return 0x22;
    case Qt::Key_End:
        return 0x23;
    case Qt::Key_Home:
        return 0x24;
    case Qt::Key_Left:
        return 0x25;
    case Qt::Key_Up:
        return 0x26;
    case Qt::Key_Right:
        return 0x27;
    case Qt::Key_Down:
        return 0x28;
    case Qt::Key_Insert:
        return 0x2D;
    case Qt::Key_Delete:
        return 0x2E;
    default:
        return 0;
    }
}

int ShortcutKeyOf(const QKeyEvent* event) {
    const int key = VirtualKeyOf(event->key());
    if (key == 0) return 0;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    int shortcut = key;
    if ((modifiers & Qt::ShiftModifier) || event->key() == Qt::Key_Backtab)
        shortcut |= ShortcutShift;
    if (modifiers & Qt::ControlModifier) shortcut |= ShortcutCtrl;
    if (modifiers & Qt::AltModifier) shortcut |= ShortcutAlt;
    return shortcut;
}

constexpr int AltF4 = 0x73 | ShortcutAlt;

// The active window's shortcut table sees every key pressed in it first.
bool HandleKey(QObject* object, const QKeyEvent* event) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || widget->window() != QApplication::activeWindow()) return false;
    const int window = WindowNumberOf(widget);
    WindowEntry* entry = FindWindow(window);
    const int key = ShortcutKeyOf(event);
    if (!entry || key == 0) return false;
    for (const ShortcutEntry& shortcut : entry->shortcuts) {
        if (shortcut.key != key) continue;
        if (shortcut.command == NextGadgetCommand || shortcut.command == PreviousGadgetCommand)
            MoveFocus(window, shortcut.command == PreviousGadgetCommand);
        else
            RecordEvent(MenuEvent, shortcut.command, 0, window);
        return true;
    }
    if (key == AltF4) { // where no window manager turns it into a close request
        RecordCloseEvent(window);
        return true;
    }
    return false;
}

int WindowNumberOfObject(QObject* object) {
    if (auto* widget = qobject_cast<QWidget*>(object)) return WindowNumberOf(widget);
    if (auto* native = qobject_cast<QWindow*>(object))
        for (const auto& [number, entry] : State().windows)
            if (entry.widget && entry.widget->windowHandle() == native) return number;
    return -1;
}

// A right press reaches the native window, then the widget under it, then its parents (a
// button ignores it): all carry the press's time and place, and count once.
void NoteRightPress(QObject* object, const QMouseEvent* event) {
    if (event->button() != Qt::RightButton) return;
    const int window = WindowNumberOfObject(object);
    if (window < 0) return;
    auto& last = State().lastRightPress;
    if (event->timestamp() == last.time && event->globalPosition() == last.place) return;
    last.time = event->timestamp();
    last.place = event->globalPosition();
    RecordEvent(RightButtonDownEvent, KeepSource, 0, window);
}

class InputFilter : public QObject {
  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            NoteRightPress(object, static_cast<QMouseEvent*>(event));
            return false;
        case QEvent::KeyPress:
            return HandleKey(object, static_cast<QKeyEvent*>(event));
        case QEvent::Quit:
            Events().quitRequested = true;
            return false;
        default:
            return false;
        }
    }
};

class FocusWatcher : public QObject {
  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            const int number = GadgetNumberOf(static_cast<QWidget*>(object));
            const int subtype = event->type() == QEvent::FocusIn ? EN_SETFOCUS : EN_KILLFOCUS;
            RecordEvent(GadgetEvent, number, subtype,
                        WindowNumberOf(static_cast<QWidget*>(object)));
        }
        return false;
    }
};

bool AnyWindowOpen() { return qApp && !State().windows.empty(); }

void HandlePendingEvents() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitForEvents() { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); }

QObject* TheFocusWatcher() {
    QObject*& watcher = State().focusWatcher;
    if (!watcher) watcher = new FocusWatcher;
    return watcher;
}

} // namespace

void InstallInputFilter() {
    qApp->installEventFilter(new InputFilter);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { Events().quitRequested = true; });
}

void WatchTextField(QWidget* field) { field->installEventFilter(TheFocusWatcher()); }

// Tab order is creation order among enabled, visible gadgets that take the focus by Tab.
void MoveFocus(int window, bool backwards) {
    WindowEntry* entry = FindWindow(window);
    if (!entry) return;
    std::vector<QWidget*> stops;
    for (int number : entry->gadgets) {
        GadgetEntry* gadget = FindGadget(number);
        if (!gadget) continue;
        QWidget* widget = gadget->widget;
        if (widget->isEnabled() && widget->isVisibleTo(entry->widget) &&
            (widget->focusPolicy() & Qt::TabFocus))
            stops.push_back(widget);
    }
    if (stops.empty()) return;
    const auto at = std::find(stops.begin(), stops.end(), entry->widget->focusWidget());
    QWidget* next = nullptr;
    if (at == stops.end())
        next = backwards ? stops.back() : stops.front();
    else if (backwards)
        next = at == stops.begin() ? stops.back() : *(at - 1);
    else
        next = at + 1 == stops.end() ? stops.front() : *(at + 1);
    next->setFocus(backwards ? Qt::BacktabFocusReason : Qt::TabFocusReason);
}

} // namespace qtlayer

using namespace qtlayer;

int WaitEvent() {
    return WaitForEvent({ApplyAllPendingClears, AnyWindowOpen, HandlePendingEvents, WaitForEvents});
}

void AddShortcut(int window, int shortcut, int command) {
    WindowEntry* entry = FindWindow(window);
    if (!entry) return;
    const int key = shortcut & (0xFFFF | ShortcutShift | ShortcutCtrl | ShortcutAlt);
    for (ShortcutEntry& existing : entry->shortcuts)
        if (existing.key == key) {
            existing.command = command;
            return;
        }
    entry->shortcuts.push_back({key, command});
}
