// Start and end of the Qt platform layer: the program's icon on every window, pages handed to
// the desktop as local-file URLs, and everything released at the end.
#include "harness.h"

#include "platform/start_program.h"

#include <QDesktopServices>
#include <QIcon>
#include <QLabel>
#include <QUrl>
#include <QWidget>

namespace {

// Stands in for the desktop: takes every file URL handed to it.
class Desktop : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void Open(const QUrl& url) { opened.push_back(url); }
};

TEST(QtStart, WindowsShowTheProgramsIconInEverySize) {
    OpenAppWindow(300, 0, 0, 48, 48, WS_CAPTION_BITS, "Icon");
    const QIcon icon = static_cast<QWidget*>(WindowWidget(300))->windowIcon();
    for (int size : {16, 32})
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    // The picture of data/brondel.svg, drawn in the window to compare it as the screen shows it.
    BeginGadgets(WindowHandle(300));
    AddLabel(1, 0, 0, 48, 48, "");
    static_cast<QLabel*>(GadgetWidget(1))->setPixmap(icon.pixmap(48, 48));
    EXPECT_TRUE(LooksLikeGolden(300, BRONDEL_PLATFORM_GOLDEN_DIR "/qt_icon.png"));
    ReleaseAll();
    EXPECT_EQ(WindowHandle(300) + FontHandle(1) + CurrentWindow(), -1);
}

TEST(QtStart, PagesGoToTheDesktopAsLocalFileUrls) {
    Desktop desktop;
    QDesktopServices::setUrlHandler("file", &desktop, "Open");
    const Text page = "/tmp/brondel charts/org chart #1.html";
    EXPECT_NE(StartProgram(page, "", "", 0), 0);
    QDesktopServices::unsetUrlHandler("file");
    EXPECT_EQ(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(page))});
}

} // namespace

#include "qt_start_tests.moc"
