// The single-line edit control.
//
// Positions (SetSel, GetSel) count characters of the text. Lengths that the program limits or
// measures (LimitText, LineLength, EM_LINELENGTH) count units of CharUnits: one per character,
// unless a derived class counts otherwise (a name field that keeps its text as double-byte code
// page bytes counts two for a non-ASCII character).
//
// Typing arrives as WM_CHAR; the default processing inserts the character over the selection
// (backspace, 8, deletes), and the parent hears EN_CHANGE (also after SetWindowText) and
// EN_MAXTEXT when the limit stops an insertion. The arrow, Home, End and Delete keys move and
// delete; Ctrl+A, Ctrl+C, Ctrl+X and Ctrl+V select all and use the clipboard. A read-only edit
// moves and copies only. The parent colours it through WM_CTLCOLOREDIT (WM_CTLCOLORSTATIC while
// read-only or disabled).
//
// User-interface thread.
#pragma once

#include "CWnd.h"

#include <string>

constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_MULTILINE = 0x0004;  // not supported: the control stays one line
constexpr DWORD ES_PASSWORD = 0x0020;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_NOHIDESEL = 0x0100;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD ES_NUMBER = 0x2000;

constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_GETMODIFY = 0x00B8;
constexpr UINT EM_SETMODIFY = 0x00B9;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_LINELENGTH = 0x00C1;
constexpr UINT EM_REPLACESEL = 0x00C2;
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT EM_SETREADONLY = 0x00CF;
constexpr UINT EM_GETLIMITTEXT = 0x00D5;

constexpr WORD EN_SETFOCUS = 0x0100;
constexpr WORD EN_KILLFOCUS = 0x0200;
constexpr WORD EN_CHANGE = 0x0300;
constexpr WORD EN_MAXTEXT = 0x0501;

class CEdit : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // nStart -1 removes the selection (the caret stays); nEnd -1 means the end of the text.
    void SetSel(int nStart, int nEnd, BOOL bNoScroll = FALSE);
    void GetSel(int& nStartChar, int& nEndChar) const;
    // Replaces the selection (inserts at the caret) as typing would, within the limit.
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
    // The most units the text may hold; 0 restores the default (0x7FFFFFFE).
    void LimitText(int nChars = 0);
    void SetLimitText(UINT nMax) { LimitText(int(nMax)); }
    UINT GetLimitText() const { return UINT(m_nLimit); }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    // TRUE once the user has changed the text (typing, deleting, pasting, ReplaceSel) since the
    // last SetWindowText or SetModify(FALSE).
    BOOL GetModify() const { return BOOL(const_cast<CEdit*>(this)->SendMessage(EM_GETMODIFY)); }
    void SetModify(BOOL bModified = TRUE) { SendMessage(EM_SETMODIFY, WPARAM(bModified)); }
    // nLine -1: the units of the line outside the selection (the whole line without a
    // selection); any other line number: the whole line.
    int LineLength(int nLine = -1) const;
    void Clear();
    void Copy();
    void Cut();
    void Paste();

protected:
    virtual int CharUnits(char32_t c) const;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int Units(const std::u32string& s) const;
    int SelMin() const { return m_nAnchor < m_nCaret ? m_nAnchor : m_nCaret; }
    int SelMax() const { return m_nAnchor < m_nCaret ? m_nCaret : m_nAnchor; }
    // Puts s over the selection, cut to what the limit allows; false when nothing changed.
    bool Insert(const std::u32string& s);
    void Changed();
    void MoveCaret(int pos, bool extend);
    void Paint();
    std::u32string Shown() const;
    CSize Extent(const std::u32string& s) const;
    int TextX(int pos) const;  // client x of the boundary before character pos
    int PosFromX(int x) const;
    void KeepCaretVisible();
    bool ReadOnly() const { return (GetStyle() & ES_READONLY) != 0; }

    std::u32string m_text;
    int m_nAnchor = 0;
    int m_nCaret = 0;
    int m_nLimit = 0x7FFFFFFE;
    int m_nScroll = 0;  // pixels the text is scrolled left
    bool m_bDragging = false;
    bool m_bModified = false;
};
