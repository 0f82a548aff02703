// Brondel.ini is the only settings file: Qt's own file and colour dialogs, used for real and
// accepted as a user would, leave nothing in the user's configuration folder, not even when
// the program has ended. The dialogs run in a child process (this test again) with a
// configuration folder of its own, which the program's start-up does not choose.
#include "platform/gui.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>

namespace fs = std::filesystem;
extern char** environ;

namespace {

// Accepts whatever dialog is open: a name chosen in the file dialog, a colour in the other.
void AcceptDialogs(const QString& name) {
    auto* user = new QTimer(qApp);
    QObject::connect(user, &QTimer::timeout, [name] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
            if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
            files->selectFile(name);
        }
        if (auto* colours = qobject_cast<QColorDialog*>(dialog)) colours->setCurrentColor(Qt::red);
        if (dialog) dialog->accept();
    });
    user->start(10);
}

TEST(OwnSettingsOnly, QtsDialogsWriteNoSettingsOfTheirOwn) {
    const fs::path folder =
        fs::temp_directory_path() / ("brondel-config-" + std::to_string(getpid()));
    if (const char* child = std::getenv("BRONDEL_DIALOGS_CHILD")) {
        int argc = 1;
        char name[] = "brondel", *argv[] = {name, nullptr};
        PreparePlatform(argc, argv);
        AcceptDialogs("chart.kpv");
        EXPECT_EQ(AskSaveFileName("Save Chart...", Text(child) + "/", "Brondel (*.KPV)|*.kpv", 0),
                  Text(child) + "/chart.kpv");
        EXPECT_EQ(PickColour(), 0x0000FF);
        AskOpenFileName("Load Chart...", "", "", 0);
        return;
    }
    fs::create_directories(folder);
    const Text config = "XDG_CONFIG_HOME=" + folder.string(),
               child = "BRONDEL_DIALOGS_CHILD=" + folder.string();
    const Text self = fs::read_symlink("/proc/self/exe"),
               filter = "--gtest_filter=OwnSettingsOnly.*";
    std::vector<char*> environment{const_cast<char*>(config.c_str()),
                                   const_cast<char*>(child.c_str())};
    for (char** variable = environ; *variable; ++variable) environment.push_back(*variable);
    environment.push_back(nullptr);
    char* argv[] = {const_cast<char*>(self.c_str()), const_cast<char*>(filter.c_str()), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv, environment.data()), 0);
    int status = -1;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(fs::is_empty(folder)) << fs::directory_iterator(folder)->path();
    fs::remove_all(folder);
}

} // namespace
