// The channel link dialog (template 887): the user forms link groups of output channels. It
// works only on the ten strips' member masks (bit i = output i): it reads them once when it
// opens and, on OK, writes the new masks and posts WM_LINK_GROUPS_CHANGED to the page, whose
// handler turns them into the link table. It never touches g_nLinkGroup or the device.
//
// New mode (m_bNewGroup 1): other channels join the opening channel's set. Join mode (0): the
// opening channel (and, when asked, its partners) moves into one of the existing groups; only
// the group chosen last is applied, and every mask the dialog leaves is symmetric (i holds j
// exactly when j holds i): a channel moved into a group chosen earlier in the same run leaves
// its old group and stands alone.
//
// User-interface thread; lives on the opener's stack for one modal run.
#pragma once

#include "CBitButton.h"
#include "CDialog.h"
#include "CTransparentStatic.h"
#include "GdiObjects.h"

#include <vector>

class COutRoute_Dlg;

constexpr UINT IDD_LINK = 887;
constexpr UINT IDC_LINK_LEFT_LIST = 2840;
constexpr UINT IDC_LINK_RIGHT_LIST = 2841;
constexpr UINT IDC_LINK_JOIN = 2821;
constexpr UINT IDC_LINK_UNDO = 2824;
constexpr UINT IDC_LINK_LEFT_TITLE = 2843;
constexpr UINT IDC_LINK_RIGHT_TITLE = 2842;
constexpr int LINK_DLG_CHANNELS = 10;
constexpr int LINK_DLG_GROUPS = 5;
// The buttons of groups 1..5.
constexpr UINT kLinkGroupButtonIds[LINK_DLG_GROUPS] = {2819, 2820, 2822, 2823, 2825};
// WM_NOTIFY code of a mouse click in one of the dialog's lists.
constexpr UINT LINK_LIST_CLICK = UINT(-2);

// The report list of the dialog: two columns, grid lines, full-row selection of several rows
// (a click selects one row, Ctrl+click toggles a row, Shift+click selects a run). A mouse
// click tells the parent with WM_NOTIFY (LINK_LIST_CLICK); keys move nothing.
class CLinkList : public CWnd {
public:
    struct Row {
        CString number;  // first column
        CString name;    // second column
        bool selected = false;
    };

    BOOL Create(const RECT& rect, CWnd* pParent, UINT nID);
    void SetColumns(const CString& first, int firstWidth, const CString& second, int secondWidth);
    int GetCount() const { return int(m_rows.size()); }
    const Row& GetRow(int i) const { return m_rows[size_t(i)]; }
    void InsertRow(int i, const CString& number, const CString& name);
    void AddRow(const CString& number, const CString& name) { InsertRow(GetCount(), number, name); }
    void DeleteRow(int i);
    void DeleteAll();
    void SetNumber(int i, const CString& number);
    void SetSelected(int i, bool bSelected);
    // The row under a client point, -1 for the header or below the rows.
    int RowAt(CPoint pt) const;

    static constexpr int kHeaderHeight = 20;
    static constexpr int kRowHeight = 18;

protected:
    void OnPaint() override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;

private:
    void Changed();

    std::vector<Row> m_rows;
    CString m_strHeader[2];
    int m_nWidth[2] = {0, 0};
    int m_nAnchor = -1;  // row of the last plain click, for Shift+click
};

class CLink_Dlg : public CDialog {
public:
    explicit CLink_Dlg(CWnd* pParent = nullptr);

    // The row name of output ch (0..9) in the language of g_bChinese: "通道3" / "Channel3".
    static CString ChannelName(int ch);
    // The output a row name stands for, from its last character: digit d is output d - 1 and
    // "0" (the end of "10") output 9; -1 when it ends in no digit.
    static int ChannelOfName(const CString& name);

    // Where the masks live: pMasks[i] is strip i's member mask (not owned; all ten must be set
    // before the dialog runs) and pPage the window that hears WM_LINK_GROUPS_CHANGED.
    void AttachMasks(int* const pMasks[LINK_DLG_CHANNELS], CWnd* pPage);
    // The same from the page's ten strips: their m_nLinkMask, and the page they report to.
    void AttachStrips(COutRoute_Dlg* const pStrips[LINK_DLG_CHANNELS]);

    // A group record: membership flags of the ten outputs.
    struct Group {
        int bMember[LINK_DLG_CHANNELS] = {};
    };

    COutRoute_Dlg* m_pStrip = nullptr;  // the strip that opened the dialog; not owned
    int m_bNewGroup = 1;                // 1 new mode, 0 join mode
    int m_nChannel = 0;                 // the opening strip's output 0..9
    int m_nMatrix[LINK_DLG_CHANNELS][LINK_DLG_CHANNELS] = {};
    Group m_group[LINK_DLG_GROUPS];
    int m_bGroupShown[LINK_DLG_GROUPS] = {};
    int m_bLeftSel[LINK_DLG_CHANNELS] = {};
    int m_bChanged = 0;
    CString m_strGroup;
    CString m_strLinkSet;
    CString m_strChannelName;

    CLinkList m_listLeft;
    CLinkList m_listRight;
    CBitButton m_btnJoinLink;
    CBitButton m_btnUndo;
    CBitButton m_btnGroup[LINK_DLG_GROUPS];
    CBitButton m_btnOK;
    CTransparentStatic m_stcLeftTitle;
    CTransparentStatic m_stcRightTitle;

    // Button handlers, also reached by the tests.
    void OnJoinLink();
    void OnJoinGroup(int nGroup);  // 1..5
    void OnUndo();
    void OnClickLeftList();
    void OnClickRightList();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ResetState();
    void ApplyLanguage();
    void FillMatrix();
    void BuildGroups();
    void FillLists();
    void SortLinkList();
    // The group record (0..4) that output ch belongs to, -1 for none.
    int GroupOf(int ch) const;
    bool HasPartners(int ch) const;
    int LeftRowOf(int ch) const;
    bool InLeftList(int ch) const { return LeftRowOf(ch) >= 0; }
    // Asks about the unflagged partners of every flagged left row; FALSE when the user cancelled.
    BOOL AskPartners(UINT nType);
    // The flagged left rows' names in channel order, removed from the left list.
    std::vector<int> TakeFlaggedRows();
    void ClearLeftSelection();
    void RenumberLeft();

    int* m_pMask[LINK_DLG_CHANNELS] = {};
    CWnd* m_pPage = nullptr;
    int m_bRightSel[LINK_DLG_CHANNELS] = {};
    bool m_bInLeftAtOpen[LINK_DLG_CHANNELS] = {};
    CFont m_font;
};
