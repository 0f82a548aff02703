// Brondel.ini is the only settings file: Qt's own file and colour dialogs, used for real and
// accepted as a user would, leave nothing in the user's configuration folder, not even once
// the program has ended. They run in a child process (this test again) whose configuration
// folder is the test's own.
#include "platform/gui.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(OwnSettingsOnly, QtsDialogsWriteNoSettingsOfTheirOwn) {
    if (const char* folder = std::getenv("XDG_CONFIG_HOME"); std::getenv("BRONDEL_CHILD")) {
        int argc = 1;
        char name[] = "brondel", *argv[] = {name, nullptr};
        PreparePlatform(argc, argv);
        QTimer user; // accepts each dialog as it opens
        QObject::connect(&user, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->accept();
        });
        user.start(10);
        const Text chosen = Text(folder) + "/chart.kpv";
        EXPECT_EQ(AskSaveFileName("Save Chart...", chosen, "Brondel (*.KPV)|*.kpv", 0), chosen);
        EXPECT_EQ(PickColour(), 1);
        return;
    }
    const fs::path folder =
        fs::temp_directory_path() / ("brondel-config-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const Text child = "BRONDEL_CHILD=1 XDG_CONFIG_HOME=" + folder.string() + " " +
                       fs::read_symlink("/proc/self/exe").string() +
                       " --gtest_filter='OwnSettingsOnly.*'";
    EXPECT_EQ(std::system(child.c_str()), 0);
    EXPECT_TRUE(fs::is_empty(folder)) << fs::directory_iterator(folder)->path();
    fs::remove_all(folder);
}
