// The drop-down selector of the pages: a bitmap button whose caption is the current choice. A
// click opens a popup list below it (above it when the work area ends first); a pick closes the
// popup, shows the entry's text and posts WM_DROPLIST_SELCHANGE (wParam the notify id, lParam
// the entry index) to the parent. The wheel over the focused button steps through the entries
// and posts the same message at every step. SetCurSel never notifies.
//
// Pictures: normal, hover and disabled bitmap ids (0, or an id that does not load, paints the
// button-face colour). The caption is drawn in the client area less 5 pixels on the left and 15
// on the right (where the picture's arrow is): white normally and under the pointer, red for
// emphasis (or on control 2822 while g_bSourceMatch is set), grey while disabled, where null-text
// mode 1 shows "     空" / "     NULL" instead. After a pick the button keeps its hover look until
// the pointer passes over it and leaves again.
// User-interface thread.
#pragma once

#include "CButton.h"
#include "CDC.h"

#include <memory>

class CDropWnd;

constexpr UINT SOURCE_SELECTOR_ID = 2822;  // the main view's audio-source selector
constexpr int DROP_HEIGHT_LIMIT = 130;     // pixels

class CComBoxBtn : public CButton {
public:
    CComBoxBtn();
    ~CComBoxBtn() override;

    // Stores both ids and takes the size of the normal picture.
    void SetBitmaps(UINT nNormal, UINT nHover);
    void SetDisabledBitmap(UINT nID) { m_nDisabledBitmap = nID; }
    void SetNullTextMode(int nMode) { m_nNullTextMode = nMode; }
    // Makes the popup, as wide as the button is now (so after SetBitmaps). pOwner is kept; the
    // picks go to the button's parent with nNotifyId in every WM_DROPLIST_SELCHANGE. FALSE when
    // the popup cannot be made (owner and id then stay unset).
    BOOL CreateDropList(CWnd* pOwner, UINT nNotifyId);
    int AddString(LPCTSTR lpszItem);
    int InsertString(int nIndex, LPCTSTR lpszItem);
    void ResetContent();
    // Selects the entry and shows its text, painting at once; no message. An index that names
    // no entry clears the selection and leaves the caption.
    void SetCurSel(int nIndex);
    // The list's selection, -1 for none.
    int GetCurSel() const;
    int GetCount() const;
    void SetMoveNotify(BOOL bOn) { m_bMoveNotify = bOn; }
    // In null-text mode 1, enabling first shows the selected entry's text again.
    virtual BOOL EnableWindow(BOOL bEnable = TRUE);
    void SetEmphasis(BOOL bEmphasis);
    void SetEmphasisColor(COLORREF clr) { m_clrEmphasis = clr; }
    void SetTextColors(COLORREF clrNormal, COLORREF clrHover);
    // Fonts the button then uses but does not own (its own two are deleted).
    void SetFonts(CFont* pNormal, CFont* pHover);
    // Places and shows the popup.
    void ShowDropList();

    CDropWnd* GetDropWnd() const { return m_pDrop.get(); }
    BOOL GetHover() const { return m_bHover; }
    const CRect& GetDropRect() const { return m_rcDrop; }
    UINT GetNotifyId() const { return m_nNotifyId; }

    // What the button shows for a draw state (ODS_DISABLED) and its flags.
    struct Look {
        UINT bitmap;
        CFont* font;  // null: the context's
        COLORREF text;
        bool nullText;  // the placeholder replaces the caption
    };
    Look ChooseLook(UINT itemState) const;
    // Paints the button over rc (client coordinates).
    void DrawButton(CDC* pDC, const CRect& rc, UINT itemState);

    // The popup's place on the screen for a button at rcButton (screen coordinates): below it,
    // overlapping its last pixel row, nCount entries tall (at most nHeightLimit, which an empty
    // list also gets); above it, ending at its top, when the bottom would pass the work area's.
    static CRect CalcDropRect(const CRect& rcButton, int nDropWidth, int nCount, int nItemHeight, int nHeightLimit,
                              const CRect& rcWork);
    // One wheel notice: adds zDelta to nAcc (kept within -120..120). At -120 the next entry, at
    // +120 the previous one (held at the ends): true with *pIndex, and nAcc is reset. An empty
    // list never steps (nAcc is reset at the end of a notch all the same).
    static bool WheelStep(int& nAcc, short zDelta, int nCount, int nCurSel, int* pIndex);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void PreSubclassWindow() override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnMouseLeave() override;
    void OnMouseHover(UINT nFlags, CPoint point) override;
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnSize(UINT nType, int cx, int cy) override;
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) override;

private:
    LRESULT OnDropListSelChange(WPARAM wParam, LPARAM lParam);
    void FitToPicture();
    CString EntryText(int nIndex) const;

    int m_nKind = 0;
    UINT m_nNormalBitmap = 0;
    UINT m_nHoverBitmap = 0;
    UINT m_nDisabledBitmap = 0;
    COLORREF m_clrNormal = RGB(255, 255, 255);
    COLORREF m_clrHover = RGB(255, 255, 255);
    COLORREF m_clrEmphasis = RGB(255, 0, 0);
    COLORREF m_clrDisabled = RGB(155, 155, 155);
    CFont m_fontNormal;
    CFont m_fontHover;
    CFont* m_pFontNormal = nullptr;
    CFont* m_pFontHover = nullptr;
    BOOL m_bEmphasis = FALSE;
    BOOL m_bHover = FALSE;
    HCURSOR m_hCursor = nullptr;  // owned copy
    BOOL m_bUseHandCursor = TRUE;
    std::unique_ptr<CDropWnd> m_pDrop;
    int m_nDropWidth = 0;
    int m_nDropHeightLimit = DROP_HEIGHT_LIMIT;
    CWnd* m_pOwner = nullptr;
    UINT m_nNotifyId = 0;
    CRect m_rcClient;
    CRect m_rcDrop;
    int m_nWheelAcc = 0;
    BOOL m_bMoveNotify = FALSE;
    CPoint m_ptLast;
    int m_nNullTextMode = 0;
};
