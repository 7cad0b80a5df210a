// The numeric edit field: an edit box that holds one device code (value) within a range and
// shows it in the unit and language of its display type (NumDisplayTypes.h).
//
// The box is drawn over the page's skin without a background of its own: white text (grey with
// the disabled look) while idle, black on light blue while it has the focus (the highlight).
// Every change of text or highlight repaints the parent's area under it.
//
// Typed text is read back twice: at focus loss by the committing reader of the display type,
// which clamps, reformats and sends the value notice; and by GetValue, which reads pending typed
// text silently. The value notice is WM_COMMAND sent to the parent with wParam the control id
// and lParam the low 16 bits of the box's handle; it also follows StepValue and every click
// (the parent cannot tell a click from a new value). Every key pressed without Ctrl or Shift is
// posted to the parent as WM_NUMEDIT_KEYDOWN (wParam the id, lParam the virtual key), after the
// box has handled it; Enter and the wheel mean nothing to the box itself.
//
// A read-only delay box shows its embedded CSpinBtn over its whole area: the box's text as its
// caption, and arrow areas that step the paired CNumSpin.
//
// Invariant: minimum <= value <= maximum (type 33: 0..100). The box owns its highlight brush and
// its spin button; the buddy slider and the paired CNumSpin belong to the page.
// User-interface thread.
#pragma once

#include "CEdit.h"
#include "GdiObjects.h"
#include "CSpinBtn.h"
#include "NumDisplayTypes.h"

class CBitmapSlider;
class CNumSpin;

// Field colour while highlighted: red 0x89, green 0xAC, blue 0xD1.
constexpr COLORREF NUMEDIT_HIGHLIGHT = 0xD1AC89;
constexpr COLORREF NUMEDIT_TEXT = 0xFFFFFF;
constexpr COLORREF NUMEDIT_TEXT_DISABLED = 0xC8C8C8;
// The spin button's style bit: caption at the top.
constexpr DWORD NUMEDIT_SPIN_STYLE = 0x400;

class CNumEdit : public CEdit {
public:
    CNumEdit();
    ~CNumEdit() override;

    // Stores the range and puts the value on the minimum; the text is not reformatted.
    void SetRange(int nMin, int nMax);
    int GetMin() const { return m_nMin; }
    int GetMax() const { return m_nMax; }
    void SetScale(double dScale) { m_dScale = dScale; }
    void SetOffset(double dOffset) { m_dOffset = dOffset; }
    // Display type 0..40 and unit text, then reformats.
    void SetType(int nType, const CString& strUnit);
    int GetType() const { return m_nType; }
    // Air temperature for the distance types, in degrees Celsius + 50; reformats.
    void SetTemperature(int nSetting);
    void SetBuddySlider(CBitmapSlider* pSlider) { m_pBuddySlider = pSlider; }
    // Makes the embedded spin button (hidden until the box is made read-only).
    BOOL CreateSpinButton(UINT nID);
    void SetSpinTarget(int nNumber, CNumSpin* pSpin);
    CSpinBtn& GetSpinButton() { return m_spinButton; }

    // Takes v only when it lies in the range; reformats.
    void SetValue(int v);
    // The value, after reading pending typed text silently.
    int GetValue();
    int GetModified() const { return m_nModified; }
    void SetModified(int nModified) { m_nModified = nModified; }
    // Delay types 0, 19, 1, 2: commits pending text (with its notice) first.
    int GetDelayValue();
    // value + delta within the range, reformat, value notice.
    void StepValue(int nDelta);

    virtual BOOL UpdateText();
    // After a language change: the delay types reformat, the others swap "OFF" and "关闭".
    void UpdateOffText();
    void SetHighlight(BOOL bOn);
    BOOL GetHighlight() const { return m_bHighlight; }
    // Shows the spin button over the box while read-only.
    virtual BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    virtual BOOL ShowWindow(int nCmdShow) { return CEdit::ShowWindow(nCmdShow); }
    virtual BOOL EnableWindow(BOOL bEnable = TRUE) { return CEdit::EnableWindow(bEnable); }
    // 1: white text, a click notifies the parent and the paired spin steps; 0: grey, inert.
    int GetEnabledLook() const { return m_bEnabledLook; }

    // Free integer of the owning page; the box never reads it.
    int m_nTag = 0;

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) override;

protected:
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;

private:
    NumFieldState State() const;
    // The committing reader of the display type (focus loss).
    void Commit();
    void SendValueNotice();
    bool IsReadOnly() const { return (GetStyle() & ES_READONLY) != 0; }

    CBitmapSlider* m_pBuddySlider = nullptr;
    CSpinBtn m_spinButton;
    int m_bSpinCreated = 0;
    int m_nValue = 0;
    int m_nType = 0;
    int m_nMax = 0;
    int m_nMin = 0;
    int m_nModified = 0;
    double m_dScale = 0.0;
    double m_dOffset = 0.0;
    int m_nTemperature = 75;
    CString m_strUnit;
    CBrush m_brHighlight;
    COLORREF m_clrHighlight = NUMEDIT_HIGHLIGHT;
    BOOL m_bHighlight = FALSE;
    int m_bEnabledLook = 1;
};
