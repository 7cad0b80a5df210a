// The output page's keyboard walk: Left and Right (and Tab) step from edit to edit, Enter steps
// through a band's frequency, Q and gain; in GEQ mode only the gain edits are walked.
#include "COutputDlg.h"

#include "AppMessages.h"
#include "CPageHost.h"
#include "Globals.h"
#include "WinApi.h"

namespace {

constexpr UINT kHiddenGain = IDC_PAGE_GAIN_EDIT;  // 4002
constexpr UINT kHpf = IDC_HPF_FREQ_EDIT;          // 1004
constexpr UINT kLpf = IDC_LPF_FREQ_EDIT;          // 1005
constexpr UINT kStripGainEdit = IDC_STRIP_GAIN_EDIT;
constexpr UINT kMasterEdit = IDC_GAIN_LEVEL_EDIT;
constexpr int kWalkStrip = 7;

bool Between(UINT id, UINT lo, UINT hi) { return id >= lo && id <= hi; }

}  // namespace

COutputDlg::KeyStep COutputDlg::WalkFrom(UINT id, BOOL bRight, BOOL bGeq)
{
    const UINT freq = IDC_BAND_FREQ_EDIT, q = IDC_BAND_Q_EDIT, gain = IDC_BAND_GAIN_EDIT;
    const UINT last = OUTPUT_BANDS - 1;
    if (!bRight) {
        if (id == kHiddenGain)
            return {gain + last, int(last), -1};
        if (id == kLpf)
            return {kHpf, -1, OUTPUT_BANDS};
        // The strip of channel index 7 is where the walk leaves the crossover, as it always has.
        if (id == kHpf)
            return {kStripGainEdit, -1, -1};
        if (Between(id, gain + 1, gain + last))
            return {id - 1, int(id - gain - 1), -1};
        if (bGeq)
            return {};
        if (Between(id, freq + 1, freq + last))
            return {id - 1, int(id - freq - 1), -1};
        if (Between(id, q + 1, q + last))
            return {id - 1, int(id - q - 1), -1};
        if (id == q)
            return {freq + last, int(last), -1};
        if (id == gain)
            return {q + last, int(last), -1};
        return {};
    }
    if (id == kHiddenGain)
        return {kHpf, -1, OUTPUT_BANDS};
    if (id == kHpf)
        return {kLpf, -1, OUTPUT_BANDS + 1};
    if (id == gain + last)
        return {kMasterEdit, -1, -1};
    if (id == kLpf)
        return {};
    if (Between(id, gain - 1, gain + last - 1))
        return {id + 1, int(id - gain + 1), -1};
    if (bGeq)
        return {};
    if (Between(id, freq - 1, freq + last - 1))
        return {id + 1, int(id - freq + 1), -1};
    if (Between(id, q, q + last - 1))
        return {id + 1, int(id - q + 1), -1};
    if (id == freq + last)
        return {q, 0, -1};
    if (id == q + last)
        return {gain, 0, -1};
    return {};
}

COutputDlg::KeyStep COutputDlg::EnterFrom(UINT id, BOOL bGeq)
{
    if (Between(id, IDC_BAND_FREQ_EDIT, IDC_BAND_FREQ_EDIT + OUTPUT_BANDS - 1))
        return {id - 700, int(id - IDC_BAND_FREQ_EDIT), -1};
    if (Between(id, IDC_BAND_Q_EDIT, IDC_BAND_Q_EDIT + OUTPUT_BANDS - 1))
        return {id + 500, int(id - IDC_BAND_Q_EDIT), -1};
    if (Between(id, IDC_BAND_GAIN_EDIT, IDC_BAND_GAIN_EDIT + OUTPUT_BANDS - 2))
        return {id + 201, int(id - IDC_BAND_GAIN_EDIT + 1), -1};
    return WalkFrom(id, TRUE, bGeq);
}

void COutputDlg::GoTo(const KeyStep& step)
{
    if (!step.target)
        return;
    CWnd* target = nullptr;
    if (step.target == kStripGainEdit)
        target = m_strip[kWalkStrip].GetDlgItem(kStripGainEdit);
    else if (step.target == kMasterEdit)
        target = m_dlgGain.GetDlgItem(kMasterEdit);
    else
        target = GetDlgItem(step.target);
    if (target)
        target->SetFocus();
    if (step.band >= 0)
        HighlightBand(step.band);
    else if (step.element >= 0)
        m_graph.DrawGraph(step.element);
}

BOOL COutputDlg::PointerOutsideGraph(const CRect& rcGraph, CPoint ptNow, CPoint* pTarget)
{
    if (!rcGraph.PtInRect(ptNow))
        return FALSE;
    // The bottom edge lies outside the rectangle: the first row below the graph.
    *pTarget = CPoint(rcGraph.left, rcGraph.bottom);
    return TRUE;
}

void COutputDlg::OnKeyStep(UINT nID, UINT nKey)
{
    const BOOL geq = g_pPageHost && g_pPageHost->GetEqModeCheck();
    if (nKey == VK_LEFT || nKey == VK_RIGHT)
        GoTo(WalkFrom(nID, nKey == VK_RIGHT, geq));
    // A pointer resting over the graph would keep a handle hot while the keys move the band.
    // The graph's rectangle is taken now, not at layout time: the window may have been dragged.
    if (!m_graph.GetSafeHwnd())
        return;
    CRect rc;
    m_graph.GetWindowRect(&rc);
    CPoint pt, target;
    if (GetCursorPos(&pt) && PointerOutsideGraph(rc, pt, &target))
        SetCursorPos(target.x, target.y);
}

void COutputDlg::OnKeyEnter(UINT nID)
{
    GoTo(EnterFrom(nID, g_pPageHost && g_pPageHost->GetEqModeCheck()));
}
