// The numeric edit field: typing, Enter and leaving the field, the value notice and its
// lParam, keys posted to the parent, clicks, the highlight, the language switch, read-only
// fields with their spin button.
#include "ControlTestKit.h"

#include "AppMessages.h"
#include "CNumEdit.h"
#include "Globals.h"

#include <QInputMethodEvent>

#include <gtest/gtest.h>

namespace {

constexpr UINT kId = 5201;

// A page that moves on when Enter reaches it, as the pages do.
class CPage : public CStage {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NUMEDIT_KEYDOWN && lParam == LPARAM(VK_RETURN))
            SetFocus();
        return CStage::WindowProc(message, wParam, lParam);
    }
};

class NumEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureSharedGdiObjects();
        ASSERT_TRUE(page.Make(100, 100, 240, 80));
        ASSERT_TRUE(Activate(page));
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(20, 20, 120, 40), &page, kId));
        edit.SetFont(&g_fontArial14);
        Level(edit);
        edit.SetValue(200);
        Pump();
        page.Forget();
    }
    void TearDown() override { g_bChinese = 0; }
    // Gain index 80..320 shown as -12.0 .. +12.0 (type 10).
    static void Level(CNumEdit& e)
    {
        e.SetRange(80, 320);
        e.SetScale(0.1);
        e.SetOffset(20);
        e.SetType(NUMTYPE_LEVEL, "");
    }
    int Notices()
    {
        Pump();
        int n = 0;
        for (const Received& m : page.All(WM_COMMAND)) {
            if (HIWORD(m.wParam) != 0)
                continue;  // the edit control's own notices (EN_CHANGE, ...)
            EXPECT_EQ(m.wParam, WPARAM(kId));
            EXPECT_EQ(m.lParam, LPARAM(LOWORD(uintptr_t(edit.GetSafeHwnd()))));
            ++n;
        }
        return n;
    }
    std::vector<LPARAM> KeysPosted()
    {
        Pump();
        std::vector<LPARAM> keys;
        for (const Received& m : page.All(WM_NUMEDIT_KEYDOWN)) {
            EXPECT_EQ(m.wParam, WPARAM(kId));
            keys.push_back(m.lParam);
        }
        return keys;
    }
    void Type(const char* text) { QTest::keyClicks(edit.GetWidget(), text); }
    CPage page;
    CNumEdit edit;
};

}  // namespace

TEST_F(NumEditTest, TypingThenEnterCommitsWhenThePageMovesOn)
{
    EXPECT_EQ(edit.GetWindowText(), "0.0");
    edit.SetFocus();
    page.Forget();
    Type("-3.5");
    EXPECT_EQ(edit.GetWindowText(), "-3.5");
    EXPECT_EQ(edit.GetModified(), 1);
    EXPECT_EQ(Notices(), 0);  // typing alone tells nobody
    QTest::keyClick(edit.GetWidget(), Qt::Key_Return);
    // Enter means nothing to the box: it posts the key, and the page moves the focus on.
    EXPECT_EQ(KeysPosted().back(), LPARAM(VK_RETURN));
    EXPECT_NE(CWnd::GetFocus(), &edit);
    EXPECT_EQ(Notices(), 1);
    EXPECT_EQ(edit.GetWindowText(), "-3.5");
    EXPECT_EQ(edit.GetModified(), 1);  // until somebody reads it
    EXPECT_EQ(edit.GetValue(), 165);
    EXPECT_EQ(edit.GetModified(), 0);
    page.Forget();
    edit.SetFocus();
    page.SetFocus();  // leaving without typing sends nothing
    EXPECT_EQ(Notices(), 0);
}

TEST_F(NumEditTest, NumberAboveTheRangeShowsTheMaximumAndNotifiesOnce)
{
    edit.SetFocus();
    Type("15");
    page.SetFocus();
    EXPECT_EQ(edit.GetWindowText(), "12.0");
    EXPECT_EQ(Notices(), 1);
    EXPECT_EQ(edit.GetValue(), 320);
}

TEST_F(NumEditTest, ASecondFocusLossBeforeGetValueCommitsAgain)
{
    edit.SetFocus();
    Type("-40");
    page.SetFocus();
    EXPECT_EQ(Notices(), 1);
    page.Forget();
    edit.SetFocus();
    page.SetFocus();
    EXPECT_EQ(Notices(), 1);
    EXPECT_EQ(edit.GetValue(), 80);
}

TEST_F(NumEditTest, RangeAndValueSetters)
{
    edit.SetRange(100, 200);
    EXPECT_EQ(edit.GetValue(), 100);
    EXPECT_EQ(edit.GetWindowText(), "0.0");  // not reformatted yet
    edit.UpdateText();
    EXPECT_EQ(edit.GetWindowText(), "-10.0");
    edit.SetValue(201);  // outside: ignored, nothing sent
    EXPECT_EQ(edit.GetValue(), 100);
    EXPECT_EQ(edit.GetWindowText(), "-10.0");
    EXPECT_EQ(Notices(), 0);
    edit.StepValue(500);
    EXPECT_EQ(edit.GetValue(), 200);
    EXPECT_EQ(edit.GetWindowText(), "0.0");
    EXPECT_EQ(Notices(), 1);
}

TEST_F(NumEditTest, ClickOnAnUnfocusedBoxNotifiesAndSelectsTheText)
{
    Click(edit, CPoint(30, 10));
    EXPECT_EQ(Notices(), 1);
    EXPECT_EQ(CWnd::GetFocus(), &edit);
    int s = -1, e = -1;
    edit.GetSel(s, e);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(e, 3);
    EXPECT_TRUE(edit.GetHighlight());
    page.Forget();
    Click(edit, CPoint(2, 10));  // focused: the edit places the caret, still a notice
    EXPECT_EQ(Notices(), 1);
    edit.GetSel(s, e);
    EXPECT_EQ(s, e);
}

TEST_F(NumEditTest, KeysArePostedAfterTheBoxHandledThemButNotWithCtrlOrShift)
{
    edit.SetFocus();
    edit.SetSel(3, 3);
    page.Forget();
    QTest::keyClick(edit.GetWidget(), Qt::Key_Left);
    int s = -1, e = -1;
    edit.GetSel(s, e);
    EXPECT_EQ(s, 2);  // the caret moved first
    QTest::keyClick(edit.GetWidget(), Qt::Key_Down);
    QTest::keyClick(edit.GetWidget(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(edit.GetWidget(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(KeysPosted(), (std::vector<LPARAM>{LPARAM(VK_LEFT), LPARAM(VK_DOWN)}));
}

TEST_F(NumEditTest, OnlySingleByteCharactersCanBeTyped)
{
    edit.SetFocus();
    QInputMethodEvent typed;
    typed.setCommitString(QStringLiteral("5中6"));
    QCoreApplication::sendEvent(edit.GetWidget(), &typed);
    EXPECT_EQ(edit.GetWindowText(), "56");
}

TEST_F(NumEditTest, FocusHighlightsTheFieldLightBlue)
{
    auto fieldPixel = [this] {
        Pump();
        CRect rc;
        edit.GetWindowRect(&rc);
        page.ScreenToClient(&rc);
        return PixelOf(GrabOf(page), rc.right - 3, rc.top + 2);  // right of the text
    };
    EXPECT_EQ(fieldPixel(), kStageColour);  // the page shows through
    edit.SetFocus();
    EXPECT_EQ(fieldPixel(), NUMEDIT_HIGHLIGHT);
    page.SetFocus();
    EXPECT_EQ(fieldPixel(), kStageColour);
    edit.SetHighlight(TRUE);
    EXPECT_EQ(fieldPixel(), NUMEDIT_HIGHLIGHT);
}

TEST_F(NumEditTest, LanguageSwitchSwapsTheOffTextAndReformatsDelays)
{
    CNumEdit level, delay;
    ASSERT_TRUE(level.Create(WS_CHILD | WS_VISIBLE, CRect(20, 45, 120, 60), &page, 5202));
    ASSERT_TRUE(delay.Create(WS_CHILD | WS_VISIBLE, CRect(130, 45, 230, 60), &page, 5203));
    level.SetRange(0, 100);
    level.SetScale(1);
    level.SetOffset(120);
    level.SetType(23, "dBu");
    EXPECT_EQ(level.GetWindowText(), "OFF");
    delay.SetRange(0, 960);
    delay.SetType(NUMTYPE_DELAY_CM, "CM");
    delay.SetValue(480);
    EXPECT_EQ(delay.GetWindowText(), "346CM");
    g_bChinese = 1;
    level.UpdateOffText();
    delay.UpdateOffText();
    EXPECT_EQ(level.GetWindowText(), "关闭");
    EXPECT_EQ(delay.GetWindowText(), "346厘米");
    edit.UpdateOffText();  // other texts stay
    EXPECT_EQ(edit.GetWindowText(), "0.0");
    g_bChinese = 0;
    level.UpdateOffText();
    EXPECT_EQ(level.GetWindowText(), "OFF");
}

TEST_F(NumEditTest, FrequencyFieldsClampWithoutTypingButNotifyOnlyForTypedText)
{
    edit.SetRange(20, 20000);
    edit.SetType(NUMTYPE_FREQ_HZ, "");
    edit.SetValue(1000);
    edit.SetFocus();
    edit.SetWindowText("5Hz");  // set by the program: not typed
    page.Forget();
    page.SetFocus();
    EXPECT_EQ(edit.GetValue(), 20);
    EXPECT_EQ(Notices(), 0);
    EXPECT_EQ(edit.GetWindowText(), "5Hz");
    edit.SetFocus();
    Type("OFF");  // no frequency: nothing at all
    page.SetFocus();
    EXPECT_EQ(Notices(), 0);
    EXPECT_EQ(edit.GetWindowText(), "OFF");
}

TEST_F(NumEditTest, VoltageThatCannotBeConvertedStoresTheLowestCode)
{
    edit.SetRange(0, 420);
    edit.SetScale(0.1);
    edit.SetOffset(30);
    edit.SetType(NUMTYPE_VOLTAGE, "");
    edit.SetValue(300);
    EXPECT_EQ(edit.GetWindowText(), "2.200Vpp");
    edit.SetFocus();
    Type("-1");
    page.SetFocus();
    EXPECT_EQ(edit.GetValue(), 0);
    EXPECT_EQ(edit.GetWindowText(), "0.070Vpp");
}

TEST_F(NumEditTest, ReadOnlyDelayFieldShowsItsSpinButtonWithTheText)
{
    edit.SetRange(0, 960);
    edit.SetType(NUMTYPE_DELAY_MS, "MS");
    ASSERT_TRUE(edit.CreateSpinButton(5301));
    edit.GetSpinButton().SetBitmaps(Faces::kSpin93[0], Faces::kSpin93[1], Faces::kSpin93[2], Faces::kSpin93[3]);
    edit.SetValue(480);
    EXPECT_FALSE(edit.GetSpinButton().IsWindowVisible());
    EXPECT_EQ(edit.GetSpinButton().GetWindowText(), "10.000MS");
    edit.SetReadOnly(TRUE);
    EXPECT_TRUE(edit.GetSpinButton().IsWindowVisible());
    EXPECT_EQ(SizeOf(edit.GetSpinButton()), CSize(93, 18));
    edit.SetFocus();
    EXPECT_TRUE(edit.GetSpinButton().IsActive());
    // Shift with a key does nothing in a read-only box; a plain key is still posted.
    page.Forget();
    QTest::keyClick(edit.GetWidget(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(edit.GetWidget(), Qt::Key_Left);
    EXPECT_EQ(KeysPosted(), (std::vector<LPARAM>{LPARAM(VK_LEFT)}));
    page.SetFocus();
    EXPECT_FALSE(edit.GetSpinButton().IsActive());
    edit.SetReadOnly(FALSE);
    EXPECT_FALSE(edit.GetSpinButton().IsWindowVisible());
}

TEST_F(NumEditTest, DelayValueCommitsPendingTextWithItsNotice)
{
    edit.SetRange(0, 960);
    edit.SetType(NUMTYPE_DELAY_MS, "");
    edit.SetValue(0);
    edit.SetFocus();
    Type("0.104");
    page.Forget();
    EXPECT_EQ(edit.GetDelayValue(), 5);
    EXPECT_EQ(Notices(), 1);
    EXPECT_EQ(edit.GetWindowText(), "0.104");
}
