// The grid as a window: construction, creation, fonts, colours, the redraw switch, the cursor,
// notices to the owner and the message dispatch.
#include "CGridCtrl.h"

#include "Cursor.h"
#include "Globals.h"
#include "SettingsStore.h"
#include "WinApi.h"

#include <cstdlib>
#include <cstring>

namespace {
// Texts of the preset menu's first two items, fixed by the language at construction.
const char* const kLoadZh = "加载     机器预置场景(&E)";
const char* const kLoadEn = "Load     Machine Preset(&E)";
const char* const kSaveAsZh = "另存为  机器预置场景(&I)";
const char* const kSaveAsEn = "Save As Machine Preset(&I)";
}  // namespace

CGridCtrl::CGridCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols)
{
    RegisterGridClass();

    m_crSysWindowText = GetSysColor(COLOR_WINDOWTEXT);
    m_crSysWindow = GetSysColor(COLOR_WINDOW);
    m_crSysBtnFace = GetSysColor(COLOR_BTNFACE);
    m_crSysBtnShadow = GetSysColor(COLOR_BTNSHADOW);
    m_crLines = RGB(192, 192, 192);

    m_nWheelLines = ReadWheelScrollLines();

    CFont sys;
    sys.CreateStockObject(SYSTEM_FONT);
    sys.GetLogFont(&m_lfGrid);
    sys.Detach();

    SetRowCount(nRows);
    SetColumnCount(nCols);
    SetFixedRowCount(nFixedRows);
    SetFixedColumnCount(nFixedCols);

    m_crCellText = m_crSysWindowText;
    m_crCellBack = m_crSysWindow;
    m_crGridBack = m_crSysBtnShadow;
    m_crFixedText = m_crSysWindowText;
    m_crFixedBack = m_crSysBtnFace;

    m_mapSelected.clear();
    m_mapPrevSelected.clear();

    m_menuPreset.CreatePopupMenu();
    m_menuPreset.AppendMenu(MF_STRING, ID_PRESET_LOAD, g_bChinese ? kLoadZh : kLoadEn);
    m_menuPreset.AppendMenu(MF_STRING, ID_PRESET_SAVEAS, g_bChinese ? kSaveAsZh : kSaveAsEn);
    m_menuPreset.AppendMenu(MF_STRING, ID_PRESET_DELETE, "");
}

CGridCtrl::~CGridCtrl()
{
    m_menuPreset.DestroyMenu();
    DeleteAllCells();
    m_scrollBars.Detach();
    m_dropTarget.Revoke();
    DestroyWindow();
    m_fontGrid.DeleteObject();
}

BOOL CGridCtrl::RegisterGridClass()
{
    // Windows here are not made from registered classes; nothing can fail.
    return TRUE;
}

int CGridCtrl::ReadWheelScrollLines()
{
    const char* const key = "Control Panel\\Desktop";
    if (!SettingsStore::KeyExists(key) || !SettingsStore::HasValue(key, "WheelScrollLines"))
        return 3;
    const std::string value = SettingsStore::GetString(key, "WheelScrollLines");
    char* end = nullptr;
    const unsigned long n = std::strtoul(value.c_str(), &end, 10);
    // A value that is no number would stop the wheel altogether: keep the usual step then.
    if (end == value.c_str())
        return 3;
    return int(static_cast<unsigned int>(n));  // 4294967295 (a page per notch) becomes -1
}

BOOL CGridCtrl::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    if (!pParentWnd || !pParentWnd->m_hWnd)
        return FALSE;
    if (!CWnd::Create("MFCGridCtrl", "", dwStyle, rect, pParentWnd, nID))
        return FALSE;
    m_dropTarget.Register(this);
    if (m_bTipsEnabled && !m_wndTip.m_hWnd)
        m_wndTip.Create(this);
    m_aRowHeights.assign(size_t(m_nRowCount), UINT(m_nDefaultRowHeight));
    m_aColumnWidths.assign(size_t(m_nColumnCount), UINT(m_nDefaultColumnWidth));
    UpdateScrollBars();
    return TRUE;
}

int CGridCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    const int r = CWnd::OnCreate(lpCreateStruct);
    m_scrollBars.Attach(this);
    return r;
}

BOOL CGridCtrl::SubclassWindow(HWND hWnd)
{
    // A window cannot change its class here: the grid takes the control's place instead, with
    // its rectangle, id, style and position among its siblings' ids.
    CWnd* pCtl = CWnd::FromHandle(hWnd);
    if (!pCtl || m_hWnd)
        return FALSE;
    CWnd* pParent = pCtl->GetParent();
    if (!pParent)
        return FALSE;
    CRect rc;
    pCtl->GetWindowRect(&rc);
    pParent->ScreenToClient(&rc);
    const UINT nID = UINT(pCtl->GetDlgCtrlID());
    const DWORD style = pCtl->GetStyle() | WS_CHILD;
    pCtl->DestroyWindow();
    if (!CWnd::Create("MFCGridCtrl", "", style, rc, pParent, nID))
        return FALSE;
    PreSubclassWindow();
    m_dropTarget.Register(this);
    if (m_bTipsEnabled && !m_wndTip.m_hWnd)
        m_wndTip.Create(this);
    return TRUE;
}

void CGridCtrl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    CFont font;
    if (font.CreateFontIndirect(&m_lfGrid)) {
        OnSetFont(WPARAM(HFONT(font)), 0);
        font.DeleteObject();
    }
    UpdateScrollBars();
}

BOOL DDX_GridWindow(CWnd* pDialog, int nIDC, CGridCtrl& rControl)
{
    if (rControl.m_hWnd)
        return TRUE;
    CWnd* pCtl = pDialog ? pDialog->GetDlgItem(nIDC) : nullptr;
    if (!pCtl)
        return FALSE;
    return rControl.SubclassWindow(pCtl->m_hWnd);
}

LRESULT CGridCtrl::NotifyParent(int nRow, int nCol, UINT nCode)
{
    if (!m_hWnd)
        return 0;
    GV_CELLNOTIFY nm;
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = UINT_PTR(GetDlgCtrlID());
    nm.hdr.code = nCode;
    nm.iRow = nRow;
    nm.iColumn = nCol;
    CWnd* pOwner = GetParent();
    if (!pOwner || !pOwner->m_hWnd)
        return 0;
    return pOwner->SendMessage(WM_NOTIFY, WPARAM(nm.hdr.idFrom), LPARAM(&nm));
}

void CGridCtrl::SetEditEnabled(BOOL bEnable)
{
    m_bEditEnabled = bEnable;
    SetFocusCell(m_cellFocus);
}

void CGridCtrl::SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars)
{
    if (bAllowDraw && !m_bRedraw && m_hWnd)
        Invalidate();
    m_bRedraw = bAllowDraw;
    if (bResetScrollBars)
        UpdateScrollBars();
}

LRESULT CGridCtrl::OnSetFont(WPARAM hFont, LPARAM)
{
    const LRESULT result = Default();
    LOGFONT lf;
    CFont tmp;
    if (!tmp.Attach(reinterpret_cast<HGDIOBJ>(hFont)))
        return result;
    const int got = tmp.GetLogFont(&lf);
    tmp.Detach();
    if (!got)
        return result;

    m_lfGrid = lf;
    for (int row = 0; row < m_nRowCount; ++row)
        for (int col = 0; col < m_nColumnCount; ++col)
            SetItemFont(row, col, &lf);

    m_fontGrid.DeleteObject();
    m_fontGrid.CreateFontIndirect(&m_lfGrid);
    if (CDC* pDC = m_hWnd ? GetDC() : nullptr) {
        CFont* pOld = pDC->SelectObject(&m_fontGrid);
        TEXTMETRIC tm{};
        pDC->GetTextMetrics(&tm);
        m_nCellMargin = pDC->GetTextExtent(" ").cx;
        pDC->SelectObject(pOld);
        ReleaseDC(pDC);
        m_nDefaultRowHeight = tm.tmHeight + tm.tmExternalLeading + 2 * m_nCellMargin;
        m_nDefaultColumnWidth = tm.tmAveCharWidth * 12 + 2 * m_nCellMargin;
    }
    if (m_hWnd)
        Invalidate();
    return result;
}

LRESULT CGridCtrl::OnGetFont(WPARAM, LPARAM) { return LRESULT(HFONT(m_fontGrid)); }

void CGridCtrl::OnSysColorChange()
{
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT), window = GetSysColor(COLOR_WINDOW);
    const COLORREF face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW);
    if (m_crCellText == m_crSysWindowText)
        m_crCellText = text;
    if (m_crFixedText == m_crSysWindowText)
        m_crFixedText = text;
    if (m_crCellBack == m_crSysWindow)
        m_crCellBack = window;
    if (m_crGridBack == m_crSysBtnShadow)
        m_crGridBack = shadow;
    if (m_crFixedBack == m_crSysBtnFace)
        m_crFixedBack = face;
    m_crSysWindowText = text;
    m_crSysWindow = window;
    m_crSysBtnFace = face;
    m_crSysBtnShadow = shadow;
}

BOOL CGridCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest != HTCLIENT)
        return CWnd::OnSetCursor(pWnd, nHitTest, message);
    if (m_nMouseMode != MODE_DRAGGING)
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

UINT CGridCtrl::OnGetDlgCode()
{
    UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_bWantTab && GetKeyState(VK_CONTROL) >= 0)
        code |= DLGC_WANTTAB;
    return code;
}

BOOL CGridCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case ID_EDIT_COPY: OnEditCopy(); return TRUE;
    case ID_EDIT_CUT: OnEditCut(); return TRUE;
    case ID_EDIT_PASTE: OnEditPaste(); return TRUE;
    case ID_EDIT_SELECT_ALL: OnEditSelectAll(); return TRUE;
    default: return CWnd::OnCommand(wParam, lParam);
    }
}

BOOL CGridCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (hdr && hdr->code == GVN_ENDEDIT && hdr->idFrom == IDC_INCELL_EDIT) {
        OnEditEndNotify(hdr, pResult);
        return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}

LRESULT CGridCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFONT: return OnSetFont(wParam, lParam);
    case WM_GETFONT: return OnGetFont(wParam, lParam);
    case WM_SYSCOLORCHANGE: OnSysColorChange(); return 0;
    case WM_GETDLGCODE: return OnGetDlgCode();
    default: return CWnd::WindowProc(message, wParam, lParam);
    }
}
