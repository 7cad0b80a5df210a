// A decoded picture with alpha (PNG and any format Qt reads), drawn with CDC::DrawImage.
//
// The image owns its pixels: once loaded it keeps no reference to the bytes it came from.
// User-interface thread.
#pragma once

#include "WinTypes.h"

#include <cstddef>
#include <memory>

class QImage;

class CImage {
public:
    // Outcome of the last load.
    enum Status { Ok = 0, InvalidParameter = 2, UnknownImageFormat = 13 };

    CImage();
    ~CImage();
    CImage(const CImage&) = delete;
    CImage& operator=(const CImage&) = delete;

    // Decodes the bytes (embedded colour profiles are ignored). FALSE, with the status set and
    // no picture, when they are not an image.
    BOOL LoadFromMemory(const void* pData, size_t nSize);
    // The resource of that id and type (see Resources.h).
    BOOL LoadFromResource(UINT nID, const char* lpType);
    void Destroy();

    BOOL IsNull() const;
    int GetWidth() const;
    int GetHeight() const;
    Status GetLastStatus() const { return m_status; }
    // The pixel as 0xAARRGGBB (not premultiplied), 0 outside the picture.
    DWORD GetPixelARGB(int x, int y) const;
    // Turns the picture in place: 0..3 rotate by 0, 90, 180, 270 degrees clockwise; 4..7 the
    // same, then mirror left to right. Other values do nothing.
    void RotateFlip(int nType);
    // For Qt-specific code; a null QImage when empty.
    const QImage& GetQImage() const;

private:
    std::unique_ptr<QImage> m_pImage;
    Status m_status = Ok;
};

// Loads a resource image into a new CImage that the caller owns and deletes. FALSE, with pImage
// left as it was, when the program has no resource of that id and type. Bytes that are there but
// do not decode still give TRUE and an image whose status says so: it draws nothing.
BOOL LoadImageFromResource(UINT nID, const char* lpType, CImage*& pImage);
