#include "CProgramDlg.h"

#include "CDisplayDlg.h"
#include "CKRV330View.h"
#include "CSaveDlg.h"
#include "DialogUnits.h"
#include "FixedField.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "MessageBox.h"
#include "SceneImage.h"

#include <cstring>

namespace {
constexpr int kWidthDlu = 245;
constexpr int kHeightDlu = 120;
constexpr UINT kPresetFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

const CDialogFontUnits& Units()
{
    static const CDialogFontUnits units(90, "Arial");
    return units;
}

void Message(const char* cn, const char* en)
{
    if (g_bChinese)
        AfxMessageBox(cn, MB_OK, -2);
    else
        AfxMessageBox(en, MB_OK, -3);
}
}  // namespace

CProgramDlg::CProgramDlg(CWnd* pParent) : CDialog(IDD_PROGRAM, pParent)
{
    Units().RegisterTemplate(IDD_PROGRAM, "", kWidthDlu, kHeightDlu);
}

CProgramDlg::~CProgramDlg()
{
    if (g_pProgramDlg == this)
        g_pProgramDlg = nullptr;
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL OpenPresetDialog(CKRV330View* pView, UINT nMenuId)
{
    if (nMenuId < ID_SCENE_PRESET_LOAD || nMenuId > ID_SCENE_PRESET_DELETE)
        return FALSE;
    CProgramDlg dlg;
    dlg.m_pView = pView;
    dlg.m_nMode = int(nMenuId - ID_SCENE_PRESET_LOAD);
    dlg.DoModal();
    g_pProgramDlg = nullptr;
    return TRUE;
}

BOOL CProgramDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_nScene = 1;
    Units().ApplyFont(this, m_font);
    const DWORD shown = WS_CHILD | WS_VISIBLE;
    m_btnAction.Create("", shown | WS_TABSTOP | BS_DEFPUSHBUTTON, Units().Rect(52, 101, 50, 14), this,
                       IDC_PROGRAM_ACTION);
    m_btnCancel.Create("", shown | WS_TABSTOP | BS_PUSHBUTTON, Units().Rect(141, 101, 50, 14), this, IDCANCEL);
    m_btnAction.SetFont(&m_font, FALSE);
    m_btnCancel.SetFont(&m_font, FALSE);
    // The grid takes the place of the template's custom control.
    CWnd placeholder;
    placeholder.Create(nullptr, "", shown | WS_BORDER | WS_TABSTOP, Units().Rect(21, 4, 201, 92), this,
                       IDC_PROGRAM_GRID);
    DDX_GridWindow(this, IDC_PROGRAM_GRID, m_Grid);

    InitGrid();
    FillNames();
    g_pProgramDlg = this;
    return TRUE;
}

void CProgramDlg::InitGrid()
{
    m_Grid.SetRowCount(7);
    m_Grid.SetFixedRowCount(1);
    m_Grid.SetColumnCount(2);
    m_Grid.SetFixedColumnCount(1);
    m_Grid.SetColumnWidth(1, 262);
    m_Grid.SetRowResize(FALSE);
    m_Grid.SetSingleRowSelect(TRUE);
    m_Grid.SetEditEnabled(FALSE);
    for (int row = 0; row < m_Grid.GetRowCount(); ++row)
        for (int col = 0; col < m_Grid.GetColumnCount(); ++col) {
            GV_CELLINFO item;
            item.mask = GVM_TEXT | GVM_FORMAT;
            item.row = row;
            item.col = col;
            item.nFormat = kPresetFormat;
            m_Grid.SetOptionItem(&item);
        }
    m_Grid.SetItemText(0, 0, "No.");
    m_Grid.SetItemText(0, 1, "Name");
    m_Grid.SetSelectedRange(1, 0, 1, m_Grid.GetColumnCount() - 1, FALSE);
    m_Grid.EnsureVisible(1, 0);
    m_Grid.SetLineColour(0xFF9933);
    m_Grid.SendMessage(WM_SETFONT, WPARAM(HFONT(g_fontArial16)), TRUE);
}

void CProgramDlg::FillNames()
{
    for (int i = 0; i < STORED_SCENES; ++i) {
        m_Grid.SetItemText(i + 1, 1, PresetNameFromField(g_StoredScenes[i] + SCENE_NAME_OFFSET).c_str());
        m_Grid.SetItemText(i + 1, 0, std::to_string(i + 1).c_str());
    }
    m_Grid.SetFocusCell(1, 1);
    SetTexts();
    Invalidate();
}

void CProgramDlg::SetTexts()
{
    m_Grid.SetEditEnabled(FALSE);
    const bool cn = g_bChinese != 0;
    static const char* const captionCn[] = {"加载 机器预置场景", "另存为 机器预置场景", "删除 机器预置场景"};
    static const char* const captionEn[] = {"Load Machine Preset", "Save As Machine Preset", "Delete Machine Preset"};
    static const char* const actionCn[] = {"加载", "保存", "删除"};
    static const char* const actionEn[] = {"Load", "Save", "Delete"};
    const int mode = (m_nMode >= 0 && m_nMode <= 2) ? m_nMode : 0;
    SetWindowText(cn ? captionCn[mode] : captionEn[mode]);
    m_btnAction.SetWindowText(cn ? actionCn[mode] : actionEn[mode]);
    m_Grid.SetItemText(0, 0, cn ? "序号" : "No.");
    m_Grid.SetItemText(0, 1, cn ? "场景名" : "Preset");
    m_btnCancel.SetWindowText(cn ? "退出" : "Quit");
}

void CProgramDlg::ShowSceneName(int nRow)
{
    if (IsSceneRow(nRow))
        m_Grid.SetItemText(nRow, 1, PresetNameFromField(g_StoredScenes[nRow - 1] + SCENE_NAME_OFFSET).c_str());
}

void CProgramDlg::LoadScene(int nRow)
{
    if (!IsSceneRow(nRow) || !g_bOnline || !m_pView)
        return;
    std::memcpy(g_Scene + SCENE_NAME_OFFSET, g_StoredScenes[nRow - 1] + SCENE_NAME_OFFSET, SCENE_NAME_SIZE);
    m_pView->RecallScene(nRow, TRUE);
}

void CProgramDlg::SaveSceneAs(int nRow)
{
    if (!IsSceneRow(nRow))
        return;
    CSaveDlg dlg(this);
    dlg.m_nScene = nRow;
    if (dlg.DoModal() != IDOK)
        return;
    m_strName = dlg.m_strName;
    m_nScene = nRow;
    SaveName();
}

BOOL CProgramDlg::SaveName()
{
    if (m_strName.empty()) {
        Message("机器预置场景名不能为空!", "The machine preset name can not be empty!");
        return FALSE;
    }
    if (IsBlankString(m_strName)) {
        Message("机器预置场景名不能全为空格!", "The machine preset name can not be all spaces!");
        return FALSE;
    }
    const CString device = PresetNameToDevice(m_strName);
    BYTE field[SCENE_NAME_SIZE];
    if (!StrToFixedField(field, SCENE_NAME_SIZE, device))
        return FALSE;
    const CString fieldText(reinterpret_cast<const char*>(field), std::strlen(reinterpret_cast<const char*>(field)));
    if (IsNameInUse(m_nScene - 1, fieldText, TRUE, 13)) {
        Message("已有相同的机器预置场景名!", "Have been the same machine preset name!");
        return FALSE;
    }
    // Without a link nothing can be written: renaming first would leave a name in the list
    // that the device does not have.
    if (!m_pView || !m_pView->IsLinked()) {
        if (m_pView)
            m_pView->WriteSceneToDevice(m_nScene, TRUE);  // reports the missing link
        return FALSE;
    }
    StrToFixedField(g_StoredScenes[m_nScene - 1] + SCENE_NAME_OFFSET, SCENE_NAME_SIZE, device);
    ShowSceneName(m_nScene);
    std::memcpy(g_Scene + SCENE_NAME_OFFSET, g_StoredScenes[m_nScene - 1] + SCENE_NAME_OFFSET, SCENE_NAME_SIZE);
    m_pView->ShowLiveSceneName(TRUE);
    m_pView->WriteSceneToDevice(m_nScene, TRUE);
    return TRUE;
}

void CProgramDlg::DeleteScene(int nRow)
{
    if (!IsSceneRow(nRow))
        return;
    const CString n = std::to_string(nRow);
    const int answer = g_bChinese ? AfxMessageBox("是否删除第" + n + "组场景?", MB_YESNO, -2)
                                  : AfxMessageBox("Are you delete No." + n + " preset?", MB_YESNO, -3);
    // The Delete key emptied the cell before asking: whatever ends the flow early shows the
    // scene's name again.
    if (answer != IDYES || !g_bOnline || !m_pView) {
        ShowSceneName(nRow);
        return;
    }
    m_strName.clear();
    StrToFixedField(g_StoredScenes[nRow - 1] + SCENE_NAME_OFFSET, SCENE_NAME_SIZE, m_strName);
    m_Grid.SetItemText(nRow, 1, "");
    if (g_byCurScene == nRow)
        m_pView->SendSceneNameAndDeselect(nRow);
    else
        m_pView->SendCommand(0, nRow);
}

void CProgramDlg::RunMode(const CCellPos& cell)
{
    switch (m_nMode) {
    case 0: LoadScene(cell.row); break;
    case 1: SaveSceneAs(cell.row); break;
    case 2: DeleteScene(cell.row); break;
    default: break;
    }
}

BOOL CProgramDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (id == IDC_PROGRAM_ACTION && HIWORD(wParam) == BN_CLICKED) {
        RunMode(m_Grid.GetFocusCell());
        return TRUE;
    }
    // The grid's preset menu: the cell is the one right-clicked; its row is checked before use.
    const CCellPos cell = m_Grid.GetRightClickCell();
    switch (id) {
    case ID_PRESET_LOAD: LoadScene(cell.row); return TRUE;
    case ID_PRESET_SAVEAS: SaveSceneAs(cell.row); return TRUE;
    case ID_PRESET_DELETE: DeleteScene(cell.row); return TRUE;
    default: break;
    }
    if (id == IDC_PROGRAM_GRID)
        return TRUE;  // the grid's click notice
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CProgramDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* nm = reinterpret_cast<const GV_CELLNOTIFY*>(lParam);
    if (!nm || nm->hdr.idFrom != IDC_PROGRAM_GRID)
        return CDialog::OnNotify(wParam, lParam, pResult);
    const CCellPos cell(nm->iRow, nm->iColumn);
    if (nm->hdr.code == NM_DBLCLK) {
        static const UINT posted[] = {WM_PRESET_LOAD, WM_PRESET_SAVE_AS, WM_PRESET_DELETE};
        if (m_nMode >= 0 && m_nMode <= 2) {
            (m_nMode == 0 ? m_cellLoad : m_nMode == 1 ? m_cellSave : m_cellDelete) = cell;
            PostMessage(posted[m_nMode]);
        }
    } else if (nm->hdr.code == GVN_CLEARCELL) {
        DeleteScene(cell.row);
    }
    if (pResult)
        *pResult = 0;
    return TRUE;
}

LRESULT CProgramDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PRESET_LOAD: LoadScene(m_cellLoad.row); return 0;
    case WM_PRESET_SAVE_AS: SaveSceneAs(m_cellSave.row); return 0;
    case WM_PRESET_DELETE: DeleteScene(m_cellDelete.row); return 0;
    default: return CDialog::WindowProc(message, wParam, lParam);
    }
}

BOOL CProgramDlg::PreTranslateMessage(MSG* pMsg)
{
    // Keys never reach the dialog's own handling: Enter and Esc only move the focus here, and
    // every key goes to the window it was meant for.
    if (pMsg->message == WM_KEYDOWN) {
        if (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)
            SetFocus();
        if (CWnd* target = CWnd::FromHandle(pMsg->hwnd))
            if (target != this)
                target->SendMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CProgramDlg::OnOK() {}

void CProgramDlg::OnCancel() { EndDialog(IDCANCEL); }

HBRUSH CProgramDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_DLG)
        return g_brushDlgBack;
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}
