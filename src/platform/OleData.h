// Text on the desktop's clipboard and in drag-and-drop, in the shape the program's code expects:
// a data source that holds one text block for CF_TEXT, a data object that reads the text of the
// clipboard or of a drop, and a drop target a window registers to hear drags over it.
//
// The text block is bytes that end with one NUL (the NUL is not part of the text). On the
// desktop the text travels as UTF-8 plain text without the NUL. User-interface thread.
#pragma once

#include "WinDefs.h"

#include <memory>
#include <string>

class CWnd;
class QMimeData;

constexpr UINT CF_TEXT = 1;

typedef DWORD DROPEFFECT;
constexpr DROPEFFECT DROPEFFECT_NONE = 0;
constexpr DROPEFFECT DROPEFFECT_COPY = 1;
constexpr DROPEFFECT DROPEFFECT_MOVE = 2;
constexpr DROPEFFECT DROPEFFECT_SCROLL = 0x80000000u;

// Key states of a drag (MK_* of the mouse messages).
constexpr DWORD MK_LBUTTON_DRAG = 0x0001;
constexpr DWORD MK_CONTROL_DRAG = 0x0008;

class COleDataSource {
public:
    COleDataSource() = default;
    virtual ~COleDataSource() = default;
    // Keeps a copy of the block (its bytes up to and including the first NUL, or all of them).
    void CacheText(const std::string& block);
    const std::string& TextBlock() const { return m_block; }
    BOOL HasText() const { return m_bHasText; }
    // Puts the text on the desktop's clipboard and deletes the source (the clipboard has it).
    void SetClipboard();
    // Runs a drag of the text from the current pointer position; returns the effect the drop
    // target chose (DROPEFFECT_NONE when refused or cancelled).
    DROPEFFECT DoDragDrop(DROPEFFECT dwEffects, CWnd* pSource);

private:
    std::string m_block;
    bool m_bHasText = false;
};

class COleDataObject {
public:
    COleDataObject() = default;
    // Reads from the desktop's clipboard.
    BOOL AttachClipboard();
    // Reads from a drop's data (not owned).
    void Attach(const QMimeData* pData) { m_pData = pData; m_bClipboard = false; }
    BOOL IsDataAvailable(UINT nFormat) const;
    // The text as a block: the bytes of the text followed by one NUL. Empty when there is none.
    std::string GetTextBlock() const;

private:
    const QMimeData* m_pData = nullptr;
    bool m_bClipboard = false;
};

// Hears drags over one window. Register once the window exists; the window's destruction ends
// it (or Revoke).
class COleDropTarget {
public:
    COleDropTarget();
    virtual ~COleDropTarget();
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    BOOL Register(CWnd* pWnd);
    virtual void Revoke();

    // point: in the window's client coordinates. dwKeyState: MK_* bits.
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
