// An image list: pictures of one size kept in order. Made with ILC_MASK, a bitmap added with a
// mask colour shows its pixels of that colour transparent. The grid's drag image is one.
// User-interface thread.
#pragma once

#include "WinDefs.h"

#include <memory>
#include <vector>

class CBitmap;
class CDC;
class QImage;

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR32 = 0x0020;
constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;

class CImageList {
public:
    CImageList();
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // FALSE for a size below 1 pixel or a list that exists already.
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    BOOL DeleteImageList();
    // Appends the bitmap's picture (its top-left part of the list's size); with a mask, pixels
    // of crMask become transparent. The index of the new image, -1 on failure.
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int GetImageCount() const { return int(m_images.size()); }
    CSize GetImageSize() const { return m_size; }
    // Draws image nImage with its top-left corner at pt.
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    // For Qt-specific code and tests; null for a bad index.
    const QImage* GetImage(int nImage) const;

private:
    bool m_bCreated = false;
    bool m_bMask = false;
    CSize m_size;
    std::vector<std::unique_ptr<QImage>> m_images;
};
