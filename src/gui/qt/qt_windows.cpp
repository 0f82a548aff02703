// Numbered top-level windows: fixed client size, title bar and close box as the flags ask,
// placement (centred on the screen or on the active window), and the current window that
// gadget creation and drawing refer to.
#include "qt_state.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace qtlayer {

AppWindow::AppWindow(int number) : number_(number) {
    setAttribute(Qt::WA_QuitOnClose, false);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
}

void AppWindow::closeEvent(QCloseEvent* event) {
    event->ignore(); // the logic decides whether the window goes away
    RecordCloseEvent(number_);
}

WindowEntry* FindWindow(int number) {
    auto it = State().windows.find(number);
    if (it == State().windows.end() || !it->second.widget) return nullptr;
    return &it->second;
}

int WindowNumberOf(const QWidget* widget) {
    if (!widget) return -1;
    const QWidget* top = widget->window();
    for (const auto& [number, entry] : State().windows)
        if (entry.widget == top) return number;
    return -1;
}

int WindowNumberOfHandle(Handle handle) {
    if (handle == 0) return -1;
    for (const auto& [number, entry] : State().windows)
        if (reinterpret_cast<Handle>(entry.widget.data()) == handle) return number;
    return -1;
}

// Platforms without stacking (offscreen) only complain about raising.
void BringToFront(QWidget* window, bool activate) {
    const bool stacks = QGuiApplication::platformName() != QLatin1String("offscreen") &&
                        QGuiApplication::platformName() != QLatin1String("minimal");
    if (stacks) window->raise();
    if (activate) window->activateWindow();
}

namespace {

constexpr uint32_t PlacementBits = CENTRE_ON_SCREEN | CENTRE_ON_ACTIVE;

Qt::WindowFlags WindowFlagsOf(uint32_t styles) {
    Qt::WindowFlags flags = Qt::Window;
    if ((styles & WS_CAPTION_BITS) != WS_CAPTION_BITS) return flags | Qt::FramelessWindowHint;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (styles & WS_SYSMENU_BIT) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (styles & WS_MINIMIZEBOX_BIT) flags |= Qt::WindowMinimizeButtonHint;
    }
    return flags;
}

// The outer size: the native window's frame where the platform knows it before the window is
// shown, else the frame of a window already shown.
QSize OuterSize(QWidget* window) {
    window->winId();
    QSize frame = window->frameGeometry().size() - window->size();
    if (frame.isEmpty())
        for (const auto& [number, entry] : State().windows)
            if (entry.widget && entry.widget->isVisible()) {
                frame = entry.widget->frameGeometry().size() - entry.widget->size();
                break;
            }
    return window->size() + frame;
}

QPoint CentredOnScreen(QSize outer) {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int width = std::min(outer.width(), area.width());
    const int height = std::min(outer.height(), area.height());
    return area.topLeft() + QPoint(area.width() / 2 - width / 2, area.height() / 2 - height / 2);
}

QPoint Placement(int x, int y, QSize outer, uint32_t flags) {
    if (flags & CENTRE_ON_SCREEN) return CentredOnScreen(outer);
    if (flags & CENTRE_ON_ACTIVE) {
        const int active = ActiveWindow();
        if (active < 0) return CentredOnScreen(outer);
        const QRect frame = FindWindow(active)->widget->frameGeometry();
        return {std::max(0, frame.left() - outer.width() / 2 + frame.width() / 2),
                std::max(0, frame.top() - outer.height() / 2 + frame.height() / 2)};
    }
    return {x, y};
}

} // namespace
} // namespace qtlayer

using namespace qtlayer;

Handle OpenAppWindow(int number, int x, int y, int innerWidth, int innerHeight, uint32_t flags,
                     const Text& title) {
    if (!qApp || innerWidth < 0 || innerHeight < 0) return 0;
    CloseAppWindow(number);
    uint32_t styles = flags & ~PlacementBits;
    if (styles == 0 || styles == WS_VISIBLE_BIT) styles |= WS_CAPTION_BITS;
    styles ^= WS_VISIBLE_BIT; // callers that leave the bit out get a visible window

    auto* window = new AppWindow(number);
    window->setWindowFlags(WindowFlagsOf(styles));
    window->setFixedSize(innerWidth, innerHeight);
    window->setWindowTitle(QString::fromUtf8(title));
    window->move(Placement(x, y, OuterSize(window), flags));

    WindowEntry& entry = State().windows[number];
    entry = WindowEntry{};
    entry.widget = window;
    entry.canvas = CreateCanvas(window);
    entry.shortcuts = {{0x09, NextGadgetCommand}, {0x09 | ShortcutShift, PreviousGadgetCommand}};
    State().currentWindow = number;
    if (styles & WS_VISIBLE_BIT) {
        window->show();
        window->activateWindow();
    }
    return reinterpret_cast<Handle>(window);
}

void CloseAppWindow(int number) {
    auto it = State().windows.find(number);
    if (it == State().windows.end()) return;
    QuietScope quiet;
    EndDrawingOn(number);
    ForgetGadgetsOf(number);
    delete it->second.widget.data(); // takes its gadgets and canvas with it
    State().windows.erase(it);
    if (State().currentWindow == number) State().currentWindow = -1;
    if (State().gadgetParent == number) State().gadgetParent = -1;
}

void SelectWindow(int number) {
    if (FindWindow(number)) State().currentWindow = number;
}

Handle WindowHandle(int number) {
    WindowEntry* entry = FindWindow(number);
    return entry ? reinterpret_cast<Handle>(entry->widget.data()) : 0;
}

Handle CurrentWindowHandle() { return WindowHandle(State().currentWindow); }

void SetWindowCaption(int number, const Text& text) {
    if (WindowEntry* entry = FindWindow(number))
        entry->widget->setWindowTitle(QString::fromUtf8(text));
}

Text WindowCaption(int number) {
    WindowEntry* entry = FindWindow(number);
    return entry ? entry->widget->windowTitle().toUtf8().toStdString() : Text();
}

void ShowAppWindow(int number, int hidden) {
    WindowEntry* entry = FindWindow(number);
    if (!entry) return;
    QuietScope quiet;
    if (hidden) {
        entry->widget->hide();
        return;
    }
    entry->widget->showNormal();
    BringToFront(entry->widget, true);
}

void ActivateCurrentWindow() {
    WindowEntry* entry = FindWindow(State().currentWindow);
    if (entry) BringToFront(entry->widget, true);
}

// Changing the flags of a shown QWidget would hide it and create a new native window, so the
// stacking hint goes to the existing native window directly.
void SetWindowTopmost(int number, int topmost) {
    WindowEntry* entry = FindWindow(number);
    if (!entry) return;
    entry->topmost = topmost == 1;
    QWidget* window = entry->widget;
    const Qt::WindowFlags flags =
        window->windowFlags().setFlag(Qt::WindowStaysOnTopHint, entry->topmost);
    if (flags == window->windowFlags()) return;
    window->overrideWindowFlags(flags);
    if (QWindow* native = window->windowHandle()) native->setFlags(flags);
    if (entry->topmost && window->isVisible()) BringToFront(window, false);
}

void RepaintNow(int number) { ApplyPendingClears(number); }

Handle BeginGadgets(Handle parent) {
    const int number = WindowNumberOfHandle(parent);
    if (number < 0) return 0;
    State().gadgetParent = number;
    return parent;
}

int ActiveWindow() { return WindowNumberOf(QApplication::activeWindow()); }
