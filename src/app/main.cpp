// The program's entry: the window layer, the quit signals, then the application object's
// start-up, loop and shut-down.
#include "CKRV330App.h"
#include "Platform.h"
#include "QuitSignals.h"

#include <QApplication>

int main(int argc, char** argv)
{
    PlatformPreInit();
    QApplication qt(argc, argv);
    PlatformInit();
    CQuitSignals quitSignals;

    theApp.SetCommandLine(argc, argv);
    const int code = theApp.RunProgram();
    PlatformShutdown();
    return code;
}
