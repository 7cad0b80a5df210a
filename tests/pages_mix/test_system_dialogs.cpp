// The system dialog (limiter and compressor per channel, noise gate) and the advanced settings
// dialog: encodings of the fields, clamps, group refresh, and the system bytes and commands.
#include "MixTestRig.h"

#include "AppMessages.h"
#include "CCurSYSDlg.h"
#include "CInputNoise.h"
#include "CKTV_OutData.h"
#include "CMusic_InData.h"

#include <QTest>
#include <QWidget>

using namespace mixtest;

namespace {

class SystemDialogTest : public MixRig {
protected:
    void Open()
    {
        dlg = std::make_unique<CCurSYSDlg>();
        dlg->m_pScene = scene.get();
        ASSERT_TRUE(dlg->Create(IDD_SYSTEM, nullptr));
        Pump();
    }
    void TearDown() override
    {
        if (dlg && dlg->GetSafeHwnd())
            dlg->DestroyWindow();
        dlg.reset();
        MixRig::TearDown();
    }
    CString Text(int f, int n) { return dlg->m_edit[f][n].GetWindowText(); }
    // Types a value into field f of channel n and moves the focus away, which commits it.
    void Type(int f, int n, const char* text)
    {
        CNumEdit& e = dlg->m_edit[f][n];
        e.SetFocus();
        Pump();
        e.SetWindowText(text);
        e.SetModified(1);
        dlg->SetFocus();
        Pump();
    }
    // Steps the spin of field f of channel n to v, as its arrows do.
    void Spin(int f, int n, int v)
    {
        dlg->m_spin[f][n].SetPos(v);
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(GetSysFieldInfo(f).nSpinBase + n, 0), 0);
        Pump();
    }
    std::unique_ptr<CCurSYSDlg> dlg;
};

class AdvancedDialogTest : public MixRig {
protected:
    void SetUp() override
    {
        MixRig::SetUp();
        savedSwitch = g_bySysParams[1];
        std::memcpy(savedGroup8, g_bySysGroup8, 8);
    }
    void TearDown() override
    {
        if (dlg && dlg->GetSafeHwnd())
            dlg->DestroyWindow();
        dlg.reset();
        g_bySysParams[1] = savedSwitch;
        std::memcpy(g_bySysGroup8, savedGroup8, 8);
        MixRig::TearDown();
    }
    void Open()
    {
        dlg = std::make_unique<CInputNoise>();
        dlg->m_pView = &host;
        ASSERT_TRUE(dlg->Create(IDD_ADVANCED_SETTINGS, nullptr));
        Pump();
    }
    std::unique_ptr<CInputNoise> dlg;
    BYTE savedSwitch = 0;
    BYTE savedGroup8[8] = {};
};

}  // namespace

TEST_F(SystemDialogTest, FieldsShowTheirCodes)
{
    struct Case {
        const char* name;
        int field;
        void (*set)(CKTV_OutData&, int);
        int code;
        const char* text;
    };
    auto ratio = [](CKTV_OutData& o, int v) { o.SetCompRatio(v); };
    auto limAttack = [](CKTV_OutData& o, int v) { o.SetLimitAttack(short(v)); };
    auto limRelease = [](CKTV_OutData& o, int v) { o.SetLimitRelease(short(v)); };
    auto compRelease = [](CKTV_OutData& o, int v) { o.SetCompRelease(v); };
    auto limLevel = [](CKTV_OutData& o, int v) { o.SetLimitThreshold(short(v)); };
    const Case cases[] = {
        {"ratio 1", SYS_COMP_RATIO, ratio, 1, "1:1"},
        {"ratio 2", SYS_COMP_RATIO, ratio, 2, "1.1:1"},
        {"ratio 11", SYS_COMP_RATIO, ratio, 11, "2.0:1"},
        {"ratio 191", SYS_COMP_RATIO, ratio, 191, "20.0:1"},
        {"attack 0", SYS_LIMIT_ATTACK, limAttack, 0, "0.3ms"},
        {"attack 6", SYS_LIMIT_ATTACK, limAttack, 6, "0.9ms"},
        {"attack 7", SYS_LIMIT_ATTACK, limAttack, 7, "1ms"},
        {"attack 206", SYS_LIMIT_ATTACK, limAttack, 206, "200ms"},
        {"release code 50", SYS_LIMIT_RELEASE, limRelease, 50, "100ms"},
        {"release default", SYS_LIMIT_RELEASE, limRelease, 100, "150ms"},
        {"compressor release 0", SYS_COMP_RELEASE, compRelease, 0, "50ms"},
        {"level top", SYS_LIMIT_LEVEL, limLevel, 420, "12.0dBu"},
        {"level -10", SYS_LIMIT_LEVEL, limLevel, 200, "-10.0dBu"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.set(Out(5), c.code);
        Open();
        EXPECT_EQ(Text(c.field, 5), c.text);
        dlg->DestroyWindow();
    }
    // The model's own text uses the same release rule.
    Out(5).SetLimitRelease(50);
    EXPECT_EQ(Out(5).GetLimitReleaseText(), "100ms");
}

TEST_F(SystemDialogTest, NoiseGateOfMusicInput1)
{
    const struct {
        int value;
        const char* text;
    } cases[] = {{0, "OFF"}, {40, "-80.0dB"}, {100, "-20.0dB"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        scene->GetMusicData(0)->SetNoiseGate(BYTE(c.value));
        Open();
        EXPECT_EQ(dlg->m_editNoise.GetWindowText(), c.text);
        dlg->DestroyWindow();
    }
    const int other = scene->GetMusicData(1)->GetNoiseGate();
    Open();
    dlg->m_editNoise.SetWindowText("-50");
    dlg->m_editNoise.SetModified(1);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SYS_NOISE_EDIT, 0), 0);
    EXPECT_EQ(scene->GetMusicData(0)->GetNoiseGate(), 70);
    EXPECT_EQ(scene->GetMusicData(1)->GetNoiseGate(), other);
}

TEST_F(SystemDialogTest, TypedReleaseIsStoredAsCode)
{
    g_bOnline = 1;
    Open();
    Type(SYS_LIMIT_RELEASE, 2, "100");
    EXPECT_EQ(Out(2).GetLimitRelease(), 50);
    EXPECT_EQ(Out(2).IsLimitModified(), 1);
    Type(SYS_COMP_RELEASE, 2, "1000");
    EXPECT_EQ(Out(2).GetCompRelease(), 950);
    // A compressor edit marks no mix record and leaves mix level 9 alone.
    Spin(SYS_COMP_RATIO, 2, 11);
    Type(SYS_COMP_ATTACK, 2, "10");
    EXPECT_EQ(Out(2).GetCompRatio(), 11);
    EXPECT_EQ(Text(SYS_COMP_RATIO, 2), "2.0:1");
    EXPECT_EQ(Out(2).GetCompAttack(), 16);
    EXPECT_EQ(Out(2).IsMixBModified(), 0);
    EXPECT_EQ(Out(2).IsMixAModified(), 0);
    EXPECT_EQ(Out(2).GetMixA9(), 100);
}

TEST_F(SystemDialogTest, LimiterAndCompressorLevelsHoldEachOther)
{
    struct Case {
        const char* name;
        int limit;       // model limiter level before
        int comp;        // model compressor level before
        int field;
        const char* typed;
        int expLimit, expComp;
        const char* shown;
    };
    const Case cases[] = {
        {"compressor above limiter", 200, 0, SYS_COMP_LEVEL, "-5.0", 200, 200, "-10.0dBu"},
        {"limiter below compressor", 400, 150, SYS_LIMIT_LEVEL, "-20.0", 150, 150, "-15.0dBu"},
        {"compressor stops at +6", 420, 0, SYS_COMP_LEVEL, "12.0", 420, 360, "6.0dBu"},
        {"compressor below limiter", 300, 0, SYS_COMP_LEVEL, "-1.0", 300, 290, "-1.0dBu"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Out(1).SetLimitThreshold(short(c.limit));
        Out(1).SetCompThreshold(c.comp);
        Open();
        Type(c.field, 1, c.typed);
        EXPECT_EQ(Out(1).GetLimitThreshold(), c.expLimit);
        EXPECT_EQ(Out(1).GetCompThreshold(), c.expComp);
        EXPECT_EQ(Text(c.field, 1), c.shown);
        dlg->DestroyWindow();
    }
}

TEST_F(SystemDialogTest, LinkedChannelsAreShownAgain)
{
    struct Case {
        const char* name;
        int group1, group2;  // link groups of CH2 and CH3 (outputs 1 and 2)
        bool refreshed;
    };
    const Case cases[] = {
        {"same group", 5, 5, true},
        {"both 0", 0, 0, true},  // equal values are linked, 0 included
        {"different groups", 1, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int i = 0; i < LINK_CHANNELS; ++i)
            g_nLinkGroup[i] = 10 + i;
        g_nLinkGroup[1] = c.group1;
        g_nLinkGroup[2] = c.group2;
        Out(1).SetLimitThreshold(420);
        Out(2).SetLimitThreshold(420);
        Open();
        Type(SYS_LIMIT_LEVEL, 1, "-10.0");
        EXPECT_EQ(Out(1).GetLimitThreshold(), 200);
        EXPECT_EQ(Out(2).GetLimitThreshold(), c.refreshed ? 200 : 420);  // the model's copy
        EXPECT_EQ(Text(SYS_LIMIT_LEVEL, 2), c.refreshed ? "-10.0dBu" : "12.0dBu");
        EXPECT_EQ(dlg->m_graph[2].GetLimitCopy().nThreshold, c.refreshed ? 200 : 420);
        EXPECT_EQ(Text(SYS_LIMIT_LEVEL, 3), "12.0dBu");
        dlg->DestroyWindow();
    }
}

TEST_F(SystemDialogTest, OutOfRangeModelValuesOpenWithoutMessages)
{
    BYTE limit[8] = {0xF4, 0x01, 0xFF, 0x00, 0x00, 0x30, 0, 0};  // threshold 500, attack 255, release 12288
    Out(0).SetLimitRecord(limit);
    scene->GetMusicData(0)->SetNoiseGate(200);
    Open();
    EXPECT_TRUE(ui.m_messages.empty());
    EXPECT_EQ(Text(SYS_LIMIT_LEVEL, 0), "12.0dBu");
    EXPECT_EQ(Text(SYS_LIMIT_ATTACK, 0), "200ms");
    EXPECT_EQ(Text(SYS_LIMIT_RELEASE, 0), "5000ms");
    EXPECT_EQ(dlg->m_editNoise.GetWindowText(), "-20.0dB");
    EXPECT_EQ(Out(0).GetLimitThreshold(), 500);  // the model keeps what it holds
}

TEST_F(SystemDialogTest, EnterLeavesTheDialogOpen)
{
    Open();
    for (Qt::Key k : {Qt::Key_Return, Qt::Key_Escape}) {
        QTest::keyClick(dlg->m_edit[SYS_LIMIT_LEVEL][0].GetWidget(), k);
        Pump();
        EXPECT_TRUE(dlg->GetSafeHwnd() && dlg->IsWindowVisible()) << k;
    }
}

TEST_F(AdvancedDialogTest, PercentEntriesStoreTheirBytesAndSendCommand8)
{
    const struct {
        int entry;
        int byte;
    } cases[] = {{0, 100}, {1, 70}, {2, 50}, {3, 20}, {4, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        g_bySysGroup8[6] = 108;
        Open();
        EXPECT_EQ(dlg->m_cmbPercent.GetCurSel(), 0);  // 108 is no entry: "0%"
        host.m_commands.clear();
        dlg->m_cmbPercent.SetCurSel(c.entry);
        dlg->SendMessage(WM_DROPLIST_SELCHANGE, NOTIFY_ADV_PERCENT, c.entry);
        EXPECT_EQ(g_bySysGroup8[6], c.byte);
        ASSERT_EQ(host.m_commands.size(), 1u);
        EXPECT_EQ(host.m_commands[0].first, 8);
        dlg->DestroyWindow();
        Open();  // reopening shows the same entry
        EXPECT_EQ(dlg->m_cmbPercent.GetCurSel(), c.entry);
        dlg->DestroyWindow();
    }
    Open();
    host.m_commands.clear();
    dlg->SendMessage(WM_DROPLIST_SELCHANGE, 999, 1);  // another notify id
    EXPECT_TRUE(host.m_commands.empty());
}

TEST_F(AdvancedDialogTest, SwitchTogglesByteAndSendsCommand5)
{
    g_bySysParams[1] = 1;
    Open();
    EXPECT_TRUE(dlg->m_btnSwitch.GetCheck());
    for (int expected : {0, 1}) {
        host.m_commands.clear();
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ADV_SWITCH, BN_CLICKED), 0);
        EXPECT_EQ(g_bySysParams[1], expected);
        EXPECT_EQ(dlg->m_btnSwitch.GetCheck(), expected);
        ASSERT_EQ(host.m_commands.size(), 1u);
        EXPECT_EQ(host.m_commands[0].first, 5);
    }
}

TEST_F(AdvancedDialogTest, HiddenPairStoresItsByteAndSendsTheGroup)
{
    Open();
    EXPECT_FALSE(dlg->m_editA.IsWindowVisible());
    EXPECT_FALSE(dlg->m_editA.IsWindowEnabled());
    g_bySysGroup8[7] = 3;
    host.m_commands.clear();
    dlg->m_editC.SetWindowText("9");
    dlg->m_editC.SetModified(1);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ADV_EDIT_C, 0), 0);
    EXPECT_EQ(g_bySysGroup8[7], 9);
    ASSERT_EQ(host.m_commands.size(), 2u);
    EXPECT_EQ(host.m_commands[0].first, 2);
    EXPECT_EQ(host.m_commands[1].first, 8);
    // The same value again sends nothing.
    host.m_commands.clear();
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ADV_SPIN_C, 0), 0);
    EXPECT_TRUE(host.m_commands.empty());
}
