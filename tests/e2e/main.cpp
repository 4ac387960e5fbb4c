#include <gtest/gtest.h>

#include "base/ComInit.h"

int main(int argc, char** argv) {
    const nimbra::TComInitializer com;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
