#include "CGridDropTarget.h"

#include "CGridCtrl.h"

BOOL CGridDropTarget::Register(CGridCtrl* pGridCtrl)
{
    if (m_bIsRegistered || !pGridCtrl)
        return FALSE;
    m_pOwnerGrid = pGridCtrl;
    m_bIsRegistered = COleDropTarget::Register(pGridCtrl);
    return m_bIsRegistered;
}

void CGridDropTarget::Revoke()
{
    m_bIsRegistered = FALSE;
    COleDropTarget::Revoke();
}

bool CGridDropTarget::IsOwner(CWnd* pWnd) const
{
    return m_pOwnerGrid && pWnd && pWnd->m_hWnd == m_pOwnerGrid->m_hWnd;
}

DROPEFFECT CGridDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    return IsOwner(pWnd) ? m_pOwnerGrid->DragEnterCell(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT CGridDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    return IsOwner(pWnd) ? m_pOwnerGrid->DragOverCell(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

void CGridDropTarget::OnDragLeave(CWnd* pWnd)
{
    if (IsOwner(pWnd))
        m_pOwnerGrid->DragLeaveCell();
}

BOOL CGridDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    return IsOwner(pWnd) ? m_pOwnerGrid->DropOnCell(pDataObject, dropEffect, point) : FALSE;
}

DROPEFFECT CGridDropTarget::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint)
{
    if (!IsOwner(pWnd))
        return DROPEFFECT_NONE;
    return (dwKeyState & MK_CONTROL_DRAG) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}
