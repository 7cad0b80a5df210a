#include "CommCtrl.h"

#include "CWnd.h"

LRESULT SendNotify(CWnd* pCtl, NMHDR* pHdr, UINT nCode)
{
    CWnd* parent = pCtl ? pCtl->GetParent() : nullptr;
    if (!parent || !pHdr)
        return 0;
    pHdr->hwndFrom = pCtl->GetSafeHwnd();
    pHdr->idFrom = UINT_PTR(pCtl->GetDlgCtrlID());
    pHdr->code = nCode;
    return parent->SendMessage(WM_NOTIFY, WPARAM(pCtl->GetDlgCtrlID()), LPARAM(pHdr));
}
