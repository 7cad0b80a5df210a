// The output page's speaker positions: which positions the channels' types show, the position
// buttons, the position delays with the left/right position link, a strip's type change, the
// speaker-map reset and the lock of the types.
#include "PageHostRecorder.h"
#include "PromptTestKit.h"

#include "../controls/ControlTestKit.h"

#include "AppMessages.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "COutputDlg.h"
#include "CWndWidget.h"
#include "CReMap_Dlg.h"
#include "Globals.h"
#include "MessageBox.h"
#include "SceneImage.h"
#include "SpeakerTable.h"
#include "SpeakerTypes.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

namespace {

int TypeOf(int ch) { return g_bySpeakerType[SPEAKER_CHANNEL_BASE + ch]; }

// Presses button nID of the next CReMap_Dlg that runs modally; the flag tells whether it came.
class RemapAnswer {
public:
    explicit RemapAnswer(UINT nID)
    {
        QObject::connect(&m_poll, &QTimer::timeout, [this, nID] {
            auto* w = dynamic_cast<CWndWidget*>(QApplication::activeModalWidget());
            auto* dlg = w ? dynamic_cast<CReMap_Dlg*>(w->Owner()) : nullptr;
            if (!dlg || m_bAnswered)
                return;
            m_bAnswered = true;
            dlg->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(nID), BN_CLICKED), 0);
        });
        m_poll.start(10);
    }
    bool Answered() const { return m_bAnswered; }

private:
    QTimer m_poll;
    bool m_bAnswered = false;
};

class PositionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureSharedGdiObjects();
        InitAllData();
        g_nCurOutput = 0;
        g_bAssignFlag = 0;
        g_bLRLinkCmd = 0;
        g_bChinese = 0;
        g_pPageHost = &host;
        scene = std::make_unique<CKTV_Data>();
        ASSERT_TRUE(stage.Make(0, 0, OUTPUT_PAGE_WIDTH, OUTPUT_PAGE_HEIGHT));
        page = std::make_unique<COutputDlg>();
        ASSERT_TRUE(page->CreatePage(&stage));
        page->AttachScene(scene.get());
        page->ShowPage(SW_SHOW);
        page->UpdateChannelView();
        page->RefreshPositions();
        Pump();
        host = PageHostRecorder{};
        previous = SetMessageBoxHandler([this](const CString& text, UINT, int selector) {
            shown.push_back(text);
            selectors.push_back(selector);
            return IDOK;
        });
    }
    void TearDown() override
    {
        SetMessageBoxHandler(previous);
        page.reset();
        g_pPageHost = nullptr;
        scene.reset();
        for (int i = 0; i < LINK_CHANNELS; ++i) {
            g_nLinkGroup[i] = i;
            g_nOutputGroup[i] = i;
        }
        g_bAssignFlag = 0;
        g_bLRLinkCmd = 0;
        g_nCurOutput = 0;
    }
    std::set<int> ShownPositions() const
    {
        std::set<int> shownPositions;
        for (int p = 0; p < SPEAKER_POSITIONS; ++p)
            if (page->m_btnPosition[p].IsWindowVisible()) {
                EXPECT_TRUE(page->m_editPosDelay[p].IsWindowVisible()) << p;
                shownPositions.insert(p);
            }
        return shownPositions;
    }
    CKTV_OutData& Out(int ch) { return *scene->GetOutData(ch); }
    // The user's new value in the delay field of position p (its spin's notice).
    void NewPositionDelay(int p, int v)
    {
        page->m_spinPosDelay[p].SetPos(v);
        page->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(IDC_POSITION_DELAY_SPIN + p), 0), 0);
    }
    void Command(UINT id) { page->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), BN_CLICKED), 0); }

    PageHostRecorder host;
    std::unique_ptr<CKTV_Data> scene;
    CStage stage;
    std::unique_ptr<COutputDlg> page;
    MessageBoxHandler previous;
    std::vector<CString> shown;
    std::vector<int> selectors;
};

}  // namespace

TEST_F(PositionsTest, TypesMapToTheirPositions)
{
    struct Case {
        int type;
        int position;
    };
    const Case cases[] = {{0, 100}, {1, 5},   {3, 3},   {7, 11},  {12, 14}, {13, 16}, {15, 19},
                          {18, 20}, {19, 1},  {20, 0},  {21, 2},  {22, 21}, {24, 23}, {25, 100}, {-1, 100}};
    for (const Case& c : cases)
        EXPECT_EQ(COutputDlg::SpeakerTypeToPosition(c.type), c.position) << c.type;
}

TEST_F(PositionsTest, DefaultMapShowsItsTenPositions)
{
    EXPECT_EQ(ShownPositions(), (std::set<int>{5, 11, 4, 10, 3, 9, 19, 20, 21, 22}));
    const int expected[LINK_CHANNELS] = {5, 11, 4, 10, 3, 9, 19, 20, 21, 22};
    for (int ch = 0; ch < LINK_CHANNELS; ++ch) {
        EXPECT_EQ(page->m_btnPosition[expected[ch]].GetTag(), ch);
        EXPECT_EQ(page->m_editPosDelay[expected[ch]].m_nTag, ch);
        EXPECT_EQ(page->m_btnPosition[expected[ch]].GetCheck(), ch == 0) << ch;
    }
}

TEST_F(PositionsTest, PositionButtonMakesItsChannelCurrent)
{
    Command(IDC_POSITION_BUTTON + 10);  // CH4's front-right midrange
    EXPECT_EQ(g_nCurOutput, 3);
    EXPECT_TRUE(page->m_btnPosition[10].GetCheck());
    EXPECT_FALSE(page->m_btnPosition[5].GetCheck());
    EXPECT_TRUE(page->m_strip[3].IsSelected());
    EXPECT_FALSE(page->m_strip[0].IsSelected());

    Command(IDC_POSITION_BUTTON + 10);  // the current channel's own position: nothing
    EXPECT_EQ(g_nCurOutput, 3);
    EXPECT_TRUE(page->m_btnPosition[10].GetCheck());
}

TEST_F(PositionsTest, PositionLinkMovesThePartnerByTheSameAmountWithinRange)
{
    // CH1 front-left tweeter (position 5), CH2 front-right tweeter (position 11).
    Out(0).SetDelay(100);
    Out(1).SetDelay(950);
    page->RefreshPositionDelays();
    Command(IDC_PAGE_LINK_LR);
    ASSERT_EQ(g_bLRLinkCmd, 1);
    ASSERT_TRUE(page->m_bLinkLR);
    EXPECT_EQ(g_nOutputGroup[1], 0);

    struct Step {
        int left;
        int right;
    };
    const Step steps[] = {{120, 960}, {40, 880}, {40, 880}};  // the last types the same value
    for (const Step& s : steps) {
        SCOPED_TRACE(s.left);
        NewPositionDelay(5, s.left);
        EXPECT_EQ(Out(0).GetDelay(), s.left);
        EXPECT_EQ(Out(1).GetDelay(), s.right);
        EXPECT_EQ(page->m_spinPosDelay[11].GetPosition(), s.right);
        EXPECT_EQ(page->m_strip[1].m_nPosDelay, s.right);
    }

    // Off again: a change moves its own channel only.
    Command(IDC_PAGE_LINK_LR);
    EXPECT_EQ(g_bLRLinkCmd, 0);
    EXPECT_EQ(g_nOutputGroup[1], 1);
    NewPositionDelay(5, 300);
    EXPECT_EQ(Out(0).GetDelay(), 300);
    EXPECT_EQ(Out(1).GetDelay(), 880);
}

TEST_F(PositionsTest, LeavingThePositionLinkKeepsChannelOnesName)
{
    ASSERT_TRUE(Out(0).SetName("Front L"));
    const int at = BlockOffset(BLOCK_OUTPUT, 0) + 289;
    g_Scene[at] = 'r';
    Command(IDC_PAGE_LINK_LR);
    ASSERT_EQ(g_bLRLinkCmd, 1);
    Command(IDC_PAGE_LINK_LR);
    EXPECT_EQ(g_bLRLinkCmd, 0);
    EXPECT_EQ(g_Scene[at], 'r');
    EXPECT_EQ(Out(0).GetName(), "Front L");
}

TEST_F(PositionsTest, EitherLinkWithoutPairsShowsItsMessage)
{
    for (int ch = 0; ch < LINK_CHANNELS; ++ch) {
        ReleaseSpeakerType(TypeOf(ch), ch);
        g_bySpeakerType[SPEAKER_CHANNEL_BASE + ch] = ch == 0 ? 21 : 0;  // one centre speaker only
    }
    for (BOOL chinese : {FALSE, TRUE}) {
        g_bChinese = chinese;
        shown.clear();
        selectors.clear();
        Command(IDC_PAGE_LINK_LR);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0], chinese ? "没有左右通道可以联调!" : "No link L&R output !");
        EXPECT_EQ(selectors[0], chinese ? -2 : -3);
        EXPECT_EQ(g_bLRLinkCmd, 0);
        EXPECT_FALSE(page->m_btnLinkLR.GetCheck());
    }
}

TEST_F(PositionsTest, TypeOnAnEmptyChannelShowsItsPositionWithTheModelsDelay)
{
    // Channel 10 loses its type, its delay changes while it has no position, then it takes
    // type 3 (front-left woofer), freed first from channel 5.
    page->OnStripSpeakerType(9, 0);
    page->OnStripSpeakerType(4, 0);
    Out(9).SetDelay(480);
    host = PageHostRecorder{};
    page->OnStripSpeakerType(9, 3);
    EXPECT_TRUE(page->m_btnPosition[3].IsWindowVisible());
    EXPECT_EQ(page->m_btnPosition[3].GetTag(), 9);
    EXPECT_FALSE(page->m_btnPosition[22].IsWindowVisible());  // its old type's position went
    EXPECT_EQ(page->m_spinPosDelay[3].GetPosition(), 480);
    EXPECT_EQ(page->m_strip[9].m_nPosDelay, 480);
    EXPECT_EQ(g_bySysSpeakerType[9], 3);
    EXPECT_EQ(g_bySpeakerType[3], SPEAKER_ASSIGNED);
    EXPECT_EQ(host.speakerTypes, (std::vector<std::pair<int, BOOL>>{{9, FALSE}}));
    EXPECT_EQ(host.typeMixes, (std::vector<std::pair<int, int>>{{9, 3}}));

    // Types outside the table and channels outside the page are dropped.
    page->OnStripSpeakerType(9, 25);
    page->OnStripSpeakerType(10, 3);
    EXPECT_EQ(TypeOf(9), 3);
    EXPECT_EQ(host.speakerTypes.size(), 1u);
}

TEST_F(PositionsTest, MapResetEmptySendsTwiceDefaultOnceNothingNever)
{
    struct Case {
        UINT button;  // the prompt's button the user presses
        size_t sends;
        std::set<int> positions;
    };
    const std::set<int> defaults{5, 11, 4, 10, 3, 9, 19, 20, 21, 22};
    const Case cases[] = {
        {IDCANCEL, 0, defaults},
        {IDOK, 2, {}},
        {IDC_REMAP_DEFAULT, 1, defaults},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        host = PageHostRecorder{};
        g_bAssignFlag = 1;
        RemapAnswer answer(c.button);
        page->OnResetMap();
        Pump();
        EXPECT_TRUE(answer.Answered());
        EXPECT_EQ(host.speakerTypes, (std::vector<std::pair<int, BOOL>>(c.sends, {0, TRUE})));
        EXPECT_EQ(ShownPositions(), c.positions);
        if (c.button == IDOK) {
            for (int ch = 0; ch < LINK_CHANNELS; ++ch) {
                EXPECT_EQ(TypeOf(ch), 0);
                EXPECT_EQ(page->m_strip[ch].GetTitle(), "NULL") << ch;
            }
        }
        // A reset ends the lock of the view's left/right link; Cancel leaves it.
        EXPECT_EQ(g_bAssignFlag, c.button == IDCANCEL ? 1 : 0);
    }
}

TEST_F(PositionsTest, LockDisablesTheTypeButtonsAndMovesOffAnUntypedChannel)
{
    page->OnStripSpeakerType(0, 0);
    ASSERT_EQ(TypeOf(0), 0);
    g_bAssignFlag = 1;
    page->ApplyLinkMode();
    for (int ch = 0; ch < LINK_CHANNELS; ++ch)
        EXPECT_FALSE(page->m_strip[ch].m_btnSpeakerType.IsWindowEnabled()) << ch;
    EXPECT_EQ(g_nCurOutput, 1);  // the first channel with a type
    EXPECT_EQ(host.nRebuilds, 0);

    g_bAssignFlag = 0;
    page->ApplyLinkMode();
    for (int ch = 0; ch < LINK_CHANNELS; ++ch)
        EXPECT_TRUE(page->m_strip[ch].m_btnSpeakerType.IsWindowEnabled()) << ch;
    EXPECT_EQ(host.nRebuilds, 1);
}

TEST_F(PositionsTest, FileLoadWithoutTypedChannelsLiftsTheLock)
{
    g_bAssignFlag = 1;
    page->CheckLinkMode();
    EXPECT_EQ(g_bAssignFlag, 1);  // channels 1..8 have types: the lock stays
    for (int ch = 0; ch < 8; ++ch) {
        ReleaseSpeakerType(TypeOf(ch), ch);
        g_bySpeakerType[SPEAKER_CHANNEL_BASE + ch] = 0;
    }
    page->CheckLinkMode();
    EXPECT_EQ(g_bAssignFlag, 0);
    EXPECT_EQ(host.nRebuilds, 1);
}
