// The grid control: a table of cells with fixed heading rows at the top and fixed heading
// columns at the left that stay in place while the rest scrolls.
//
// One class, several files by concern: CGridCtrl.cpp (window, fonts, colours, notices),
// CGridCtrlCells.cpp (cells, rows, columns), CGridCtrlGeometry.cpp (cell rectangles and
// scrolling), CGridCtrlPaint.cpp, CGridCtrlKeys.cpp (focus, selection, keyboard),
// CGridCtrlSort.cpp (sorting, sizing, scrolling into view), CGridCtrlClipboard.cpp (clipboard
// and drag-and-drop), CGridCtrlMouse.cpp (mouse, in-cell editing, the preset menu),
// CGridCtrlPrint.cpp (printing, the drag image) and CGridCtrlFile.cpp (comma-separated files).
//
// The grid reports to its owner only by WM_NOTIFY (GV_CELLNOTIFY) and by the preset menu's
// commands sent to its parent. User-interface thread only; no locks.
#pragma once

#include "CCellData.h"
#include "CDC.h"
#include "CGridDropTarget.h"
#include "CMenu.h"
#include "CTitleTip.h"
#include "CWnd.h"
#include "GdiObjects.h"
#include "ScrollBars.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

class CDC;
class CImageList;
class CPrintInfo;
class COleDataSource;
class COleDataObject;

// Commands of the preset menu, sent to the grid's parent.
constexpr UINT ID_PRESET_SAVEAS = 713;
constexpr UINT ID_PRESET_LOAD = 714;
constexpr UINT ID_PRESET_DELETE = 715;

// Edit commands the grid answers.
constexpr UINT ID_EDIT_COPY = 0xE122;
constexpr UINT ID_EDIT_CUT = 0xE123;
constexpr UINT ID_EDIT_PASTE = 0xE125;
constexpr UINT ID_EDIT_SELECT_ALL = 0xE12A;

// Messages the window layer does not name yet.
constexpr UINT WM_SETFONT = 0x0030;
constexpr UINT WM_GETFONT = 0x0031;
constexpr UINT WM_SYSCOLORCHANGE = 0x0015;

// Mouse modes (m_nMouseMode).
constexpr int MODE_IDLE = 0;
constexpr int MODE_SELECT_ALL = 1;
constexpr int MODE_SELECT_COLUMNS = 2;
constexpr int MODE_SELECT_ROWS = 3;
constexpr int MODE_SELECT_CELLS = 4;
constexpr int MODE_SIZING_COLUMN = 5;
constexpr int MODE_SIZING_ROW = 6;
constexpr int MODE_DRAGGING = 7;
constexpr int MODE_PREPARE_DRAG = 8;
constexpr int MODE_PREPARE_EDIT = 9;
constexpr int MODE_EDIT_PENDING = 10;

// The auto-scroll timer's id (the value of WM_LBUTTONDOWN, by tradition).
constexpr UINT_PTR GRID_AUTOSCROLL_TIMER = 513;

class CGridCtrl : public CWnd {
public:
    CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0);
    ~CGridCtrl() override;

    // Window. Create makes a new child window; SubclassWindow takes over a window made
    // elsewhere (a dialog's control) and gives it the grid font.
    BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    using CWnd::Create;
    BOOL SubclassWindow(HWND hWnd);
    static BOOL RegisterGridClass();
    // Sends a GV_CELLNOTIFY to the owner; 0 without a window or owner.
    LRESULT NotifyParent(int nRow, int nCol, UINT nCode);
    using CWnd::NotifyParent;

    // Lines per wheel notch for the current user (-1: a page), 3 when unset.
    static int ReadWheelScrollLines();

    // Colours (none redraws).
    void SetCellTextColour(COLORREF clr) { m_crCellText = clr; }
    void SetCellBackColour(COLORREF clr) { m_crCellBack = clr; }
    void SetGridBackColour(COLORREF clr) { m_crGridBack = clr; }
    void SetFixedTextColour(COLORREF clr) { m_crFixedText = clr; }
    void SetFixedBackColour(COLORREF clr) { m_crFixedBack = clr; }
    void SetLineColour(COLORREF clr) { m_crLines = clr; }
    COLORREF GetCellTextColour() const { return m_crCellText; }
    COLORREF GetCellBackColour() const { return m_crCellBack; }
    COLORREF GetGridBackColour() const { return m_crGridBack; }
    COLORREF GetFixedTextColour() const { return m_crFixedText; }
    COLORREF GetFixedBackColour() const { return m_crFixedBack; }
    COLORREF GetLineColour() const { return m_crLines; }

    // Switches.
    void SetEditEnabled(BOOL bEnable = TRUE);
    BOOL IsEditEnabled() const { return m_bEditEnabled; }
    BOOL IsRowMode() const { return m_bRowMode; }
    void SetRowMode(BOOL bRowMode = TRUE) { m_bRowMode = bRowMode; }
    void SetSingleRowSelect(BOOL b = TRUE) { m_bSingleRowSelect = b; }
    BOOL IsSingleRowSelect() const { return m_bSingleRowSelect; }
    void SetRowResize(BOOL b = TRUE) { m_bRowResize = b; }
    void SetColumnResize(BOOL b = TRUE) { m_bColumnResize = b; }
    void SetLineMode(int nMode) { m_nLineMode = nMode; }
    int GetLineMode() const { return m_nLineMode; }
    void SetBuffered(BOOL b) { m_bBuffered = b; }
    void SetDragDropEnabled(BOOL b) { m_bDragDropEnabled = b; }
    BOOL IsDragDropEnabled() const { return m_bDragDropEnabled; }
    void EnableSelection(BOOL b = TRUE) { m_bSelectEnabled = b; }
    void SetImageList(CImageList* pList) { m_pImageList = pList; }
    // Drawing off: painters draw nothing. Turning it back on repaints; bUpdateScrollBars also
    // refits the scroll bars.
    void SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars = FALSE);
    BOOL GetRedraw() const { return m_bRedraw; }

    // Counts.
    int GetRowCount() const { return m_nRowCount; }
    int GetColumnCount() const { return m_nColumnCount; }
    int GetFixedRowCount() const { return m_nFixedRowCount; }
    int GetFixedColumnCount() const { return m_nFixedColumnCount; }
    BOOL SetRowCount(int nRows);
    BOOL SetColumnCount(int nCols);
    BOOL SetFixedRowCount(int nFixedRows);
    BOOL SetFixedColumnCount(int nFixedCols);

    // Rows and columns.
    int InsertColumn(LPCTSTR strHeading, UINT nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE, int nColumn = -1);
    int InsertRow(LPCTSTR strHeading, int nRow = -1);
    BOOL DeleteColumn(int nColumn);
    BOOL DeleteRow(int nRow);
    BOOL DeleteNonFixedRows();
    BOOL DeleteAllCells();

    // Items.
    virtual BOOL SetItem(const GV_CELLINFO* pItem);
    BOOL GetItem(GV_CELLINFO* pItem);
    virtual BOOL SetItemText(int nRow, int nCol, LPCTSTR str);
    virtual CString GetItemText(int nRow, int nCol);
    BOOL SetItemText2(int nRow, int nCol, LPCTSTR str);
    CString GetItemText2(int nRow, int nCol) const;
    BOOL SetItemState(int nRow, int nCol, UINT state);
    UINT GetItemState(int nRow, int nCol) const;
    BOOL SetItemFormat(int nRow, int nCol, UINT nFormat);
    UINT GetItemFormat(int nRow, int nCol) const;
    BOOL SetItemImage(int nRow, int nCol, int iImage);
    int GetItemImage(int nRow, int nCol) const;
    BOOL SetItemBkColor(int nRow, int nCol, COLORREF cr);
    COLORREF GetItemBkColor(int nRow, int nCol) const;
    BOOL SetItemTextColor(int nRow, int nCol, COLORREF cr);
    COLORREF GetItemTextColor(int nRow, int nCol) const;
    BOOL SetItemFont(int nRow, int nCol, const LOGFONT* lf);
    const LOGFONT* GetItemFont(int nRow, int nCol) const;
    BOOL SetItemData(int nRow, int nCol, LPARAM lParam);
    LPARAM GetItemData(int nRow, int nCol) const;
    BOOL SetCell(int nRow, int nCol, CCellData* pCell);

    // Sizes, pixels.
    int GetRowHeight(int nRow) const;
    int GetColumnWidth(int nCol) const;
    BOOL SetRowHeight(int nRow, int height);
    BOOL SetColumnWidth(int nCol, int width);
    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;
    long GetTotalWidth() const;
    long GetTotalHeight() const;
    CSize GetTextExtent(LPCTSTR str, BOOL bEmphasised = FALSE);
    int GetDefaultRowHeight() const { return m_nDefaultRowHeight; }
    int GetDefaultColumnWidth() const { return m_nDefaultColumnWidth; }
    int GetCellMargin() const { return m_nCellMargin; }

    // State.
    BOOL IsCellFixed(int nRow, int nCol) const;
    BOOL IsCellEditable(int nRow, int nCol) const;
    BOOL IsCellEditable(const CCellPos& cell) const { return IsCellEditable(cell.row, cell.col); }
    void SetModified(BOOL bModified = TRUE, int nRow = -1, int nCol = -1);
    BOOL GetModified(int nRow = -1, int nCol = -1) const;
    CCellPos FindNextCell(CCellPos cell, UINT nFlags) const;

    // Geometry (client pixels; cell rectangles inclusive).
    BOOL IsValidCell(int nRow, int nCol) const;
    BOOL IsValidCell(const CCellPos& cell) const { return IsValidCell(cell.row, cell.col); }
    BOOL IsValidRange(const CCellBlock& range) const;
    CCellPos GetFirstScrolledCell();
    CCellPos CellFromPoint(CPoint point, BOOL bAllowFixedCellCheck = TRUE);
    CCellBlock GetVisibleRange(LPRECT pRect = nullptr);
    CCellBlock GetFullyVisibleRange();
    CCellBlock GetWholeRange() const;
    BOOL GetCellTopLeft(int nRow, int nCol, LPPOINT p);
    BOOL GetCellTopLeft(const CCellPos& cell, LPPOINT p) { return GetCellTopLeft(cell.row, cell.col, p); }
    BOOL GetCellBounds(int nRow, int nCol, LPRECT pRect);
    BOOL GetCellBounds(const CCellPos& cell, LPRECT pRect) { return GetCellBounds(cell.row, cell.col, pRect); }
    BOOL GetCellTextRect(int nRow, int nCol, LPRECT pRect);
    BOOL GetCellTextRect(const CCellPos& cell, LPRECT pRect) { return GetCellTextRect(cell.row, cell.col, pRect); }
    BOOL GetRangeBounds(const CCellBlock& range, LPRECT lpRect);
    BOOL IsOverRowEdge(CPoint point);
    BOOL IsOverColumnEdge(CPoint point);
    // The client area less the scroll bars.
    void GetClientRect(LPRECT lpRect) const;
    int GetScrollPosition(int nBar, BOOL bGetTrackPos = FALSE);
    BOOL SetScrollPosition(int nBar, int nPos, BOOL bRedraw = TRUE);
    int GetVScrollLimit() const { return m_nVScrollLimit; }
    int GetHScrollLimit() const { return m_nHScrollLimit; }
    void UpdateScrollBars();

    // Painting.
    BOOL RepaintCell(int nRow, int nCol, CDC* pDC = nullptr);
    BOOL RepaintCell(const CCellPos& cell, CDC* pDC = nullptr) { return RepaintCell(cell.row, cell.col, pDC); }
    BOOL RepaintRow(int nRow);
    BOOL RepaintColumn(int nColumn);
    void FillBackground(CDC* pDC);

    // Focus and selection.
    CCellPos SetFocusCell(CCellPos cell);
    CCellPos SetFocusCell(int nRow, int nCol) { return SetFocusCell(CCellPos(nRow, nCol)); }
    CCellPos GetFocusCell() const { return m_cellFocus; }
    void SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL bForceRepaint = FALSE);
    void SetSelectedRange(const CCellBlock& range, BOOL bForceRepaint = FALSE);
    void SelectAll();
    void SelectRowSpan(CCellPos currentCell);
    void SelectColumnSpan(CCellPos currentCell);
    void SelectCellSpan(CCellPos currentCell);
    void ExtendSelection(CCellPos currentCell);
    void ClearSelection();
    CCellBlock GetSelectionBounds() const;
    int GetSelectedCount() const { return int(m_mapSelected.size()); }

    // Sorting, sizing, scrolling into view.
    BOOL SortByText(int nCol, BOOL bAscending);
    BOOL SortByItemData(int (*pfnCompare)(LPARAM, LPARAM, LPARAM), int nCol, BOOL bAscending, LPARAM data = 0);
    BOOL AutoSizeColumn(int nCol);
    BOOL AutoSizeRow(int nRow);
    void AutoSizeColumns();
    void AutoSizeRows();
    void AutoSize();
    void FitColumnsToWindow();
    void FitRowsToWindow();
    void FitToWindow();
    void EnsureVisible(CCellPos cell) { EnsureVisible(cell.row, cell.col); }
    void EnsureVisible(int nRow, int nCol);
    BOOL IsCellVisible(int nRow, int nCol);
    BOOL IsCellVisible(const CCellPos& cell) { return IsCellVisible(cell.row, cell.col); }
    BOOL RedrawCell(const CCellPos& cell);
    BOOL RedrawCell(int nRow, int nCol) { return RedrawCell(CCellPos(nRow, nCol)); }
    BOOL RedrawRange(const CCellBlock& range);

    // Clipboard and drag-and-drop.
    virtual void CutSelection();
    // The selection as clipboard text; the caller owns the result. Null without a selection.
    virtual COleDataSource* CopyCellsText();
    virtual BOOL PasteCellsText(CCellPos cell, COleDataObject* pDataObject);
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void OnEditSelectAll();
    BOOL CanEditCut();
    BOOL CanEditCopy();
    BOOL CanEditPaste();
    BOOL CanEditSelectAll() const { return m_bSelectEnabled; }
    void StartDrag();
    DWORD DragEnterCell(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    DWORD DragOverCell(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    void DragLeaveCell();
    BOOL DropOnCell(COleDataObject* pDataObject, DWORD dropEffect, CPoint point);

    // Printing, files and the drag image (CGridCtrlPrint.cpp, CGridCtrlFile.cpp).
    void Print();
    BOOL Save(LPCTSTR filename);
    BOOL Load(LPCTSTR filename);
    // A new image list holding the focus cell's picture; the caller deletes it. Null without a
    // focus cell. pHotSpot receives the grab point.
    CImageList* CreateDragImage(CPoint* pHotSpot);

    // Mouse and editing.
    CCellPos GetRightClickCell() const { return m_cellRClick; }
    int GetMouseMode() const { return m_nMouseMode; }
    int GetWheelLines() const { return m_nWheelLines; }
    CMenu& GetPresetMenu() { return m_menuPreset; }
    virtual void OnFixedColumnClick(CCellPos& cell);
    virtual void OnFixedRowClick(CCellPos& cell);
    virtual CSize GetCellExtent(int nRow, int nCol, CDC* pDC);
    virtual void EndCellEdit(int nRow, int nCol, CString str);
    virtual BOOL BeginCellEdit(int nRow, int nCol, UINT nChar);
    virtual void CreateCellEditor(CRect rect, DWORD dwStyle, UINT nID, int nRow, int nCol, CString str, UINT nChar);

    // What one wheel movement does: nCount posted WM_VSCROLL messages of nCode. nWheelLines -1
    // scrolls a page per notch (120).
    struct WheelSteps {
        UINT nCode = 0;
        int nCount = 0;
    };
    static WheelSteps WheelScroll(short zDelta, int nWheelLines);

    // Painters; a test or the printing code paints into its own DC with them.
    virtual void DrawGrid(CDC* pDC);
    virtual BOOL PaintFixedCell(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBk = FALSE);
    virtual BOOL PaintCell(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBk = FALSE);

    // Cells are made and destroyed here; a derived grid may keep its own kind.
    virtual CCellData* CreateCell(int nRow, int nCol);
    virtual void DestroyCell(CCellData* pCell, int nRow, int nCol);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The title tip (hidden whenever the grid scrolls).
    CTitleTip& GetTitleTip() { return m_wndTip; }

protected:
    CCellData* GetCell(int nRow, int nCol) const;
    void PreSubclassWindow() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnTimer(UINT_PTR nIDEvent) override;
    void OnCaptureChanged(CWnd* pWnd) override;
    void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) override;
    void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) override;
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;
    UINT OnGetDlgCode();
    LRESULT OnSetFont(WPARAM hFont, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    void OnSysColorChange();
    void OnEditEndNotify(NMHDR* pNMHDR, LRESULT* pResult);

    // Printing steps (CGridCtrlPrint.cpp).
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    void PrintColumnHeadings(CDC* pDC, CPrintInfo* pInfo);
    void PrintHeader(CDC* pDC, CPrintInfo* pInfo);
    void PrintFooter(CDC* pDC, CPrintInfo* pInfo);

    // One quicksort pass over the rows low..high (high -1: the last row).
    BOOL SortTextItems(int nCol, BOOL bAscending, int low, int high);
    BOOL SortItems(int (*pfnCompare)(LPARAM, LPARAM, LPARAM), int nCol, BOOL bAscending, LPARAM data, int low,
                   int high);
    void SwapRows(int nRow1, int nRow2);
    // The width of a column or height of a row: the largest measure over its nCells cells.
    BOOL AutoSizeLine(UINT& size, int nCells, const std::function<int(int, CDC*)>& measure);
    // The range shown; bWhole leaves out a last row or column that the client edge cuts.
    CCellBlock VisibleRange(bool bWhole, LPRECT pRect);
    // The scroll step of one bar (SB_VERT moves rows, SB_HORZ columns).
    void ScrollAxis(int nBar, UINT nSBCode);
    // Calls paint(row, col, rect) for the rows and columns of the ranges, laid out from (x0, y0),
    // skipping those outside the clip box.
    template <class Paint>
    void PaintBlock(const CRect& clip, int row0, int row1, int y0, int col0, int col1, int x0, Paint paint);
    static DWORD SelectionKey(int nRow, int nCol) { return (DWORD(nCol) << 16) | (DWORD(nRow) & 0xFFFF); }
    void ShowSelectionChange(int nRow, int nCol, BOOL bPaintNow, CDC* pDC);

public:
    // Colours.
    COLORREF m_crCellText, m_crCellBack, m_crGridBack, m_crFixedText, m_crFixedBack, m_crLines;
    COLORREF m_crSysWindowText, m_crSysWindow, m_crSysBtnFace, m_crSysBtnShadow;

protected:
    int m_nLineMode = 3;  // 0 none, 1 horizontal, 2 vertical, 3 both
    BOOL m_bEditEnabled = TRUE;
    BOOL m_bModified = FALSE;
    BOOL m_bDragDropEnabled = FALSE;
    BOOL m_bRowMode = FALSE;
    BOOL m_bSingleRowSelect = FALSE;
    BOOL m_bRedraw = TRUE;
    BOOL m_bSelectEnabled = TRUE;
    BOOL m_bSortOnHeaderClick = TRUE;
    BOOL m_bWantTab = TRUE;
    BOOL m_bBuffered = TRUE;
    BOOL m_bTipsEnabled = TRUE;
    CMenu m_menuPreset;

    int m_nRowCount = 0, m_nFixedRowCount = 0, m_nColumnCount = 0, m_nFixedColumnCount = 0;
    std::vector<UINT> m_aRowHeights, m_aColumnWidths;
    int m_nCellMargin = 0;
    int m_nDefaultColumnWidth = 30;
    int m_nDefaultRowHeight = 10;
    int m_nVScrollLimit = 0, m_nHScrollLimit = 0;
    LOGFONT m_lfGrid{};
    CFont m_fontPrint;
    CFont m_fontGrid;
    CImageList* m_pImageList = nullptr;  // not owned
    std::vector<std::vector<CCellData*>> m_aRows;  // owned cells

    int m_nMouseMode = MODE_IDLE;
    CPoint m_ptLeftDown, m_ptLastMouse;
    CCellPos m_cellLeftDown, m_cellSelStart, m_cellRClick, m_cellFocus;
    UINT_PTR m_nTimerId = 0;
    int m_nResizeZone = 3;
    BOOL m_bRowResize = TRUE, m_bColumnResize = TRUE;
    int m_nWheelLines = 3;
    // Selected cells by SelectionKey; kept in step with GVS_SELECTED by SetItemState.
    std::map<DWORD, CCellPos> m_mapSelected;
    std::map<DWORD, CCellPos> m_mapPrevSelected;
    CTitleTip m_wndTip;
    BOOL m_bOwnsOle = FALSE;
    CCellPos m_cellDragOver;
    CGridDropTarget m_dropTarget;

    // Printing state, kept between the printing steps.
    CSize m_sizeChar;
    int m_nPageHeight = 0;
    CSize m_sizeLogicalPage, m_sizePaper;

    BOOL m_bSortAscending = TRUE;
    int m_nSortColumn = -1;

    CWndScrollBars m_scrollBars;

    friend class CGridDropTarget;
};

// Binds the grid to the dialog's control nIDC when it has no window yet: the grid takes the
// control's place, rectangle and id. FALSE when there is no such control or the grid cannot be
// made.
BOOL DDX_GridWindow(CWnd* pDialog, int nIDC, CGridCtrl& rControl);
