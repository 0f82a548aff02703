// main() for GUI test programs: the offscreen platform unless another one is asked for, the
// user's settings (where Qt's dialogs keep their history) kept apart in a folder beside the
// test program, and the platform layer prepared once before the tests run.
#include "gui/gui.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("XDG_CONFIG_HOME",
           (std::filesystem::absolute(argv[0]).parent_path() / "test-config").c_str(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    PreparePlatform(argc, argv);
    return RUN_ALL_TESTS();
}
