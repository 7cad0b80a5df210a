#include "CImage.h"

#include "Resources.h"

#include <QByteArray>
#include <QColorSpace>
#include <QImage>
#include <QTransform>

CImage::CImage() : m_pImage(std::make_unique<QImage>()) {}

CImage::~CImage() = default;

BOOL CImage::LoadFromMemory(const void* pData, size_t nSize)
{
    Destroy();
    if (!pData || nSize == 0 || nSize > size_t(INT32_MAX)) {
        m_status = InvalidParameter;
        return FALSE;
    }
    // fromRawData would leave the image pointing at the caller's bytes; loadFromData decodes
    // into pixels of its own.
    QImage img;
    if (!img.loadFromData(static_cast<const uchar*>(pData), int(nSize))) {
        m_status = UnknownImageFormat;
        return FALSE;
    }
    img.setColorSpace(QColorSpace());
    *m_pImage = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_status = Ok;
    return TRUE;
}

BOOL CImage::LoadFromResource(UINT nID, const char* lpType)
{
    QByteArray bytes;
    if (!LoadResourceData(nID, lpType, bytes)) {
        Destroy();
        m_status = InvalidParameter;
        return FALSE;
    }
    return LoadFromMemory(bytes.constData(), size_t(bytes.size()));
}

void CImage::Destroy()
{
    *m_pImage = QImage();
    m_status = Ok;
}

BOOL CImage::IsNull() const { return m_pImage->isNull(); }
int CImage::GetWidth() const { return m_pImage->width(); }
int CImage::GetHeight() const { return m_pImage->height(); }

DWORD CImage::GetPixelARGB(int x, int y) const
{
    if (!m_pImage->valid(x, y))
        return 0;
    return DWORD(m_pImage->pixelColor(x, y).rgba());
}

void CImage::RotateFlip(int nType)
{
    if (nType < 0 || nType > 7 || m_pImage->isNull())
        return;
    const int quarterTurns = nType % 4;
    if (quarterTurns)
        *m_pImage = m_pImage->transformed(QTransform().rotate(90.0 * quarterTurns));
    if (nType >= 4)
        *m_pImage = m_pImage->mirrored(true, false);
}

const QImage& CImage::GetQImage() const { return *m_pImage; }

BOOL LoadImageFromResource(UINT nID, const char* lpType, CImage*& pImage)
{
    QByteArray bytes;
    if (!LoadResourceData(nID, lpType, bytes))
        return FALSE;
    auto* img = new CImage;
    img->LoadFromMemory(bytes.constData(), size_t(bytes.size()));
    pImage = img;
    return TRUE;
}
