// The main view's form without a device: the scene name from a file title, the page switch,
// the keys the form keeps, the reload after a scene, the custom-name notice, the speaker-type
// input mix and the copy to a tweeter, the source selectors, the link-group rebuild, the
// speaker-type lock, and the failure texts of a recall without a link.
#include "E2eRig.h"

#include "AppMessages.h"
#include "CKRV330App.h"
#include "ControlGlobals.h"
#include "CKTV_OutData.h"
#include "CFilter.h"
#include "FirmwareState.h"
#include "FixedField.h"
#include "Globals.h"
#include "SceneImage.h"
#include "ShellGlobals.h"
#include "SpeakerTable.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace e2e;

namespace {

class ViewForm : public ::testing::Test {
protected:
    ViewForm() : rig(LinkRig::Door::Usb)
    {
        rig.hid->Unplug();
        rig.Start();
        PumpFor(50);
    }
    CKRV330View& view() { return *rig.view; }
    static std::string LiveName()
    {
        return std::string(reinterpret_cast<const char*>(g_Scene + SCENE_NAME_OFFSET),
                           strnlen(reinterpret_cast<const char*>(g_Scene + SCENE_NAME_OFFSET), SCENE_NAME_SIZE));
    }

    LinkRig rig;
};

}  // namespace

TEST_F(ViewForm, SceneNameFromAFileTitle)
{
    struct TitleCase {
        const char* title;
        const char* shown;   // on button 2770 and in edit 1002
        const char* device;  // the live scene's name field
    };
    const TitleCase cases[] = {
        {"Short", "Short", "Short"},
        // 13 bytes, the 12th a single-byte character: the 13th is left out.
        {"ABCDEFGHIJKLMN", "ABCDEFGHIJKL", "ABCDEFGHIJKL"},
        // Chinese only: shown, but the device keeps only single-byte characters.
        {"中文场景", "中文场景", "Custom"},
        {"AB中文CD", "AB中文CD", "ABCD"},
        // Two device bytes per Chinese character: six fit, the seventh would pass 13.
        {"一二三四五六七八", "一二三四五六", "Custom"},
        // A double-byte character may end at the limit.
        {"ABCDEFGHIJK中X", "ABCDEFGHIJK中", "ABCDEFGHIJK"},
    };
    for (const TitleCase& c : cases) {
        SCOPED_TRACE(c.title);
        g_bSendSceneName = 0;
        view().SetSceneNameFromTitle(c.title);
        EXPECT_EQ(view().GetSceneNameButton().GetWindowText(), c.shown);
        EXPECT_EQ(view().GetSceneNameEdit().GetWindowText(), c.shown);
        EXPECT_TRUE(view().GetSceneNameButton().GetCheck());
        EXPECT_EQ(LiveName(), c.device);
        EXPECT_EQ(g_strSceneNameBuf, c.shown);
        EXPECT_EQ(g_bSendSceneName, 1);
    }
    view().SetSceneNameFromTitle("");
    EXPECT_FALSE(view().GetSceneNameButton().GetCheck());
    EXPECT_EQ(LiveName(), "Custom");
}

TEST_F(ViewForm, CustomNameNoticeLightsTheButtonInTheLanguage)
{
    for (int cn = 0; cn < 2; ++cn) {
        g_bChinese = cn;
        g_bSendSceneName = 0;
        view().GetSceneNameButton().SetCheck(FALSE);
        view().SendMessage(WM_SCENE_NAME_CHANGED);
        EXPECT_EQ(view().GetSceneNameButton().GetWindowText(), cn ? "自定义" : "Custom");
        EXPECT_TRUE(view().GetSceneNameButton().GetCheck());
        EXPECT_EQ(g_bSendSceneName, 1);
    }
}

TEST_F(ViewForm, PageSwitchShowsOnlyTheOutputPageOrTheEmptyForm)
{
    COutputDlg& page = view().GetOutputPage();
    ASSERT_EQ(g_nCurPage, 1);
    EXPECT_TRUE(page.GetStyle() & WS_VISIBLE);
    // A change made while the page is hidden shows when it comes back.
    CFilter* band = page.GetScene()->GetOutData(g_nCurOutput)->GetFilter(3);
    view().ShowPage(2, TRUE);
    band->SetFreq(123, 0);
    EXPECT_EQ(g_nCurPage, 2);
    EXPECT_FALSE(page.GetStyle() & WS_VISIBLE);
    view().ShowPage(1, TRUE);
    EXPECT_EQ(g_nCurPage, 1);
    EXPECT_TRUE(page.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(page.m_spinBandFreq[3].GetPos(), 123);
    // Without storing, the page asked for is ignored and the current one shown again.
    view().ShowPage(2, FALSE);
    EXPECT_EQ(g_nCurPage, 1);
    EXPECT_TRUE(page.GetStyle() & WS_VISIBLE);
}

TEST_F(ViewForm, EnterAndEscapeGoToTheViewAndNoFurther)
{
    view().ShowWindow(SW_SHOW);
    QWidget* w = view().GetWidget();
    w->activateWindow();
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(PumpUntil([&] { return w->isActiveWindow(); }, 2000));
    for (WPARAM key : {WPARAM(VK_RETURN), WPARAM(VK_ESCAPE)}) {
        view().GetOutputPage().SetFocus();
        MSG msg{view().GetOutputPage().GetSafeHwnd(), WM_KEYDOWN, key, 0, CPoint()};
        EXPECT_FALSE(view().PreTranslateMessage(&msg));
        EXPECT_EQ(CWnd::GetFocus(), &view());
    }
    // Tab on the output page: its first band's frequency field takes the focus.
    view().SetFocus();
    MSG tab{view().GetSafeHwnd(), WM_KEYDOWN, VK_TAB, 0, CPoint()};
    EXPECT_FALSE(view().PreTranslateMessage(&tab));
    EXPECT_EQ(CWnd::GetFocus(), &view().GetOutputPage().m_editBandFreq[0]);
}

TEST_F(ViewForm, ReloadAfterASceneTakesTheSourceToggleAndTheRoutingBits)
{
    struct ReloadCase {
        BYTE secondSource;
        int sourceOn;
    };
    const ReloadCase cases[] = {{255, 0}, {1, 1}, {0, 1}};
    COutputDlg& page = view().GetOutputPage();
    for (const ReloadCase& c : cases) {
        SCOPED_TRACE(int(c.secondSource));
        g_bySysGroup8[4] = c.secondSource;
        g_Scene[BlockOffset(BLOCK_OUTPUT, 3) + 287] = 0xA5;
        page.m_spinBandFreq[0].SetPos(15000);  // the page must reload it from the channel
        view().ReloadFromScene();
        EXPECT_EQ(page.m_spinBandFreq[0].GetPos(), page.GetScene()->GetOutData(g_nCurOutput)->GetFilter(0)->GetFreq());
        EXPECT_EQ(view().GetSourceOn(), c.sourceOn);
        EXPECT_EQ(view().GetSourceOnButton().GetCheck(), c.sourceOn);
        const int bits[8] = {1, 0, 1, 0, 0, 1, 0, 1};
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(g_bOutputSourceBit[3][k], bits[k]) << k;
    }
}

TEST_F(ViewForm, SpeakerTypeWritesTheInputMixOfItsPlace)
{
    struct MixCase {
        int type;
        const char* mixA;  // record 33
        const char* mixB;  // record 34
    };
    const MixCase cases[] = {
        {0, "00 00 00 00 00 00 00 00 ", "00 00 00 00 00 00 00 00 "},
        {3, "64 00 00 00 00 00 00 00 ", "00 00 00 00 64 00 64 00 "},
        {9, "00 64 00 00 00 00 00 00 ", "00 00 00 00 00 64 00 64 "},
        {14, "00 00 64 00 00 00 00 00 ", "00 00 00 00 64 00 64 00 "},
        {17, "00 00 00 64 00 00 00 00 ", "00 00 00 00 00 64 00 64 "},
        {20, "32 32 00 00 00 00 00 00 ", "00 00 00 00 32 32 32 32 "},
        {22, "64 00 00 00 00 00 00 00 ", "00 00 00 00 64 00 64 00 "},
        {23, "00 64 00 00 00 00 00 00 ", "00 00 00 00 00 64 00 64 "},
        {24, "64 64 00 00 00 00 00 00 ", "00 00 00 00 64 64 64 64 "},
    };
    const BYTE* block = g_Scene + BlockOffset(BLOCK_OUTPUT, 6);
    for (const MixCase& c : cases) {
        SCOPED_TRACE(c.type);
        view().ApplySpeakerTypeMix(6, c.type);
        EXPECT_EQ(ToHex(Frame(block + 33 * 8, block + 34 * 8)), c.mixA);
        EXPECT_EQ(ToHex(Frame(block + 34 * 8, block + 35 * 8)), c.mixB);
        BYTE rec[8];
        rig.scene->GetOutData(6)->GetMixARecord(rec);
        EXPECT_EQ(ToHex(Frame(rec, rec + 8)), c.mixA);
    }
    // A type past 24 leaves the bytes, but every output still takes its levels from the image.
    std::memset(g_Scene + BlockOffset(BLOCK_OUTPUT, 2) + 33 * 8, 0x11, 8);
    view().ApplySpeakerTypeMix(6, 25);
    EXPECT_EQ(ToHex(Frame(block + 33 * 8, block + 34 * 8)), "64 64 00 00 00 00 00 00 ");
    BYTE rec[8];
    rig.scene->GetOutData(2)->GetMixARecord(rec);
    EXPECT_EQ(ToHex(Frame(rec, rec + 8)), "11 11 11 11 11 11 11 11 ");
}

TEST_F(ViewForm, CopyToATweeterKeepsAUsableHighPass)
{
    struct CopyCase {
        int dstType;
        int hp, lp, hpSlope;
        int expHp, expLp, expHpSlope;
    };
    const CopyCase cases[] = {
        {1, 10, 15, 8, 20, 20000, 7},     // tweeter: the low-pass below 20 Hz opens up
        {13, 500, 18000, 3, 500, 18000, 3},  // tweeter whose crossover is usable: kept
        {3, 10, 15, 8, 10, 15, 8},        // woofer: the source's crossover as it is
    };
    CKTV_OutData* src = rig.scene->GetOutData(0);
    for (const CopyCase& c : cases) {
        SCOPED_TRACE(c.dstType);
        BYTE rec[8] = {BYTE(c.hp & 0xFF), BYTE(c.hp >> 8), 0, BYTE(c.hpSlope), BYTE(c.lp & 0xFF), BYTE(c.lp >> 8), 0, 2};
        src->SetFiltersRecord(rec);
        SpeakerTypeOf(g_bySpeakerType, 7) = BYTE(c.dstType);
        view().CopyOutputForSpeakerType(0, 7);
        BYTE out[8];
        rig.scene->GetOutData(7)->GetFiltersRecord(out);
        EXPECT_EQ(out[0] | (out[1] << 8), c.expHp);
        EXPECT_EQ(out[4] | (out[5] << 8), c.expLp);
        EXPECT_EQ(out[3], c.expHpSlope);
        EXPECT_EQ(out[7], 2);
    }
    // Not linked: nothing is queued.
    EXPECT_EQ(rig.QueuedCount(), 0);
}

TEST_F(ViewForm, MixerLevelsAreRememberedPerCell)
{
    struct MixCell {
        int nColumn;
        int nRow;
    };
    struct MixCase {
        MixCell cell;
        LPARAM level;
        bool stored;
    };
    const MixCase cases[] = {
        {{0, 1}, 40, true},
        {{9, 12}, 7, true},   // the last entry
        {{3, 5}, 0, true},
        {{10, 1}, 55, false},  // outside the matrix: nothing is written
        {{0, 0}, 55, false},
        {{0, 13}, 55, false},
        {{-1, 4}, 55, false},
    };
    EXPECT_EQ(view().GetMixMemory(4, 6), 100);
    for (const MixCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.cell.nColumn) + "," + std::to_string(c.cell.nRow));
        EXPECT_EQ(view().SendMessage(WM_MIX_MATRIX_CHANGED, MixCellParam(c.cell.nColumn, c.cell.nRow), c.level),
                  c.level);
        if (c.stored) {
            EXPECT_EQ(view().GetMixMemory(c.cell.nColumn, c.cell.nRow), c.level);
        }
    }
    // Nothing outside the reported cells changed.
    int changed = 0;
    for (int col = 0; col < MIX_COLUMNS; ++col)
        for (int row = 1; row <= MIX_ROWS; ++row)
            changed += view().GetMixMemory(col, row) != 100;
    EXPECT_EQ(changed, 3);
    EXPECT_EQ(view().SendMessage(WM_MIX_MATRIX_CHANGED, 0, 9), 9);
}

TEST_F(ViewForm, InputSourceShowsOnBothSelectorsAndSetsTheMatch)
{
    struct SourceCase {
        int kind;
        BOOL store;
        BYTE audio;       // byte 4 of sub-command 8's window
        int inputEntry;   // selected entry of 2820
        int audioEntry;   // selected entry of 2822
        BYTE inputAfter;  // g_byInputSource afterwards
        int match;
    };
    const SourceCase cases[] = {
        {1, TRUE, 1, 0, 0, 1, 1},
        {2, TRUE, 1, 1, 0, 2, 0},
        {0, TRUE, 0, 2, 2, 0, 1},
        {2, TRUE, 255, 1, 3, 2, 0},
        {1, TRUE, 7, 0, 3, 1, 0},   // an unknown audio value shows "off"
        {2, TRUE, 2, 1, 1, 2, 1},
        // Without storing, the kind is only shown; the match is judged on the stored type.
        {0, FALSE, 2, 2, 1, 2, 1},
    };
    for (const SourceCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + "/" + std::to_string(c.audio));
        g_bySysGroup8[4] = c.audio;
        g_bSourceMatch = -1;
        view().SetInputSource(c.kind, c.store);
        EXPECT_EQ(view().GetInputTypeSelector().GetCurSel(), c.inputEntry);
        EXPECT_EQ(view().GetAudioSourceSelector().GetCurSel(), c.audioEntry);
        EXPECT_EQ(g_byInputSource, c.inputAfter);
        EXPECT_EQ(g_bSourceMatch, c.match);
    }
    // Not linked: storing sends nothing.
    EXPECT_EQ(rig.QueuedCount(), 0);
}

TEST_F(ViewForm, LinkGroupRebuildPutsEveryOutputInItsOwnGroupAndBothLinksOff)
{
    COutputDlg& page = view().GetOutputPage();
    for (int pass = 1; pass <= 2; ++pass) {
        SCOPED_TRACE(pass);
        // Left outputs joined by a copy, both links on, stale group tables.
        g_nLinkGroup[1] = 0;
        g_nLinkGroup[3] = 2;
        g_nOutputGroup[5] = 4;
        g_bLRLink = 1;
        g_bLRLinkCmd = 1;
        view().GetLinkLRButton().SetCheck(TRUE);
        g_nLinkGroupCount[9] = 5;
        g_bLinkGroupUsed[9] = 1;
        g_nLinkGroupMask[9] = 0x3FF;
        // The page shows the stale group: strip 1 lit with the current channel 0, the page's
        // position-link button on, a band highlighted on the graph.
        g_nCurOutput = 0;
        page.m_strip[1].SetSelected(TRUE);
        page.m_btnLinkLR.SetCheck(TRUE);
        page.m_graph.DrawGraph(5);

        view().RebuildLinkGroups();

        for (int i = 0; i < OUTPUT_CHANNELS; ++i) {
            EXPECT_EQ(g_nLinkGroup[i], i) << i;
            EXPECT_EQ(g_nOutputGroup[i], i) << i;
        }
        EXPECT_EQ(g_bLRLink, 0);
        EXPECT_EQ(g_bLRLinkCmd, 0);
        EXPECT_FALSE(view().GetLinkLRButton().GetCheck());
        // Output i (1..9) alone in group index i - 1; the last index is unused. Counted once,
        // however often the tables are rebuilt.
        for (int g = 0; g < OUTPUT_CHANNELS; ++g) {
            SCOPED_TRACE("group " + std::to_string(g));
            const bool used = g < OUTPUT_CHANNELS - 1;
            EXPECT_EQ(g_bLinkGroupUsed[g], used ? 1 : 0);
            EXPECT_EQ(g_nLinkGroupCount[g], used ? 1 : 0);
            EXPECT_EQ(g_nLinkGroupMask[g], used ? 1 << (g + 1) : 0);
        }
        for (int i = 1; i < OUTPUT_CHANNELS; ++i) {
            EXPECT_EQ(g_LinkOfChannel[i].flag, 0) << i;
            EXPECT_EQ(g_LinkOfChannel[i].groupIndex, i - 1) << i;
        }
        EXPECT_FALSE(page.m_strip[1].IsSelected());
        EXPECT_TRUE(page.m_strip[0].IsSelected());
        EXPECT_FALSE(page.m_btnLinkLR.GetCheck());
        EXPECT_EQ(page.m_graph.GetHotFilter(), nullptr);
        EXPECT_EQ(page.m_graph.GetSelElement(), -1);
    }
}

TEST_F(ViewForm, SceneArrivalRebuildsTheLinkGroups)
{
    g_nLinkGroup[4] = 2;
    g_bLRLink = 1;
    view().GetLinkLRButton().SetCheck(TRUE);
    view().GetOutputPage().m_btnLinkLR.SetCheck(TRUE);
    view().SendMessage(WM_SCENE_RECEIVED, 0);
    EXPECT_EQ(g_nLinkGroup[4], 4);
    EXPECT_EQ(g_bLRLink, 0);
    EXPECT_FALSE(view().GetLinkLRButton().GetCheck());
    EXPECT_FALSE(view().GetOutputPage().m_btnLinkLR.GetCheck());
    EXPECT_EQ(g_bOnline, 1);
}

TEST_F(ViewForm, DeviceSpeakerTypesReleaseTheTypeLock)
{
    struct LockCase {
        const char* name;
        int assign;
        std::function<void(CKRV330View&)> call;
        int assignAfter;
        int applies;  // runs of the output page's link mode
    };
    const LockCase cases[] = {
        {"re-applied, locked", 1, [](CKRV330View& v) { v.ReapplyDeviceSpeakerTypes(FALSE); }, 0, 1},
        {"re-applied, keeping the link mode", 1, [](CKRV330View& v) { v.ReapplyDeviceSpeakerTypes(TRUE); }, 1, 0},
        {"re-applied, not locked", 0, [](CKRV330View& v) { v.ReapplyDeviceSpeakerTypes(FALSE); }, 0, 0},
        {"speaker map, locked", 1, [](CKRV330View& v) { v.SendMessage(WM_SPEAKER_MAP_CHANGED); }, 0, 1},
        {"speaker map, not locked", 0, [](CKRV330View& v) { v.SendMessage(WM_SPEAKER_MAP_CHANGED); }, 0, 0},
    };
    for (const LockCase& c : cases) {
        SCOPED_TRACE(c.name);
        const BYTE types[10] = {3, 9, 0, 0, 14, 17, 0, 0, 24, 0};
        std::memcpy(g_bySysSpeakerType, types, sizeof types);
        g_bAssignFlag = c.assign;
        // The page's speaker-type buttons follow the lock only when the link mode is applied.
        CWnd& typeButton = view().GetOutputPage().m_strip[0].m_btnSpeakerType;
        typeButton.EnableWindow(c.assign ? FALSE : TRUE);
        c.call(view());
        EXPECT_EQ(g_bAssignFlag, c.assignAfter);
        EXPECT_EQ(typeButton.IsWindowEnabled(), c.applies ? !c.assignAfter : !c.assign);
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(SpeakerTypeOf(g_bySpeakerType, i), types[i]) << i;
    }
    EXPECT_EQ(rig.QueuedCount(), 0);
}

TEST_F(ViewForm, SpeakerMapTakesTheDeviceSourceState)
{
    g_byInputSource = 2;
    g_bySysGroup8[1] = 1;
    g_bySysGroup8[4] = 2;
    g_bySysParams[2] = 9;
    g_nShownInput = 0;
    g_nInputKind = 0;
    view().SendMessage(WM_SPEAKER_MAP_CHANGED);
    EXPECT_EQ(g_bySysParams[2], 0);
    EXPECT_EQ(g_nShownInput, 2);
    EXPECT_EQ(g_nInputKind, 1);
    EXPECT_EQ(view().GetInputTypeSelector().GetCurSel(), 1);
    EXPECT_EQ(view().GetAudioSourceSelector().GetCurSel(), 1);
    EXPECT_EQ(g_bSourceMatch, 1);
}

TEST_F(ViewForm, EqualiserGridResetRedrawsTheBands)
{
    g_nCurOutput = 3;
    COutputDlg& page = view().GetOutputPage();
    page.m_spinBandFreq[5].SetPos(19000);
    view().ResetOutputEqFrequencies();
    EXPECT_EQ(page.m_spinBandFreq[5].GetPos(), page.GetScene()->GetOutData(3)->GetFilter(5)->GetFreq());
    EXPECT_NE(page.m_spinBandFreq[5].GetPos(), 19000);
}

TEST_F(ViewForm, RecallWithoutALinkReportsTheFailureOfTheLinkType)
{
    struct FailureCase {
        int linkType;
        int chinese;
        BOOL updating;
        const char* recallText;  // null: no box
        const char* usbText;     // of ShowUsbConnectFailure; null: no box
    };
    const char* usbCn = "连接失败  请检查USB线缆是否插好或\n该设备已经连接上了另一软件!";
    const char* wifiCn = "连接失败  请检查WIFI是否已连接到设备或\n该设备已经连接上了另一软件!";
    const FailureCase cases[] = {
        {1, 1, FALSE, usbCn, usbCn},
        {2, 1, FALSE, wifiCn, usbCn},
        {1, 0, FALSE, "Connection failure!", "Connection failure!"},
        {2, 0, FALSE, "Connection failure!", "Connection failure!"},
        {0, 1, FALSE, nullptr, usbCn},
        {3, 0, FALSE, nullptr, "Connection failure!"},
        // A running firmware update keeps the USB failure to itself.
        {1, 1, TRUE, usbCn, nullptr},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.linkType) + (c.chinese ? " cn" : " en") + (c.updating ? " updating" : ""));
        g_nLinkType = c.linkType;
        g_bChinese = c.chinese;
        g_bUpdating = c.updating;
        g_bOnline = 1;
        g_byCurScene = 4;
        rig.messages.Clear();
        view().RecallScene(2);
        EXPECT_EQ(g_bOnline, 0);
        EXPECT_EQ(g_byCurScene, 4);  // nothing of the recall happened
        EXPECT_EQ(g_bTransferBusy, 0);
        EXPECT_EQ(rig.QueuedCount(), 0);
        std::vector<ShownMessage> expected;
        if (c.recallText)
            expected.push_back({c.recallText, 2000});
        EXPECT_EQ(rig.messages.Shown(), expected);

        rig.messages.Clear();
        view().ShowUsbConnectFailure();
        expected.clear();
        if (c.usbText)
            expected.push_back({c.usbText, 2000});
        EXPECT_EQ(rig.messages.Shown(), expected);
    }
    g_nLinkType = 0;
    g_bUpdating = 0;
}

TEST_F(ViewForm, StartWithoutADeviceShowsNothingAndWatchesTheNetwork)
{
    ASSERT_TRUE(PumpUntil([&] { return rig.view->GetNetSocket()->IsPingTimerRunning(); }));
    EXPECT_FALSE(view().IsLinked());
    EXPECT_EQ(g_nLinkType, 0);
    EXPECT_TRUE(rig.messages.Shown().empty());
    EXPECT_EQ(rig.QueuedCount(), 0);
}

TEST_F(ViewForm, SceneNameOfTheLiveImageOnTheButton)
{
    struct NameCase {
        const char* live;   // name field of the live image (16 bytes, zero padded)
        int curScene;
        int chinese;
        const char* shown;  // on arrival (ShowReceivedSceneName)
    };
    const NameCase cases[] = {
        {"Custom", 0, 1, "自定义"},
        {"Custom", 0, 0, "Custom"},
        {"Custom", 2, 1, "Custom"},  // a device scene in use keeps its own name
        {"Hall", 0, 1, "Hall"},
        {"  Club  ", 3, 0, "Club"},
        // Only the first 15 bytes count.
        {"ABCDEFGHIJKLMNOP", 1, 0, "ABCDEFGHIJKLMNO"},
        {"", 0, 0, ""},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.live);
        std::memset(g_Scene + SCENE_NAME_OFFSET, 0, SCENE_NAME_SIZE);
        std::memcpy(g_Scene + SCENE_NAME_OFFSET, c.live, strnlen(c.live, SCENE_NAME_SIZE));
        g_byCurScene = BYTE(c.curScene);
        g_bChinese = c.chinese;
        view().ShowReceivedSceneName();
        EXPECT_EQ(view().GetSceneNameButton().GetWindowText(), c.shown);
        EXPECT_EQ(view().GetSceneNameEdit().GetWindowText(), c.shown);
        EXPECT_EQ(view().GetSceneNameButton().GetCheck(), *c.shown ? 1 : 0);

        for (BOOL mark : {TRUE, FALSE}) {
            view().ShowLiveSceneName(mark);
            EXPECT_EQ(g_bSendSceneName, mark);
            EXPECT_EQ(view().GetSceneNameButton().GetCheck(), *c.live ? 1 : 0);
        }
    }
}
