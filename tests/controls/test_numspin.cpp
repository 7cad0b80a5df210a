// The spin controls: steps of the up-down beside a field by mouse (buddy follows, the page hears
// the timer and the release) and by wheel (at once), frequencies over the grid, ratios, delays
// by whole centimetres with WM_DELAY_SPIN_STEP, the position error, and the arrow button of a
// read-only delay field.
#include "ControlTestKit.h"

#include "AppMessages.h"
#include "CNumEdit.h"
#include "CNumSpin.h"
#include "Convert.h"
#include "Globals.h"
#include "ModelUi.h"
#include "SpinSteps.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kEditId = 5401;
constexpr UINT kSpinId = 5402;
constexpr UINT kButtonId = 5403;
const CPoint kUp(8, 4);
const CPoint kDown(8, 16);

struct Notice {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Notice& o) const { return message == o.message && wParam == o.wParam && lParam == o.lParam; }
};

class SpinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureSharedGdiObjects();
        ASSERT_TRUE(page.Make(100, 100, 260, 80));
        ASSERT_TRUE(Activate(page));
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(20, 20, 113, 38), &page, kEditId));
        edit.SetFont(&g_fontArial14);
        ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, CRect(116, 18, 132, 40), &page, kSpinId));
        spin.SetBuddy(&edit);
    }
    // The field as a page sets it up: display type first, then the range through the spin.
    void Field(int nType, const char* unit, int nMin, int nMax, int nValue)
    {
        edit.SetType(nType, unit);
        spin.SetRange(nMin, nMax);
        spin.SetPos(nValue);
        Pump();
        page.Forget();
    }
    // The spin's value notices and delay steps, in order. The notice is sent: a check while an
    // arrow is held reads the log without running the loop, so no repeat timer can come between.
    std::vector<Notice> Heard(bool bPump = true)
    {
        if (bPump)
            Pump();
        std::vector<Notice> out;
        for (const Received& m : page.m_log) {
            if (m.message == WM_DELAY_SPIN_STEP)
                out.push_back({m.message, m.wParam, m.lParam});
            else if (m.message == WM_COMMAND && m.wParam == kSpinId)
                out.push_back({m.message, m.wParam, m.lParam});
        }
        page.Forget();
        return out;
    }
    Notice ValueNotice() const
    {
        return {WM_COMMAND, kSpinId, LPARAM(LOWORD(uintptr_t(spin.GetSafeHwnd())))};
    }
    static Notice DelayStep(int d) { return {WM_DELAY_SPIN_STEP, kSpinId, LPARAM(d)}; }
    void ClickArrow(CPoint at)
    {
        Press(spin, at);
        Release(spin, at);
    }
    CStage page;
    CNumEdit edit;
    CNumSpin spin;
};

}  // namespace

TEST(SpinSteps, RatiosStepByTenthsThenHalves)
{
    const struct {
        int a, d, b;
    } cases[] = {{1, 1, 2}, {10, 1, 11}, {11, 1, 16}, {186, 1, 191}, {11, -1, 6}, {10, -1, 9},
                 {1, -1, 0}, {0, -1, -5}, {16, -1, 11}, {7, 0, 7}};
    for (const auto& c : cases)
        EXPECT_EQ(RatioStep(c.a, c.d), c.b) << c.a << " " << c.d;
}

TEST(SpinSteps, FrequenciesStepFromGridPointToGridPoint)
{
    const struct {
        int hz;
        bool up;
        int lo, hi, next;
    } cases[] = {{1001, true, 20, 20000, 1030}, {999, false, 20, 20000, 972}, {21, true, 20, 20000, 21},
                 {20001, true, 20, 20000, 20000}, {19, false, 20, 20000, 20}, {20000, true, 20, 15000, 15000}};
    for (const auto& c : cases)
        EXPECT_EQ(FreqGridStep(c.hz, c.up, c.lo, c.hi), c.next) << c.hz;
}

TEST_F(SpinTest, RangeGivesTheBuddyItsRangeAndTheStepType)
{
    edit.SetType(NUMTYPE_FREQ_HZ, "");
    spin.SetRange(20, 20000);
    EXPECT_EQ(spin.GetType(), NUMTYPE_FREQ_HZ);
    EXPECT_EQ(edit.GetValue(), 20);
    int lo = 0, hi = 0;
    spin.GetRange32(lo, hi);
    EXPECT_EQ(lo, 20);
    EXPECT_EQ(hi, 20000);
}

TEST_F(SpinTest, FrequencyFieldStepsOverTheGridWithTheMouse)
{
    Field(NUMTYPE_FREQ_HZ, "", 20, 20000, 1000);
    Press(spin, kUp);
    EXPECT_TRUE(spin.IsPressed());
    EXPECT_EQ(edit.GetValue(), 1030);  // the buddy follows at once
    EXPECT_EQ(edit.GetWindowText(), "1030Hz");
    EXPECT_EQ(Heard(false), std::vector<Notice>{});  // the page waits for the release
    Release(spin, kUp);
    EXPECT_EQ(Heard(), std::vector<Notice>{ValueNotice()});

    spin.SetPos(1000);
    ClickArrow(kDown);
    EXPECT_EQ(edit.GetValue(), 972);
    spin.SetPos(20000);
    page.Forget();
    ClickArrow(kUp);
    EXPECT_EQ(edit.GetValue(), 20000);
    EXPECT_EQ(Heard(), std::vector<Notice>{});  // nothing changed, nothing heard
    // With plain steps the same field moves by 1 Hz.
    spin.SetType(0);
    spin.SetPos(1000);
    ClickArrow(kUp);
    EXPECT_EQ(edit.GetValue(), 1001);
}

TEST_F(SpinTest, HeldArrowNotifiesAtTheTimerAndAtTheRelease)
{
    Field(NUMTYPE_FREQ, "", 0, 100, 50);
    spin.SetType(0);
    Press(spin, kUp);
    EXPECT_EQ(edit.GetValue(), 51);
    spin.SendMessage(WM_TIMER, NUMSPIN_REPEAT_TIMER);
    EXPECT_EQ(Heard(false), std::vector<Notice>{ValueNotice()});
    spin.SendMessage(WM_TIMER, NUMSPIN_REPEAT_TIMER);  // no change since
    EXPECT_EQ(Heard(false), std::vector<Notice>{});
    Release(spin, kUp);
    EXPECT_EQ(Heard(), std::vector<Notice>{});
}

TEST_F(SpinTest, WheelStepsAtOnceWithTheNotice)
{
    Field(NUMTYPE_FREQ, "", 0, 100, 50);
    spin.SetType(0);
    Wheel(spin, 120);
    EXPECT_EQ(edit.GetValue(), 51);
    EXPECT_EQ(Heard(), std::vector<Notice>{ValueNotice()});
    Wheel(spin, -240);  // two notches, two steps
    EXPECT_EQ(edit.GetValue(), 49);
    EXPECT_EQ(Heard(), (std::vector<Notice>{ValueNotice(), ValueNotice()}));
}

TEST_F(SpinTest, RatioFieldStepsByTenthsThenHalves)
{
    Field(NUMTYPE_RATIO, "", 1, 191, 10);
    Wheel(spin, 120);
    EXPECT_EQ(edit.GetValue(), 11);
    EXPECT_EQ(edit.GetWindowText(), "2.0:1");
    Wheel(spin, 120);
    EXPECT_EQ(edit.GetValue(), 16);
    EXPECT_EQ(edit.GetWindowText(), "2.5:1");
    spin.SetPos(11);
    Wheel(spin, -120);
    EXPECT_EQ(edit.GetValue(), 6);
    EXPECT_EQ(edit.GetWindowText(), "1.5:1");
}

TEST_F(SpinTest, CentimetreDelayStepsByWholeCentimetresWithoutTheMouse)
{
    Field(NUMTYPE_DELAY_CM, "CM", 0, DELAY_MAX_STEPS, 100);
    spin.SetType(NUMSPIN_STEP_DELAY);
    EXPECT_EQ(edit.GetWindowText(), "72CM");
    Wheel(spin, 120);
    EXPECT_EQ(edit.GetValue(), 101);
    EXPECT_EQ(edit.GetWindowText(), "73CM");
    EXPECT_EQ(Heard(), (std::vector<Notice>{ValueNotice(), DelayStep(1)}));
    spin.SetPos(500);
    Wheel(spin, -120);
    EXPECT_EQ(edit.GetValue(), 498);  // 499 steps still show 360 cm
    EXPECT_EQ(edit.GetWindowText(), "359CM");
    EXPECT_EQ(Heard(), (std::vector<Notice>{ValueNotice(), DelayStep(-1)}));
}

TEST_F(SpinTest, CentimetreDelayClickedWithTheMouseMovesOneDelayStep)
{
    Field(NUMTYPE_DELAY_CM, "CM", 0, DELAY_MAX_STEPS, 500);
    spin.SetType(NUMSPIN_STEP_DELAY);
    Press(spin, kDown);
    EXPECT_EQ(edit.GetValue(), 499);
    spin.SendMessage(WM_TIMER, NUMSPIN_REPEAT_TIMER);
    Release(spin, kDown);
    EXPECT_EQ(Heard(), std::vector<Notice>{ValueNotice()});  // no delay step, one notice from the timer
}

TEST_F(SpinTest, PositionOutsideTheRangeSaysSoAndTakesTheNearerEnd)
{
    Field(NUMTYPE_FREQ, "", 0, 100, 50);
    CModelUiRecorder ui;
    spin.SetPos(105);
    EXPECT_EQ(edit.GetValue(), 100);
    ASSERT_EQ(ui.m_messages.size(), 1u);
    EXPECT_EQ(ui.m_messages[0].first, "Set Pos Error!");
    g_bChinese = 1;
    spin.SetPos(-3);
    g_bChinese = 0;
    EXPECT_EQ(edit.GetValue(), 0);
    ASSERT_EQ(ui.m_messages.size(), 2u);
    EXPECT_EQ(ui.m_messages[1].first, "设定Pos错误!");
}

TEST_F(SpinTest, StepStartsFromTheSpinsOwnPositionNotAValueSetOnTheBuddy)
{
    Field(NUMTYPE_FREQ, "", 0, 100, 50);
    spin.SetType(0);
    edit.SetValue(80);
    Wheel(spin, 120);
    EXPECT_EQ(edit.GetValue(), 51);
    // Typed text that nobody read yet is read first.
    edit.SetFocus();
    QTest::keyClicks(edit.GetWidget(), "20");
    Wheel(spin, 120);
    EXPECT_EQ(edit.GetValue(), 21);
}

namespace {

// A read-only centimetre delay field with its arrow button, as the output page has them.
class SpinButtonTest : public SpinTest {
protected:
    void SetUp() override
    {
        SpinTest::SetUp();
        edit.SetType(NUMTYPE_DELAY_CM, "CM");
        spin.SetRange(0, DELAY_MAX_STEPS);
        spin.SetType(NUMSPIN_STEP_DELAY);
        ASSERT_TRUE(edit.CreateSpinButton(kButtonId));
        btn().SetBitmaps(Faces::kSpin93[0], Faces::kSpin93[1], Faces::kSpin93[2], Faces::kSpin93[3]);
        edit.SetSpinTarget(0, &spin);
        edit.SetReadOnly(TRUE);
        spin.SetPos(100);
        edit.SetFocus();
        Pump();
        page.Forget();
    }
    CSpinBtn& btn() { return edit.GetSpinButton(); }
    const CPoint kRight{88, 9};
    const CPoint kLeft{4, 9};
    const CPoint kMiddle{46, 9};
};

}  // namespace

TEST_F(SpinButtonTest, AreasComeFromTheWidth)
{
    // 93 / 5.5 = 16.9: left 0..16, right 77..93.
    EXPECT_EQ(btn().LeftArea(), CRect(0, 0, 16, 18));
    EXPECT_EQ(btn().MiddleArea(), CRect(16, 0, 76, 18));
    EXPECT_EQ(btn().RightArea(), CRect(76, 0, 93, 18));
    EXPECT_TRUE(btn().IsActive());
    EXPECT_EQ(btn().GetArrowState(), SPINBTN_ACTIVE);
    EXPECT_EQ(btn().GetWindowText(), "72CM");
}

TEST_F(SpinButtonTest, AClickWithoutMovingDoesNotStep)
{
    Press(btn(), kRight);
    Pump();  // the field takes the focus back and activates the button again
    EXPECT_EQ(CWnd::GetFocus(), &edit);
    EXPECT_TRUE(btn().IsActive());
    Release(btn(), kRight);
    Pump();
    EXPECT_EQ(edit.GetValue(), 100);
    EXPECT_EQ(page.Count(WM_DELAY_SPIN_STEP), 0);
}

TEST_F(SpinButtonTest, HoldingOverTheRightArrowStepsUpUntilTheRelease)
{
    Press(btn(), kRight);
    Pump();
    page.Forget();
    DragTo(btn(), kRight);
    EXPECT_EQ(btn().GetArrowState(), SPINBTN_OVER_RIGHT);
    ASSERT_TRUE(WaitUntil([this] { return edit.GetValue() > 101; }));
    Release(btn(), kRight);
    const std::vector<Notice> heard = Heard();
    // Each step: the value notice, then the delay step; each changes the shown centimetres.
    ASSERT_GE(heard.size(), 4u);
    ASSERT_EQ(heard.size() % 2, 0u);
    int expected = 100;
    for (size_t i = 0; i < heard.size(); i += 2) {
        EXPECT_EQ(heard[i], ValueNotice());
        EXPECT_EQ(heard[i + 1], DelayStep(1));
        expected = StepDelayByCm(expected, 1);
    }
    EXPECT_EQ(edit.GetValue(), expected);
}

TEST_F(SpinButtonTest, DoubleClickStepsOnceOnlyOverAnArrow)
{
    MoveTo(btn(), kMiddle);
    SendMouse(btn(), QEvent::MouseButtonDblClick, kMiddle, Qt::LeftButton, Qt::LeftButton);
    Release(btn(), kMiddle);
    EXPECT_EQ(edit.GetValue(), 100);
    MoveTo(btn(), kLeft);
    EXPECT_EQ(btn().GetArrowState(), SPINBTN_OVER_LEFT);
    SendMouse(btn(), QEvent::MouseButtonDblClick, kLeft, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(edit.GetValue(), StepDelayByCm(100, -1));
    EXPECT_EQ(Heard(), (std::vector<Notice>{ValueNotice(), DelayStep(-1)}));
}

TEST_F(SpinButtonTest, WheelDoesNotStepAndUpGivesTheFocusBack)
{
    MoveTo(btn(), kRight);
    Wheel(btn(), 120);
    Wheel(btn(), -120);
    EXPECT_EQ(edit.GetValue(), 100);
    btn().SetFocus();
    QTest::keyClick(btn().GetWidget(), Qt::Key_Up);
    EXPECT_EQ(CWnd::GetFocus(), &edit);
}
