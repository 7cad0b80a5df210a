#include "CNumEdit.h"

#include "AppMessages.h"
#include "CBitmapSlider.h"
#include "CDC.h"
#include "CNumSpin.h"
#include "Globals.h"
#include "SkinHabits.h"
#include "WinApi.h"

CNumEdit::CNumEdit() { m_brHighlight.CreateSolidBrush(m_clrHighlight); }

CNumEdit::~CNumEdit() = default;

NumFieldState CNumEdit::State() const
{
    NumFieldState st;
    st.nMin = m_nMin;
    st.nMax = m_nMax;
    st.dScale = m_dScale;
    st.dOffset = m_dOffset;
    st.nTemperature = m_nTemperature;
    st.strUnit = m_strUnit;
    st.bChinese = g_bChinese != 0;
    return st;
}

void CNumEdit::SetRange(int nMin, int nMax)
{
    m_nMin = nMin;
    m_nMax = nMax;
    m_nValue = nMin;
}

void CNumEdit::SetType(int nType, const CString& strUnit)
{
    m_nType = nType;
    m_strUnit = strUnit;
    UpdateText();
}

void CNumEdit::SetTemperature(int nSetting)
{
    m_nTemperature = nSetting;
    UpdateText();
}

BOOL CNumEdit::CreateSpinButton(UINT nID)
{
    if (!m_hWnd || m_bSpinCreated)
        return FALSE;
    CRect rc;
    GetClientRect(&rc);
    if (!m_spinButton.Create("", WS_CHILD | WS_VISIBLE | NUMEDIT_SPIN_STYLE, rc, this, nID))
        return FALSE;
    m_spinButton.ShowWindow(SW_HIDE);
    m_spinButton.SetFont(GetFont());
    m_bSpinCreated = 1;
    return TRUE;
}

void CNumEdit::SetSpinTarget(int nNumber, CNumSpin* pSpin)
{
    if (m_bSpinCreated && m_spinButton.GetSafeHwnd())
        m_spinButton.SetTarget(nNumber, pSpin);
}

void CNumEdit::SetValue(int v)
{
    if (v < m_nMin || v > m_nMax)
        return;
    m_nValue = v;
    UpdateText();
}

int CNumEdit::GetValue()
{
    if (m_nModified == 1) {
        int v = m_nValue;
        if (ParseNumText(m_nType, GetWindowText(), State(), v))
            m_nValue = v;
        m_nModified = 0;
    }
    return m_nValue;
}

int CNumEdit::GetDelayValue()
{
    if (m_nType == NUMTYPE_DELAY_MS || m_nType == NUMTYPE_DELAY_LONG || m_nType == NUMTYPE_DELAY_CM ||
        m_nType == NUMTYPE_DELAY_INCH)
        Commit();
    return m_nValue;
}

void CNumEdit::StepValue(int nDelta)
{
    const long long v = (long long)m_nValue + nDelta;
    m_nValue = int(v > m_nMax ? m_nMax : v < m_nMin ? m_nMin : v);
    UpdateText();
    SendValueNotice();
}

BOOL CNumEdit::UpdateText()
{
    CString text;
    int v = m_nValue;
    if (FormatNumText(m_nType, v, State(), text)) {
        m_nValue = v;
        if (m_hWnd)
            SetWindowText(text);
    }
    if (m_bSpinCreated && m_spinButton.GetSafeHwnd())
        m_spinButton.SetWindowText(GetWindowText());
    RepaintParentArea(this);
    return 1;
}

void CNumEdit::UpdateOffText()
{
    if (m_nType == NUMTYPE_DELAY_MS || m_nType == NUMTYPE_DELAY_CM || m_nType == NUMTYPE_DELAY_INCH) {
        UpdateText();
        return;
    }
    const CString text = GetWindowText();
    if (g_bChinese && text == NumOffText(false))
        SetWindowText(NumOffText(true));
    else if (!g_bChinese && text == NumOffText(true))
        SetWindowText(NumOffText(false));
}

void CNumEdit::SetHighlight(BOOL bOn)
{
    if (bOn == m_bHighlight)
        return;
    m_bHighlight = bOn;
    RepaintParentArea(this);
}

BOOL CNumEdit::SetReadOnly(BOOL bReadOnly)
{
    RepaintParentArea(this);
    if (m_bSpinCreated && m_spinButton.GetSafeHwnd())
        m_spinButton.ShowWindow(bReadOnly ? SW_SHOW : SW_HIDE);
    return CEdit::SetReadOnly(bReadOnly);
}

void CNumEdit::SendValueNotice()
{
    CWnd* parent = GetParent();
    if (!parent)
        return;
    // The low 16 bits of the handle, as the pages have always received it.
    parent->SendMessage(WM_COMMAND, WPARAM(GetDlgCtrlID()), LPARAM(LOWORD(uintptr_t(m_hWnd))));
}

void CNumEdit::Commit()
{
    const NumCommit c = CommitNumText(m_nType, GetWindowText(), m_nValue, m_nModified == 1, State());
    if (c.bStore)
        m_nValue = c.nValue;
    if (c.bNotify) {
        UpdateText();
        SendValueNotice();
    }
}

BOOL CNumEdit::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        switch (HIWORD(wParam)) {
        case EN_CHANGE:
            // Only text the user changed counts as typed.
            if (GetModify())
                m_nModified = 1;
            *pResult = 0;
            return TRUE;
        case EN_SETFOCUS:
            m_bHighlight = TRUE;
            RepaintParentArea(this);
            if (m_pBuddySlider)
                m_pBuddySlider->SetActive(TRUE);
            if (!IsReadOnly())
                SetSel(0, -1);
            else if (m_bSpinCreated)
                m_spinButton.SetActive(TRUE);
            *pResult = 0;
            return TRUE;
        default:
            break;
        }
    }
    return CEdit::OnChildNotify(message, wParam, lParam, pResult);
}

HBRUSH CNumEdit::CtlColor(CDC* pDC, UINT)
{
    if (m_bHighlight) {
        pDC->SetTextColor(0x000000);
        pDC->SetBkColor(m_clrHighlight);
        return reinterpret_cast<HBRUSH>(m_brHighlight.GetSafeHandle());
    }
    pDC->SetTextColor(m_bEnabledLook ? NUMEDIT_TEXT : NUMEDIT_TEXT_DISABLED);
    pDC->SetBkMode(TRANSPARENT);
    return reinterpret_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void CNumEdit::OnKillFocus(CWnd*)
{
    Default();
    if (!m_hWnd)
        return;
    Commit();
    if (m_bSpinCreated)
        m_spinButton.SetActive(FALSE);
    m_bHighlight = FALSE;
    RepaintParentArea(this);
    if (m_pBuddySlider)
        m_pBuddySlider->SetActive(FALSE);
}

void CNumEdit::OnChar(UINT nChar, UINT, UINT)
{
    // Only single-byte characters: a double-byte character's lead byte is dropped.
    if (nChar >= 0x80)
        return;
    RepaintParentArea(this);
    Default();
}

void CNumEdit::OnKeyDown(UINT nChar, UINT, UINT)
{
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (IsReadOnly() && shift)
        return;
    Default();
    if (!m_hWnd || ctrl || shift)
        return;
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_NUMEDIT_KEYDOWN, WPARAM(GetDlgCtrlID()), LPARAM(nChar));
}

void CNumEdit::OnLButtonDown(UINT, CPoint)
{
    if (!m_bEnabledLook) {
        Default();
        PostMessage(WM_KILLFOCUS);
        return;
    }
    SendValueNotice();
    if (!m_hWnd)
        return;
    if (GetFocus() != this) {
        SetFocus();  // the focus handling selects the whole text
        return;
    }
    Default();
}

void CNumEdit::OnLButtonDblClk(UINT, CPoint)
{
    Default();
    PostMessage(WM_SETFOCUS, 0);
}

void CNumEdit::OnMouseMove(UINT, CPoint)
{
    // A read-only box has no drag selection.
    if (IsReadOnly())
        return;
    Default();
}
