// Typing into a band field with real key events: the value reaches the band when the focus
// leaves the field, by Tab, Enter or a click elsewhere.
#include "InputPageRig.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace input_test;

namespace {

enum class LeaveBy { Tab, Enter, Click };

}  // namespace

TEST_F(InputPageTest, TypedValuesReachTheBandWhenTheFocusMovesOn)
{
    page->ShowWindow(SW_SHOW);
    ASSERT_TRUE(Activate(*page));
    struct Row {
        int band;
        const char* text;
        LeaveBy leave;
        int freq;
    };
    const Row rows[] = {{3, "1000", LeaveBy::Tab, 1000}, {7, "250", LeaveBy::Enter, 250}, {12, "99999", LeaveBy::Click, 20000}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        CNumEdit& field = page->GetFreqEdit(r.band);
        field.SetFocus();
        field.SetSel(0, -1);
        QTest::keyClicks(field.GetWidget(), r.text);
        if (r.leave == LeaveBy::Tab)
            QTest::keyClick(field.GetWidget(), Qt::Key_Tab);
        else if (r.leave == LeaveBy::Enter)
            QTest::keyClick(field.GetWidget(), Qt::Key_Return);
        else
            page->GetGainEdit(0).SetFocus();
        Pump();
        EXPECT_EQ(Music(0).GetFilter(r.band)->GetFreq(), r.freq);
        EXPECT_EQ(page->GetFreqSpin(r.band).GetPos(), r.freq);
        EXPECT_NE(CWnd::GetFocus(), &field);
        // The page stays open whatever key left the field.
        EXPECT_TRUE(page->IsWindowVisible());
    }
    // Tab went on to the next band's frequency, Enter to the band's Q field.
    page->GetFreqEdit(3).SetFocus();
    QTest::keyClick(page->GetFreqEdit(3).GetWidget(), Qt::Key_Tab);
    Pump();
    EXPECT_EQ(CWnd::GetFocus(), &page->GetFreqEdit(4));
    QTest::keyClick(page->GetFreqEdit(4).GetWidget(), Qt::Key_Return);
    Pump();
    EXPECT_EQ(CWnd::GetFocus(), &page->GetQEdit(4));
}
