// Modal dialogs: the nested loop keeps posted messages and timers running.
#include "TestWindows.h"

#include "CDialog.h"
#include "GdiGlobals.h"

#include <QTest>

#include <gtest/gtest.h>

#include <thread>

namespace {

constexpr UINT WM_TEST_FROM_WORKER = WM_USER + 5;
constexpr UINT WM_TEST_PRESS_ESC = WM_USER + 6;
constexpr UINT IDD_TEST = 64000;

class CTestDialog : public CDialog {
public:
    CTestDialog() : CDialog(IDD_TEST) {}
    bool m_bWorkerMessage = false;
    int m_nTicks = 0;
    COLORREF m_clrSeen = CLR_INVALID;
    std::thread m_worker;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TEST_FROM_WORKER) {
            m_bWorkerMessage = true;
            return 0;
        }
        if (message == WM_TEST_PRESS_ESC) {
            QTest::keyClick(GetWidget(), Qt::Key_Escape);
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

protected:
    BOOL OnInitDialog() override
    {
        SetTimer(3, 10);
        const HWND h = GetSafeHwnd();
        m_worker = std::thread([h] { ::PostMessage(h, WM_TEST_FROM_WORKER, 0, 0); });
        return TRUE;
    }
    void OnTimer(UINT_PTR nIDEvent) override
    {
        if (nIDEvent != 3)
            return;
        ++m_nTicks;
        if (m_bWorkerMessage && m_nTicks >= 3) {
            m_clrSeen = PixelOf(GetWidget()->grab().toImage(), 5, 5);
            EndDialog(42);
        }
    }
    HBRUSH OnCtlColor(CDC*, CWnd*, UINT nCtlColor) override
    {
        return nCtlColor == CTLCOLOR_DLG ? HBRUSH(g_brushDlgBack) : nullptr;
    }
};

}  // namespace

TEST(Dialog, ModalLoopRunsPostedMessagesAndTimersUntilEndDialog)
{
    CreateSharedGdiObjects();
    RegisterDialogTemplate(IDD_TEST, DialogTemplate{"测试", 120, 80, 0});
    CTestDialog dlg;
    const INT_PTR result = dlg.DoModal();
    if (dlg.m_worker.joinable())
        dlg.m_worker.join();
    EXPECT_EQ(result, 42);
    EXPECT_TRUE(dlg.m_bWorkerMessage);
    EXPECT_GE(dlg.m_nTicks, 3);
    EXPECT_EQ(dlg.m_clrSeen, CLR_DLG_BACK);  // painted with the brush OnCtlColor gave
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
}

TEST(Dialog, EscapeCancels)
{
    struct CEscDialog : CTestDialog {
        BOOL OnInitDialog() override
        {
            PostMessage(WM_TEST_PRESS_ESC);
            return TRUE;
        }
    } dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}
