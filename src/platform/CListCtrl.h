// The list view in report form: rows of texts under a header of column titles.
//
// Columns live in the header (a child window with control id 0); each row holds one text per
// column (its sub-items) and a selection state. The list draws its rows itself, or, with
// LVS_OWNERDRAWFIXED, has each row drawn through WM_DRAWITEM (reflected to DrawItem) at the row
// height that MeasureItem gives (asked at creation and on WM_WINDOWPOSCHANGED). Without owner
// drawing the parent may colour each cell through NM_CUSTOMDRAW (reflected to the control first).
//
// The user selects one row with the mouse or the arrow, page, Home and End keys, scrolls with
// the wheel, the scroll bars the list shows when its rows or columns do not fit, and the Left
// and Right keys, and resizes a column by dragging the divider at its right edge in the header.
// A drag first asks with HDN_BEGINTRACKW: the list's OnNotify sees it, and by default passes it
// on to the list's parent; a nonzero answer refuses the drag.
//
// The rows live in the object, so they can be filled before the window exists; the columns need
// the window (they are the header's items).
// User-interface thread.
#pragma once

#include "CHeaderCtrl.h"
#include "CommCtrl.h"
#include "OwnerDraw.h"

#include <vector>

constexpr UINT WM_WINDOWPOSCHANGED = 0x0047;
constexpr UINT SWP_NOOWNERZORDER = 0x0200;

// Styles.
constexpr DWORD LVS_REPORT = 0x0001;
constexpr DWORD LVS_SINGLESEL = 0x0004;
constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
constexpr DWORD LVS_OWNERDRAWFIXED = 0x0400;
constexpr DWORD LVS_NOSORTHEADER = 0x8000;
constexpr DWORD LVS_EX_GRIDLINES = 0x0001;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x0020;
constexpr DWORD HDS_HOTTRACK = 0x0004;

constexpr UINT ODT_LISTVIEW = 102;

// Columns.
constexpr int LVCFMT_LEFT = 0;
constexpr int LVCFMT_RIGHT = 1;
constexpr int LVCFMT_CENTER = 2;
constexpr UINT LVCF_FMT = 0x0001;
constexpr UINT LVCF_WIDTH = 0x0002;
constexpr UINT LVCF_TEXT = 0x0004;
constexpr UINT LVCF_SUBITEM = 0x0008;

struct LVCOLUMN {
    UINT mask;
    int fmt;
    int cx;
    char* pszText;  // UTF-8; GetColumn copies at most cchTextMax bytes with the zero
    int cchTextMax;
    int iSubItem;
};

// Rows.
constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;
constexpr int LVNI_ALL = 0;
constexpr int LVNI_SELECTED = 2;
constexpr int LVIR_BOUNDS = 0;
constexpr int LVIR_ICON = 1;
constexpr int LVIR_LABEL = 2;

// A left press on a row: NM_CLICK to the parent (after the row is selected), iItem the row.
constexpr UINT NM_CLICK = UINT(-2);
struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem;
    int iSubItem;
};

// Custom drawing (NM_CUSTOMDRAW).
constexpr UINT NM_CUSTOMDRAW = UINT(-12);
constexpr DWORD CDDS_PREPAINT = 0x00000001;
constexpr DWORD CDDS_POSTPAINT = 0x00000002;
constexpr DWORD CDDS_ITEM = 0x00010000;
constexpr DWORD CDDS_ITEMPREPAINT = CDDS_ITEM | CDDS_PREPAINT;
constexpr DWORD CDDS_SUBITEM = 0x00020000;
constexpr LRESULT CDRF_DODEFAULT = 0x00;
constexpr LRESULT CDRF_NOTIFYITEMDRAW = 0x20;
constexpr LRESULT CDRF_NOTIFYSUBITEMDRAW = 0x20;

struct NMCUSTOMDRAW {
    NMHDR hdr;
    DWORD dwDrawStage;
    HDC hdc;
    CRect rc;
    uintptr_t dwItemSpec;  // the row
    UINT uItemState;
    LPARAM lItemlParam;
};
struct NMLVCUSTOMDRAW {
    NMCUSTOMDRAW nmcd;
    COLORREF clrText;
    COLORREF clrTextBk;
    int iSubItem;
};

// Header notices.
constexpr UINT HDN_BEGINTRACKA = UINT(-306);
constexpr UINT HDN_BEGINTRACKW = UINT(-326);
constexpr UINT HDN_ENDTRACKW = UINT(-327);
struct NMHEADER {
    NMHDR hdr;
    int iItem;
    int iButton;
    HDITEM* pitem;
};

// TRUE for a header's notice that a column drag is about to start (either character set).
inline bool IsHeaderBeginTrack(LPARAM lParam)
{
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    return hdr && (hdr->code == HDN_BEGINTRACKA || hdr->code == HDN_BEGINTRACKW);
}

struct MEASUREITEMSTRUCT {
    UINT CtlType;
    UINT CtlID;
    UINT itemID;
    UINT itemWidth;
    UINT itemHeight;
    uintptr_t itemData;
};
typedef MEASUREITEMSTRUCT* LPMEASUREITEMSTRUCT;

class CListCtrl : public CWnd {
public:
    CListCtrl();
    ~CListCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The header in use (the list's own, or the one a derived control subclassed it with).
    CHeaderCtrl* GetHeaderCtrl() const { return m_pHeader; }

    // Columns. nWidth -1 takes the heading's width; returns the new column's index or -1.
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol);
    // FALSE for a column that does not exist.
    BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const;
    int GetColumnWidth(int nCol) const;
    BOOL SetColumnWidth(int nCol, int cx);

    // Rows: the index of the new row (at the end when nItem is past it), -1 for a negative one.
    int InsertItem(int nItem, LPCTSTR lpszItem);
    int GetItemCount() const { return int(m_rows.size()); }
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    // Empty for a cell that does not exist.
    CString GetItemText(int nItem, int nSubItem) const;
    // Copies at most nLen bytes with the zero; returns the bytes copied.
    int GetItemText(int nItem, int nSubItem, char* lpszText, int nLen) const;
    uintptr_t GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, uintptr_t dwData);
    UINT GetItemState(int nItem, UINT nMask) const;
    // Selecting a row drops the selection of every other row.
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    // With LVNI_SELECTED: the next selected row after nItem (-1: from the start), else -1.
    int GetNextItem(int nItem, int nFlags) const;
    int GetSelectionMark() const { return m_nSel; }

    // Geometry in client coordinates. FALSE for a row or column that does not exist.
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int nItem, int nSubItem, int nArea, CRect& rect) const;
    int GetTopIndex() const { return m_nTop; }
    int GetCountPerPage() const;
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    // Scrolls by size.cx pixels and size.cy rows' worth of pixels.
    BOOL Scroll(CSize size);
    int GetRowHeight() const { return m_nRowHeight; }
    int GetScrollX() const { return m_nScrollX; }

    // Looks. The font serves the rows and the header; the rows are measured again.
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    DWORD GetExtendedStyle() const { return m_dwExStyleLv; }
    BOOL SetBkColor(COLORREF cr);
    COLORREF GetBkColor() const { return m_crBk; }
    BOOL SetTextBkColor(COLORREF cr);
    COLORREF GetTextBkColor() const { return m_crTextBk; }
    BOOL SetTextColor(COLORREF cr);
    COLORREF GetTextColor() const { return m_crText; }

    // Owner drawing: draws one row; the base draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    // Owner drawing: the reflected measure request; the base keeps the height it is given.
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Paints the whole list (rows, grid lines, scroll bars) into pDC: what WM_PAINT shows.
    void Paint(CDC* pDC);

protected:
    // Makes the header window (the list's own, id 0) before WM_CREATE.
    void PreSubclassWindow() override;
    // The derived control's own header object takes the place of the list's header window,
    // with the columns it has. Call it from PreSubclassWindow or later.
    void SubclassHeader(CHeaderCtrl* pHeader);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Header notices reach the list here; the default passes them on to the list's parent.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    struct Row {
        std::vector<CString> texts;  // by column
        uintptr_t data = 0;
    };
    struct Bar;

    void CreateHeaderWindow();
    void LayoutHeader();
    void MeasureRows();
    int HeaderHeight() const;
    int TotalWidth() const;
    CRect RowArea() const;  // client less header and scroll bars
    bool ShowsVBar() const;
    bool ShowsHBar() const;
    Bar VBar() const;
    Bar HBar() const;
    int MaxTop() const;
    int MaxScrollX() const;
    void SetTop(int nTop);
    void SetScrollX(int x);
    void SelectByUser(int nItem);
    int ColumnLeft(int nCol) const;
    bool BarPress(CPoint pt);
    void PaintRowDefault(CDC* pDC, int nItem, const CRect& rcRow, bool bSelected, LRESULT drawFlags);
    bool HeaderMouse(MSG* pMsg);

    CHeaderCtrl m_wndOwnHeader;
    CHeaderCtrl* m_pHeader;
    std::vector<Row> m_rows;
    int m_nSel = -1;
    int m_nTop = 0;
    int m_nScrollX = 0;
    int m_nRowHeight = 18;
    DWORD m_dwExStyleLv = 0;
    COLORREF m_crBk;
    COLORREF m_crTextBk;
    COLORREF m_crText;
    // Mouse drags: a scroll-bar thumb (1 vertical, 2 horizontal) or a header divider.
    int m_nThumbDrag = 0;
    int m_nThumbGrab = 0;
    int m_nTrackCol = -1;
    int m_nTrackStartX = 0;
    int m_nTrackStartWidth = 0;
};
