// main() for GUI test programs: the offscreen platform unless another one is asked for, and
// the platform layer prepared once before the tests run.
#include "platform/gui.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    PreparePlatform(argc, argv);
    return RUN_ALL_TESTS();
}
