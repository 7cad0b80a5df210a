// The popup of a drop-down selector: a borderless window above the others, owned by its button
// and filled by a CDropListBox. A pick in the list (a selection change by the user while the
// pointer is inside the popup) hides the popup and is sent to the owner as
// WM_DROPLIST_SELCHANGE (wParam the entry index, lParam 0); a selection change while the pointer
// is elsewhere (the keyboard) hides it and puts the list back on the last pick. Picking a group
// header does nothing.
//
// It is created hidden, so the first click on the button opens it.
// User-interface thread.
#pragma once

#include "CDropListBox.h"

class CDropWnd : public CWnd {
public:
    // Makes the popup, owned by pOwner (the button), and its list. nNotifyId is kept for the
    // owner's use. FALSE when the windows cannot be made.
    BOOL Create(CWnd* pOwner, UINT nNotifyId);

    CDropListBox& GetListBox() { return m_list; }
    BOOL IsShown() const { return m_bShown; }

protected:
    void OnSize(UINT nType, int cx, int cy) override;
    void OnShowWindow(BOOL bShow, UINT nStatus) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void OnListSelChange();

    CWnd* m_pOwner = nullptr;
    BOOL m_bShown = FALSE;
    UINT m_nNotifyId = 0;
    CDropListBox m_list;
};
