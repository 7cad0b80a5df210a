#include "CInMode_Dlg.h"

#include "AppMessages.h"
#include "CImage.h"
#include "CWindowDC.h"
#include "Globals.h"

namespace {

// One connector: its id, input code, place in the bar and pictures (normal, hover, pressed; the
// checked states use the pressed one). cnFirst 0: no Chinese set.
struct Connector {
    UINT id;
    int code;
    int x, y;
    UINT normal;
    UINT cnFirst;
};

// In the order of the bar's members. The AUX groups share the places right of the Bluetooth sign.
const Connector kConnectors[INMODE_BUTTONS] = {
    {IDC_SRC_PHONE, 2, 300, 38, 688, 4454},
    {IDC_SRC_SIX, 3, 430, 38, 670, 4445},
    {IDC_SRC_SIX_SPARE, 4, 700, 38, 710, 0},
    {IDC_SRC_QUAD, 3, 430, 38, 667, 4439},
    {IDC_SRC_QUAD_PAIR, 4, 620, 38, 700, 4442},
    {IDC_SRC_QUAD_SPARE, 5, 740, 38, 703, 0},
    {IDC_SRC_PAIR1, 3, 430, 38, 655, 4430},
    {IDC_SRC_PAIR2, 4, 570, 38, 658, 4433},
    {IDC_SRC_PAIR3, 5, 710, 38, 661, 4436},
    {IDC_SRC_SPDIF, 0, 20, 38, 673, 4448},
    {IDC_SRC_HILEVEL, 1, 160, 38, 676, 4451},
};

// The AUX connectors of each AUX mode, in the order of inputs 3, 4, 5.
const UINT kGroup[3][3] = {
    {IDC_SRC_PAIR1, IDC_SRC_PAIR2, IDC_SRC_PAIR3},
    {IDC_SRC_QUAD, IDC_SRC_QUAD_PAIR, IDC_SRC_QUAD_SPARE},
    {IDC_SRC_SIX, IDC_SRC_SIX_SPARE, 0},
};

int IndexOf(UINT nID)
{
    for (int i = 0; i < INMODE_BUTTONS; ++i)
        if (kConnectors[i].id == nID)
            return i;
    return -1;
}

}  // namespace

CInMode_Dlg::CInMode_Dlg(CWnd* pParent) : CDialog(IDD_INMODE_BAR, pParent) {}

CInMode_Dlg::~CInMode_Dlg()
{
    if (m_pOldBitmap)
        m_dcParent.SelectObject(m_pOldBitmap);
    delete m_pBack;
}

BOOL CInMode_Dlg::CreateBar(CWnd* pParent)
{
    if (GetSafeHwnd() || !pParent || !pParent->GetSafeHwnd())
        return FALSE;
    m_pParentWnd = pParent;
    // A child strip of the page, not a top-level dialog.
    if (!CWnd::CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 860, 175), pParent, IDD_INMODE_BAR))
        return FALSE;
    SendMessage(WM_INITDIALOG);
    return TRUE;
}

BOOL CInMode_Dlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (LoadImageFromResource(IDPNG_INMODE_BACK, "png", m_pBack) && m_pBack) {
        m_nBackHeight = m_pBack->GetHeight();
        m_nBackWidth = m_pBack->GetWidth();
    }
    if (m_nBackWidth > 0 && m_nBackHeight > 0)
        SetWindowPos(nullptr, 0, 0, m_nBackWidth, m_nBackHeight, SWP_NOMOVE | SWP_NOZORDER);
    m_pOwner = nullptr;
    for (int i = 0; i < INMODE_BUTTONS; ++i) {
        const Connector& c = kConnectors[i];
        // Shown at start: the fixed connectors and the stereo pairs of AUX mode 0.
        const bool visible = c.id == IDC_SRC_HILEVEL || c.id == IDC_SRC_SPDIF || c.id == IDC_SRC_PHONE ||
                             c.id == IDC_SRC_PAIR1 || c.id == IDC_SRC_PAIR2 || c.id == IDC_SRC_PAIR3;
        m_btn[i].Create("", WS_CHILD | BS_PUSHBUTTON | (visible ? WS_VISIBLE : 0), CRect(c.x, c.y, c.x + 100, c.y + 100),
                        this, c.id);
    }
    SetButtonImages();
    return TRUE;
}

void CInMode_Dlg::SetButtonImages()
{
    for (int i = 0; i < INMODE_BUTTONS; ++i) {
        const Connector& c = kConnectors[i];
        m_btn[i].SetPngImages(c.normal, c.normal + 1, c.normal + 2);
        m_btn[i].SetCheckedPngImages(c.normal + 2, c.normal + 2, c.normal + 2);
        if (c.cnFirst)
            m_btn[i].SetChinesePngImages(c.cnFirst, c.cnFirst + 1, c.cnFirst + 2, c.cnFirst + 2, c.cnFirst + 2,
                                         c.cnFirst + 2);
    }
}

CBtnPng* CInMode_Dlg::GetButton(UINT nID)
{
    const int i = IndexOf(nID);
    return i < 0 ? nullptr : &m_btn[i];
}

void CInMode_Dlg::CheckButton(UINT nID, BOOL bCheck)
{
    if (CBtnPng* b = GetButton(nID))
        b->SetCheck(bCheck);
}

int CInMode_Dlg::CodeOfButton(UINT nID)
{
    const int i = IndexOf(nID);
    return i < 0 ? -1 : kConnectors[i].code;
}

UINT CInMode_Dlg::MarkedButton(int nShown, int nKind)
{
    if (nKind < 0 || nKind > 2)
        return 0;
    switch (nShown) {
    case 0: return IDC_SRC_SPDIF;
    case 1: return IDC_SRC_HILEVEL;
    case 2: return IDC_SRC_PHONE;
    case 3: return kGroup[nKind][0];
    // The six-channel input carries inputs 3 and 4 in one connector.
    case 4: return nKind == 2 ? IDC_SRC_SIX : kGroup[nKind][1];
    // The four-channel connector stands for input 5 too.
    case 5: return nKind == 1 ? IDC_SRC_QUAD : kGroup[nKind][2];
    default: return 0;
    }
}

UINT CInMode_Dlg::ReleasedButton(int nShown, int nKind)
{
    if (nKind < 0 || nKind > 2)
        return 0;
    switch (nShown) {
    case 0: return IDC_SRC_SPDIF;
    case 1: return IDC_SRC_HILEVEL;
    case 2: return IDC_SRC_PHONE;
    case 3:
    case 4:
    case 5: return kGroup[nKind][nShown - 3];
    case 6: return nKind == 0 ? IDC_SRC_PAIR1 : 0;
    default: return 0;
    }
}

void CInMode_Dlg::ShowVariantGroup()
{
    const int kind = g_nInputKind;
    if (kind < 0 || kind > 2)
        return;
    const UINT shown[] = {IDC_SRC_PAIR1, IDC_SRC_PAIR2, IDC_SRC_PAIR3, IDC_SRC_QUAD, IDC_SRC_QUAD_PAIR, IDC_SRC_SIX};
    for (UINT id : shown) {
        bool show = false;
        if (kind == 0)
            show = id == IDC_SRC_PAIR1 || id == IDC_SRC_PAIR2 || id == IDC_SRC_PAIR3;
        else if (kind == 1)
            show = id == IDC_SRC_QUAD || id == IDC_SRC_QUAD_PAIR;
        else
            show = id == IDC_SRC_SIX;
        if (CBtnPng* b = GetButton(id))
            b->ShowWindow(show ? SW_SHOW : SW_HIDE);
    }
}

void CInMode_Dlg::UncheckAllButtons()
{
    CheckButton(IDC_SRC_SPDIF, FALSE);
    CheckButton(IDC_SRC_HILEVEL, FALSE);
    CheckButton(IDC_SRC_PHONE, FALSE);
    if (g_nInputKind < 0 || g_nInputKind > 2)
        return;
    for (UINT id : kGroup[g_nInputKind])
        if (id)
            CheckButton(id, FALSE);
}

void CInMode_Dlg::UpdateModeButtons()
{
    UncheckAllButtons();
    if (const UINT id = MarkedButton(g_nShownInput, g_nInputKind))
        CheckButton(id, TRUE);
}

void CInMode_Dlg::ReleaseModeButton()
{
    if (const UINT id = ReleasedButton(g_nShownInput, g_nInputKind))
        CheckButton(id, FALSE);
}

void CInMode_Dlg::ShowMode2Btn(BOOL bShow)
{
    if (CBtnPng* b = GetButton(IDC_SRC_PHONE))
        b->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CInMode_Dlg::ShowMode0Btn(BOOL bShow)
{
    if (CBtnPng* b = GetButton(IDC_SRC_SPDIF))
        b->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CInMode_Dlg::RedrawModeButtons()
{
    const UINT ids[] = {IDC_SRC_HILEVEL, IDC_SRC_PAIR1, IDC_SRC_PAIR2, IDC_SRC_PAIR3, IDC_SRC_QUAD,
                        IDC_SRC_QUAD_PAIR, IDC_SRC_SIX, IDC_SRC_SPDIF, IDC_SRC_PHONE};
    for (UINT id : ids)
        if (CBtnPng* b = GetButton(id); b && b->GetSafeHwnd())
            b->Refresh();
}

void CInMode_Dlg::OnSourceButton(UINT nID)
{
    const int code = CodeOfButton(nID);
    if (code < 0)
        return;
    if (g_nShownInput != code) {
        ReleaseModeButton();
        CheckButton(nID, TRUE);
    }
    // Also for the input already shown: the page sends the choice again.
    if (m_pOwner && m_pOwner->GetSafeHwnd())
        m_pOwner->PostMessage(WM_INPUT_SOURCE_SELECTED, 0, LPARAM(code));
}

BOOL CInMode_Dlg::OnCommand(WPARAM wParam, LPARAM)
{
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) != BN_CLICKED || CodeOfButton(id) < 0)
        return FALSE;
    OnSourceButton(id);
    return TRUE;
}

void CInMode_Dlg::CopyParentBkgnd(CDC* pDC)
{
    if (!pDC || !GetSafeHwnd())
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (CWnd* parent = GetParent())
        parent->ScreenToClient(&rcWindow);
    if (m_pOldBitmap) {
        m_dcParent.SelectObject(m_pOldBitmap);
        m_pOldBitmap = nullptr;
    }
    m_dcParent.DeleteDC();
    m_bmpParent.DeleteObject();
    if (!m_dcParent.CreateCompatibleDC(pDC) ||
        !m_bmpParent.CreateCompatibleBitmap(pDC, rcClient.Width(), rcClient.Height()))
        return;
    m_pOldBitmap = m_dcParent.SelectObject(&m_bmpParent);
    m_dcParent.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), pDC, rcWindow.left, rcWindow.top, SRCCOPY);
}

void CInMode_Dlg::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    if (m_pOldBitmap)
        dc.BitBlt(0, 0, rc.Width(), rc.Height(), &m_dcParent, 0, 0, SRCCOPY);
    if (m_pBack)
        dc.DrawImage(m_pBack, 0, 0, m_nBackWidth, m_nBackHeight);
}

BOOL CInMode_Dlg::OnEraseBkgnd(CDC*) { return TRUE; }

BOOL CInMode_Dlg::PreTranslateMessage(MSG* pMsg)
{
    // Enter, Esc and Tab never reach the dialog keys: the page must not close on them.
    if (pMsg->message == WM_KEYDOWN &&
        (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_TAB)) {
        SetFocus();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}
