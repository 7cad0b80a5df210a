// The progress bar's off-screen context: covers the target's clip box, is drawn into at the
// target's coordinates and copies the result to the target in one step when it goes. On a
// printing target it draws straight onto the target. Lives on the stack for one paint.
// User-interface thread.
#pragma once

#include "CDC.h"

class CMyMemDC : public CDC {
public:
    // pDC must not be null.
    explicit CMyMemDC(CDC* pDC);
    ~CMyMemDC() override;

    CMyMemDC* operator->() { return this; }
    operator CMyMemDC*() { return this; }
    const CRect& GetRect() const { return m_rect; }

private:
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap = nullptr;
    CDC* m_pDC;
    CRect m_rect;
    BOOL m_bMemDC;
};
