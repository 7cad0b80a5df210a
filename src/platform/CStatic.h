// The static control: a text label or a bitmap.
//
// Painting asks the parent with WM_CTLCOLORSTATIC; a brush it returns fills the background (the
// hollow brush, or none, leaves the parent showing), and the text takes the colour and background
// mode the answer left in the context. The text is drawn with the window's font and the DrawText
// flags that follow from the style (DrawTextFormatFromStyle). SS_BITMAP shows the bitmap given
// to SetBitmap at the top-left corner (centred with SS_CENTERIMAGE).
//
// Mouse: with SS_NOTIFY a left press tells the parent STN_CLICKED and a double click STN_DBLCLK;
// without it the control lets the pointer through to whatever lies beneath.
//
// User-interface thread.
#pragma once

#include "CWnd.h"
#include "OwnerDraw.h"

constexpr DWORD SS_LEFT = 0x0000;
constexpr DWORD SS_CENTER = 0x0001;
constexpr DWORD SS_RIGHT = 0x0002;
constexpr DWORD SS_ICON = 0x0003;
constexpr DWORD SS_SIMPLE = 0x000B;
constexpr DWORD SS_LEFTNOWORDWRAP = 0x000C;
constexpr DWORD SS_OWNERDRAW = 0x000D;
constexpr DWORD SS_BITMAP = 0x000E;
constexpr DWORD SS_TYPEMASK = 0x001F;
constexpr DWORD SS_NOPREFIX = 0x0080;
constexpr DWORD SS_NOTIFY = 0x0100;
constexpr DWORD SS_CENTERIMAGE = 0x0200;
constexpr DWORD SS_SUNKEN = 0x1000;
constexpr DWORD SS_ENDELLIPSIS = 0x4000;
constexpr DWORD SS_PATHELLIPSIS = 0x8000;
constexpr DWORD SS_WORDELLIPSIS = 0xC000;
constexpr DWORD SS_ELLIPSISMASK = 0xC000;

constexpr WORD STN_CLICKED = 0;
constexpr WORD STN_DBLCLK = 1;

class CStatic : public CWnd {
public:
    BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF);

    // SS_BITMAP: the bitmap shown (not owned); returns the previous one.
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HBITMAP GetBitmap() const { return m_hBitmap; }

    // DrawText flags of a static control's text for its style: right or centred alignment,
    // vertical centring on one line (SS_CENTERIMAGE), no prefix, the ellipsis kinds, and word
    // breaking unless one of those (or SS_LEFTNOWORDWRAP) is set.
    static UINT DrawTextFormatFromStyle(DWORD dwStyle);

    // SS_OWNERDRAW: draws the control; the base draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintStatic();

    HBITMAP m_hBitmap = nullptr;
};
