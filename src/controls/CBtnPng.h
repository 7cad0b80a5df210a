// The PNG button: an owner-drawn push button whose pictures are PNG images with alpha, so the
// parent's background shows through them. At its first paint it copies the parent's pixels
// under itself once, composes every state picture over that copy and keeps each composed
// picture; later paints copy the cached picture of the current state.
//
// Pictures: unchecked and checked sets of three (normal, hover, pressed), a disabled pair, and a
// second set of six shown while g_bChinese is set. A state without a picture shows the picture
// composed just before it (the order is unchecked, checked, disabled, then Chinese). The
// checked state is the button's own flag, set by the page. Hover comes with the hover notice
// (the pointer resting on the button), not the first move. Two linked buttons may mirror the
// hover look while the button is unchecked.
//
// Give each set once, before the first paint: pictures given later are not composed (a Chinese
// set given later is composed at the next paint). Ids are PNG resources.
// User-interface thread.
#pragma once

#include "CButton.h"
#include "CDC.h"
#include "CPngBitmap.h"

class CBtnPng : public CButton {
public:
    // The cached pictures: 1..6 unchecked / checked normal, hover, pressed; 7..12 the same of the
    // Chinese set; 13, 14 disabled unchecked / checked.
    static constexpr int kContexts = 15;

    CBtnPng();
    ~CBtnPng() override;

    // The button takes the size of the normal picture (kept when it does not load) and rises to
    // the top of its siblings.
    void SetPngImages(UINT nNormal, UINT nHover, UINT nPressed);
    void SetCheckedPngImages(UINT nNormal, UINT nHover, UINT nPressed);
    // The size then follows the disabled unchecked picture.
    void SetDisabledPngImages(UINT nUnchecked, UINT nChecked);
    void SetChinesePngImages(UINT nNormal, UINT nHover, UINT nPressed, UINT nCheckedNormal, UINT nCheckedHover,
                             UINT nCheckedPressed);
    // Turn applied to each picture before it is composed (CImage::RotateFlip codes).
    void SetRotateFlip(int nType) { m_nRotateFlip = nType; }
    // Nothing when unchanged.
    void SetCheck(BOOL bCheck);
    BOOL GetCheck() const { return m_bChecked; }
    void SetHover(BOOL bHover);
    BOOL GetHover() const { return m_bHover; }
    void Refresh();
    void SetLinkedButtons(CBtnPng* pFirst, CBtnPng* pSecond);
    void SetTag(int nTag) { m_nTag = nTag; }
    int GetTag() const { return m_nTag; }
    void SetMoveNotify(BOOL bOn) { m_bMoveNotify = bOn; }
    // Hiding (SW_HIDE) forgets the linked buttons for good.
    virtual BOOL ShowWindow(int nCmdShow);

    // The cached picture (1..14) for a state.
    static int PickContext(bool disabled, bool checked, bool hover, bool pressed, bool chinese);
    // The one the button shows now (g_bChinese counts only once a Chinese set was given).
    int CurrentContext() const;
    // The size the pictures are composed at.
    CSize GetImageSize() const { return CSize(m_nImgWidth, m_nImgHeight); }
    int GetMode() const { return m_nMode; }

    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnMouseHover(UINT nFlags, CPoint point) override;
    void OnMouseLeave() override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;

private:
    static void LoadInto(CPngResourceBitmap*& slot, UINT nID);
    void TakeSizeOf(const CPngResourceBitmap* pImage);
    void PassHoverToLinked(BOOL bHover);
    CImage* ImageOf(int nContext) const;
    void Compose(CDC* pDC, int nContext);

    CPngResourceBitmap* m_pImage[6] = {};     // unchecked n, h, p, checked n, h, p
    CPngResourceBitmap* m_pDisabled[2] = {};  // unchecked, checked
    CPngResourceBitmap* m_pChinese[6] = {};
    BOOL m_bHover = FALSE;
    BOOL m_bPressed = FALSE;
    BOOL m_bChecked = FALSE;
    int m_nMode = 0;
    HCURSOR m_hCursor = nullptr;  // owned copy
    BOOL m_bUseHandCursor = TRUE;
    CDC m_dcBack;
    CBitmap m_bmpBack;
    CDC m_dc[kContexts];
    CBitmap m_bmp[kContexts];
    bool m_bMade[kContexts] = {};
    BOOL m_bChineseSet = FALSE;
    int m_nCurrent = 0;
    int m_nImgWidth = 0;
    int m_nImgHeight = 0;
    int m_nRotateFlip = 0;
    BOOL m_bMoveNotify = FALSE;
    CPoint m_ptLast;
    int m_nTag = -1;
    CBtnPng* m_pLinked[2] = {nullptr, nullptr};
};
