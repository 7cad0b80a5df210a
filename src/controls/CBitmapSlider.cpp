// CBitmapSlider: pictures, values, mouse, keys and focus. Painting is in CBitmapSliderPaint.cpp.
#include "CBitmapSlider.h"

#include "AppMessages.h"
#include "CNumEdit.h"
#include "CommCtrl.h"
#include "Convert.h"
#include "Cursor.h"
#include "FilterResponse.h"
#include "SkinHabits.h"
#include "SliderMask.h"
#include "WinApi.h"

#include <cstdlib>

CBitmapSlider::CBitmapSlider() { m_hCursor = LoadHandCursor(m_hCursor); }

CBitmapSlider::~CBitmapSlider()
{
    if (m_hCursor)
        DestroyCursor(m_hCursor);
}

BOOL CBitmapSlider::SetBitmapChannel(UINT nChannelID, UINT nActiveID, BOOL bTransparent, COLORREF clrTransColor,
                                     int iTransPixelX, int iTransPixelY)
{
    if (nChannelID == 0) {
        DeleteChannel();
        m_bChannel = FALSE;
        return TRUE;
    }
    DeleteChannel();
    if (!m_bmChannel.LoadBitmap(nChannelID))
        return FALSE;
    if (bTransparent)
        PrepareMask(&m_bmChannel, &m_bmChannelMask, clrTransColor, iTransPixelX, iTransPixelY);
    if (nActiveID) {
        if (!m_bmChannelActive.LoadBitmap(nActiveID)) {
            m_bmChannel.DeleteObject();
            m_bmChannelMask.DeleteObject();
            return FALSE;
        }
        if (bTransparent)
            PrepareMask(&m_bmChannelActive, &m_bmChannelActiveMask, clrTransColor, iTransPixelX, iTransPixelY);
        m_bChannelActive = TRUE;
    } else {
        m_bChannelActive = FALSE;
    }
    const CSize size = m_bmChannel.GetSize();
    m_geo.nWidth = size.cx;
    m_geo.nHeight = size.cy;
    if (m_hWnd) {
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        GetClientRect(&m_rect);
    }
    m_bTransparentChannel = bTransparent;
    m_bChannel = TRUE;
    RepaintParentArea(this);
    return TRUE;
}

BOOL CBitmapSlider::SetBitmapThumb(UINT nThumbID, UINT nActiveID, BOOL bTransparent, COLORREF clrTransColor,
                                   int iTransPixelX, int iTransPixelY)
{
    if (m_bThumb && int(nThumbID) == m_nThumbID)
        return TRUE;
    DeleteThumb();
    if (nThumbID == 0) {
        m_bThumb = FALSE;
        m_nThumbID = -1;
        return TRUE;
    }
    if (!m_bmThumb.LoadBitmap(nThumbID)) {
        m_bThumb = FALSE;
        m_nThumbID = -1;
        return FALSE;
    }
    if (bTransparent)
        PrepareMask(&m_bmThumb, &m_bmThumbMask, clrTransColor, iTransPixelX, iTransPixelY);
    if (nActiveID) {
        if (!m_bmThumbActive.LoadBitmap(nActiveID)) {
            DeleteThumb();
            m_bThumb = FALSE;
            m_nThumbID = -1;
            return FALSE;
        }
        if (bTransparent)
            PrepareMask(&m_bmThumbActive, &m_bmThumbActiveMask, clrTransColor, iTransPixelX, iTransPixelY);
        m_bThumbActive = TRUE;
    } else {
        m_bThumbActive = FALSE;
    }
    const CSize size = m_bmThumb.GetSize();
    m_geo.nThumbWidth = size.cx;
    m_geo.nThumbHeight = size.cy;
    if (!m_bChannel && m_hWnd) {
        GetClientRect(&m_rect);
        m_geo.nWidth = m_rect.Width();
        m_geo.nHeight = m_rect.Height();
    }
    m_bTransparentThumb = bTransparent;
    m_nThumbID = int(nThumbID);
    m_bThumb = TRUE;
    RepaintParentArea(this);
    return TRUE;
}

BOOL CBitmapSlider::SetBitmapThumbDisabled(UINT nID)
{
    m_bmThumbDisabled.DeleteObject();
    if (!m_bmThumbDisabled.LoadBitmap(nID))
        return FALSE;
    m_bmThumbMask.DeleteObject();
    PrepareMask(&m_bmThumbDisabled, &m_bmThumbMask, SLIDER_KEY_FROM_PIXEL, 0, 0);
    Invalidate(TRUE);
    return TRUE;
}

void CBitmapSlider::DeleteThumb()
{
    m_bmThumb.DeleteObject();
    m_bmThumbMask.DeleteObject();
    m_bmThumbActive.DeleteObject();
    m_bmThumbActiveMask.DeleteObject();
    m_bmThumbBg.DeleteObject();
    m_ptSavedThumb = CPoint(-1, -1);
}

void CBitmapSlider::DeleteChannel()
{
    m_bmChannel.DeleteObject();
    m_bmChannelMask.DeleteObject();
    m_bmChannelActive.DeleteObject();
    m_bmChannelActiveMask.DeleteObject();
}

void CBitmapSlider::SetMargin(int nLeft, int nTop, int nRight, int nBottom)
{
    m_geo.nMarginLeft = nLeft;
    m_geo.nMarginTop = nTop;
    m_geo.nMarginRight = nRight;
    m_geo.nMarginBottom = nBottom;
}

void CBitmapSlider::SetRange(int nMin, int nMax, BOOL bRedraw)
{
    m_geo.nMin = nMin;
    m_geo.nMax = nMax;
    if (bRedraw)
        Invalidate(TRUE);
}

void CBitmapSlider::SetRangeMax(int nMax, BOOL bRedraw)
{
    m_geo.nMax = nMax;
    if (bRedraw)
        Invalidate(TRUE);
}

void CBitmapSlider::SetPos(int nPos)
{
    m_nPos = nPos > m_geo.nMax ? m_geo.nMax : nPos < m_geo.nMin ? m_geo.nMin : nPos;
    Invalidate(TRUE);
}

void CBitmapSlider::SetValue(int nValue)
{
    m_nPos = m_geo.nMax - nValue + (m_nKind == SLIDER_KIND_GAIN ? 80 : 0);
    Invalidate(TRUE);
    UpdateWindow();
}

int CBitmapSlider::GetValue() const { return m_geo.nMax - m_nPos + (m_nKind == SLIDER_KIND_GAIN ? 80 : 0); }

void CBitmapSlider::SetFreqValue(int nHz)
{
    if (m_nKind == SLIDER_KIND_FREQ)
        m_nPos = m_geo.nMax - FreqToBandIndex(nHz);
    else if (m_nKind == SLIDER_KIND_FREQ_HI)
        m_nPos = m_geo.nMax + 192 - FreqToBandIndex(nHz);
    SetPos(m_nPos);
}

int CBitmapSlider::GetFreqValue() const
{
    int pos = m_nPos;
    if (m_nKind == SLIDER_KIND_FREQ && pos == 136)
        pos = 135;
    int index = m_nKind == SLIDER_KIND_FREQ_HI ? m_geo.nMax + 192 - pos : m_geo.nMax - pos;
    // A position outside the grid's reach reads the nearest end of the grid.
    index = index < 0 ? 0 : index >= FREQ_GRID_POINTS ? FREQ_GRID_POINTS - 1 : index;
    return TruncToInt(g_dFreqGrid[index]);
}

void CBitmapSlider::SetInvertedPos(int nValue)
{
    m_nPos = m_geo.nMax - nValue;
    Invalidate(TRUE);
}

int CBitmapSlider::SetPageSize(int nSize)
{
    const int old = m_nPage;
    m_nPage = nSize;
    return old;
}

void CBitmapSlider::Enable(BOOL bEnable)
{
    m_bEnable = bEnable;
    if (!m_bEnable && m_bDragging) {
        m_bDragging = FALSE;
        if (GetCapture() == this)
            ReleaseCapture();
    }
    Invalidate(TRUE);
}

void CBitmapSlider::SetActive(BOOL bActive)
{
    if (bActive == m_bActive)
        return;
    m_bActive = bActive;
    Invalidate(TRUE);
}

void CBitmapSlider::SetFocusRect(BOOL bFocusRect, BOOL bRedraw)
{
    m_bFocusRect = bFocusRect;
    if (bRedraw)
        Invalidate(TRUE);
}

void CBitmapSlider::Post(UINT message)
{
    if (CWnd* parent = GetParent())
        parent->PostMessage(message, WPARAM(GetDlgCtrlID()), LPARAM(m_nPos));
}

LRESULT CBitmapSlider::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE:
        // Tab moves the focus on; the arrows stay here.
        if (GetKeyState(VK_TAB) & 0x8000)
            return CStatic::WindowProc(message, wParam, lParam);
        return DLGC_WANTARROWS;
    case WM_SLIDER_TAKEFOCUS:
        SetFocus();
        m_bActive = TRUE;
        Invalidate(TRUE);
        return 0;
    default:
        return CStatic::WindowProc(message, wParam, lParam);
    }
}

BOOL CBitmapSlider::OnEraseBkgnd(CDC*) { return TRUE; }

void CBitmapSlider::OnLButtonDown(UINT, CPoint point)
{
    if (!m_bEnable)
        return;
    SetCapture();
    SetFocus();
    m_bDragging = TRUE;
    const int along = Along(point);
    const int thumb = m_geo.PosToPixel(m_nPos);
    const int half = m_geo.ThumbLength() / 2;
    m_nDragOffset = std::abs(along - thumb) <= half ? along - thumb : 0;
    // A press beside the thumb moves it one step towards the pointer and starts no drag.
    const int target = m_geo.ClampToTravel(along - m_nDragOffset);
    if (target != thumb) {
        SetPos(m_geo.PixelToPos(target) < m_nPos ? m_nPos - 1 : m_nPos + 1);
        m_bDragging = FALSE;
        m_bMoved = TRUE;
    }
    SetTimer(SLIDER_MOVE_TIMER, SLIDER_MOVE_PERIOD_MS);
    Invalidate(TRUE);
    Default();
}

void CBitmapSlider::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bDragging || !m_bEnable) {
        if (m_bMoveNotify)
            SendMoveNotice(this, m_ptLast, point, nFlags);
        return;
    }
    const int target = m_geo.ClampToTravel(Along(point) - m_nDragOffset);
    if (target != m_geo.PosToPixel(m_nPos)) {
        SetPos(m_geo.PixelToPos(target));
        m_bMoved = TRUE;
    }
    Default();
}

void CBitmapSlider::OnLButtonUp(UINT, CPoint)
{
    if (!m_bEnable)
        return;
    if (GetCapture() == this)
        ReleaseCapture();
    m_bDragging = FALSE;
    Invalidate(TRUE);
    Post(WM_SLIDER_MOVED);
    m_bMoved = FALSE;
    KillTimer(SLIDER_MOVE_TIMER);
    Default();
}

void CBitmapSlider::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != SLIDER_MOVE_TIMER)
        return;
    if (m_bMoved) {
        Post(WM_SLIDER_MOVING);
        m_bMoved = FALSE;
    }
}

void CBitmapSlider::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (!m_bEnable)
        return;
    int pos;
    switch (nChar) {
    case VK_PRIOR: pos = m_nPos - m_nPage; break;
    case VK_NEXT: pos = m_nPos + m_nPage; break;
    case VK_END: pos = m_geo.nMax; break;
    case VK_HOME: pos = m_geo.nMin; break;
    case VK_LEFT:
    case VK_UP: pos = m_nPos - 1; break;
    case VK_RIGHT:
    case VK_DOWN: pos = m_nPos + 1; break;
    default: Default(); return;
    }
    SetPos(pos);
    Post(WM_SLIDER_MOVED);
    Default();
}

BOOL CBitmapSlider::OnMouseWheel(UINT, short zDelta, CPoint)
{
    // One notch moves one step; the value grows upwards on a vertical fader.
    const int dir = m_geo.bVertical ? -1 : 1;
    if (zDelta == -120)
        SetPos(m_nPos - dir);
    else if (zDelta == 120)
        SetPos(m_nPos + dir);
    Post(WM_SLIDER_MOVED);
    return BOOL(Default());
}

void CBitmapSlider::OnSetFocus(CWnd*)
{
    Default();
    if (m_pBuddy)
        m_pBuddy->SetHighlight(TRUE);
    m_bActive = TRUE;
    Post(WM_SLIDER_MOVING);
    Invalidate(TRUE);
}

void CBitmapSlider::OnKillFocus(CWnd*)
{
    Default();
    m_bActive = FALSE;
    if (m_pBuddy)
        m_pBuddy->SetHighlight(FALSE);
    Invalidate(TRUE);
}

void CBitmapSlider::OnDestroy()
{
    Default();
    DeleteThumb();
    m_bmThumbDisabled.DeleteObject();
    DeleteChannel();
}

BOOL CBitmapSlider::OnSetCursor(CWnd*, UINT, UINT) { return SetHandOrArrowCursor(m_hCursor, m_bUseHandCursor); }
