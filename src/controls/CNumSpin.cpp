#include "CNumSpin.h"

#include "AppMessages.h"
#include "CNumEdit.h"
#include "Convert.h"
#include "FilterResponse.h"
#include "Globals.h"
#include "ModelUi.h"
#include "SpinSteps.h"

CNumEdit* CNumSpin::Buddy() const { return dynamic_cast<CNumEdit*>(GetBuddy()); }

void CNumSpin::SetRange(int nMin, int nMax)
{
    m_nMin = nMin;
    m_nMax = nMax;
    if (CNumEdit* buddy = Buddy()) {
        buddy->SetRange(nMin, nMax);
        m_nStepType = buddy->GetType();
    }
    SetRange32(nMin, nMax);
}

int CNumSpin::GetBuddyType() const
{
    const CNumEdit* buddy = Buddy();
    return buddy ? buddy->GetType() : 0;
}

int CNumSpin::GetPos()
{
    if (CNumEdit* buddy = Buddy())
        m_nPos = buddy->GetValue();
    return m_nPos;
}

int CNumSpin::GetDelayPos()
{
    if (CNumEdit* buddy = Buddy())
        m_nPos = buddy->GetDelayValue();
    return m_nPos;
}

void CNumSpin::SetPos(int nPos)
{
    if (nPos < m_nMin || nPos > m_nMax) {
        ModelUi::Get().MessageBoxOk(g_bChinese ? "设定Pos错误!" : "Set Pos Error!", g_bChinese ? -2 : -3);
        if (nPos > m_nMax)
            nPos = m_nMax;
        if (nPos < m_nMin)
            nPos = m_nMin;
    }
    m_nPos = nPos;
    if (CNumEdit* buddy = Buddy())
        buddy->SetValue(nPos);
}

BOOL CNumSpin::IsBuddyModified()
{
    const CNumEdit* buddy = Buddy();
    return buddy && buddy->GetModified();
}

void CNumSpin::StepFrequency()
{
    CNumEdit* buddy = Buddy();
    if (!buddy)
        return;
    const int v = buddy->GetValue();
    if (v == m_nPos)
        return;
    m_nPos = FreqGridStep(m_nPos, v < m_nPos, m_nMin, m_nMax);
    SetPos(m_nPos);
}

void CNumSpin::SendValueNotice()
{
    CWnd* parent = GetParent();
    if (!parent)
        return;
    parent->SendMessage(WM_COMMAND, WPARAM(GetDlgCtrlID()), LPARAM(LOWORD(uintptr_t(m_hWnd))));
}

void CNumSpin::SetDelayStep(CNumEdit* pBuddy, int a, int nDelta)
{
    switch (pBuddy->GetType()) {
    case NUMTYPE_DELAY_MS: pBuddy->SetValue(m_nPos); break;
    case NUMTYPE_DELAY_CM:
        m_nPos = StepDelayByCm(a, nDelta);
        pBuddy->SetValue(m_nPos);
        break;
    case NUMTYPE_DELAY_INCH:
        m_nPos = StepDelayByInch(a, nDelta);
        pBuddy->SetValue(m_nPos);
        break;
    default: break;  // other units set nothing
    }
}

BOOL CNumSpin::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY) {
        const auto* nm = reinterpret_cast<const NMUPDOWN*>(lParam);
        if (nm && nm->hdr.code == UDN_DELTAPOS) {
            OnDeltaPos(nm->iDelta);
            *pResult = 0;  // the control takes the step as well
            return TRUE;
        }
    }
    return CSpinButtonCtrl::OnChildNotify(message, wParam, lParam, pResult);
}

void CNumSpin::OnDeltaPos(int nDelta)
{
    CNumEdit* buddy = Buddy();
    if (!buddy || !buddy->GetEnabledLook())
        return;
    int a;
    if (IsBuddyModified()) {
        a = GetPos();
        m_nPos = a;
    } else {
        a = m_nPos;
    }
    int b = m_nStepType == NUMTYPE_RATIO ? RatioStep(a, nDelta) : a + nDelta;
    if (b > m_nMax)
        b = m_nMax;
    if (b < m_nMin)
        b = m_nMin;
    if (b != m_nPos) {
        m_nPos = b;
        m_bChanged = TRUE;
    }
    const bool frequency =
        m_nStepType == NUMTYPE_FREQ || m_nStepType == NUMTYPE_FREQ_HZ || m_nStepType == NUMTYPE_FREQ_TOP;
    if (m_bPressed) {
        // The buddy follows every step; the notice waits for the timer and the release.
        if (frequency)
            StepFrequency();
        buddy->SetValue(m_nPos);
        return;
    }
    if (frequency)
        StepFrequency();
    buddy = Buddy();
    if (!buddy)
        return;
    if (m_nStepType != NUMSPIN_STEP_DELAY) {
        buddy->SetValue(m_nPos);
        SendValueNotice();
        return;
    }
    SetDelayStep(buddy, a, nDelta);
    SendValueNotice();
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_DELAY_SPIN_STEP, WPARAM(GetDlgCtrlID()), LPARAM(nDelta));
}

void CNumSpin::Step(int nDelta)
{
    CNumEdit* buddy = Buddy();
    if (!buddy)
        return;
    const int a = GetPos();
    m_nPos = a;
    const long long next = (long long)a + nDelta;
    const int b = int(next > m_nMax ? m_nMax : next < m_nMin ? m_nMin : next);
    if (b != a) {
        m_nPos = b;
        m_bChanged = TRUE;
    }
    if (m_bPressed)
        return;
    if (m_nStepType != NUMSPIN_STEP_DELAY) {
        buddy->SetValue(m_nPos);
        SendValueNotice();
        return;
    }
    SetDelayStep(buddy, a, nDelta);
    SendValueNotice();
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_DELAY_SPIN_STEP, WPARAM(GetDlgCtrlID()), LPARAM(nDelta));
}

void CNumSpin::OnLButtonDown(UINT, CPoint)
{
    SetTimer(NUMSPIN_REPEAT_TIMER, UINT(m_nRepeat));
    m_bPressed = TRUE;
    Default();
}

void CNumSpin::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == NUMSPIN_REPEAT_TIMER && m_bChanged) {
        if (CWnd* parent = GetParent()) {
            m_pParent = parent;
            m_bChanged = FALSE;
            SendValueNotice();
        }
    }
    Default();
}

void CNumSpin::OnLButtonUp(UINT, CPoint)
{
    m_bPressed = FALSE;
    KillTimer(NUMSPIN_REPEAT_TIMER);
    if (m_bChanged) {
        m_bChanged = FALSE;
        SendValueNotice();
    }
    Default();
}
