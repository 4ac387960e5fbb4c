#include <gtest/gtest.h>

#include "base/ComInit.h"

int main(int argc, char** argv) {
    // COM on the main thread for the whole run, as the program has it.
    const nimbra::TComInitializer com;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
