// What the parameter model needs of the screen, without knowing any window: a message box,
// a slider that mirrors a filter, and invalidating a window. The window layers implement these
// and install their implementation at start-up; until then the calls do nothing, so the model
// runs and is tested without a display.
//
// Thread: the model calls these only from the user-interface thread (edits and name checks).
#pragma once

#include "WinTypes.h"

#include <utility>
#include <vector>

// A slider that mirrors one filter (implemented by the skinned slider control).
class ILinkedSlider {
public:
    virtual ~ILinkedSlider() = default;
    // A crossover's frequency slider: move to nHz.
    virtual void SetFreqValue(int nHz) = 0;
    // A band's gain slider: move to the gain index 0..400 (200 = 0 dB).
    virtual void SetValue(int nPos) = 0;
};

class IModelUi {
public:
    virtual ~IModelUi() = default;
    // A skinned message box with an OK button. nSelector picks the caption as the program's
    // boxes do: -2 Chinese caption only, -3 English caption only.
    virtual void MessageBoxOk(const CString& strText, int nSelector) = 0;
    // Repaints the window later (may be null: nothing to do).
    virtual void InvalidateWindow(HWND hWnd) = 0;
};

namespace ModelUi {
// Installs the implementation (null restores the silent default). Returns the previous one.
IModelUi* Install(IModelUi* pUi);
// The installed implementation, or the silent default; never null.
IModelUi& Get();
}  // namespace ModelUi

// Records every call; installs itself for its lifetime and restores the previous one after.
// Used by tests of the model and of anything that drives it.
class CModelUiRecorder : public IModelUi {
public:
    CModelUiRecorder();
    ~CModelUiRecorder() override;
    CModelUiRecorder(const CModelUiRecorder&) = delete;
    CModelUiRecorder& operator=(const CModelUiRecorder&) = delete;

    void MessageBoxOk(const CString& strText, int nSelector) override;
    void InvalidateWindow(HWND hWnd) override;

    std::vector<std::pair<CString, int>> m_messages;  // text, selector
    std::vector<HWND> m_invalidated;

private:
    IModelUi* m_pPrevious;
};
