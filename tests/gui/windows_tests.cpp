// Numbered windows: client size, title bar flags, placement, visibility and replacement.
#include "gui_test.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace {

QWidget* Window(int number) { return static_cast<QWidget*>(WindowWidget(number)); }

QRect Screen() { return QGuiApplication::primaryScreen()->geometry(); }

using Windows = GuiTest;

TEST_F(Windows, MainWindowHasFixedClientSizeTitleBarCloseAndMinimiseButNoMaximise) {
    const Handle handle = OpenAppWindow(300, 15, 0, 989, 715, 0xCA0001, "Brondel");
    ASSERT_NE(handle, 0);
    QWidget* window = Window(300);
    EXPECT_EQ(window->size(), QSize(989, 715));
    EXPECT_EQ(window->minimumSize(), QSize(989, 715));
    EXPECT_EQ(window->maximumSize(), QSize(989, 715));
    EXPECT_EQ(CurrentWindow(), 300);
    EXPECT_EQ(CurrentWindowHandle(), handle);
    EXPECT_EQ(WindowHandle(300), handle);
    EXPECT_EQ(WindowCaption(300), "Brondel");
    EXPECT_TRUE(window->isVisible());
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(window->palette().color(window->backgroundRole()),
              QApplication::palette().color(QPalette::Button));
    EXPECT_TRUE(window->autoFillBackground());
}

TEST_F(Windows, BoxEditorStylesGiveACloseBoxWithoutMinimise) {
    OpenAppWindow(301, 420, 376, 444, 110, WS_CAPTION_BITS | WS_SYSMENU_BIT, "Edit Field");
    const Qt::WindowFlags flags = Window(301)->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    // Without centring, x and y place the outer window.
    EXPECT_EQ(Window(301)->frameGeometry().topLeft(), QPoint(420, 376));
}

TEST_F(Windows, NoStylesGetATitleBarAndTheVisibleBitInverts) {
    OpenAppWindow(1, 0, 0, 100, 50, 0, "Plain");
    EXPECT_TRUE(Window(1)->isVisible());
    EXPECT_TRUE(Window(1)->windowFlags() & Qt::WindowTitleHint);
    EXPECT_FALSE(Window(1)->windowFlags() & Qt::WindowCloseButtonHint);

    OpenAppWindow(2, 0, 0, 100, 50, WS_VISIBLE_BIT, "Hidden");
    ASSERT_NE(Window(2), nullptr);
    EXPECT_FALSE(Window(2)->isVisible());
    EXPECT_TRUE(Window(2)->windowFlags() & Qt::WindowTitleHint);

    OpenAppWindow(3, 0, 0, 100, 50, WS_VISIBLE_BIT | WS_CAPTION_BITS, "Hidden too");
    EXPECT_FALSE(Window(3)->isVisible());
    ShowAppWindow(3, 0);
    EXPECT_TRUE(Window(3)->isVisible());
    ShowAppWindow(3, 1);
    EXPECT_FALSE(Window(3)->isVisible());
}

TEST_F(Windows, CentringOnTheScreenUsesHalvesAndClipsToTheScreen) {
    const QRect screen = Screen();
    OpenAppWindow(1, 15, 0, 301, 201, CENTRE_ON_SCREEN | WS_CAPTION_BITS, "Small");
    const QSize outer = Window(1)->frameGeometry().size();
    EXPECT_EQ(Window(1)->pos(),
              screen.topLeft() + QPoint(screen.width() / 2 - outer.width() / 2,
                                        screen.height() / 2 - outer.height() / 2));
    // Larger than the screen: the left or top edge, at full size.
    OpenAppWindow(2, 15, 0, screen.width() + 200, screen.height() + 100,
                  CENTRE_ON_SCREEN | WS_CAPTION_BITS, "Large");
    EXPECT_EQ(Window(2)->pos(), screen.topLeft());
    EXPECT_EQ(Window(2)->size(), QSize(screen.width() + 200, screen.height() + 100));
}

TEST_F(Windows, CentringOnTheActiveWindowStaysOnTheScreen) {
    OpenAppWindow(1, 100, 50, 200, 100, WS_CAPTION_BITS, "Active");
    QApplication::processEvents();
    ASSERT_EQ(ActiveWindow(), 1);
    OpenAppWindow(2, 0, 0, 101, 60, CENTRE_ON_ACTIVE | WS_CAPTION_BITS, "Centred");
    const QRect active = Window(1)->frameGeometry();
    const QSize outer = Window(2)->frameGeometry().size();
    EXPECT_EQ(active.topLeft(), QPoint(100, 50));
    EXPECT_EQ(Window(2)->pos(), QPoint(100 - outer.width() / 2 + active.width() / 2,
                                       50 - outer.height() / 2 + active.height() / 2));

    OpenAppWindow(1, 0, 0, 40, 30, WS_CAPTION_BITS, "Small active");
    QApplication::processEvents();
    ASSERT_EQ(ActiveWindow(), 1);
    OpenAppWindow(2, 0, 0, 200, 100, CENTRE_ON_ACTIVE | WS_CAPTION_BITS, "Clamped");
    EXPECT_EQ(Window(2)->pos(), QPoint(0, 0));
}

TEST_F(Windows, OpeningAUsedNumberClosesTheOldWindowAndItsGadgets) {
    OpenTestWindow(300);
    AddButton(5, 0, 0, 10, 10, "old");
    QPointer<QWidget> old = Window(300);
    OpenTestWindow(300);
    EXPECT_TRUE(old.isNull());
    EXPECT_FALSE(GadgetExists(5));
    EXPECT_NE(Window(300), nullptr);

    CloseAppWindow(300);
    EXPECT_EQ(WindowHandle(300), 0);
    EXPECT_EQ(CurrentWindow(), -1);
}

TEST_F(Windows, SelectWindowAndCaptions) {
    OpenTestWindow(300);
    OpenTestWindow(301);
    EXPECT_EQ(CurrentWindow(), 301);
    SelectWindow(300);
    EXPECT_EQ(CurrentWindow(), 300);
    SelectWindow(7); // no such window: nothing changes
    EXPECT_EQ(CurrentWindow(), 300);
    SetWindowCaption(301, "Ærø – chart");
    EXPECT_EQ(WindowCaption(301), "Ærø – chart");
    EXPECT_EQ(BeginGadgets(0), 0);
    EXPECT_EQ(BeginGadgets(12345), 0);
}

TEST_F(Windows, TopmostIsAStackingHintThatKeepsTheWindowShown) {
    OpenTestWindow(301);
    SetWindowTopmost(301, 1);
    EXPECT_TRUE(Window(301)->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(Window(301)->isVisible());
    SetWindowTopmost(301, 0);
    EXPECT_FALSE(Window(301)->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(Window(301)->isVisible());
}

TEST_F(Windows, ActivatingTheCurrentWindow) {
    OpenTestWindow(300);
    OpenTestWindow(301);
    QApplication::processEvents();
    ASSERT_EQ(ActiveWindow(), 301);
    SelectWindow(300);
    ActivateCurrentWindow();
    QApplication::processEvents();
    EXPECT_EQ(ActiveWindow(), 300);
}

} // namespace
