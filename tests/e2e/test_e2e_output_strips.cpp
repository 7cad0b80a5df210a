// The output page's strip flags and link groups on the running view against the emulator: a
// click on a strip's flag toggle reaches the device as the output's limiter record with the bit
// set in its last byte, and a link group is muted, copied and unmuted in that order on the wire.
#include "E2eRig.h"
#include "OutputPageE2e.h"

#include "AppMessages.h"
#include "CKRV330App.h"
#include "CKTV_OutData.h"
#include "COutputDlg.h"
#include "Globals.h"
#include "SceneImage.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>

using namespace e2e;

namespace {

void Click(CWnd& wnd)
{
    CRect rc;
    wnd.GetClientRect(&rc);
    const CPoint pt = rc.CenterPoint();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, QPointF(pt.x, pt.y), wnd.GetWidget()->mapToGlobal(QPointF(pt.x, pt.y)), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(wnd.GetWidget(), &e);
    }
}

// A write request in short: "level <ch> on <n>", "limit <ch> flags <hex>", "block <ch>", or
// "other" (fields: output at byte 8, record at 9, payload from 14).
std::string Describe(const Frame& f)
{
    if (f.size() < 16 || f[4] != 0xA1 || f[7] != BLOCK_OUTPUT)
        return "other";
    const int len = f[12] | (f[13] << 8);
    const std::string ch = std::to_string(f[8]);
    if (len == 296)
        return "block " + ch;
    if (len == RECORD_SIZE && f[9] == OUT_REC_LEVEL)
        return "level " + ch + " on " + std::to_string(f[14]);
    if (len == RECORD_SIZE && f[9] == OUT_REC_LIMIT)
        return "limit " + ch + " flags " + std::to_string(f[14 + 7]);
    return "other";
}

std::vector<std::string> Described(LinkRig& rig)
{
    std::vector<std::string> out;
    for (const Frame& f : rig.RequestsWithoutPolls()) {
        const std::string d = Describe(f);
        if (d != "other")
            out.push_back(d);
    }
    return out;
}

class OutputStripsE2e : public OutputPageE2e {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartConnected());
        rig.emu.ClearRequestLog();
    }
    BYTE DeviceFlagByte(int ch)
    {
        return rig.emu.GetScene(0)[BlockOffset(BLOCK_OUTPUT, ch) + OUT_REC_LIMIT * RECORD_SIZE + 7];
    }
};

TEST_F(OutputStripsE2e, FlagToggleClickReachesTheDeviceAsTheLimiterRecord)
{
    const int ch = 6;
    const BYTE before = DeviceFlagByte(ch);
    ASSERT_EQ(before & 1, 0);
    CBitButton& toggle = page->m_strip[ch].m_btnFlag[2];  // 2821: bit 0
    ASSERT_TRUE(toggle.GetStyle() & WS_VISIBLE);  // one of the strip's shown toggles
    Click(toggle);
    const std::string on = "limit 6 flags " + std::to_string(before | 1);
    ASSERT_TRUE(PumpUntil([&] { return DeviceFlagByte(ch) == (before | 1); }));
    EXPECT_EQ(Described(rig), std::vector<std::string>{on});

    rig.emu.ClearRequestLog();
    Click(toggle);
    ASSERT_TRUE(PumpUntil([&] { return DeviceFlagByte(ch) == before; }));
    EXPECT_EQ(Described(rig), std::vector<std::string>{"limit 6 flags " + std::to_string(before)});
}

// Outputs 2, 6 and 7 made one group by the link dialog's masks: the device hears each member go
// off, outputs 6 and 7 take output 2's block, then each member back on.
TEST_F(OutputStripsE2e, LinkGroupIsMutedCopiedAndUnmutedInOrder)
{
    const int mask = (1 << 2) | (1 << 6) | (1 << 7);
    for (int i : {2, 6, 7})
        page->m_strip[i].m_nLinkMask = mask;
    for (int i : {2, 6, 7})
        page->GetScene()->GetOutData(i)->SetOn(1);
    ASSERT_TRUE(rig.WaitSettled());
    rig.emu.ClearRequestLog();
    page->PostMessage(WM_LINK_GROUPS_CHANGED, 2, -1);
    const std::vector<std::string> want = {"level 2 on 0", "level 6 on 0", "level 7 on 0", "block 6",
                                           "block 7",      "level 2 on 1", "level 6 on 1", "level 7 on 1"};
    ASSERT_TRUE(PumpUntil([&] { return Described(rig).size() >= want.size(); }));
    EXPECT_EQ(Described(rig), want);
    EXPECT_EQ(g_nLinkGroup[6], mask);
    for (int i = 0; i < 10; ++i)
        page->m_strip[i].m_nLinkMask = 1 << i;
    rig.view->RebuildLinkGroups();
}

// Leaving a group on the view's tables: the count goes down, the group is free at 0, the
// output's bit and link record go; another group or an output outside 0..9 changes nothing.
TEST_F(OutputStripsE2e, LeavingAGroupUpdatesTheViewsGroupTables)
{
    g_nLinkGroupCount[3] = 2;
    g_bLinkGroupUsed[3] = 1;
    g_nLinkGroupMask[3] = (1 << 5) | (1 << 8);
    g_LinkOfChannel[5] = {1, 3};
    g_LinkOfChannel[8] = {1, 3};
    rig.view->RemoveFromLinkGroup(5, 4);
    EXPECT_EQ(g_nLinkGroupCount[3], 1);
    EXPECT_EQ(g_bLinkGroupUsed[3], 1);
    EXPECT_EQ(g_nLinkGroupMask[3], 1 << 8);
    EXPECT_EQ(g_LinkOfChannel[5].flag, 0);
    rig.view->RemoveFromLinkGroup(8, 0);
    rig.view->RemoveFromLinkGroup(10, 4);
    EXPECT_EQ(g_nLinkGroupCount[3], 1);
    rig.view->RemoveFromLinkGroup(8, 4);
    EXPECT_EQ(g_nLinkGroupCount[3], 0);
    EXPECT_EQ(g_bLinkGroupUsed[3], 0);
    EXPECT_EQ(g_nLinkGroupMask[3], 0);
    rig.view->RemoveFromLinkGroup(8, 4);  // never below zero
    EXPECT_EQ(g_nLinkGroupCount[3], 0);
}

}  // namespace
