#include "CBtnPng.h"

#include "CWindowDC.h"
#include "Cursor.h"
#include "Globals.h"
#include "SkinHabits.h"

CBtnPng::CBtnPng() { m_hCursor = LoadHandCursor(m_hCursor); }

CBtnPng::~CBtnPng()
{
    for (auto* p : m_pImage)
        delete p;
    for (auto* p : m_pDisabled)
        delete p;
    for (auto* p : m_pChinese)
        delete p;
    if (m_hCursor)
        DestroyCursor(m_hCursor);
}

void CBtnPng::PreSubclassWindow()
{
    m_nMode = ButtonModeFromStyle(GetStyle());
    // Owner-drawn in every mode; only push mode draws anything.
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, SWP_FRAMECHANGED);
}

void CBtnPng::LoadInto(CPngResourceBitmap*& slot, UINT nID)
{
    delete slot;
    slot = new CPngResourceBitmap;
    slot->Load(nID, "PNG", nullptr);
}

void CBtnPng::TakeSizeOf(const CPngResourceBitmap* pImage)
{
    const CImage* img = pImage ? pImage->GetBitmap() : nullptr;
    if (!img)
        return;  // a picture that did not load leaves the size as it was
    m_nImgWidth = img->GetWidth();
    m_nImgHeight = img->GetHeight();
    if (m_hWnd)
        SetWindowPos(&wndTop, 0, 0, m_nImgWidth, m_nImgHeight, SWP_NOMOVE);
}

void CBtnPng::SetPngImages(UINT nNormal, UINT nHover, UINT nPressed)
{
    LoadInto(m_pImage[0], nNormal);
    LoadInto(m_pImage[1], nHover);
    LoadInto(m_pImage[2], nPressed);
    TakeSizeOf(m_pImage[0]);
}

void CBtnPng::SetCheckedPngImages(UINT nNormal, UINT nHover, UINT nPressed)
{
    LoadInto(m_pImage[3], nNormal);
    LoadInto(m_pImage[4], nHover);
    LoadInto(m_pImage[5], nPressed);
}

void CBtnPng::SetDisabledPngImages(UINT nUnchecked, UINT nChecked)
{
    LoadInto(m_pDisabled[0], nUnchecked);
    LoadInto(m_pDisabled[1], nChecked);
    TakeSizeOf(m_pDisabled[0]);
}

void CBtnPng::SetChinesePngImages(UINT nNormal, UINT nHover, UINT nPressed, UINT nCheckedNormal, UINT nCheckedHover,
                                  UINT nCheckedPressed)
{
    const UINT ids[6] = {nNormal, nHover, nPressed, nCheckedNormal, nCheckedHover, nCheckedPressed};
    for (int i = 0; i < 6; ++i)
        LoadInto(m_pChinese[i], ids[i]);
    m_bChineseSet = TRUE;
}

void CBtnPng::SetCheck(BOOL bCheck)
{
    if (bCheck == m_bChecked)
        return;
    m_bChecked = bCheck;
    if (!m_bChecked)
        PassHoverToLinked(bCheck);
    Invalidate(FALSE);
}

void CBtnPng::SetHover(BOOL bHover)
{
    m_bHover = bHover;
    Invalidate(FALSE);
}

void CBtnPng::Refresh() { Invalidate(TRUE); }

void CBtnPng::SetLinkedButtons(CBtnPng* pFirst, CBtnPng* pSecond)
{
    m_pLinked[0] = pFirst;
    m_pLinked[1] = pSecond;
}

void CBtnPng::PassHoverToLinked(BOOL bHover)
{
    if (m_bChecked)
        return;
    for (CBtnPng* b : m_pLinked)
        if (b)
            b->SetHover(bHover);
}

BOOL CBtnPng::ShowWindow(int nCmdShow)
{
    if (nCmdShow == SW_HIDE)
        m_pLinked[0] = m_pLinked[1] = nullptr;
    Invalidate(FALSE);
    return CButton::ShowWindow(nCmdShow);
}

int CBtnPng::PickContext(bool disabled, bool checked, bool hover, bool pressed, bool chinese)
{
    if (disabled)
        return checked ? 14 : 13;
    int n = checked ? 4 : 1;
    if (hover)
        n += pressed ? 2 : 1;
    return chinese ? n + 6 : n;
}

int CBtnPng::CurrentContext() const
{
    return PickContext(m_hWnd && !IsWindowEnabled(), m_bChecked, m_bHover, m_bPressed, m_bChineseSet && g_bChinese);
}

CImage* CBtnPng::ImageOf(int nContext) const
{
    const CPngResourceBitmap* p = nullptr;
    if (nContext >= 1 && nContext <= 6)
        p = m_pImage[nContext - 1];
    else if (nContext >= 7 && nContext <= 12)
        p = m_pChinese[nContext - 7];
    else if (nContext == 13 || nContext == 14)
        p = m_pDisabled[nContext - 13];
    return p ? p->GetBitmap() : nullptr;
}

void CBtnPng::Compose(CDC* pDC, int nContext)
{
    if (m_bMade[nContext])
        return;
    if (CImage* img = ImageOf(nContext)) {
        CRect rc;
        GetClientRect(&rc);
        pDC->BitBlt(0, 0, rc.Width(), rc.Height(), &m_dcBack, 0, 0, SRCCOPY);
        img->RotateFlip(m_nRotateFlip);
        pDC->DrawImage(img, 0, 0, m_nImgWidth, m_nImgHeight);
    }
    // A state without a picture keeps what the context shows now: the picture composed last.
    m_dc[nContext].CreateCompatibleDC(pDC);
    m_bmp[nContext].CreateCompatibleBitmap(pDC, m_nImgWidth, m_nImgHeight);
    m_dc[nContext].SelectObject(&m_bmp[nContext]);
    m_dc[nContext].BitBlt(0, 0, m_nImgWidth, m_nImgHeight, pDC, 0, 0, SRCCOPY);
    m_bMade[nContext] = true;
}

HBRUSH CBtnPng::CtlColor(CDC* pDC, UINT)
{
    if (!pDC || !m_hWnd)
        return nullptr;
    if (m_nImgWidth <= 0 || m_nImgHeight <= 0) {
        // No picture has given a size: compose at the button's own.
        CRect rc;
        GetClientRect(&rc);
        m_nImgWidth = rc.Width();
        m_nImgHeight = rc.Height();
    }
    if (!m_dcBack.GetSafeHdc()) {
        CWnd* parent = GetParent();
        CRect rc;
        GetWindowRect(&rc);
        m_dcBack.CreateCompatibleDC(pDC);
        m_bmpBack.CreateCompatibleBitmap(pDC, m_nImgWidth, m_nImgHeight);
        m_dcBack.SelectObject(&m_bmpBack);
        if (parent) {
            parent->ScreenToClient(&rc);
            CClientDC parentDC(parent);
            m_dcBack.BitBlt(0, 0, m_nImgWidth, m_nImgHeight, &parentDC, rc.left, rc.top, SRCCOPY);
        }
    }
    for (int n : {1, 2, 3, 4, 5, 6, 13, 14})
        Compose(pDC, n);
    if (m_bChineseSet)
        for (int n = 7; n <= 12; ++n)
            Compose(pDC, n);
    if (m_nCurrent == 0)
        m_nCurrent = m_bChineseSet ? 7 : 1;
    return nullptr;
}

void CBtnPng::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (m_nMode != BTN_MODE_PUSH)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const bool disabled = (lpDrawItemStruct->itemState & ODS_DISABLED) != 0;
    m_nCurrent = PickContext(disabled, m_bChecked, m_bHover, m_bPressed, m_bChineseSet && g_bChinese);
    if (!pDC || !m_bMade[m_nCurrent])
        return;
    const CRect& rc = lpDrawItemStruct->rcItem;
    pDC->BitBlt(0, 0, rc.Width(), rc.Height(), &m_dc[m_nCurrent], 0, 0, SRCCOPY);
}

BOOL CBtnPng::OnEraseBkgnd(CDC*) { return TRUE; }

void CBtnPng::OnMouseMove(UINT nFlags, CPoint point)
{
    TrackMouse(this, TME_LEAVE | TME_HOVER, 1);
    if (m_bMoveNotify)
        SendMoveNotice(this, m_ptLast, point, nFlags);
    Default();
}

void CBtnPng::OnMouseHover(UINT, CPoint)
{
    if (!m_bHover) {
        Invalidate(TRUE);
        PassHoverToLinked(TRUE);
    }
    m_bHover = TRUE;
}

void CBtnPng::OnMouseLeave()
{
    m_bHover = FALSE;
    Invalidate(TRUE);
    PassHoverToLinked(FALSE);
}

void CBtnPng::OnLButtonDown(UINT, CPoint)
{
    m_bPressed = TRUE;
    Invalidate(TRUE);
    Default();
}

void CBtnPng::OnLButtonUp(UINT, CPoint)
{
    m_bPressed = FALSE;
    Default();
}

BOOL CBtnPng::OnSetCursor(CWnd*, UINT, UINT) { return SetHandOrArrowCursor(m_hCursor, m_bUseHandCursor); }
