#include "SliderMask.h"

#include <QImage>

#include <vector>

BOOL PrepareMask(CBitmap* pBitmap, CBitmap* pMask, COLORREF clrKey, int x, int y)
{
    QImage* pic = pBitmap ? pBitmap->GetImage() : nullptr;
    if (!pic || pic->isNull() || !pMask)
        return FALSE;
    if (clrKey == 0xFF000000) {
        if (x < 0 || y < 0 || x >= pic->width() || y >= pic->height())
            x = y = 0;
        const QRgb p = pic->pixel(x, y);
        clrKey = RGB(qRed(p), qGreen(p), qBlue(p));
    }
    const QRgb key = qRgb(GetRValue(clrKey), GetGValue(clrKey), GetBValue(clrKey));
    std::vector<uint32_t> bits(size_t(pic->width()) * size_t(pic->height()));
    for (int row = 0; row < pic->height(); ++row) {
        for (int col = 0; col < pic->width(); ++col) {
            const bool isKey = (pic->pixel(col, row) & 0xFFFFFF) == (key & 0xFFFFFF);
            bits[size_t(row) * size_t(pic->width()) + size_t(col)] = isKey ? 0xFFFFFFu : 0u;
            if (isKey)
                pic->setPixel(col, row, qRgb(0, 0, 0));
        }
    }
    pMask->DeleteObject();
    return pMask->CreateBitmap(pic->width(), pic->height(), 1, 32, bits.data());
}

void DrawPicture(CDC* pDC, int x, int y, int nWidth, int nHeight, CBitmap* pBitmap, int xSrc, int ySrc)
{
    if (!pDC || !pBitmap || !pBitmap->GetSafeHandle())
        return;
    CDC mem;
    mem.CreateCompatibleDC(pDC);
    CBitmap* old = mem.SelectObject(pBitmap);
    pDC->BitBlt(x, y, nWidth, nHeight, &mem, xSrc, ySrc, SRCCOPY);
    mem.SelectObject(old);
}

void DrawTransparent(CDC* pDC, int x, int y, int nWidth, int nHeight, CBitmap* pBitmap, CBitmap* pMask, int xSrc,
                     int ySrc)
{
    if (!pDC || !pBitmap || !pBitmap->GetSafeHandle())
        return;
    if (!pMask || !pMask->GetSafeHandle()) {
        DrawPicture(pDC, x, y, nWidth, nHeight, pBitmap, xSrc, ySrc);
        return;
    }
    CDC mem;
    mem.CreateCompatibleDC(pDC);
    CBitmap* old = mem.SelectObject(pMask);
    pDC->BitBlt(x, y, nWidth, nHeight, &mem, xSrc, ySrc, SRCAND);
    mem.SelectObject(pBitmap);
    pDC->BitBlt(x, y, nWidth, nHeight, &mem, xSrc, ySrc, SRCPAINT);
    mem.SelectObject(old);
}
