// Start and end of the window layer.
//
//     PlatformPreInit();            // before the QApplication: 96 DPI pixels, nothing scaled
//     QApplication app(argc, argv);
//     PlatformInit();               // on the user-interface thread: messages start to flow
//     ... app.exec() ...
//     PlatformShutdown();           // before the QApplication goes
#pragma once

void PlatformPreInit();
void PlatformInit();
void PlatformShutdown();
