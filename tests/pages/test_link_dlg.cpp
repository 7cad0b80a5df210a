// The channel link dialog: the lists it opens with, moves with the partner question, Undo, and
// the masks and message it leaves on OK, in both modes. Every mask it leaves is symmetric.
#include "PromptTestKit.h"

#include "../controls/ControlTestKit.h"

#include "AppMessages.h"
#include "CLink_Dlg.h"
#include "COutRoute_Dlg.h"
#include "Globals.h"
#include "MessageBox.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

int MaskOf(std::initializer_list<int> channels)
{
    int m = 0;
    for (int ch : channels)
        m |= 1 << ch;
    return m;
}

class LinkDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureSharedGdiObjects();
        g_bChinese = 0;
        for (int i = 0; i < LINK_DLG_CHANNELS; ++i) {
            masks[i] = 1 << i;
            ptrs[i] = &masks[i];
        }
        ASSERT_TRUE(page.Make(40, 40, 200, 100));
        previous = SetMessageBoxHandler([this](const CString& text, UINT type, int) {
            questions.push_back(text);
            types.push_back(type);
            return answers.empty() ? IDNO : Next();
        });
    }
    void TearDown() override
    {
        SetMessageBoxHandler(previous);
        g_bChinese = 0;
    }
    int Next()
    {
        const int a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    // Channels stand in groups: each list is one group's members.
    void Group(std::initializer_list<int> members)
    {
        const int m = MaskOf(members);
        for (int ch : members)
            masks[ch] = m;
    }
    // Runs the dialog for channel ch in the mode given; act runs once it shows.
    ModalRun Run(int ch, int newGroup, const std::function<void(CLink_Dlg&)>& act)
    {
        CLink_Dlg dlg;
        dlg.m_bNewGroup = newGroup;
        dlg.m_nChannel = ch;
        dlg.AttachMasks(ptrs, &page);
        ModalRun run = RunModal(dlg, [&] { act(dlg); });
        Pump();
        return run;
    }
    static std::vector<std::string> Rows(const CLinkList& list)
    {
        std::vector<std::string> out;
        for (int r = 0; r < list.GetCount(); ++r)
            out.push_back(list.GetRow(r).number + " " + list.GetRow(r).name);
        return out;
    }
    // A user's click on a row of a list (Ctrl held: adds to the selection).
    static void ClickRow(CLinkList& list, int row, bool ctrl)
    {
        const QPoint at(30, CLinkList::kHeaderHeight + row * CLinkList::kRowHeight + CLinkList::kRowHeight / 2);
        QTest::mouseClick(list.GetWidget(), Qt::LeftButton, ctrl ? Qt::ControlModifier : Qt::NoModifier, at);
    }
    static void SelectChannels(CLink_Dlg& dlg, std::initializer_list<int> channels)
    {
        bool first = true;
        for (int ch : channels)
            for (int r = 0; r < dlg.m_listLeft.GetCount(); ++r)
                if (CLink_Dlg::ChannelOfName(dlg.m_listLeft.GetRow(r).name) == ch) {
                    ClickRow(dlg.m_listLeft, r, !first);
                    first = false;
                }
    }
    void ExpectSymmetric() const
    {
        for (int i = 0; i < LINK_DLG_CHANNELS; ++i) {
            EXPECT_TRUE(masks[i] & (1 << i)) << "channel " << i << " lost its own bit";
            for (int j = 0; j < LINK_DLG_CHANNELS; ++j)
                EXPECT_EQ((masks[i] >> j) & 1, (masks[j] >> i) & 1) << i << " / " << j;
        }
    }
    std::vector<Received> Posts() const { return page.All(WM_LINK_GROUPS_CHANGED); }

    int masks[LINK_DLG_CHANNELS];
    int* ptrs[LINK_DLG_CHANNELS];
    CStage page;
    MessageBoxHandler previous;
    std::vector<CString> questions;
    std::vector<UINT> types;
    std::vector<int> answers;
};

}  // namespace

TEST_F(LinkDlgTest, RowNamesReadBackToTheirChannel)
{
    struct Case {
        const char* name;
        int channel;
    };
    const Case cases[] = {{"通道1", 0}, {"Channel3", 2}, {"通道9", 8}, {"Channel10", 9}, {"通道10", 9}, {"Channel", -1}, {"", -1}};
    for (const Case& c : cases)
        EXPECT_EQ(CLink_Dlg::ChannelOfName(c.name), c.channel) << c.name;
    for (int ch = 0; ch < LINK_DLG_CHANNELS; ++ch)
        EXPECT_EQ(CLink_Dlg::ChannelOfName(CLink_Dlg::ChannelName(ch)), ch);
}

TEST_F(LinkDlgTest, NewModeOnALoneChannelOkKeepsTheMasksAndPosts)
{
    std::vector<std::string> left, right;
    BOOL joinShown = FALSE, groupShown = TRUE;
    const ModalRun run = Run(4, 1, [&](CLink_Dlg& dlg) {
        left = Rows(dlg.m_listLeft);
        right = Rows(dlg.m_listRight);
        joinShown = dlg.m_btnJoinLink.IsWindowVisible();
        groupShown = dlg.m_btnGroup[0].IsWindowVisible();
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    ASSERT_FALSE(run.hung);
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(right, std::vector<std::string>{"1 Channel5"});
    ASSERT_EQ(left.size(), 9u);
    EXPECT_EQ(left.front(), "1 Channel1");
    EXPECT_EQ(left[4], "5 Channel6");
    EXPECT_EQ(left.back(), "9 Channel10");
    EXPECT_TRUE(joinShown);
    EXPECT_FALSE(groupShown);
    for (int i = 0; i < LINK_DLG_CHANNELS; ++i)
        EXPECT_EQ(masks[i], 1 << i);
    ASSERT_EQ(Posts().size(), 1u);
    EXPECT_EQ(Posts()[0].wParam, 4u);
    EXPECT_EQ(Posts()[0].lParam, -1);
}

TEST_F(LinkDlgTest, NewModeOnALinkedChannelListsItsGroup)
{
    Group({0, 1});
    Group({2, 3});
    std::vector<std::string> right;
    Run(2, 1, [&](CLink_Dlg& dlg) {
        right = Rows(dlg.m_listRight);
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(right, (std::vector<std::string>{"2 Channel3", "2 Channel4"}));
    EXPECT_TRUE(Posts().empty());  // Cancel leaves everything
    EXPECT_EQ(masks[2], MaskOf({2, 3}));
}

TEST_F(LinkDlgTest, MovingAChannelAsksAboutItsPartner)
{
    struct Case {
        int answer;
        int maskOf0;  // the new set around channel 1
        int maskOf5;
    };
    const Case cases[] = {
        {IDYES, MaskOf({0, 4, 5}), MaskOf({0, 4, 5})},
        {IDNO, MaskOf({0, 4}), MaskOf({5})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        for (int i = 0; i < LINK_DLG_CHANNELS; ++i)
            masks[i] = 1 << i;
        Group({4, 5});
        questions.clear();
        types.clear();
        page.Forget();
        answers = {c.answer};
        std::vector<std::string> right;
        Run(0, 1, [&](CLink_Dlg& dlg) {
            SelectChannels(dlg, {4});
            dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LINK_JOIN, BN_CLICKED), 0);
            right = Rows(dlg.m_listRight);
            dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        ASSERT_EQ(questions.size(), 1u);
        EXPECT_EQ(questions[0], "Channel5与Channel6  joint debugging, whether to add unselected joint debugging item?");
        EXPECT_EQ(types[0], MB_YESNO);
        EXPECT_EQ(right.front(), "1 Channel1");
        EXPECT_EQ(masks[0], c.maskOf0);
        EXPECT_EQ(masks[4], c.maskOf0);
        EXPECT_EQ(masks[5], c.maskOf5);
        ExpectSymmetric();
        ASSERT_EQ(Posts().size(), 1u);
        EXPECT_EQ(Posts()[0].wParam, 0u);
    }
}

TEST_F(LinkDlgTest, ChineseQuestionNamesTheRowThenItsPartners)
{
    g_bChinese = 1;
    Group({2, 3});
    Run(0, 1, [&](CLink_Dlg& dlg) {
        SelectChannels(dlg, {2});
        dlg.OnJoinLink();
        dlg.EndDialog(IDCANCEL);
    });
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], "通道3与通道4 联调，是否添加未选中的联调项？");
}

TEST_F(LinkDlgTest, TwoRowsOfTwoGroupsAskTheirOwnQuestions)
{
    Group({2, 3});
    Group({6, 7});
    answers = {IDNO, IDNO};
    Run(0, 1, [&](CLink_Dlg& dlg) {
        SelectChannels(dlg, {2, 6});
        dlg.OnJoinLink();
        dlg.EndDialog(IDCANCEL);
    });
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0].find("Channel3与Channel4 "), 0u);
    EXPECT_EQ(questions[0].find("Channel8"), CString::npos);
    EXPECT_EQ(questions[1].find("Channel7与Channel8 "), 0u);
}

TEST_F(LinkDlgTest, UndoRestoresTheOpeningLists)
{
    Group({1, 2});
    std::vector<std::string> before, moved, after;
    Run(0, 1, [&](CLink_Dlg& dlg) {
        before = Rows(dlg.m_listLeft);
        SelectChannels(dlg, {5});
        dlg.OnJoinLink();
        moved = Rows(dlg.m_listLeft);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LINK_UNDO, BN_CLICKED), 0);
        after = Rows(dlg.m_listLeft);
        EXPECT_EQ(dlg.m_bChanged, 0);
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_NE(moved, before);
    EXPECT_EQ(after, before);
}

TEST_F(LinkDlgTest, JoinModeWithoutOtherGroupsHidesTheButtonsAndChangesNothing)
{
    Group({3, 4});
    std::vector<BOOL> shown;
    const ModalRun run = Run(3, 0, [&](CLink_Dlg& dlg) {
        shown.push_back(dlg.m_btnJoinLink.IsWindowVisible());
        for (CBitButton& b : dlg.m_btnGroup)
            shown.push_back(b.IsWindowVisible());
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(shown, std::vector<BOOL>(6, FALSE));
    EXPECT_TRUE(Posts().empty());
    EXPECT_EQ(masks[3], MaskOf({3, 4}));
}

TEST_F(LinkDlgTest, JoinModeMovesTheChannelIntoTheChosenGroup)
{
    Group({0, 1});
    Group({4, 5});
    Group({7, 8});
    answers = {IDNO};
    std::vector<std::string> right;
    std::vector<BOOL> shown;
    Run(4, 0, [&](CLink_Dlg& dlg) {
        for (CBitButton& b : dlg.m_btnGroup)
            shown.push_back(b.IsWindowVisible());
        SelectChannels(dlg, {4});
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(kLinkGroupButtonIds[2], BN_CLICKED), 0);
        right = Rows(dlg.m_listRight);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    // Groups 1 {1,2} and 3 {8,9} can be joined; group 2 is the channel's own.
    EXPECT_EQ(shown, (std::vector<BOOL>{TRUE, FALSE, TRUE, FALSE, FALSE}));
    EXPECT_EQ(right, (std::vector<std::string>{"1 Channel1", "1 Channel2", "3 Channel5", "3 Channel8", "3 Channel9"}));
    EXPECT_EQ(masks[4], MaskOf({4, 7, 8}));
    EXPECT_EQ(masks[7], MaskOf({4, 7, 8}));
    EXPECT_EQ(masks[5], MaskOf({5}));
    EXPECT_EQ(masks[0], MaskOf({0, 1}));
    ExpectSymmetric();
    ASSERT_EQ(Posts().size(), 1u);
    EXPECT_EQ(Posts()[0].wParam, 7u);  // the group's lowest channel gives its settings
    EXPECT_EQ(Posts()[0].lParam, 4);
}

TEST_F(LinkDlgTest, JoinModeLeavesEveryMaskSymmetricAfterTwoGroupsWereChosen)
{
    Group({0, 1});
    Group({3, 4, 5});
    Group({7, 8});
    answers = {IDNO, IDNO};
    Run(3, 0, [&](CLink_Dlg& dlg) {
        SelectChannels(dlg, {3});
        dlg.OnJoinGroup(1);
        SelectChannels(dlg, {4});
        dlg.OnJoinGroup(3);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    // Only the group chosen last takes its new member; the channel moved to group 1 stands
    // alone rather than keep a one-sided link to the group it left.
    EXPECT_EQ(masks[4], MaskOf({4, 7, 8}));
    EXPECT_EQ(masks[3], MaskOf({3}));
    EXPECT_EQ(masks[5], MaskOf({5}));
    EXPECT_EQ(masks[0], MaskOf({0, 1}));
    ExpectSymmetric();
}

TEST_F(LinkDlgTest, CancelledQuestionMovesNothingYetOkAppliesTheChosenGroup)
{
    Group({0, 1});
    Group({4, 5});
    answers = {IDCANCEL};
    std::vector<std::string> leftAfter;
    Run(4, 0, [&](CLink_Dlg& dlg) {
        SelectChannels(dlg, {4});
        dlg.OnJoinGroup(1);
        leftAfter = Rows(dlg.m_listLeft);
        EXPECT_EQ(dlg.m_bChanged, 0);
        EXPECT_EQ(dlg.m_strGroup, "1");
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    ASSERT_EQ(types.size(), 1u);
    EXPECT_EQ(types[0], MB_YESNOCANCEL);
    EXPECT_EQ(leftAfter, (std::vector<std::string>{"1 Channel5", "2 Channel6"}));
    EXPECT_EQ(masks[0], MaskOf({0, 1}));
    EXPECT_EQ(masks[4], MaskOf({4, 5}));
    ASSERT_EQ(Posts().size(), 1u);
    EXPECT_EQ(Posts()[0].wParam, 0u);
    EXPECT_EQ(Posts()[0].lParam, 4);
}

TEST_F(LinkDlgTest, StripsGiveTheirMasksAndThePageHearsTheChange)
{
    COutRoute_Dlg strips[LINK_DLG_CHANNELS];
    COutRoute_Dlg* pointers[LINK_DLG_CHANNELS];
    for (int i = 0; i < LINK_DLG_CHANNELS; ++i) {
        strips[i].m_nChannel = i;
        strips[i].m_nLinkMask = 1 << i;
        strips[i].m_pOutputDlg = &page;
        pointers[i] = &strips[i];
    }
    answers = {IDNO};
    CLink_Dlg dlg;
    dlg.m_bNewGroup = 1;
    dlg.m_nChannel = 6;
    dlg.m_pStrip = &strips[6];
    dlg.AttachStrips(pointers);
    RunModal(dlg, [&] {
        SelectChannels(dlg, {8});
        dlg.OnJoinLink();
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Pump();
    EXPECT_EQ(strips[6].m_nLinkMask, MaskOf({6, 8}));
    EXPECT_EQ(strips[8].m_nLinkMask, MaskOf({6, 8}));
    EXPECT_EQ(strips[7].m_nLinkMask, MaskOf({7}));
    ASSERT_EQ(Posts().size(), 1u);
    EXPECT_EQ(Posts()[0].wParam, 6u);
}
