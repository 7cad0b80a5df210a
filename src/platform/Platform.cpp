#include "Platform.h"

#include "DisplayChange.h"
#include "QtMessageSink.h"

#include <QApplication>
#include <QFont>

#include <cstdlib>
#include <memory>

namespace {
std::unique_ptr<CQtMessageSink> g_pSink;  // user-interface thread
}

void PlatformPreInit()
{
    // The program's layout is in device pixels at 96 DPI: no scale factor of any kind.
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    unsetenv("QT_SCALE_FACTOR");
    unsetenv("QT_SCREEN_SCALE_FACTORS");
    unsetenv("QT_AUTO_SCREEN_SCALE_FACTOR");
    setenv("QT_FONT_DPI", "96", 1);
    // Child windows draw into their top-level window's surface, over their parent's pixels.
    QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QCoreApplication::setAttribute(Qt::AA_NativeWindows, false);
}

void PlatformInit()
{
    if (g_pSink)
        return;
    // The program ends when its main window says so (PostQuitMessage), not when Qt thinks the
    // last window has closed.
    QApplication::setQuitOnLastWindowClosed(false);
    g_pSink = std::make_unique<CQtMessageSink>();
    MessageSink::Install(g_pSink.get());
    WatchDisplayChanges();
}

void PlatformShutdown()
{
    if (!g_pSink)
        return;
    MessageSink::Install(nullptr);
    g_pSink.reset();
}
