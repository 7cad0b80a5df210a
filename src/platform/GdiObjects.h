// Drawing objects: pens, brushes, fonts, bitmaps and regions.
//
// Each wrapper owns the object behind its handle and deletes it in its destructor (or at
// DeleteObject). A device context that has the object selected keeps it alive until the
// selection ends, so deleting a selected object never leaves the context drawing with freed
// memory. Stock objects (GetStockObject) are never deleted.
//
// Create and delete on the user-interface thread; a finished font or brush may be read from any.
#pragma once

#include "WinDefs.h"

class CDC;
class QImage;

constexpr int OBJ_PEN = 1;
constexpr int OBJ_BRUSH = 2;
constexpr int OBJ_FONT = 6;
constexpr int OBJ_BITMAP = 7;
constexpr int OBJ_REGION = 8;

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEFAULT_GUI_FONT = 17;

// Pens. Width 0 or 1 is a one-pixel line that leaves out its last point; wider pens have round
// ends. Dashed styles are drawn for one-pixel pens only (wider ones are solid, as on Windows).
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;

constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HOLLOW = BS_NULL;
constexpr UINT BS_PATTERN = 3;

// Fonts.
constexpr int LF_FACESIZE = 32;  // bytes of UTF-8 with the terminating zero
constexpr int FW_DONTCARE = 0;
constexpr int FW_THIN = 100;
constexpr int FW_LIGHT = 300;
constexpr int FW_NORMAL = 400;
constexpr int FW_MEDIUM = 500;
constexpr int FW_SEMIBOLD = 600;
constexpr int FW_BOLD = 700;
constexpr int FW_HEAVY = 900;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE GB2312_CHARSET = 134;
constexpr BYTE OUT_DEFAULT_PRECIS = 0;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE NONANTIALIASED_QUALITY = 3;
constexpr BYTE ANTIALIASED_QUALITY = 4;
constexpr BYTE CLEARTYPE_QUALITY = 5;
constexpr BYTE DEFAULT_PITCH = 0;
constexpr BYTE FIXED_PITCH = 1;
constexpr BYTE VARIABLE_PITCH = 2;
constexpr BYTE FF_DONTCARE = 0x00;
constexpr BYTE FF_ROMAN = 0x10;
constexpr BYTE FF_SWISS = 0x20;
constexpr BYTE FF_MODERN = 0x30;
constexpr BYTE FF_SCRIPT = 0x40;
constexpr BYTE FF_DECORATIVE = 0x50;

// Regions.
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

struct LOGPEN {
    UINT lopnStyle;
    CPoint lopnWidth;  // x is the width
    COLORREF lopnColor;
};

struct LOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
    uintptr_t lbHatch;
};

// Font request. lfHeight > 0: cell height in pixels (ascent + descent, as the text line is
// tall); lfHeight < 0: character height in pixels (the em size); 0: 12-pixel characters.
// lfWeight 0 means normal; anything above 900 is drawn as the heaviest weight, 900.
struct LOGFONT {
    int lfHeight;
    int lfWidth;
    int lfEscapement;
    int lfOrientation;
    int lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    char lfFaceName[LF_FACESIZE];  // UTF-8, e.g. "Arial", "宋体"
};
typedef LOGFONT* LPLOGFONT;

struct BITMAP {
    int bmType;
    int bmWidth;
    int bmHeight;
    int bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    void* bmBits;
};

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }

    // Deletes the object behind the handle (a stock object stays) and forgets the handle.
    BOOL DeleteObject();
    // Takes over a handle (deleting any object held before). FALSE for a handle that is not live.
    BOOL Attach(HGDIOBJ hObject);
    // Gives the handle away: the caller deletes it.
    HGDIOBJ Detach();
    BOOL CreateStockObject(int nIndex);
    // OBJ_PEN ... OBJ_REGION, 0 without an object.
    int GetObjectType() const;
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
    BOOL CreatePenIndirect(const LOGPEN* lpLogPen);
    int GetLogPen(LOGPEN* pLogPen) const;
    operator HPEN() const { return reinterpret_cast<HPEN>(m_hObject); }
};

class CBitmap;

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    BOOL CreateSolidBrush(COLORREF crColor);
    BOOL CreateSysColorBrush(int nIndex);
    // Tiles the bitmap's current picture (copied now).
    BOOL CreatePatternBrush(CBitmap* pBitmap);
    int GetLogBrush(LOGBRUSH* pLogBrush) const;
    operator HBRUSH() const { return reinterpret_cast<HBRUSH>(m_hObject); }
};

class CFont : public CGdiObject {
public:
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                    BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename);
    BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
    // nPointSize in tenths of a point at 96 DPI.
    BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = nullptr);
    int GetLogFont(LOGFONT* pLogFont) const;
    operator HFONT() const { return reinterpret_cast<HFONT>(m_hObject); }
};

class CBitmap : public CGdiObject {
public:
    // A colour bitmap of the size, black.
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    // lpBits: nHeight rows of nWidth 32-bit pixels (blue, green, red, unused) or null for black.
    // Other bit counts give a black bitmap of the size.
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
    // The bitmap resource nIDResource; FALSE (and no bitmap) when there is none.
    BOOL LoadBitmap(UINT nIDResource);
    int GetBitmap(BITMAP* pBitMap) const;
    CSize GetSize() const;
    operator HBITMAP() const { return reinterpret_cast<HBITMAP>(m_hObject); }
    // The pixels, for Qt-specific code; null without a bitmap.
    QImage* GetImage() const;
};

class CRgn : public CGdiObject {
public:
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    BOOL CreateRectRgnIndirect(LPCRECT lpRect);
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
    // This region becomes a combination of two others (either may be this one).
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
    void SetRectRgn(int x1, int y1, int x2, int y2);
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(CPoint point) const { return PtInRegion(point.x, point.y); }
    int GetRgnBox(LPRECT lpRect) const;
    int OffsetRgn(int x, int y);
    operator HRGN() const { return reinterpret_cast<HRGN>(m_hObject); }
};

HGDIOBJ GetStockObject(int nIndex);
// Deletes the object behind a handle that nobody wraps any more (see CGdiObject::Detach).
BOOL DeleteObject(HGDIOBJ hObject);
