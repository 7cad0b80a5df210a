// The off-screen drawing context of the skinned controls and graphs: a paint handler draws into
// it at the target's own coordinates, and the finished picture reaches the target in one copy
// (at destruction, or earlier with CopyBack), so nothing flickers.
//
// On a printing target it draws straight onto the target and copies nothing.
// Lives on the stack for one paint; user-interface thread.
#pragma once

#include "CDC.h"

class CMemDC : public CDC {
public:
    // pDC must not be null. pRect: the area drawn, in the target's logical coordinates (null:
    // the target's clip box). bCopyBackground: start from the target's pixels of the area;
    // otherwise from its background colour.
    CMemDC(CDC* pDC, const CRect* pRect = nullptr, BOOL bCopyBackground = FALSE);
    ~CMemDC() override;

    // Copies the picture to the target now; afterwards the destructor copies nothing, so the
    // target may be released first.
    void CopyBack();

    CMemDC* operator->() { return this; }
    operator CDC*() { return this; }

    const CRect& GetRect() const { return m_rect; }

private:
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap = nullptr;
    CDC* m_pDC;
    CRect m_rect;
    BOOL m_bMemDC;
    bool m_bCopied = false;
};
