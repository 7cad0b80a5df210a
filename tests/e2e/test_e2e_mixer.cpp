// The mixer page, the advanced settings dialog and the system dialog run from the view against
// the emulator: the frames that reach the device, byte for byte, and what the device then holds.
#include "E2eRig.h"

#include "AppMessages.h"
#include "CCurSYSDlg.h"
#include "CInputNoise.h"
#include "CKTV_OutData.h"
#include "CMixInPutCom.h"
#include "CWndWidget.h"
#include "Globals.h"
#include "SceneImage.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>

using namespace e2e;

namespace {

// The dialog object behind the visible top-level window with that title, or null.
template <class T>
T* ShownDialog(const char* title)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == QString::fromUtf8(title))
            if (auto* ww = dynamic_cast<CWndWidget*>(w))
                return dynamic_cast<T*>(ww->Owner());
    return nullptr;
}

bool Logged(LinkRig& rig, const Frame& f)
{
    const std::vector<Frame> log = rig.emu.GetRequestLog();
    return std::find(log.begin(), log.end(), f) != log.end();
}

}  // namespace

TEST(E2eMixer, DraggedLevelReachesTheDeviceAsItsRecord)
{
    g_bChinese = 0;
    LinkRig rig(LinkRig::Door::Tcp);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    // The device routes LINE4 alone into CH4: LINE3 starts at 0.
    BYTE before[8];
    rig.scene->GetOutData(3)->GetMixARecord(before);
    ASSERT_EQ(ToHex(Frame(before, before + 8)), ToHex(Hex("00 00 00 64 00 00 00 00")));
    rig.emu.ClearRequestLog();
    std::vector<BYTE> image(g_Scene, g_Scene + SCENE_IMAGE_SIZE);

    bool ran = false;
    QTimer::singleShot(0, [&] {
        CMixInPutCom& page = rig.view->m_MixPage;
        ran = page.GetSafeHwnd() != nullptr;
        // A drag of the thumb from the left end past the right end.
        CBitmapSlider& slider = page.m_Columns[3].m_sliderLevel[2];
        slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(slider.PosToPixel(0) + 1, 10));
        slider.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(slider.PosToPixel(50), 10));
        slider.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(120, 10));
        slider.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(120, 10));
        PumpFor(50);  // the fader's posted notices reach the column before the page closes
        page.EndDialog(IDCANCEL);
    });
    rig.view->OnOpenMixer();
    ASSERT_TRUE(ran);
    ASSERT_EQ(rig.scene->GetOutData(3)->GetMixA3(), 100);

    const Frame at100 = DeviceFrame("A1 01 00 04 03 21 00 00 08 00 00 00 64 64 00 00 00 00");
    ASSERT_TRUE(PumpUntil([&] { return Logged(rig, at100); }));
    // Only the record of output 3 went out, beside the name write that marks the live scene as
    // a custom one; past the name, one byte of the image moved.
    const Frame custom = DeviceFrame("A1 01 00 09 00 00 00 00 10 00 43 75 73 74 6F 6D 00*10");
    int records = 0;
    for (const Frame& f : rig.RequestsWithoutPolls()) {
        if (f == at100)
            ++records;
        else
            EXPECT_EQ(ToHex(f), ToHex(custom));
    }
    EXPECT_EQ(records, 1);
    for (int k = 32; k < SCENE_IMAGE_SIZE; ++k) {
        if (k != 3178) {
            ASSERT_EQ(g_Scene[k], image[k]) << k;
        }
    }
    EXPECT_EQ(g_Scene[3178], 100);
    // The view remembers the level by value.
    EXPECT_EQ(rig.view->GetMixMemory(3, 3), 100);
}

TEST(E2eMixer, AdvancedSettingsSendTheirSystemCommands)
{
    g_bChinese = 0;
    LinkRig rig(LinkRig::Door::Tcp);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    g_bySysParams[1] = 0;
    rig.emu.ClearRequestLog();

    auto run = [&](const std::function<void(CInputNoise&)>& act) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            CInputNoise* dlg = ShownDialog<CInputNoise>("Advanced settings");
            if (!dlg)
                return;
            ran = true;
            act(*dlg);
            dlg->EndDialog(IDCANCEL);
        });
        rig.view->OnAdvanced();
        return ran;
    };

    // The switch: a click on it.
    ASSERT_TRUE(run([](CInputNoise& dlg) {
        CRect rc;
        dlg.m_btnSwitch.GetClientRect(&rc);
        dlg.m_btnSwitch.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.Width() / 2, rc.Height() / 2));
        dlg.m_btnSwitch.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rc.Width() / 2, rc.Height() / 2));
    }));
    EXPECT_EQ(g_bySysParams[1], 1);
    ASSERT_TRUE(PumpUntil([&] { return !rig.RequestsWithoutPolls().empty(); }));
    Frame cmd5 = rig.RequestsWithoutPolls().front();
    ASSERT_EQ(cmd5.size(), 24u);
    EXPECT_EQ(ToHex(Frame(cmd5.begin(), cmd5.begin() + 14)), ToHex(Hex("91 91 91 EE A1 01 00 09 05 00 00 00 08 00")));
    EXPECT_EQ(cmd5[14 + 3], 1);  // payload byte 3 = the switch
    rig.emu.ClearRequestLog();

    // "30%": command 8 with payload byte 6 = 70; reopening shows "30%" again.
    ASSERT_TRUE(run([](CInputNoise& dlg) {
        dlg.m_cmbPercent.SetCurSel(1);
        dlg.SendMessage(WM_DROPLIST_SELCHANGE, NOTIFY_ADV_PERCENT, 1);
    }));
    ASSERT_TRUE(PumpUntil([&] { return !rig.RequestsWithoutPolls().empty(); }));
    Frame cmd8 = rig.RequestsWithoutPolls().front();
    ASSERT_EQ(cmd8.size(), 24u);
    EXPECT_EQ(ToHex(Frame(cmd8.begin(), cmd8.begin() + 14)), ToHex(Hex("91 91 91 EE A1 01 00 09 08 00 00 00 08 00")));
    EXPECT_EQ(cmd8[14 + 6], 70);
    int shown = -1;
    ASSERT_TRUE(run([&](CInputNoise& dlg) { shown = dlg.m_cmbPercent.GetCurSel(); }));
    EXPECT_EQ(shown, 1);
}

TEST(E2eMixer, SystemDialogLimiterLevelReachesTheDevice)
{
    g_bChinese = 0;
    LinkRig rig(LinkRig::Door::Tcp);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    rig.emu.ClearRequestLog();
    bool ran = false;
    QTimer::singleShot(0, [&] {
        CCurSYSDlg* dlg = ShownDialog<CCurSYSDlg>("System");
        if (!dlg)
            return;
        ran = true;
        CNumEdit& e = dlg->m_edit[SYS_LIMIT_LEVEL][2];
        e.SetWindowText("-10.0");
        e.SetModified(1);
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(GetSysFieldInfo(SYS_LIMIT_LEVEL).nEditBase + 2, 0), 0);
        dlg->EndDialog(IDCANCEL);
    });
    rig.view->OnSystemButton();
    ASSERT_TRUE(ran);
    EXPECT_EQ(rig.scene->GetOutData(2)->GetLimitThreshold(), 200);
    // Record 35 of output 2: threshold 200 (C8 00), the attack and release as the device had them.
    ASSERT_TRUE(PumpUntil([&] { return !rig.RequestsWithoutPolls().empty(); }));
    const Frame f = rig.RequestsWithoutPolls().front();
    ASSERT_EQ(f.size(), 24u);
    EXPECT_EQ(ToHex(Frame(f.begin(), f.begin() + 16)), ToHex(Hex("91 91 91 EE A1 01 00 04 02 23 00 00 08 00 C8 00")));
}
