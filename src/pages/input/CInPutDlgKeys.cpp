// The input page's keyboard: Enter, Tab and the arrows walk through the band fields; Enter,
// Tab and Esc never reach the dialog keys, so the page never closes on them.
#include "CInPutDlg.h"

#include "AppMessages.h"
#include "CEdit.h"
#include "WinApi.h"

#include <QCursor>

namespace {

constexpr int kLast = INPUT_LIVE_BANDS - 1;

// The row of a field (0 frequency, 1 Q, 2 gain) and its band; false outside the live fields.
bool FieldOf(UINT nID, int& row, int& band)
{
    const UINT firsts[3] = {IDC_IN_FREQ, IDC_IN_Q, IDC_IN_GAIN};
    for (int r = 0; r < 3; ++r) {
        if (nID >= firsts[r] && nID <= firsts[r] + kLast) {
            row = r;
            band = int(nID - firsts[r]);
            return true;
        }
    }
    return false;
}

UINT FieldId(int row, int band)
{
    const UINT firsts[3] = {IDC_IN_FREQ, IDC_IN_Q, IDC_IN_GAIN};
    return firsts[row] + UINT(band);
}

}  // namespace

UINT CInPutDlg::StepRightId(UINT nID, int nMode)
{
    int row, band;
    if (!FieldOf(nID, row, band))
        return 0;
    if (nMode == 1) {
        // GEQ: the gain row alone is a ring.
        if (row != 2)
            return 0;
        return band == kLast ? FieldId(2, 0) : nID + 1;
    }
    if (band < kLast)
        return nID + 1;
    return FieldId((row + 1) % 3, 0);
}

UINT CInPutDlg::StepLeftId(UINT nID, int nMode)
{
    int row, band;
    if (!FieldOf(nID, row, band))
        return 0;
    if (nMode == 1) {
        if (row != 2)
            return 0;
        return band == 0 ? FieldId(2, kLast) : nID - 1;
    }
    if (band > 0)
        return nID - 1;
    return FieldId((row + 2) % 3, kLast);
}

UINT CInPutDlg::EnterTargetId(UINT nID)
{
    int row, band;
    if (!FieldOf(nID, row, band))
        return 0;
    if (row < 2)
        return FieldId(row + 1, band);
    return FieldId(0, band == kLast ? 0 : band + 1);
}

void CInPutDlg::StepRight(UINT nID)
{
    const UINT next = StepRightId(nID, m_nEqMode);
    if (!next)
        return;
    if (CWnd* w = GetDlgItem(int(next)))
        w->SetFocus();
    SelectBand(int((next - IDC_IN_FREQ) % 50));
}

void CInPutDlg::StepLeft(UINT nID)
{
    const UINT next = StepLeftId(nID, m_nEqMode);
    if (!next)
        return;
    if (CWnd* w = GetDlgItem(int(next)))
        w->SetFocus();
    SelectBand(int((next - IDC_IN_FREQ) % 50));
}

void CInPutDlg::OnKeyStep(UINT nID, UINT nKey)
{
    if (nKey == VK_LEFT)
        StepLeft(nID);
    else if (nKey == VK_RIGHT)
        StepRight(nID);
    // The pointer leaves the graph, so that a hovered point does not catch the next keys.
    if (!m_graph.GetSafeHwnd())
        return;
    CRect rcWindow;
    m_graph.GetWindowRect(&rcWindow);
    CPoint pt;
    if (!GetCursorPos(&pt) || !rcWindow.PtInRect(pt))
        return;
    CRect rcClient;
    m_graph.GetClientRect(&rcClient);
    QCursor::setPos(rcWindow.left, rcClient.bottom);
}

void CInPutDlg::OnKeyEnter(UINT nID)
{
    const UINT next = EnterTargetId(nID);
    if (!next)
        return;
    if (CWnd* w = GetDlgItem(int(next)))
        w->SetFocus();
    SelectBand(int((next - IDC_IN_FREQ) % 50));
}

BOOL CInPutDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN)
        return CDialog::PreTranslateMessage(pMsg);
    const WPARAM key = pMsg->wParam;
    if (key != VK_RETURN && key != VK_TAB && key != VK_ESCAPE)
        return CDialog::PreTranslateMessage(pMsg);
    if (key == VK_ESCAPE) {
        SetFocus();
        return TRUE;
    }
    CWnd* focus = CWnd::GetFocus();
    if (focus && dynamic_cast<CEdit*>(focus)) {
        const WPARAM id = WPARAM(focus->GetDlgCtrlID());
        if (key == VK_RETURN && m_nEqMode == 0)
            PostMessage(WM_KEY_ENTER, id, 0);
        else
            PostMessage(WM_NUMEDIT_KEYDOWN, id, VK_RIGHT);
    }
    return TRUE;
}
