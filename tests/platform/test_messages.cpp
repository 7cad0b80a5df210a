// Messages, timers, handles and the window tree.
#include "TestWindows.h"

#include "WindowRegistry.h"

#include <gtest/gtest.h>

#include <QMouseEvent>

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

constexpr UINT WM_TEST_PING = WM_USER + 17;

class CPingWnd : public CRecordingWnd {
public:
    int m_nPings = 0;
    WPARAM m_lastW = 0;
    LPARAM m_lastL = 0;
    bool m_bPingOnUiThread = false;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TEST_PING) {
            ++m_nPings;
            m_lastW = wParam;
            m_lastL = lParam;
            m_bPingOnUiThread = QThread::currentThread() == qApp->thread();
            return 99;
        }
        return CRecordingWnd::WindowProc(message, wParam, lParam);
    }
};

class CTimerWnd : public CRecordingWnd {
public:
    std::vector<UINT_PTR> m_fired;
    int m_nKillAfter = -1;  // kill timer 7 after this many firings of it

protected:
    void OnTimer(UINT_PTR nIDEvent) override
    {
        m_fired.push_back(nIDEvent);
        if (nIDEvent == 7 && int(std::count(m_fired.begin(), m_fired.end(), UINT_PTR(7))) == m_nKillAfter)
            KillTimer(7);
    }
};

CRect Box(int x, int y, int w, int h) { return CRect(x, y, x + w, y + h); }

}  // namespace

TEST(Messages, PostFromAnotherThreadArrivesOnTheUiThreadInOrder)
{
    CPingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "ping", WS_POPUP, Box(0, 0, 50, 50), nullptr, 0));
    const HWND h = wnd.GetSafeHwnd();
    std::atomic<int> accepted{0};
    std::thread worker([h, &accepted] {
        for (int i = 1; i <= 3; ++i)
            accepted += ::PostMessage(h, WM_TEST_PING, WPARAM(i), LPARAM(-i));
    });
    worker.join();
    EXPECT_EQ(accepted.load(), 3);
    EXPECT_EQ(wnd.m_nPings, 0);  // queued, not delivered on the posting thread
    ASSERT_TRUE(WaitUntil([&] { return wnd.m_nPings == 3; }));
    EXPECT_TRUE(wnd.m_bPingOnUiThread);
    EXPECT_EQ(wnd.m_lastW, WPARAM(3));
    EXPECT_EQ(wnd.m_lastL, LPARAM(-3));
}

TEST(Messages, SendIsImmediateAndReturnsTheResult)
{
    CPingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "send", WS_POPUP, Box(0, 0, 50, 50), nullptr, 0));
    EXPECT_EQ(::SendMessage(wnd.GetSafeHwnd(), WM_TEST_PING, 5, 6), 99);
    EXPECT_EQ(wnd.m_nPings, 1);
    EXPECT_EQ(wnd.SendMessage(WM_TEST_PING), 99);
    EXPECT_EQ(wnd.m_nPings, 2);
}

TEST(Messages, MessageToADestroyedWindowIsDroppedAndItsHandleNeverNamesANewWindow)
{
    auto first = std::make_unique<CPingWnd>();
    ASSERT_TRUE(first->CreateEx(0, nullptr, "a", WS_POPUP, Box(0, 0, 10, 10), nullptr, 0));
    const HWND stale = first->GetSafeHwnd();
    EXPECT_TRUE(::PostMessage(stale, WM_TEST_PING, 0, 0));  // queued while it lives
    first.reset();                                          // gone before delivery
    EXPECT_FALSE(::PostMessage(stale, WM_TEST_PING, 0, 0));
    EXPECT_FALSE(IsWindow(stale));

    CPingWnd second;
    ASSERT_TRUE(second.CreateEx(0, nullptr, "b", WS_POPUP, Box(0, 0, 10, 10), nullptr, 0));
    EXPECT_NE(second.GetSafeHwnd(), stale);
    EXPECT_EQ(CWnd::FromHandle(stale), nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(second.m_nPings, 0);
    // A 16-bit copy of a live handle (as a control's WM_COMMAND carries it) still finds it.
    const auto low = reinterpret_cast<HWND>(uintptr_t(LOWORD(uintptr_t(second.GetSafeHwnd()))));
    EXPECT_EQ(CWnd::FromHandle(low), &second);
}

TEST(Timers, FireWithTheirIdUntilKilled)
{
    CTimerWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "timer", WS_POPUP, Box(0, 0, 10, 10), nullptr, 0));
    wnd.m_nKillAfter = 3;
    EXPECT_EQ(wnd.SetTimer(7, 10), UINT_PTR(7));
    EXPECT_EQ(wnd.SetTimer(9, 10), UINT_PTR(9));
    ASSERT_TRUE(WaitUntil([&] { return std::count(wnd.m_fired.begin(), wnd.m_fired.end(), UINT_PTR(9)) >= 8; }));
    EXPECT_EQ(std::count(wnd.m_fired.begin(), wnd.m_fired.end(), UINT_PTR(7)), 3);  // killed in OnTimer
    for (const auto& m : wnd.m_log) {
        if (m.message == WM_TIMER) {
            EXPECT_TRUE(m.wParam == 7 || m.wParam == 9);
        }
    }
    EXPECT_TRUE(wnd.KillTimer(9));
    EXPECT_FALSE(wnd.KillTimer(9));
    const size_t firedBefore = wnd.m_fired.size();
    // A marker message posted after a wait long enough for many periods: nothing fired since.
    CPingWnd marker;
    ASSERT_TRUE(marker.CreateEx(0, nullptr, "m", WS_POPUP, Box(0, 0, 10, 10), nullptr, 0));
    QThread::msleep(60);
    marker.PostMessage(WM_TEST_PING);
    ASSERT_TRUE(WaitUntil([&] { return marker.m_nPings == 1; }));
    EXPECT_EQ(wnd.m_fired.size(), firedBefore);
}

TEST(Timers, DieWithTheWindow)
{
    CTimerWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "timer", WS_POPUP, Box(0, 0, 10, 10), nullptr, 0));
    wnd.SetTimer(1, 10);
    ASSERT_TRUE(WaitUntil([&] { return !wnd.m_fired.empty(); }));
    wnd.DestroyWindow();
    const size_t fired = wnd.m_fired.size();
    QThread::msleep(40);
    QCoreApplication::processEvents();
    EXPECT_EQ(wnd.m_fired.size(), fired);
    EXPECT_EQ(wnd.SetTimer(1, 10), UINT_PTR(0));  // no window, no timer
}

TEST(WindowTree, ChildrenAreFoundByIdAndDestroyedWithTheirParent)
{
    const int before = WindowRegistry::Count();
    CRecordingWnd parent, a, b;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "p", WS_POPUP, Box(0, 0, 100, 100), nullptr, 0));
    ASSERT_TRUE(a.Create(nullptr, "a", WS_CHILD | WS_VISIBLE, Box(5, 5, 10, 10), &parent, 1001));
    ASSERT_TRUE(b.Create(nullptr, "b", WS_CHILD, Box(20, 5, 10, 10), &parent, 1002));
    EXPECT_EQ(parent.GetDlgItem(1001), &a);
    EXPECT_EQ(parent.GetDlgItem(1002), &b);
    EXPECT_EQ(parent.GetDlgItem(1003), nullptr);
    EXPECT_EQ(a.GetParent(), &parent);
    EXPECT_TRUE(parent.IsChild(&a));
    EXPECT_EQ(a.GetDlgCtrlID(), 1001);
    EXPECT_EQ(a.Count(WM_CREATE), 1);
    ASSERT_NE(a.Last(WM_SIZE), nullptr);
    EXPECT_EQ(a.Last(WM_SIZE)->lParam, MAKELPARAM(10, 10));
    EXPECT_FALSE(CRecordingWnd().Create(nullptr, "orphan", WS_CHILD, Box(0, 0, 1, 1), nullptr, 1));

    parent.DestroyWindow();
    EXPECT_EQ(a.GetSafeHwnd(), nullptr);
    EXPECT_EQ(b.GetSafeHwnd(), nullptr);
    EXPECT_EQ(a.Count(WM_DESTROY), 1);
    EXPECT_EQ(b.Count(WM_DESTROY), 1);
    EXPECT_EQ(WindowRegistry::Count(), before);
    // The object may make a new window.
    EXPECT_TRUE(a.CreateEx(0, nullptr, "again", WS_POPUP, Box(0, 0, 5, 5), nullptr, 0));
}

TEST(WindowTree, GeometryVisibilityAndText)
{
    CRecordingWnd top, child;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "Top", WS_POPUP | WS_VISIBLE, Box(40, 30, 200, 100), nullptr, 0));
    ASSERT_TRUE(child.Create(nullptr, "c", WS_CHILD | WS_VISIBLE, Box(10, 20, 30, 40), &top, 5));
    CRect rc;
    child.GetClientRect(&rc);
    EXPECT_EQ(rc, CRect(0, 0, 30, 40));
    EXPECT_EQ(top.GetWidget()->devicePixelRatioF(), 1.0);  // pixels are pixels: nothing scales
    EXPECT_EQ(Grab(top).size(), QSize(200, 100));
    CRect wr;
    child.GetWindowRect(&wr);
    top.ScreenToClient(&wr);
    EXPECT_EQ(wr, CRect(10, 20, 40, 60));
    CPoint p(1, 2);
    child.ClientToScreen(&p);
    top.ScreenToClient(&p);
    EXPECT_EQ(p, CPoint(11, 22));

    child.MoveWindow(50, 5, 20, 10);
    ASSERT_NE(child.Last(WM_SIZE), nullptr);
    EXPECT_EQ(child.Last(WM_SIZE)->lParam, MAKELPARAM(20, 10));  // reported at once
    child.SetWindowPos(nullptr, 0, 0, 25, 12, SWP_NOMOVE | SWP_NOZORDER);
    child.GetWindowRect(&wr);
    top.ScreenToClient(&wr);
    EXPECT_EQ(wr, CRect(50, 5, 75, 17));

    EXPECT_TRUE(child.IsWindowVisible());
    EXPECT_TRUE(child.ShowWindow(SW_HIDE));
    EXPECT_FALSE(child.IsWindowVisible());
    EXPECT_FALSE(child.GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(child.ShowWindow(SW_SHOW));
    EXPECT_TRUE(child.GetStyle() & WS_VISIBLE);

    EXPECT_FALSE(child.EnableWindow(FALSE));
    EXPECT_FALSE(child.IsWindowEnabled());
    EXPECT_TRUE(child.GetStyle() & WS_DISABLED);
    EXPECT_TRUE(child.EnableWindow(TRUE));
    EXPECT_EQ(child.Count(WM_ENABLE), 2);

    top.SetWindowText("Orvane 中文");
    EXPECT_EQ(top.GetWindowText(), "Orvane 中文");
    EXPECT_EQ(top.GetWidget()->windowTitle(), QString::fromUtf8("Orvane 中文"));
    char buf[7];
    EXPECT_EQ(top.SendMessage(WM_GETTEXT, sizeof buf, LPARAM(buf)), 6);
    EXPECT_STREQ(buf, "Orvane");
}

TEST(WindowTree, ControlNotifiesItsParentWithWmCommand)
{
    CRecordingWnd parent, control;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "p", WS_POPUP, Box(0, 0, 50, 50), nullptr, 0));
    ASSERT_TRUE(control.Create(nullptr, "", WS_CHILD, Box(0, 0, 5, 5), &parent, 1234));
    control.NotifyParent(BN_CLICKED);
    const RecordedMessage* m = parent.Last(WM_COMMAND);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(LOWORD(m->wParam), 1234);
    EXPECT_EQ(HIWORD(m->wParam), BN_CLICKED);
    EXPECT_EQ(CWnd::FromHandle(reinterpret_cast<HWND>(m->lParam)), &control);
}

TEST(WindowTree, CloseDestroysByDefaultAndDestroyInsideAHandlerIsSafe)
{
    class CSelfDestroying : public CRecordingWnd {
    protected:
        void OnLButtonDown(UINT, CPoint) override { DestroyWindow(); }
    };
    CSelfDestroying wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "x", WS_POPUP | WS_VISIBLE, Box(0, 0, 40, 40), nullptr, 0));
    QWidget* w = wnd.GetWidget();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);  // the window goes inside its own mouse handler
    EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    CRecordingWnd closing;
    ASSERT_TRUE(closing.CreateEx(0, nullptr, "c", WS_POPUP | WS_VISIBLE, Box(0, 0, 40, 40), nullptr, 0));
    closing.GetWidget()->close();
    EXPECT_EQ(closing.Count(WM_CLOSE), 1);
    EXPECT_EQ(closing.Count(WM_DESTROY), 1);
    EXPECT_EQ(closing.GetSafeHwnd(), nullptr);
}
