// The window layer's services behind the message boxes and the transfer popup: the message-box
// handler, dialog units, the program's own key presses and the topmost band.
#include "CDialog.h"
#include "DialogUnits.h"
#include "GdiObjects.h"
#include "KeyStroke.h"
#include "MessageBox.h"
#include "TopMost.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr UINT IDD_KEY_TARGET = 64510;

struct BoxCall {
    CString text;
    UINT type;
    int selector;
};

// Takes the handler away for the test and puts the previous one back after.
class MessageBoxHandlerTest : public ::testing::Test {
protected:
    void SetUp() override { m_previous = SetMessageBoxHandler({}); }
    void TearDown() override { SetMessageBoxHandler(m_previous); }
    MessageBoxHandler m_previous;
};

}  // namespace

TEST_F(MessageBoxHandlerTest, WithoutHandlerNothingShowsAndTheAnswerIsOk)
{
    EXPECT_FALSE(HasMessageBoxHandler());
    EXPECT_EQ(AfxMessageBox("Connection failure!", MB_YESNO, -3), IDOK);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(MessageBoxHandlerTest, HandlerGetsEveryArgumentAndItsAnswerIsReturned)
{
    std::vector<BoxCall> calls;
    EXPECT_FALSE(SetMessageBoxHandler([&](const CString& text, UINT type, int selector) {
        calls.push_back({text, type, selector});
        return IDNO;
    }));
    EXPECT_TRUE(HasMessageBoxHandler());
    EXPECT_EQ(AfxMessageBox("删除场景?", MB_YESNO, -2), IDNO);
    EXPECT_EQ(AfxMessageBox("Saved"), IDNO);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].text, "删除场景?");
    EXPECT_EQ(calls[0].type, MB_YESNO);
    EXPECT_EQ(calls[0].selector, -2);
    EXPECT_EQ(calls[1].text, "Saved");  // defaults: MB_OK, selector 0
    EXPECT_EQ(calls[1].type, MB_OK);
    EXPECT_EQ(calls[1].selector, 0);

    // Replacing hands back the one installed, which still answers when called.
    MessageBoxHandler old = SetMessageBoxHandler([](const CString&, UINT, int) { return IDCANCEL; });
    ASSERT_TRUE(old);
    EXPECT_EQ(AfxMessageBox("x"), IDCANCEL);
    EXPECT_EQ(old("y", MB_OK, 0), IDNO);
}

TEST(DialogUnits, ConvertWithRoundingFromTheFontsBaseUnits)
{
    const CSize base(6, 15);
    struct Case {
        int units;
        int x;
        int y;
    };
    const Case cases[] = {
        {0, 0, 0}, {4, 6, 8}, {8, 12, 15}, {37, 56, 69}, {50, 75, 94}, {-1, -2, -2}, {183, 275, 343},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.units);
        EXPECT_EQ(DialogUnitsToPixelsX(c.units, base), c.x);
        EXPECT_EQ(DialogUnitsToPixelsY(c.units, base), c.y);
    }
    // Edges are converted one by one, so neighbouring controls never overlap by rounding.
    EXPECT_EQ(DialogRect(37, 56, 50, 14, base), CRect(56, 105, 131, 131));
    EXPECT_EQ(DialogRect(-1, 25, 184, 27, base), CRect(-2, 47, 275, 98));
}

TEST(DialogUnits, BaseUnitsFollowTheFont)
{
    EXPECT_EQ(GetDialogBaseUnits(nullptr), CSize(0, 0));
    CFont small, large;
    ASSERT_TRUE(small.CreatePointFont(90, "Arial"));
    ASSERT_TRUE(large.CreatePointFont(200, "Arial"));
    const CSize s = GetDialogBaseUnits(&small);
    const CSize l = GetDialogBaseUnits(&large);
    // A 12-pixel Arial averages 5 to 7 pixels a letter and needs at least 12 pixels a line.
    EXPECT_GE(s.cx, 5);
    EXPECT_LE(s.cx, 7);
    EXPECT_GE(s.cy, 12);
    EXPECT_LE(s.cy, 18);
    EXPECT_GT(l.cx, s.cx);
    EXPECT_GT(l.cy, s.cy);
}

TEST(DialogUnits, OneLayoutFontRegistersEachTemplateOnceAndSizesItsDialog)
{
    const CDialogFontUnits units(90, "Arial");
    CFont arial9;
    ASSERT_TRUE(arial9.CreatePointFont(90, "Arial"));
    const CSize base = GetDialogBaseUnits(&arial9);
    EXPECT_EQ(units.Base(), base);
    EXPECT_EQ(units.Rect(7, 30, 156, 8), DialogRect(7, 30, 156, 8, base));

    constexpr UINT kTemplate = 64991;  // no dialog of the program uses it
    units.RegisterTemplate(kTemplate, "First", 100, 50);
    units.RegisterTemplate(kTemplate, "Second", 10, 5);  // the first registration stands
    CDialog dlg(kTemplate);
    ASSERT_TRUE(dlg.Create(kTemplate));
    CRect rc;
    dlg.GetClientRect(&rc);
    EXPECT_EQ(rc.Width(), DialogUnitsToPixelsX(100, base));
    EXPECT_EQ(rc.Height(), DialogUnitsToPixelsY(50, base));
    EXPECT_EQ(dlg.GetWindowText(), "First");

    CFont font;
    units.ApplyFont(&dlg, font);
    EXPECT_EQ(dlg.GetFont(), &font);
    dlg.DestroyWindow();
}

TEST(KeyStroke, KeyReachesTheModalDialogAsIfTyped)
{
    RegisterDialogTemplate(IDD_KEY_TARGET, DialogTemplate{"keys", 120, 60, 0});
    struct Case {
        UINT vk;
        INT_PTR result;
    };
    for (const Case& c : {Case{VK_RETURN, IDOK}, Case{VK_ESCAPE, IDCANCEL}}) {
        SCOPED_TRACE(c.vk);
        CDialog dlg(IDD_KEY_TARGET);
        BOOL pressed = FALSE;
        QTimer::singleShot(0, [&] { pressed = PressKeyInFocusWindow(c.vk); });
        EXPECT_EQ(dlg.DoModal(), c.result);
        EXPECT_TRUE(pressed);
    }
}

TEST(KeyStroke, OnlyTheKeysItKnowsArePressed)
{
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "top", WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr, 0));
    top.SetFocus();
    EXPECT_FALSE(PressKeyInFocusWindow('A'));
    EXPECT_FALSE(PressKeyInFocusWindow(VK_F1));
}

TEST(TopMost, TopLevelWindowsJoinAndLeaveTheBandWithoutShowingOrMoving)
{
    CWnd hidden, shown;
    ASSERT_TRUE(hidden.CreateEx(0, nullptr, "hidden", WS_POPUP, CRect(10, 20, 110, 70), nullptr, 0));
    ASSERT_TRUE(shown.CreateEx(0, nullptr, "shown", WS_POPUP | WS_VISIBLE, CRect(30, 40, 130, 90), nullptr, 0));
    for (CWnd* w : {&hidden, &shown}) {
        CRect before, after;
        w->GetWindowRect(&before);
        const BOOL visible = w->IsWindowVisible();
        EXPECT_FALSE(IsWindowTopMost(w));
        EXPECT_TRUE(SetWindowTopMost(w));
        EXPECT_TRUE(IsWindowTopMost(w));
        w->GetWindowRect(&after);
        EXPECT_EQ(after, before);
        EXPECT_EQ(w->IsWindowVisible(), visible);
        EXPECT_TRUE(SetWindowTopMost(w, FALSE));
        EXPECT_FALSE(IsWindowTopMost(w));
        EXPECT_EQ(w->IsWindowVisible(), visible);
    }
}

TEST(TopMost, ChildAndMissingWindowsAreRefused)
{
    CWnd top, child, none;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "top", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    ASSERT_TRUE(child.Create(nullptr, "child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &top, 5));
    EXPECT_FALSE(SetWindowTopMost(&child));
    EXPECT_FALSE(SetWindowTopMost(&none));
    EXPECT_FALSE(SetWindowTopMost(nullptr));
    EXPECT_FALSE(IsWindowTopMost(&child));
    EXPECT_FALSE(IsWindowTopMost(nullptr));
}
