// What tests see of the real widgets (gui_probe.h, qt_probe.h): the widgets themselves, the
// names a screen reader reads, the open popup menu and a window's picture.
#include "qt_probe.h"
#include "gui/gui_probe.h"
#include "qt_state.h"

#include <QApplication>
#include <QImage>
#include <QMenu>

using namespace qtlayer;

QWidget* GadgetWidget(int number) {
    GadgetEntry* gadget = FindGadget(number);
    return gadget ? gadget->widget.data() : nullptr;
}

QWidget* WindowWidget(int number) {
    WindowEntry* entry = FindWindow(number);
    return entry ? entry->widget.data() : nullptr;
}

Text GadgetAccessibleName(int number) {
    const QWidget* widget = GadgetWidget(number);
    return widget ? widget->accessibleName().toStdString() : Text();
}

bool GadgetShown(int number) {
    const QWidget* widget = GadgetWidget(number);
    return widget && widget->isVisible();
}

std::vector<PopupItemSeen> OpenPopupItems() {
    std::vector<PopupItemSeen> items;
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
        for (const QAction* item : menu->actions())
            items.push_back({item->data().toInt(), item->text().toStdString(), item->isEnabled(),
                             item->isSeparator()});
    return items;
}

Picture GrabWindow(int number) {
    QWidget* window = WindowWidget(number);
    if (!window) return {};
    const QImage image = window->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    Picture picture{image.width(), image.height(), image.devicePixelRatio(), {}};
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
        picture.pixels.insert(picture.pixels.end(), row, row + image.width());
    }
    return picture;
}
