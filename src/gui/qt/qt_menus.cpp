// Numbered popup menus. A menu opens at the mouse and returns at once; the item the user
// chooses reaches the program later as a menu event, through WaitEvent.
#include "qt_state.h"

#include <QCursor>
#include <QMenu>

namespace qtlayer {

void FreeMenus() {
    for (auto& [number, menu] : State().menus) delete menu;
    State().menus.clear();
    State().currentMenu = -1;
}

namespace {

QMenu* CurrentMenu() {
    auto it = State().menus.find(State().currentMenu);
    return it == State().menus.end() ? nullptr : it->second;
}

} // namespace
} // namespace qtlayer

using namespace qtlayer;

void NewPopupMenu(int number) {
    auto it = State().menus.find(number);
    if (it != State().menus.end()) delete it->second;
    auto* menu = new QMenu;
    menu->setProperty("menu", number);
    State().menus[number] = menu;
    State().currentMenu = number;
}

void AddMenuItem(int id, const Text& text) {
    QMenu* menu = CurrentMenu();
    if (!menu) return;
    QAction* item = menu->addAction(QString::fromUtf8(text));
    item->setData(id);
    QObject::connect(item, &QAction::triggered, [menu, id] {
        RecordEvent(MenuEvent, id, 0, menu->property("owner").toInt());
    });
}

void AddMenuSeparator() {
    if (QMenu* menu = CurrentMenu()) menu->addSeparator();
}

void EnableMenuItem(int id, int enabled) {
    QMenu* menu = CurrentMenu();
    if (!menu) return;
    for (QAction* item : menu->actions())
        if (!item->isSeparator() && item->data().toInt() == id) item->setEnabled(enabled != 0);
}

void ShowPopupMenu(int number, Handle owner) {
    auto it = State().menus.find(number);
    if (it == State().menus.end()) return;
    const int window = WindowNumberOfHandle(owner);
    if (WindowEntry* entry = FindWindow(window)) BringToFront(entry->widget, true);
    it->second->setProperty("owner", window);
    it->second->popup(QCursor::pos() - QPoint(1, 1));
}
