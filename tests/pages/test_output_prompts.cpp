// The left/right link, speaker-map reset and channel pair prompts: their texts in each language,
// their layout, and what every way of ending them leaves for the caller to read.
#include "PromptTestKit.h"

#include "../controls/ControlTestKit.h"

#include "CAll_Link_Dlg.h"
#include "CCH_Link_Dlg.h"
#include "CReMap_Dlg.h"
#include "DialogUnits.h"
#include "Globals.h"
#include "KeyStroke.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class PromptTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureSharedGdiObjects();
        g_bChinese = 0;
    }
    void TearDown() override { g_bChinese = 0; }
};

enum class Act { OkButton, CancelButton, DefaultButton, Enter, Esc, CloseBox };

void Do(CDialog& dlg, Act act, CButton* ok, CButton* cancel, CButton* def = nullptr)
{
    switch (act) {
    case Act::OkButton: Click(*ok, CentreOf(*ok)); break;
    case Act::CancelButton: Click(*cancel, CentreOf(*cancel)); break;
    case Act::DefaultButton: Click(*def, CentreOf(*def)); break;
    case Act::Enter: PressKeyInFocusWindow(VK_RETURN); break;
    case Act::Esc: PressKeyInFocusWindow(VK_ESCAPE); break;
    case Act::CloseBox: dlg.PostMessage(WM_CLOSE, 0, 0); break;
    }
}

std::string Text(const CWnd& w) { return w.GetWindowText(); }

bool Overlap(const CRect& a, const CRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

TEST_F(PromptTest, LinkPromptTextsFollowTheLanguage)
{
    struct Case {
        int chinese;
        const char* title;
        const char* prompt;
        const char* left;
        const char* right;
        const char* ok;
        const char* cancel;
    };
    const Case cases[] = {
        {0, "Prompting", "Need to synchronize the data transfer, \nplease select sync mode", "Copy from left to right",
         "Copy from right to left ", "OK", "Cancel"},
        {1, "提示", "联调前需要同步左右通道的数据,\n请选择同步方式", "从左复制到右", "从右复制到左", "确定", "取消"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chinese);
        g_bChinese = c.chinese;
        CAll_Link_Dlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_ALL_LINK));
        EXPECT_EQ(Text(dlg), c.title);
        EXPECT_EQ(Text(dlg.m_stPrompt), c.prompt);
        EXPECT_EQ(Text(dlg.m_radioLeftToRight), c.left);
        EXPECT_EQ(Text(dlg.m_radioRightToLeft), c.right);
        EXPECT_EQ(Text(dlg.m_btnOK), c.ok);
        EXPECT_EQ(Text(dlg.m_btnCancel), c.cancel);
        EXPECT_EQ(dlg.GetDlgItem(IDC_ALL_LINK_PROMPT), &dlg.m_stPrompt);
        EXPECT_EQ(dlg.GetDlgItem(IDC_ALL_LINK_LEFT_TO_RIGHT), &dlg.m_radioLeftToRight);
        EXPECT_EQ(dlg.GetDlgItem(IDC_ALL_LINK_RIGHT_TO_LEFT), &dlg.m_radioRightToLeft);
        dlg.DestroyWindow();
    }
}

TEST_F(PromptTest, MapPromptTextsFollowTheLanguage)
{
    struct Case {
        int chinese;
        const char* title;
        const char* prompt;
        const char* ok;
        const char* def;
        const char* cancel;
    };
    const Case cases[] = {
        {0, "Prompting", "The output map emptied or restore default", "Emptied", "Default", "Cancel"},
        {1, "提示", "输出配置清空或恢复默认", "清空", "默认", "取消"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chinese);
        g_bChinese = c.chinese;
        CReMap_Dlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_REMAP));
        EXPECT_EQ(Text(dlg), c.title);
        EXPECT_EQ(Text(dlg.m_stPrompt), c.prompt);
        EXPECT_EQ(Text(dlg.m_btnOK), c.ok);
        EXPECT_EQ(Text(dlg.m_btnDefault), c.def);
        EXPECT_EQ(Text(dlg.m_btnCancel), c.cancel);
        EXPECT_EQ(dlg.GetDlgItem(IDC_REMAP_DEFAULT), &dlg.m_btnDefault);
        EXPECT_EQ(dlg.GetDlgItem(IDC_REMAP_PROMPT), &dlg.m_stPrompt);
        dlg.DestroyWindow();
    }
}

TEST_F(PromptTest, PairPromptNamesThePairInEnglishWhateverTheLanguage)
{
    struct Case {
        int pair;
        const char* title;
        const char* first;
        const char* second;
    };
    const Case cases[] = {
        {0, "Linking of CH1 and CH2 channel", "CH1 be applied?", "CH2 be applied? "},
        {1, "Linking of CH3 and CH4 channel", "CH3 be applied? ", "CH4 be applied? "},
        {2, "Linking of CH5 and CH6 channel", "CH5 be applied? ", "CH6 be applied? "},
        {3, "Link", "", ""},
        {-1, "Link", "", ""},
    };
    for (int chinese : {0, 1})
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "pair " << c.pair << " chinese " << chinese);
            g_bChinese = chinese;
            CCH_Link_Dlg dlg;
            dlg.m_nPair = c.pair;
            ASSERT_TRUE(dlg.Create(IDD_CH_LINK));
            EXPECT_EQ(Text(dlg), c.title);
            EXPECT_EQ(Text(dlg.m_radioFirst), c.first);
            EXPECT_EQ(Text(dlg.m_radioSecond), c.second);
            EXPECT_EQ(Text(dlg.m_stPrompt), "Which channel data should be applied? ");
            EXPECT_EQ(Text(dlg.m_btnOK), "OK");
            EXPECT_EQ(Text(dlg.m_btnCancel), "Cancel");
            dlg.DestroyWindow();
        }
}

TEST_F(PromptTest, PairPromptLeftUnsetKeepsTheTemplateTexts)
{
    CCH_Link_Dlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_CH_LINK));
    EXPECT_EQ(Text(dlg), "Link");
    EXPECT_EQ(Text(dlg.m_radioFirst), "");
    dlg.DestroyWindow();
}

TEST_F(PromptTest, ControlsLieInsideTheirDialogWithoutOverlapping)
{
    CAll_Link_Dlg link;
    CReMap_Dlg remap;
    CCH_Link_Dlg pair;
    struct Case {
        const char* name;
        CDialog* dlg;
        UINT id;
        CSize dlu;
        std::vector<CWnd*> controls;
    };
    const Case cases[] = {
        {"link", &link, IDD_ALL_LINK, CSize(183, 78),
         {&link.m_stPrompt, &link.m_radioLeftToRight, &link.m_radioRightToLeft, &link.m_btnOK, &link.m_btnCancel}},
        {"remap", &remap, IDD_REMAP, CSize(183, 78),
         {&remap.m_stPrompt, &remap.m_btnOK, &remap.m_btnDefault, &remap.m_btnCancel}},
        {"pair", &pair, IDD_CH_LINK, CSize(166, 96),
         {&pair.m_stPrompt, &pair.m_radioFirst, &pair.m_radioSecond, &pair.m_btnOK, &pair.m_btnCancel}},
    };
    CFont arial9;
    arial9.CreatePointFont(90, "Arial");
    const CSize base = GetDialogBaseUnits(&arial9);
    ASSERT_GT(base.cx, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.dlg->Create(c.id));
        CRect client;
        c.dlg->GetClientRect(&client);
        EXPECT_EQ(client.Width(), DialogUnitsToPixelsX(c.dlu.cx, base));
        EXPECT_EQ(client.Height(), DialogUnitsToPixelsY(c.dlu.cy, base));
        std::vector<CRect> rects;
        for (CWnd* w : c.controls) {
            CRect rc;
            w->GetWindowRect(&rc);
            c.dlg->ScreenToClient(&rc);
            EXPECT_FALSE(rc.IsRectEmpty());
            EXPECT_TRUE(rc.left >= client.left && rc.top >= client.top && rc.right <= client.right &&
                        rc.bottom <= client.bottom)
                << Text(*w);
            for (const CRect& other : rects)
                EXPECT_FALSE(Overlap(rc, other)) << Text(*w);
            rects.push_back(rc);
        }
        c.dlg->DestroyWindow();
    }
}

TEST_F(PromptTest, LinkPromptEndingsGiveTheCallerItsChoice)
{
    struct Case {
        const char* name;
        bool pickRight;  // click the second radio first
        Act act;
        INT_PTR result;
        int direction;
    };
    const Case cases[] = {
        {"confirmed at once", false, Act::OkButton, IDOK, 0},
        {"right to left, OK", true, Act::OkButton, IDOK, 1},
        {"Enter", false, Act::Enter, IDOK, 0},
        {"right to left, Enter", true, Act::Enter, IDOK, 1},
        {"Cancel", true, Act::CancelButton, IDCANCEL, 1},
        {"Esc", false, Act::Esc, IDCANCEL, 0},
        {"close box", false, Act::CloseBox, IDCANCEL, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CAll_Link_Dlg dlg;
        EXPECT_EQ(dlg.m_nDirection, 0);
        bool firstChecked = false;
        int directionAfterClick = -1;
        const ModalRun run = RunModal(dlg, [&] {
            firstChecked = dlg.m_radioLeftToRight.GetCheck() == BST_CHECKED;
            if (c.pickRight) {
                Click(dlg.m_radioRightToLeft, CentreOf(dlg.m_radioRightToLeft));
                directionAfterClick = dlg.m_nDirection;
            }
            Do(dlg, c.act, &dlg.m_btnOK, &dlg.m_btnCancel);
        });
        EXPECT_FALSE(run.hung);
        EXPECT_TRUE(firstChecked);
        EXPECT_EQ(run.result, c.result);
        EXPECT_EQ(dlg.m_nDirection, c.direction);
        if (c.pickRight) {
            EXPECT_EQ(directionAfterClick, 1);  // taken from the radios at the click, not at OK
        }
    }
}

TEST_F(PromptTest, LinkPromptShowsAndReturnsAPresetDirection)
{
    CAll_Link_Dlg dlg;
    dlg.m_nDirection = 1;
    bool secondChecked = false, firstChecked = true;
    const ModalRun run = RunModal(dlg, [&] {
        secondChecked = dlg.m_radioRightToLeft.GetCheck() == BST_CHECKED;
        firstChecked = dlg.m_radioLeftToRight.GetCheck() == BST_CHECKED;
        Click(dlg.m_radioLeftToRight, CentreOf(dlg.m_radioLeftToRight));
        Click(dlg.m_radioRightToLeft, CentreOf(dlg.m_radioRightToLeft));
        Click(dlg.m_radioLeftToRight, CentreOf(dlg.m_radioLeftToRight));
        Click(dlg.m_btnOK, CentreOf(dlg.m_btnOK));
    });
    EXPECT_FALSE(run.hung);
    EXPECT_TRUE(secondChecked);
    EXPECT_FALSE(firstChecked);
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(dlg.m_nDirection, 0);
}

TEST_F(PromptTest, MapPromptEndingsGiveTheCallerItsChoice)
{
    struct Case {
        const char* name;
        Act act;
        INT_PTR result;
        int choice;
    };
    const Case cases[] = {
        {"Emptied", Act::OkButton, IDOK, REMAP_EMPTY},
        {"Enter", Act::Enter, IDOK, REMAP_EMPTY},
        {"Default", Act::DefaultButton, IDOK, REMAP_DEFAULT},
        {"Cancel", Act::CancelButton, IDCANCEL, REMAP_NOTHING},
        {"Esc", Act::Esc, IDCANCEL, REMAP_NOTHING},
        {"close box", Act::CloseBox, IDCANCEL, REMAP_NOTHING},
    };
    for (int chinese : {0, 1})
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << " chinese " << chinese);
            g_bChinese = chinese;
            CReMap_Dlg dlg;
            EXPECT_EQ(dlg.m_nResult, REMAP_NOTHING);
            int resultWhileOpen = -1;
            const ModalRun run = RunModal(dlg, [&] {
                resultWhileOpen = dlg.m_nResult;
                Do(dlg, c.act, &dlg.m_btnOK, &dlg.m_btnCancel, &dlg.m_btnDefault);
            });
            EXPECT_FALSE(run.hung);
            EXPECT_EQ(resultWhileOpen, REMAP_EMPTY);
            EXPECT_EQ(run.result, c.result);
            EXPECT_EQ(dlg.m_nResult, c.choice);
        }
}

TEST_F(PromptTest, PairPromptEndingsGiveTheAppliedChannel)
{
    struct Case {
        const char* name;
        bool pickSecond;
        Act act;
        INT_PTR result;
        int apply;
    };
    const Case cases[] = {
        {"first at once", false, Act::OkButton, IDOK, 0},
        {"second, OK", true, Act::OkButton, IDOK, 1},
        {"second, Enter", true, Act::Enter, IDOK, 1},
        {"Cancel", false, Act::CancelButton, IDCANCEL, 0},
        {"close box", false, Act::CloseBox, IDCANCEL, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CCH_Link_Dlg dlg;
        dlg.m_nPair = 1;
        bool firstChecked = false;
        const ModalRun run = RunModal(dlg, [&] {
            firstChecked = dlg.m_radioFirst.GetCheck() == BST_CHECKED;
            if (c.pickSecond)
                Click(dlg.m_radioSecond, CentreOf(dlg.m_radioSecond));
            Do(dlg, c.act, &dlg.m_btnOK, &dlg.m_btnCancel);
        });
        EXPECT_FALSE(run.hung);
        EXPECT_TRUE(firstChecked);
        EXPECT_EQ(run.result, c.result);
        EXPECT_EQ(dlg.m_nApply, c.apply);
    }
}
