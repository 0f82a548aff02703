// Opening the chart page on freedesktop systems. Qt hands a file to xdg-open and forgets it, so a
// page that no program could open went unmentioned. Here xdg-open is started as a child whose end
// is watched without waiting for it: when it cannot be started, or reports failure while it is
// still the opener (its first seconds), the user is told where the page is. A browser that
// xdg-open runs in the foreground is never waited for, and outlives the editor.
#include "qt_state.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace qtlayer {
namespace {

constexpr qint64 OpenerSeconds = 10; // later, what ends is the browser it started

void ReportUnopened(const QString& page) {
    ShowMessage("Error!",
                "The chart page was written to " + page.toUtf8().toStdString() +
                    ", but no program could open it.",
                MB_ICONERROR | MB_OK);
}

class DesktopOpener : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

  public slots:
    void Open(const QUrl& url) {
        const QString page = url.toLocalFile();
        // Never deleted while it runs: that would end the browser with it.
        auto* opener = new QProcess(this);
        opener->setProcessChannelMode(QProcess::ForwardedChannels);
        opener->setStandardInputFile(QProcess::nullDevice());
        opener->setWorkingDirectory(QFileInfo(page).absolutePath());
        QElapsedTimer running;
        running.start();
        connect(opener, &QProcess::finished, this, [=](int code, QProcess::ExitStatus status) {
            opener->deleteLater();
            const bool failed = code != 0 || status != QProcess::NormalExit;
            if (failed && running.elapsed() < OpenerSeconds * 1000) ReportUnopened(page);
        });
        connect(opener, &QProcess::errorOccurred, this, [=](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart) return; // the end is reported by finished
            opener->deleteLater();
            ReportUnopened(page);
        });
        opener->start(QStringLiteral("xdg-open"), {QString::fromUtf8(url.toEncoded())});
    }
};

} // namespace

void PrepareDesktopOpener() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    QDesktopServices::setUrlHandler(QStringLiteral("file"),
                                    new DesktopOpener(QCoreApplication::instance()), "Open");
#endif
}

} // namespace qtlayer

#include "qt_opener.moc"
