// The button control: push buttons, check boxes, radio buttons and group boxes drawn by the
// window layer, and owner-drawn buttons (BS_OWNERDRAW) that a class draws in DrawItem.
//
// Behaviour of the system button: a left press takes the focus and the capture and shows the
// button pushed while the pointer stays over it; releasing over it clicks: an automatic check box
// toggles, an automatic radio button checks itself and unchecks the others of its group, and the
// parent gets WM_COMMAND BN_CLICKED (sent). A double click counts as a press. Space does the same
// from the keyboard. Derived classes that handle these messages call Default() to keep it.
//
// Painting: an owner-drawn button first sends WM_CTLCOLORBTN and then WM_DRAWITEM to its parent
// with its paint context; the parent's default handlers reflect both to the button (CtlColor,
// DrawItem). A check box or radio button asks its parent with WM_CTLCOLORSTATIC for its
// background brush (a hollow brush leaves the parent showing) and draws its caption with the text
// colour and background mode the answer left in the context.
//
// User-interface thread.
#pragma once

#include "CWnd.h"
#include "OwnerDraw.h"

// Button styles: the type in the low four bits, then alignment and behaviour bits.
constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD BS_CHECKBOX = 0x0002;
constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
constexpr DWORD BS_RADIOBUTTON = 0x0004;
constexpr DWORD BS_3STATE = 0x0005;
constexpr DWORD BS_AUTO3STATE = 0x0006;
constexpr DWORD BS_GROUPBOX = 0x0007;
constexpr DWORD BS_USERBUTTON = 0x0008;
constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
constexpr DWORD BS_OWNERDRAW = 0x000B;
constexpr DWORD BS_TYPEMASK = 0x000F;
constexpr DWORD BS_LEFT = 0x0100;
constexpr DWORD BS_RIGHT = 0x0200;
constexpr DWORD BS_CENTER = 0x0300;
constexpr DWORD BS_TOP = 0x0400;
constexpr DWORD BS_BOTTOM = 0x0800;
constexpr DWORD BS_VCENTER = 0x0C00;
constexpr DWORD BS_NOTIFY = 0x4000;

// Button messages.
constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr UINT BM_GETSTATE = 0x00F2;
constexpr UINT BM_SETSTATE = 0x00F3;
constexpr UINT BM_SETSTYLE = 0x00F4;
constexpr UINT BM_CLICK = 0x00F5;

constexpr int BST_UNCHECKED = 0x0000;
constexpr int BST_CHECKED = 0x0001;
constexpr int BST_INDETERMINATE = 0x0002;
constexpr UINT BST_PUSHED = 0x0004;
constexpr UINT BST_FOCUS = 0x0008;

class CButton : public CWnd {
public:
    BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int GetCheck() const;
    void SetCheck(int nCheck);
    // Check state plus BST_PUSHED while shown pushed and BST_FOCUS while focused.
    UINT GetState() const;
    void SetState(BOOL bHighlight);
    UINT GetButtonStyle() const { return GetStyle() & 0xFFFF; }
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);

    // Draws an owner-drawn button; the base draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintButton();
    void DrawSystemButton(CDC& dc, const CRect& rc);
    void Press();
    void Release(bool click);
    void Click();
    void SetPushed(bool pushed);

    int m_nCheck = BST_UNCHECKED;
    bool m_bPushed = false;    // drawn pushed
    bool m_bTracking = false;  // a left press (or space) is in progress
};
