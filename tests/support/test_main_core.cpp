#include "TestEnv.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    TestEnv::Prepare();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
