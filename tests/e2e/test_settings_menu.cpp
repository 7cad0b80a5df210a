// The settings button's popup and its firmware-update item: the dialog runs modally over the
// view, and whatever update state it leaves behind is cleared when it closes.
#include "E2eRig.h"

#include "CUpgradeDlg.h"
#include "FirmwareState.h"
#include "Globals.h"
#include "LinkGlobals.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace e2e;

namespace {

// The visible top-level window with that title, or null.
QWidget* ShownWindowTitled(const char* title)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == QString::fromUtf8(title))
            return w;
    return nullptr;
}

}  // namespace

TEST(SettingsMenu, FirmwareItemRunsTheUpdateDialogAndClearsTheUpdateStateAfterIt)
{
    g_bChinese = 0;
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());

    std::vector<std::string> entries;
    bool dialogSeen = false;
    bool progressWhileOpen = false;
    // The dialog closes itself through its close box once the test has seen it.
    QTimer watcher;
    watcher.setInterval(20);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        QWidget* dlg = ShownWindowTitled("Device Firmware Update");
        if (!dlg)
            return;
        dialogSeen = true;
        progressWhileOpen = g_pUpdateProgress != nullptr && g_pCurHexUpTip != nullptr;
        g_bUpdateWaiting = 1;  // state a failed start would leave
        dlg->close();
    });
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction* a : menu->actions())
            if (!a->isSeparator())
                entries.push_back(a->text().toStdString());
        watcher.start();
        // Down twice: the first entry, then the second, "Firmware Update".
        for (int i = 0; i < 2; ++i) {
            QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
            QCoreApplication::sendEvent(menu, &down);
        }
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(menu, &enter);
    });
    rig.view->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SETTINGS_MENU, BN_CLICKED),
                          LPARAM(rig.view->GetDlgItem(IDC_SETTINGS_MENU)->GetSafeHwnd()));
    ASSERT_TRUE(PumpUntil([&] { return dialogSeen && !ShownWindowTitled("Device Firmware Update"); }));
    PumpFor(50);
    watcher.stop();

    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[1], "Firmware Update");
    EXPECT_TRUE(progressWhileOpen);
    EXPECT_EQ(g_bUpdateWaiting.load(), 0);
    EXPECT_EQ(g_bUpdating.load(), 0);
    EXPECT_EQ(g_pUpdateProgress, nullptr);
    EXPECT_EQ(g_pCurHexUpTip, nullptr);
}
