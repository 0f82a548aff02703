// The scale the windows are drawn at. Qt takes it from the desktop (QT_SCALE_FACTOR,
// QT_SCREEN_SCALE_FACTORS, the screen's dots per inch) when the application object is made, and
// the fixed layout cannot shrink: where the largest window, with a title bar and a panel, would
// not fit the screen at that scale, the application object is made again at the largest whole
// percentage that fits, never under 100 %. An unscaled start only reads the screen's ratio.
#include "qt_state.h"

#include <QApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <vector>

namespace qtlayer {
namespace {

constexpr int TitleBarAndPanel = 72; // device pixels the desktop keeps beside a window

bool Fits(QSize window, QSize screen, int percent) {
    return std::ceil(window.width() * percent / 100.0) <= screen.width() &&
           std::ceil(window.height() * percent / 100.0) + TitleBarAndPanel <= screen.height();
}

int FittingPercent(QSize window, QSize screen) {
    int percent = 100 * (screen.height() - TitleBarAndPanel) / std::max(window.height(), 1);
    percent = std::min(percent, 100 * screen.width() / std::max(window.width(), 1));
    while (percent > 100 && !Fits(window, screen, percent)) --percent;
    return std::max(percent, 100);
}

// The factor Qt is asked for on top of the screens' own; restored for the programs started
// from here (the browser), which follow the desktop, not this window.
void SetGlobalFactor(const QByteArray& value) {
    if (value.isEmpty())
        qunsetenv("QT_SCALE_FACTOR");
    else
        qputenv("QT_SCALE_FACTOR", value);
}

} // namespace

void CreateFittingApplication(int& argc, char** argv) {
    // The application takes its own options (-display, -platform, ...) out of argv; made again,
    // it must see them too.
    const std::vector<char*> arguments(argv, argv + argc + 1);
    new QApplication(argc, argv);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const bool offscreen = QGuiApplication::platformName() == QLatin1String("offscreen");
    const QSize largest = State().largestWindow;
    if (!screen || offscreen || largest.isEmpty() || screen->devicePixelRatio() <= 1) return;
    const qreal scale = screen->devicePixelRatio();
    const QSize device = (QSizeF(screen->geometry().size()) * scale).toSize();
    const qreal fitting = FittingPercent(largest, device) / 100.0;
    if (fitting >= scale) return;

    const QByteArray requested = qgetenv("QT_SCALE_FACTOR");
    bool valid = false;
    const double global = requested.toDouble(&valid);
    delete qApp;
    SetGlobalFactor(QByteArray::number((valid ? global : 1.0) * fitting / scale, 'g', 12));
    std::copy(arguments.begin(), arguments.end(), argv);
    argc = static_cast<int>(arguments.size()) - 1;
    new QApplication(argc, argv);
    SetGlobalFactor(requested);
}

} // namespace qtlayer

void FitScaleToWindow(int innerWidth, int innerHeight) {
    qtlayer::State().largestWindow = QSize(innerWidth, innerHeight);
}
