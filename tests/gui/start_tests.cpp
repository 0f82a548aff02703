// Start-up of the platform layer: the desktop opener that StartProgram hands pages to.
#include "gui_test.h"
#include "platform/start_program.h"

#include <QDesktopServices>
#include <QObject>
#include <QUrl>

namespace {

// Stands in for the desktop: takes every file URL handed to it.
class Desktop : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void Open(const QUrl& url) { opened.push_back(url); }
};

TEST(Start, FilesGoToTheDesktopAsLocalFileUrls) {
    Desktop desktop;
    QDesktopServices::setUrlHandler("file", &desktop, "Open");
    const Text page = "/tmp/brondel charts/org chart #1.html";
    EXPECT_NE(StartProgram(page, "", "", 0), 0);
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_EQ(desktop.opened[0], QUrl::fromLocalFile(QString::fromStdString(page)));
    EXPECT_EQ(desktop.opened[0].toLocalFile().toStdString(), page);
}

} // namespace

#include "start_tests.moc"
