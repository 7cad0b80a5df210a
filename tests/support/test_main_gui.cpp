#include "Platform.h"
#include "TestEnv.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>


int main(int argc, char** argv)
{
    // CTest's discovery runs this program without the test environment: default to offscreen.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TestEnv::Prepare();
    PlatformPreInit();
    QApplication app(argc, argv);
    PlatformInit();
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    PlatformShutdown();
    return result;
}
