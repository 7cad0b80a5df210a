// Mouse, keyboard, focus and capture as window messages.
#include "TestWindows.h"

#include "WinApi.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

CRect Box(int x, int y, int w, int h) { return CRect(x, y, x + w, y + h); }

class InputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(top.CreateEx(0, nullptr, "top", WS_POPUP | WS_VISIBLE, Box(0, 0, 200, 100), nullptr, 0));
        ASSERT_TRUE(a.Create(nullptr, "", WS_CHILD | WS_VISIBLE, Box(10, 10, 50, 50), &top, 1));
        ASSERT_TRUE(b.Create(nullptr, "", WS_CHILD | WS_VISIBLE, Box(100, 10, 50, 50), &top, 2));
        QWidget* w = top.GetWidget();
        w->activateWindow();
        QApplication::setActiveWindow(w);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    }
    std::vector<RecordedMessage> Inputs(const CRecordingWnd& wnd) const
    {
        std::vector<RecordedMessage> out;
        for (const auto& m : wnd.m_log)
            if (m.message != WM_PAINT && m.message != WM_ERASEBKGND && m.message != WM_MOUSEMOVE &&
                m.message != WM_SETCURSOR)
                out.push_back(m);
        return out;
    }
    CRecordingWnd top, a, b;
};

}  // namespace

TEST_F(InputTest, MouseButtonsArriveInClientCoordinatesWithKeyFlags)
{
    QWidget* w = a.GetWidget();
    a.m_log.clear();
    QTest::mousePress(w, Qt::LeftButton, Qt::ShiftModifier, QPoint(7, 8));
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, QPoint(7, 8));
    QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(9, 4));
    const auto in = Inputs(a);
    ASSERT_GE(in.size(), 3u);
    EXPECT_EQ(in[0].message, WM_LBUTTONDOWN);
    EXPECT_EQ(in[0].wParam, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(in[0].lParam, MAKELPARAM(7, 8));
    EXPECT_EQ(in[1].message, WM_LBUTTONUP);
    EXPECT_EQ(in[1].wParam, WPARAM(0));
    EXPECT_NE(a.Last(WM_LBUTTONDBLCLK), nullptr);
    EXPECT_EQ(a.Last(WM_LBUTTONDBLCLK)->lParam, MAKELPARAM(9, 4));
    EXPECT_EQ(top.Count(WM_LBUTTONDOWN), 0);  // a child's click stays with the child
}

TEST_F(InputTest, RightClickBecomesAContextMenuForTheParentWhenTheChildIgnoresIt)
{
    QWidget* w = a.GetWidget();
    QTest::mouseClick(w, Qt::RightButton, Qt::NoModifier, QPoint(5, 6));
    ASSERT_NE(a.Last(WM_RBUTTONUP), nullptr);
    const RecordedMessage* cm = top.Last(WM_CONTEXTMENU);
    ASSERT_NE(cm, nullptr);
    EXPECT_EQ(CWnd::FromHandle(reinterpret_cast<HWND>(cm->wParam)), &a);
    CPoint p(GET_X_LPARAM(cm->lParam), GET_Y_LPARAM(cm->lParam));
    a.ScreenToClient(&p);
    EXPECT_EQ(p, CPoint(5, 6));
}

TEST_F(InputTest, WheelGoesToTheParentUnlessHandled)
{
    QWidget* w = a.GetWidget();
    const QPoint g = w->mapToGlobal(QPoint(3, 3));
    QWheelEvent wheel(QPointF(3, 3), QPointF(g), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &wheel);
    const RecordedMessage* m = top.Last(WM_MOUSEWHEEL);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(short(HIWORD(m->wParam)), -120);
    EXPECT_EQ(LOWORD(m->wParam), MK_CONTROL);
    EXPECT_EQ(CPoint(GET_X_LPARAM(m->lParam), GET_Y_LPARAM(m->lParam)), CPoint(g.x(), g.y()));
}

TEST_F(InputTest, LeaveIsReportedOnceAfterTracking)
{
    // Qt's enter and leave are sent straight to the widget: the pointer's travels between tests
    // must not matter here.
    QWidget* w = a.GetWidget();
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
    EXPECT_EQ(a.Count(WM_MOUSEMOVE), 1);
    TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT), TME_LEAVE, a.GetSafeHwnd(), 0};
    EXPECT_TRUE(TrackMouseEvent(&tme));
    EXPECT_EQ(a.Count(WM_MOUSELEAVE), 0);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(w, &leave);
    EXPECT_EQ(a.Count(WM_MOUSELEAVE), 1);
    QCoreApplication::sendEvent(w, &leave);
    EXPECT_EQ(a.Count(WM_MOUSELEAVE), 1);  // one request, one notice

    // Asked while the pointer is already outside: answered at once (posted).
    EXPECT_TRUE(TrackMouseEvent(&tme));
    ASSERT_TRUE(WaitUntil([&] { return a.Count(WM_MOUSELEAVE) == 2; }));
    TRACKMOUSEEVENT bad{sizeof(TRACKMOUSEEVENT), TME_LEAVE, nullptr, 0};
    EXPECT_FALSE(TrackMouseEvent(&bad));
}

TEST_F(InputTest, KeysGiveKeyDownCharAndKeyUpToTheFocusWindow)
{
    a.SetFocus();
    ASSERT_TRUE(WaitUntil([&] { return a.Count(WM_SETFOCUS) == 1; }));
    EXPECT_EQ(CWnd::GetFocus(), &a);
    a.m_log.clear();
    QTest::keyClick(a.GetWidget(), Qt::Key_A);
    QTest::keyClick(a.GetWidget(), Qt::Key_Left);
    QTest::keyClick(a.GetWidget(), Qt::Key_Minus, Qt::KeypadModifier);
    const auto in = Inputs(a);
    std::vector<std::pair<UINT, WPARAM>> got;
    for (const auto& m : in)
        got.emplace_back(m.message, m.wParam);
    const std::vector<std::pair<UINT, WPARAM>> want = {
        {WM_KEYDOWN, 'A'},         {WM_CHAR, 'a'},     {WM_KEYUP, 'A'},          {WM_KEYDOWN, VK_LEFT},
        {WM_KEYUP, VK_LEFT},       {WM_KEYDOWN, VK_SUBTRACT}, {WM_CHAR, '-'},   {WM_KEYUP, VK_SUBTRACT},
    };
    EXPECT_EQ(got, want);

    b.SetFocus();
    ASSERT_TRUE(WaitUntil([&] { return a.Count(WM_KILLFOCUS) == 1; }));
    EXPECT_EQ(CWnd::FromHandle(reinterpret_cast<HWND>(a.Last(WM_KILLFOCUS)->wParam)), &b);
}

TEST_F(InputTest, TypedChineseArrivesAsCharacters)
{
    a.SetFocus();
    a.m_log.clear();
    QInputMethodEvent ime;
    ime.setCommitString(QString::fromUtf8("中文"));
    QCoreApplication::sendEvent(a.GetWidget(), &ime);
    const auto in = Inputs(a);
    ASSERT_EQ(in.size(), 2u);
    EXPECT_EQ(in[0].message, WM_CHAR);
    EXPECT_EQ(in[0].wParam, WPARAM(0x4E2D));
    EXPECT_EQ(in[1].wParam, WPARAM(0x6587));
}

TEST_F(InputTest, PreTranslateMessageOfAParentCanSwallowInput)
{
    class CSwallowing : public CRecordingWnd {
    public:
        BOOL PreTranslateMessage(MSG* pMsg) override
        {
            return pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE;
        }
    };
    CSwallowing parent;
    CRecordingWnd child;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "p", WS_POPUP | WS_VISIBLE, Box(0, 0, 50, 50), nullptr, 0));
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, Box(0, 0, 20, 20), &parent, 1));
    QTest::keyClick(child.GetWidget(), Qt::Key_Escape);
    QTest::keyClick(child.GetWidget(), Qt::Key_B);
    EXPECT_EQ(child.Count(WM_CHAR), 1);  // Esc swallowed with its character; B passes
    EXPECT_EQ(child.Last(WM_KEYDOWN)->wParam, WPARAM('B'));
}

TEST_F(InputTest, CaptureIsHeldUntilReleasedAndTheLoserIsTold)
{
    EXPECT_EQ(a.SetCapture(), nullptr);
    EXPECT_EQ(CWnd::GetCapture(), &a);
    EXPECT_EQ(b.SetCapture(), &a);
    ASSERT_NE(a.Last(WM_CAPTURECHANGED), nullptr);
    EXPECT_EQ(CWnd::FromHandle(reinterpret_cast<HWND>(a.Last(WM_CAPTURECHANGED)->lParam)), &b);
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(b.Count(WM_CAPTURECHANGED), 1);
}
