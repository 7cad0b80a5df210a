// A device context: drawing in GDI terms onto a window (during its paint) or onto a bitmap (a
// memory context from CreateCompatibleDC with a CBitmap selected).
//
// Pixels are device pixels, integer coordinates, no anti-aliasing: a rectangle covers
// left <= x < right; a line leaves out its last point; Rectangle and Ellipse with a one-pixel pen
// stay inside their rectangle. Colours are COLORREF (0x00BBGGRR). Only the MM_TEXT mapping exists;
// window and viewport origins shift the drawing. Clip regions are kept in device pixels.
//
// The context's state (selected objects, colours, modes, origins, clip) belongs to the context
// and is applied to the painter at every call, so two contexts sharing one paint (erase and paint)
// never see each other's settings.
//
// A context on a window outside its paint (GetDC, CClientDC) measures text and draws into a
// scratch picture that is not shown: drawing that must be seen belongs in OnPaint.
//
// User-interface thread.
#pragma once

#include "GdiObjects.h"
#include "WinDefs.h"

#include <memory>

class CImage;
class QPainter;
class QRect;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Mapping modes (only MM_TEXT is drawn).
constexpr int MM_TEXT = 1;

// Stretch modes; HALFTONE smooths, the others pick pixels.
constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;

// Raster operations of BitBlt / StretchBlt.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Text alignment (SetTextAlign).
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;

// DrawText flags.
constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;  // single line only
constexpr UINT DT_BOTTOM = 0x0008;   // single line only
constexpr UINT DT_WORDBREAK = 0x0010;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_EXPANDTABS = 0x0040;
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_CALCRECT = 0x0400;
constexpr UINT DT_NOPREFIX = 0x0800;
constexpr UINT DT_END_ELLIPSIS = 0x8000;
constexpr UINT DT_PATH_ELLIPSIS = 0x4000;   // a single line too long loses its middle
constexpr UINT DT_WORD_ELLIPSIS = 0x40000;  // a single line too long loses its end
constexpr UINT DT_HIDEPREFIX = 0x00100000;

// ExtTextOut options.
constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;

constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;

// GetDeviceCaps indexes.
constexpr int BITSPIXEL = 12;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

struct TEXTMETRIC {
    int tmHeight;
    int tmAscent;
    int tmDescent;
    int tmInternalLeading;
    int tmExternalLeading;
    int tmAveCharWidth;
    int tmMaxCharWidth;
    int tmWeight;
};

class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // This context's handle: its own address while it can draw or measure, else null.
    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;
    BOOL m_bPrinting = FALSE;
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    static CDC* FromHandle(HDC hDC);
    BOOL IsPrinting() const { return m_bPrinting; }
    // BITSPIXEL: colour bits of the screen's pixels; LOGPIXELSX / LOGPIXELSY: 96, as the layout
    // is fixed at 96 DPI. 0 for other indexes.
    int GetDeviceCaps(int nIndex) const;

    // A memory context: draws into the bitmap selected into it (none at first).
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();
    // Internal: draws with a painter owned by someone else (a window paint); bounds is the area
    // being painted, in the painter's device pixels.
    void AttachPainter(QPainter* pPainter, const QRect& bounds);
    // Internal: draws into a private picture of the size that nobody sees (a window context
    // outside the window's paint); it starts as a copy of pInitial (white where that is
    // missing or too small).
    void AttachScratch(CSize size, const QImage* pInitial = nullptr);

    // Objects. Each returns the object selected before (the stock default at first), or null
    // when the object has no handle. A bitmap can be selected into one memory context at a time.
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    int SelectObject(CRgn* pRgn);  // as SelectClipRgn
    CGdiObject* SelectStockObject(int nIndex);
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;

    // Colours and modes.
    COLORREF SetTextColor(COLORREF crColor);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF crColor);
    COLORREF GetBkColor() const;
    int SetBkMode(int nBkMode);
    int GetBkMode() const;
    UINT SetTextAlign(UINT nFlags);
    UINT GetTextAlign() const;
    int SetStretchBltMode(int nStretchMode);
    int GetStretchBltMode() const;
    int SetMapMode(int nMapMode);
    int GetMapMode() const;

    // Origins (logical = device - viewport origin + window origin).
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(CPoint point) { return SetWindowOrg(point.x, point.y); }
    CPoint GetWindowOrg() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(CPoint point) { return SetViewportOrg(point.x, point.y); }
    CPoint GetViewportOrg() const;
    CPoint OffsetViewportOrg(int nWidth, int nHeight);
    CPoint OffsetWindowOrg(int nWidth, int nHeight);
    CSize GetWindowExt() const { return CSize(1, 1); }
    CSize GetViewportExt() const { return CSize(1, 1); }
    CSize SetWindowExt(int, int) { return CSize(1, 1); }
    CSize SetViewportExt(int, int) { return CSize(1, 1); }
    void LPtoDP(LPPOINT lpPoint, int nCount = 1) const;
    void LPtoDP(LPRECT lpRect) const;
    void DPtoLP(LPPOINT lpPoint, int nCount = 1) const;
    void DPtoLP(LPRECT lpRect) const;

    // Filled shapes and lines.
    // Also makes crColor the background colour, as the framework's helper always did.
    void FillSolidRect(LPCRECT lpRect, COLORREF crColor);
    void FillSolidRect(const CRect& rect, COLORREF crColor) { FillSolidRect(&rect, crColor); }
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor);
    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    void FrameRect(LPCRECT lpRect, CBrush* pBrush);
    // Top and left edges in clrTopLeft, bottom and right in clrBottomRight, one pixel wide.
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void Draw3dRect(const CRect& rect, COLORREF clrTopLeft, COLORREF clrBottomRight)
    {
        Draw3dRect(&rect, clrTopLeft, clrBottomRight);
    }
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT lpRect) { return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(LPCRECT lpRect) { return Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(CPoint point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(CPoint point) { return LineTo(point.x, point.y); }
    CPoint GetCurrentPosition() const;
    BOOL Polyline(const CPoint* lpPoints, int nCount);
    BOOL Polygon(const CPoint* lpPoints, int nCount);
    COLORREF SetPixel(int x, int y, COLORREF crColor);
    COLORREF SetPixel(CPoint point, COLORREF crColor) { return SetPixel(point.x, point.y, crColor); }
    // CLR_INVALID outside the surface.
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(CPoint point) const { return GetPixel(point.x, point.y); }

    // Text (UTF-8).
    BOOL TextOut(int x, int y, const CString& str);
    BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount);
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str);
    // Returns the height of the text; with DT_CALCRECT only measures and sets the rectangle's
    // right and bottom edges.
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
    int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
    CSize GetTextExtent(const CString& str) const;
    CSize GetTextExtent(LPCTSTR lpszString, int nCount) const;
    CSize GetOutputTextExtent(const CString& str) const { return GetTextExtent(str); }
    BOOL GetTextMetrics(TEXTMETRIC* lpMetrics) const;

    // Copies from another context (a memory context, or a window being painted). dwRop: SRCCOPY,
    // SRCAND, SRCPAINT, SRCINVERT, NOTSRCCOPY, DSTINVERT, PATCOPY, BLACKNESS, WHITENESS.
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    // Negative sizes on one side mirror the picture.
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                    int nSrcHeight, DWORD dwRop);
    // An image with its alpha blended over what is there; scaled smoothly when sizes differ.
    BOOL DrawImage(const CImage* pImage, int x, int y);
    BOOL DrawImage(const CImage* pImage, int x, int y, int nWidth, int nHeight);
    BOOL DrawImage(const CImage* pImage, const CRect& dest, const CRect& src);

    // Clipping (the rectangles are logical; regions are device pixels).
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(LPCRECT lpRect) { return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    int ExcludeClipRect(int x1, int y1, int x2, int y2);
    int ExcludeClipRect(LPCRECT lpRect) { return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    // Null removes the clip region.
    int SelectClipRgn(CRgn* pRgn);
    // The logical bounds of what can be drawn: the surface (or the area being painted) within
    // the clip region.
    int GetClipBox(LPRECT lpRect) const;

    // 1-based level of the saved state.
    int SaveDC();
    // A positive level restores that saved state; -1 the last one. Later saves are dropped.
    BOOL RestoreDC(int nSavedDC);

    // The painter for Qt-specific drawing (anti-aliased curves), set up with this context's
    // origin and clip; null when the context has nothing to draw on.
    QPainter* GetPainter();

    struct Impl;  // CDCImpl.h

private:
    std::unique_ptr<Impl> d;
};
