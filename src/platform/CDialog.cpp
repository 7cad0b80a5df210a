#include "CDialog.h"

#include "CDC.h"
#include "GdiData.h"
#include "WinApi.h"
#include "WindowRegistry.h"

#include <QEventLoop>
#include <QPainter>
#include <QWidget>

#include <map>

namespace {
std::map<UINT, DialogTemplate>& Templates()
{
    static std::map<UINT, DialogTemplate> t;  // user-interface thread
    return t;
}
}  // namespace

void RegisterDialogTemplate(UINT nIDTemplate, const DialogTemplate& tmpl) { Templates()[nIDTemplate] = tmpl; }

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog()
{
    if (m_pLoop)
        m_pLoop->exit();
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CDialog::CreateDialogWindow(CWnd* pParentWnd)
{
    DialogTemplate t{"", 300, 200, 0};
    if (auto it = Templates().find(m_nIDTemplate); it != Templates().end())
        t = it->second;
    DWORD style = t.style ? t.style : (WS_POPUP | WS_CAPTION | WS_SYSMENU);
    style &= ~(WS_CHILD | WS_VISIBLE);
    CWnd* owner = pParentWnd ? pParentWnd->GetTopLevelParent() : nullptr;
    return CreateEx(0, nullptr, t.caption, style, CRect(0, 0, t.cx, t.cy), owner, 0);
}

INT_PTR CDialog::DoModal()
{
    if (GetSafeHwnd() || !CreateDialogWindow(m_pParentWnd))
        return -1;
    const HWND h = m_hWnd;
    GetWidget()->setWindowModality(Qt::ApplicationModal);
    m_bEnded = false;
    m_nModalResult = -1;
    SendMessage(WM_INITDIALOG);
    if (!m_bEnded && WindowRegistry::Lookup(h) == this) {
        CenterWindow();
        ShowWindow(SW_SHOW);
        QEventLoop loop;
        m_pLoop = &loop;
        loop.exec();
        m_pLoop = nullptr;
    }
    const int result = m_nModalResult;
    if (WindowRegistry::Lookup(h) == this)
        DestroyWindow();
    return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    if (GetSafeHwnd() || !CreateDialogWindow(m_pParentWnd))
        return FALSE;
    const HWND h = m_hWnd;
    SendMessage(WM_INITDIALOG);
    if (WindowRegistry::Lookup(h) != this)
        return FALSE;
    ShowWindow(SW_SHOW);
    return TRUE;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bEnded = true;
    if (m_pLoop)
        m_pLoop->exit();
    else
        ShowWindow(SW_HIDE);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        if (OnCommand(wParam, lParam))
            return 0;
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return 0;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    case WM_CLOSE:
        OnCancel();
        return 0;
    case WM_DESTROY:
        if (m_pLoop)  // destroyed while modal: DoModal must not wait for ever
            m_pLoop->exit();
        return CWnd::WindowProc(message, wParam, lParam);
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
        SendMessage(WM_COMMAND, MAKEWPARAM(WORD(pMsg->wParam == VK_RETURN ? IDOK : IDCANCEL), 0), 0);
        return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CDialog::OnInitDialog() { return TRUE; }

void CDialog::OnOK() { EndDialog(IDOK); }

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_ERASEBKGND)
        return CWnd::DefWindowProc(message, wParam, lParam);
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    if (!pDC)
        return FALSE;
    CRect rc;
    GetClientRect(&rc);
    auto hbr = reinterpret_cast<HBRUSH>(SendMessage(WM_CTLCOLORDLG, wParam, LPARAM(m_hWnd)));
    if (BrushData* bd = BrushOf(reinterpret_cast<HGDIOBJ>(hbr)); bd && bd->brush.style() != Qt::NoBrush) {
        QPainter* p = pDC->GetPainter();
        if (p)
            p->fillRect(QRect(rc.left, rc.top, rc.Width(), rc.Height()), bd->brush);
    } else {
        pDC->FillSolidRect(rc, GetSysColor(COLOR_BTNFACE));
    }
    return TRUE;
}
