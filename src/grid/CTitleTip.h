// A small bordered popup that shows the whole text of a grid cell too narrow for it, drawn over
// the cell. While shown it holds the mouse capture and hands every click, key and pointer move
// to the owner, hiding itself on the way. The grid creates it hidden and hides it when it
// scrolls; the grid never shows it itself.
#pragma once

#include "CWnd.h"
#include "GdiObjects.h"

class CTitleTip : public CWnd {
public:
    CTitleTip();
    ~CTitleTip() override;

    // A hidden top-most tool window owned by pParentWnd.
    virtual BOOL Create(CWnd* pParentWnd);
    using CWnd::Create;

    // rectTitle: the cell in the owner's client coordinates; xoffset: the text's inset;
    // lpHoverRect: where the pointer keeps the tip up (the cell when null); lpLogFont: the font
    // (the owner's when null). Shows the tip only when the text does not fit.
    void ShowTip(CRect rectTitle, LPCTSTR lpszTitleText, int xoffset = 0, LPRECT lpHoverRect = nullptr,
                 const LOGFONT* lpLogFont = nullptr);
    void HideTip();

    // The fit rule: TRUE when text of width nTextWidth (spaces and overhang included), placed at
    // the cell's left plus xoffset, reaches beyond the cell's right minus xoffset.
    static BOOL NeedsTip(const CRect& rectCell, int nTextWidth, int xoffset);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    const CRect& GetHoverRect() const { return m_rcHover; }

protected:
    void OnMouseMove(UINT nFlags, CPoint point) override;

    CWnd* m_pOwnerWnd = nullptr;
    CRect m_rcHover;
};
