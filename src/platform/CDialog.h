// Dialogs: a top-level window whose controls the class creates in OnInitDialog.
//
// DoModal shows the dialog modal and runs a nested loop, in which posted messages, timers and
// paints keep flowing, until EndDialog; it returns the value given to EndDialog (-1 when the
// dialog could not be made or the program is ending). Enter chooses OnOK and Esc OnCancel unless
// a control swallows the key first (PreTranslateMessage). The background is the brush that
// OnCtlColor returns for CTLCOLOR_DLG, else the button-face colour.
//
// A template registered by id gives the caption, the size in pixels and the style.
// User-interface thread.
#pragma once

#include "CWnd.h"

class QEventLoop;

typedef intptr_t INT_PTR;

struct DialogTemplate {
    const char* caption;  // UTF-8
    int cx;               // client size in pixels
    int cy;
    DWORD style;          // WS_POPUP | WS_CAPTION | WS_SYSMENU when 0
};

void RegisterDialogTemplate(UINT nIDTemplate, const DialogTemplate& tmpl);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate = 0, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    // A modeless dialog, shown once OnInitDialog has run.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // Ends a modal dialog (DoModal returns nResult) or hides a modeless one.
    void EndDialog(int nResult);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // Return FALSE when it set the focus itself.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    BOOL CreateDialogWindow(CWnd* pParentWnd);

    QEventLoop* m_pLoop = nullptr;
    bool m_bEnded = false;
    int m_nModalResult = -1;
};
