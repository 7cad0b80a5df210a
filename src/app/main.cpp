// Start and end of the program: the window layer, the parameter model's start values, the
// shared drawing objects, then one top-level window until it closes or a quit signal comes.
#include "CStartFrame.h"
#include "GdiGlobals.h"
#include "Platform.h"
#include "QuitSignals.h"
#include "SceneImage.h"

#include <QApplication>

int main(int argc, char** argv)
{
    PlatformPreInit();
    QApplication app(argc, argv);
    PlatformInit();
    CQuitSignals quitSignals;

    InitAllData();
    CreateSharedGdiObjects();

    int code = 1;
    {
        CStartFrame frame;
        if (frame.CreateFrame())
            code = app.exec();
    }
    PlatformShutdown();
    return code;
}
