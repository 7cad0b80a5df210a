#include "CToolTipCtrl.h"

#include <QString>
#include <QWidget>

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD)
{
    m_bCreated = pParentWnd && pParentWnd->GetSafeHwnd();
    return m_bCreated ? TRUE : FALSE;
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText)
{
    if (!m_bCreated || !pWnd || !pWnd->GetSafeHwnd())
        return FALSE;
    m_hTool = pWnd->GetSafeHwnd();
    m_strText = lpszText ? lpszText : "";
    Apply(pWnd, m_strText);
    return TRUE;
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd)
{
    if (!pWnd || pWnd->GetSafeHwnd() != m_hTool)
        return;
    m_strText = lpszText ? lpszText : "";
    Apply(pWnd, m_strText);
}

void CToolTipCtrl::Activate(BOOL bActivate)
{
    m_bActive = bActivate != FALSE;
    Apply(CWnd::FromHandle(m_hTool), m_strText);
}

void CToolTipCtrl::Apply(CWnd* pWnd, const CString& text)
{
    if (QWidget* w = pWnd ? pWnd->GetWidget() : nullptr)
        w->setToolTip(m_bActive ? QString::fromStdString(text) : QString());
}
