// Device contexts of a window. CPaintDC is made in OnPaint and draws onto the window; during that
// paint the other two draw onto it as well. Outside the window's paint CClientDC and CWindowDC
// measure text and draw into a scratch picture nobody sees (see CDC.h); that picture starts as a
// copy of what the window shows, so reading it gives the window's pixels: during a child's
// paint, a parent's context holds the parent's picture under the child.
#pragma once

#include "CDC.h"

class CWnd;

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    CRect rcPaint;  // the area being painted, client coordinates
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    PAINTSTRUCT m_ps{};

protected:
    CWnd* m_pWnd;
};

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);

protected:
    CWnd* m_pWnd;
};

class CWindowDC : public CClientDC {
public:
    explicit CWindowDC(CWnd* pWnd) : CClientDC(pWnd) {}
};
