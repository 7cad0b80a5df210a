// The up-down control beside a numeric field (its buddy CNumEdit). Besides plain steps of one
// code it steps by its step type (the buddy's display type when the range was set, or SetType):
//   4, 8, 9  frequencies: from grid point to grid point of g_dFreqGrid;
//   40       ratios: by 0.1 up to 2.0:1 and by 0.5 above (codes +-1 up to 10, +-5 above);
//   2        delay fields: in a centimetre (inch) field each step changes the shown distance by
//            at least one unit, and the page hears WM_DELAY_SPIN_STEP (posted: wParam the spin's
//            id, lParam the signed step) after the value notice.
// While the user holds an arrow the buddy follows every step, but the page hears the value
// notice (WM_COMMAND sent: wParam the spin's id, lParam the low 16 bits of its handle) only
// every 400 ms while the value changed and at the release. A step without the mouse (the wheel,
// or CNumSpin::Step from a CSpinBtn) sends it at once.
//
// The spin keeps its own copy of the position; a value the page set on the buddy directly is
// picked up only through pending typed text or Step. User-interface thread.
#pragma once

#include "CSpinButtonCtrl.h"

class CNumEdit;

constexpr UINT_PTR NUMSPIN_REPEAT_TIMER = 550;
constexpr UINT NUMSPIN_REPEAT_PERIOD_MS = 400;
constexpr int NUMSPIN_STEP_DELAY = 2;  // step type of delay fields

class CNumSpin : public CSpinButtonCtrl {
public:
    // Stores the range, gives it to the buddy (whose value becomes the minimum) and to the
    // control, and copies the buddy's display type as the step type.
    virtual void SetRange(int nMin, int nMax);
    void SetType(int nType) { m_nStepType = nType; }
    int GetType() const { return m_nStepType; }
    int GetBuddyType() const;
    // The buddy's value (pending typed text read silently), which becomes the position.
    virtual int GetPos();
    int GetDelayPos();
    // A value outside the range shows "Set Pos Error!" and is brought to the nearer end.
    virtual void SetPos(int nPos);
    int GetPosition() const { return m_nPos; }
    virtual BOOL IsBuddyModified();
    // Moves the position from grid point to grid point in the direction of the last step.
    void StepFrequency();
    // One step of nDelta codes from the buddy's value (the arrow areas of a CSpinBtn).
    void Step(int nDelta);
    void SetTag(int nTag) { m_nTag = nTag; }
    int GetTag() const { return m_nTag; }
    BOOL IsPressed() const { return m_bPressed; }

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnTimer(UINT_PTR nIDEvent) override;

private:
    CNumEdit* Buddy() const;
    void OnDeltaPos(int nDelta);
    // Step type 2: the delay step from code a in the buddy's unit (ms, cm or inch).
    void SetDelayStep(CNumEdit* pBuddy, int a, int nDelta);
    void SendValueNotice();

    int m_nPos = 0;
    int m_nMin = 0;
    int m_nMax = 0;
    CWnd* m_pParent = nullptr;
    int m_nRepeat = NUMSPIN_REPEAT_PERIOD_MS;
    BOOL m_bPressed = FALSE;
    BOOL m_bChanged = FALSE;
    int m_nStepType = 0;
    int m_nTag = -1;
};
