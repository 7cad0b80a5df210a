// The grid's drop target: forwards drags over the grid's own window to the grid.
#pragma once

#include "OleData.h"

class CGridCtrl;

class CGridDropTarget : public COleDropTarget {
public:
    CGridDropTarget() = default;
    ~CGridDropTarget() override = default;

    BOOL Register(CGridCtrl* pGridCtrl);
    void Revoke() override;
    BOOL IsRegistered() const { return m_bIsRegistered; }

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    // Never DROPEFFECT_SCROLL: no automatic scrolling near the edges.
    DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) override;

    CGridCtrl* m_pOwnerGrid = nullptr;
    BOOL m_bIsRegistered = FALSE;

private:
    bool IsOwner(CWnd* pWnd) const;
};
