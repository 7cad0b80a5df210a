// Pointer tracking, dragging and the notifications of the response graph.
//
// The hot filter's six interaction flags (hovered / dragged for the handle and its two
// bandwidth handles) carry the state; every drag step writes straight into the filter, which
// stamps itself for the comm worker, and the timer tells the notify window once per tick.
#include "CFStatic.h"

#include "AppMessages.h"
#include "CFilter.h"
#include "CKTVEQ.h"
#include "Convert.h"

namespace {

constexpr int kMusicPickable = 15;  // music inputs offer bands 1..15 only
constexpr int kZeroGainIndex = 200;

bool IsCrossover(const CFilter& f) { return f.GetType() == FILTER_HIGH_PASS || f.GetType() == FILTER_LOW_PASS; }

}  // namespace

void CFStatic::OnMouseMove(UINT nFlags, CPoint point)
{
    if (IsTrackingMode())
        TrackPointer(point);
    CStatic::OnMouseMove(nFlags, point);
}

void CFStatic::ApplyDragStep(BOOL bChanged)
{
    m_bChanged = bChanged;
    if (bChanged) {
        m_bPendingNotify = TRUE;
        DrawGraph(-1);
    }
}

BOOL CFStatic::DragHotHandle(CPoint pt)
{
    CFilter& f = *m_pHotFilter;
    const int nOldFreq = f.GetFreq();
    const int nOldGainIndex = f.GetGainIndex();
    BOOL bChanged = f.DragHandle(pt);
    // The filter reads the gain back from a pixel row, and with most plot heights no row maps
    // to exactly 0.0 dB or back to the gain the handle was grabbed at: a band moved only
    // sideways would gain or lose 0.1 dB and a flat band would leave bypass. The row the
    // handle's centre lands on keeps the value that row was drawn from.
    const int h = f.GetGraphHeight();
    int y = pt.y - m_ptGrab.y - GRAPH_PLOT_TOP;
    y = y < 0 ? 0 : (y > h ? h : y);
    int nKeep = -1;
    if (y == DbToY(0.0, h))
        nKeep = kZeroGainIndex;
    else if (y == m_nGrabRow)
        nKeep = m_nGrabGainIndex;
    if (nKeep >= 0 && f.GetGainIndex() != nKeep) {
        f.SetGainIndex(nKeep);
        if (ILinkedSlider* pSlider = f.GetLinkedCtrl())
            pSlider->SetValue(nKeep);
        bChanged = f.GetFreq() != nOldFreq || nKeep != nOldGainIndex;
    }
    return bChanged;
}

bool CFStatic::ScanHandles(CPoint pt, BOOL& bHot)
{
    const int n = m_nDrawMode == kModeMusic ? std::min(kMusicPickable, m_pEq->GetSize()) : m_pEq->GetSize();
    for (int i = 0; i < n; ++i) {
        CFilter* f = m_pEq->GetAt(i);
        if (!f || !f->m_rcHandle.PtInRect(pt))
            continue;
        m_pHotFilter = f;
        f->m_bHandleHover = TRUE;
        m_nHotElement = i;
        bHot = TRUE;
        DrawGraph(-1);
        return true;
    }
    return false;
}

void CFStatic::TrackPointer(CPoint pt)
{
    if (!m_pEq)
        return;
    BOOL bHot = FALSE;
    CFilter* f = m_pHotFilter;
    if (f && IsCrossover(*f)) {
        TrackCrossover(pt);
        return;
    }
    if (f) {
        const bool bInHandle = f->m_rcHandle.PtInRect(pt);
        if (!bInHandle && f->m_bHandleDrag) {
            ApplyDragStep(DragHotHandle(pt));
            m_bHot = bHot;
            return;
        }
        if (bInHandle) {
            f->m_bHandleHover = TRUE;
            f->m_bLowerHover = FALSE;
            f->m_bUpperHover = FALSE;
            if (f->m_bHandleDrag)
                ApplyDragStep(DragHotHandle(pt));
            m_bHot = f->m_rcHandle.PtInRect(pt);
            return;
        }
        if (!f->GetFreqLock()) {
            const bool bInLower = f->m_rcBwLeft.PtInRect(pt);
            const bool bInUpper = f->m_rcBwRight.PtInRect(pt);
            if (!bInLower && f->m_bLeftEdgeDrag) {
                ApplyDragStep(f->DragBandwidth(pt));
                m_bHot = bHot;
                return;
            }
            if (bInLower) {
                f->m_bLowerHover = TRUE;
                f->m_bHandleHover = FALSE;
                f->m_bUpperHover = FALSE;
                f->m_bRightEdgeDrag = FALSE;
                if (f->m_bLeftEdgeDrag)
                    ApplyDragStep(f->DragBandwidth(pt));
                m_bHot = f->m_rcBwLeft.PtInRect(pt);
                return;
            }
            if (!bInUpper && f->m_bRightEdgeDrag) {
                ApplyDragStep(f->DragBandwidth(pt));
                m_bHot = bHot;
                return;
            }
            if (bInUpper) {
                f->m_bUpperHover = TRUE;
                f->m_bHandleHover = FALSE;
                f->m_bLowerHover = FALSE;
                f->m_bLeftEdgeDrag = FALSE;
                if (f->m_bRightEdgeDrag)
                    ApplyDragStep(f->DragBandwidth(pt));
                m_bHot = f->m_rcBwRight.PtInRect(pt);
                return;
            }
        }
    }
    ScanHandles(pt, bHot);
    m_bHot = bHot;
}

void CFStatic::TrackCrossover(CPoint pt)
{
    CFilter& f = *m_pHotFilter;
    const CFilter* pOther = f.GetType() == FILTER_HIGH_PASS ? m_pEq->GetLowPass() : m_pEq->GetHighPass();
    const int nOtherHz = pOther ? pOther->GetFreq() : (f.GetType() == FILTER_HIGH_PASS ? 20000 : 20);
    if (!f.m_rcHandle.PtInRect(pt)) {
        if (f.m_bHandleDrag) {
            ApplyDragStep(f.OnMouseDrag(pt, nOtherHz));
            m_bHot = TRUE;
        } else {
            m_pHotFilter = nullptr;
            m_bHot = FALSE;
        }
        return;
    }
    if (f.m_bHandleDrag)
        ApplyDragStep(f.OnMouseDrag(pt, nOtherHz));
    m_bHot = TRUE;
}

void CFStatic::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    SetCapture();
    if (IsTrackingMode())
        BeginHandleDrag(point);
    m_bMouseReleased = FALSE;
    CStatic::OnLButtonDown(nFlags, point);
}

void CFStatic::BeginHandleDrag(CPoint pt)
{
    CFilter* f = m_pHotFilter;
    // Only a handle under the pointer can be grabbed; hover flags left behind by a pointer that
    // wandered off never start a drag from afar.
    if (!f || !m_bHot)
        return;
    if (f->m_bHandleHover) {
        f->m_bHandleDrag = TRUE;
        f->BeginDrag(pt);
        const CPoint centre = f->m_rcHandle.CenterPoint();
        m_ptGrab = CPoint(pt.x - centre.x, pt.y - centre.y);
        m_nGrabGainIndex = f->GetGainIndex();
        m_nGrabRow = DbToY(f->IsBypassed() ? 0.0 : f->GetGain(), f->GetGraphHeight());
        return;
    }
    if (f->GetType() != FILTER_PEQ)
        return;
    if (f->m_bLowerHover) {
        f->m_bLeftEdgeDrag = TRUE;
        f->GetDragOffset(pt);
    } else if (f->m_bUpperHover) {
        f->m_bRightEdgeDrag = TRUE;
        f->GetDragOffset(pt);
    }
}

void CFStatic::OnLButtonUp(UINT nFlags, CPoint point)
{
    ReleaseCapture();
    m_bMouseReleased = TRUE;
    if (IsTrackingMode())
        EndHandleDrag();
    CStatic::OnLButtonUp(nFlags, point);
}

void CFStatic::EndHandleDrag()
{
    CFilter* f = m_pHotFilter;
    if (!f)
        return;
    if (f->m_bHandleHover) {
        f->m_bHandleHover = f->m_bLowerHover = f->m_bUpperHover = FALSE;
        f->m_bHandleDrag = f->m_bLeftEdgeDrag = f->m_bRightEdgeDrag = FALSE;
        m_bHot = FALSE;
    } else if (f->m_bLowerHover) {
        f->m_bLowerHover = f->m_bLeftEdgeDrag = FALSE;
        m_bHot = FALSE;
    } else if (f->m_bUpperHover) {
        f->m_bUpperHover = f->m_bRightEdgeDrag = FALSE;
        m_bHot = FALSE;
    }
}

BOOL CFStatic::OnSetCursor(CWnd*, UINT, UINT)
{
    HCURSOR hCursor = nullptr;
    if (m_pHotFilter && m_bHot) {
        const CFilter& f = *m_pHotFilter;
        if (f.m_bLowerHover || f.m_bUpperHover || IsCrossover(f))
            hCursor = m_hCurSizeWE;
        else if (f.GetFreqLock())
            hCursor = m_hCurSizeNS;
        else
            hCursor = m_hCurMove;
    } else if (m_bHot) {
        hCursor = m_hCurMove;
    }
    ::SetCursor(hCursor ? hCursor : LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

void CFStatic::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTimerId || !m_pNotifyWnd)
        return;
    if (m_bPendingNotify) {
        m_bPendingNotify = FALSE;
        m_pNotifyWnd->PostMessage(WM_EQ_POINT_CHANGED, WPARAM(m_nHotElement), LPARAM(m_nChannelId));
    } else if (m_bMouseReleased) {
        m_pNotifyWnd->PostMessage(WM_EQ_POINT_CHANGED, WPARAM(m_nHotElement), LPARAM(m_nChannelId));
    }
}

void CFStatic::OnKillFocus(CWnd* pNewWnd)
{
    CStatic::OnKillFocus(pNewWnd);
    if (m_pNotifyWnd)
        m_pNotifyWnd->PostMessage(WM_EQ_GRAPH_KILLFOCUS, 0, 0);
}

BOOL CFStatic::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) { return CStatic::OnMouseWheel(nFlags, zDelta, pt); }
