// The device preset dialog: the six stored scenes by number and name in a grid, and in one of
// three modes the action of loading a scene into the device's live settings, saving the live
// settings into a scene under a new name, or clearing a scene's name. The action starts from the
// action button (the focus row), a double click, the grid's right-click menu (every mode) or the
// Delete key (deleting, in every mode). The dialog stays open until Quit or the close box; Enter
// and Esc never close it.
//
// The view opens it with OpenPresetDialog (menu items 720, 721, 722 give the mode 0, 1, 2).
// User-interface thread.
#pragma once

#include "AppMessages.h"

#include "CButton.h"
#include "CComboGridCtrl.h"
#include "CDialog.h"

class CKRV330View;

constexpr UINT IDD_PROGRAM = 170;
constexpr UINT IDC_PROGRAM_GRID = 2724;
constexpr UINT IDC_PROGRAM_ACTION = 2727;

// The view's scene-menu items and the dialog modes they open.
constexpr UINT ID_SCENE_PRESET_LOAD = 720;
constexpr UINT ID_SCENE_PRESET_SAVEAS = 721;
constexpr UINT ID_SCENE_PRESET_DELETE = 722;

class CProgramDlg : public CDialog {
public:
    explicit CProgramDlg(CWnd* pParent = nullptr);
    ~CProgramDlg() override;

    CKRV330View* m_pView = nullptr;
    CButton m_btnCancel;
    CButton m_btnAction;
    int m_nMode = 0;  // 0 load, 1 save as, 2 delete
    CComboGridCtrl m_Grid;
    int m_nScene = 1;
    CString m_strName;
    CCellPos m_cellSave, m_cellLoad, m_cellDelete;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The flows, for the scene of a grid row (1..6); a row outside the scenes does nothing.
    void LoadScene(int nRow);
    void SaveSceneAs(int nRow);
    void DeleteScene(int nRow);
    // Stores m_strName as scene m_nScene's name after the name checks; FALSE (with the check's
    // message) when refused.
    BOOL SaveName();
    void FillNames();
    void SetTexts();

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnOK() override;
    void OnCancel() override;
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override;

private:
    void InitGrid();
    bool IsSceneRow(int nRow) const { return nRow >= 1 && nRow <= 6 && nRow < m_Grid.GetRowCount(); }
    void ShowSceneName(int nRow);
    void RunMode(const CCellPos& cell);

    CFont m_font;  // the template's Arial 9
};

// Runs the preset dialog for one of the view's scene-menu items (720 load, 721 save as, 722
// delete); returns FALSE for any other id.
BOOL OpenPresetDialog(CKRV330View* pView, UINT nMenuId);
