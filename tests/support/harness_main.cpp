// main() for GUI test programs: the backend prepared for a scripted user, and the platform layer
// prepared once before the tests run.
#include "harness.h"

int main(int argc, char** argv) {
    PrepareScriptedUser(argv[0]);
    ::testing::InitGoogleTest(&argc, argv);
    PreparePlatform(argc, argv);
    return RUN_ALL_TESTS();
}
