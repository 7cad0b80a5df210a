// The single-line edit: typing, deleting, selection, the limit, read-only, clipboard and the
// notices to the parent.
#include "TestWindows.h"

#include "CEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

CRect Box(int x, int y, int w, int h) { return CRect(x, y, x + w, y + h); }

class EditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(top.CreateEx(0, nullptr, "t", WS_POPUP | WS_VISIBLE, Box(0, 0, 200, 60), nullptr, 0));
        QWidget* w = top.GetWidget();
        w->activateWindow();
        QApplication::setActiveWindow(w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, Box(10, 10, 120, 20), &top, 21));
        edit.SetFocus();
        top.m_log.clear();
    }
    int Notices(WORD code) const
    {
        int n = 0;
        for (const auto& m : top.m_log)
            n += m.message == WM_COMMAND && m.wParam == MAKEWPARAM(21, code) ? 1 : 0;
        return n;
    }
    void Key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(edit.GetWidget(), k, mods); }
    CRecordingWnd top;
    CEdit edit;
};

}  // namespace

TEST_F(EditTest, TypingInsertsAtTheCaretAndTellsTheParent)
{
    QTest::keyClicks(edit.GetWidget(), "hello");
    EXPECT_EQ(edit.GetWindowText(), "hello");
    EXPECT_EQ(Notices(EN_CHANGE), 5);
    Key(Qt::Key_Home);
    Key(Qt::Key_Right);
    QTest::keyClicks(edit.GetWidget(), "X");
    EXPECT_EQ(edit.GetWindowText(), "hXello");
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Delete);
    EXPECT_EQ(edit.GetWindowText(), "hllo");
    int s = 0, e = 0;
    edit.GetSel(s, e);
    EXPECT_EQ(s, 1);
    EXPECT_EQ(e, 1);
    // A selection is replaced by what is typed.
    Key(Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClicks(edit.GetWidget(), "i");
    EXPECT_EQ(edit.GetWindowText(), "hi");
    QInputMethodEvent ime;
    ime.setCommitString(QStringLiteral("中"));
    QCoreApplication::sendEvent(edit.GetWidget(), &ime);
    EXPECT_EQ(edit.GetWindowText(), "hi中");
}

TEST_F(EditTest, LimitStopsInsertionAndSaysSo)
{
    edit.LimitText(3);
    QTest::keyClicks(edit.GetWidget(), "abcd");
    EXPECT_EQ(edit.GetWindowText(), "abc");
    EXPECT_EQ(Notices(EN_MAXTEXT), 1);
    EXPECT_EQ(edit.LineLength(), 3);
    edit.SetSel(0, 2);
    EXPECT_EQ(edit.LineLength(), 1);  // the part outside the selection
    edit.ReplaceSel("wxyz");          // cut to what fits
    EXPECT_EQ(edit.GetWindowText(), "wxc");
}

TEST_F(EditTest, SetWindowTextReplacesTheTextAndPutsTheCaretFirst)
{
    edit.SetWindowText("abc");
    EXPECT_EQ(Notices(EN_CHANGE), 1);
    int s = -1, e = -1;
    edit.GetSel(s, e);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(e, 0);
    edit.SetSel(1, -1);
    edit.GetSel(s, e);
    EXPECT_EQ(s, 1);
    EXPECT_EQ(e, 3);
}

TEST_F(EditTest, ReadOnlyMovesAndCopiesButDoesNotChange)
{
    edit.SetWindowText("fixed");
    edit.SetReadOnly(TRUE);
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
    QTest::keyClicks(edit.GetWidget(), "zz");
    Key(Qt::Key_Backspace);
    EXPECT_EQ(edit.GetWindowText(), "fixed");
    edit.SetSel(0, 3);
    edit.Copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("fix"));
    edit.SetReadOnly(FALSE);
    edit.SetSel(5, 5);
    edit.Paste();
    EXPECT_EQ(edit.GetWindowText(), "fixedfix");
}

TEST_F(EditTest, NumberStyleTakesDigitsOnlyAndFocusIsReported)
{
    CEdit num;
    ASSERT_TRUE(num.Create(WS_CHILD | WS_VISIBLE | ES_NUMBER, Box(10, 35, 60, 20), &top, 22));
    num.SetFocus();
    EXPECT_EQ(Notices(EN_KILLFOCUS), 1);
    QTest::keyClicks(num.GetWidget(), "1a2-3");
    EXPECT_EQ(num.GetWindowText(), "123");
}

TEST_F(EditTest, ClickPlacesTheCaret)
{
    edit.SetWindowText("abcdef");
    QTest::mouseClick(edit.GetWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(118, 10));
    int s = 0, e = 0;
    edit.GetSel(s, e);
    EXPECT_EQ(s, 6);  // right of the text: the end
    QTest::mouseClick(edit.GetWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(1, 10));
    edit.GetSel(s, e);
    EXPECT_EQ(s, 0);
}
