#include "CImageList.h"

#include "CDC.h"
#include "GdiObjects.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

CImageList::CImageList() = default;
CImageList::~CImageList() = default;

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int)
{
    if (m_bCreated || cx < 1 || cy < 1)
        return FALSE;
    m_bCreated = true;
    m_bMask = (nFlags & ILC_MASK) != 0;
    m_size = CSize(cx, cy);
    m_images.reserve(size_t(std::max(0, nInitial)));
    return TRUE;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_bCreated)
        return FALSE;
    m_images.clear();
    m_bCreated = false;
    return TRUE;
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    const QImage* src = pbmImage ? pbmImage->GetImage() : nullptr;
    if (!m_bCreated || !src || src->isNull())
        return -1;
    QImage image(m_size.cx, m_size.cy, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.drawImage(0, 0, *src);
    }
    if (m_bMask) {
        const QRgb key = qRgb(GetRValue(crMask), GetGValue(crMask), GetBValue(crMask));
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                    line[x] = 0;
        }
    }
    m_images.push_back(std::make_unique<QImage>(std::move(image)));
    return int(m_images.size()) - 1;
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT)
{
    const QImage* image = GetImage(nImage);
    QPainter* painter = pDC ? pDC->GetPainter() : nullptr;
    if (!image || !painter)
        return FALSE;
    painter->drawImage(pt.x, pt.y, *image);
    return TRUE;
}

const QImage* CImageList::GetImage(int nImage) const
{
    return nImage >= 0 && nImage < GetImageCount() ? m_images[size_t(nImage)].get() : nullptr;
}
