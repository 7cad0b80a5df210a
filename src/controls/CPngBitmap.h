// PNG images with alpha from the program's resources of type "PNG", held for a button that
// draws them. A holder without a picture (missing id, empty or undecodable data) draws nothing.
// The decoded picture owns its pixels, so nothing of the resource is kept beside it.
// User-interface thread.
#pragma once

#include "CImage.h"
#include "WinDefs.h"

class CPngBitmap {
public:
    CPngBitmap() = default;
    virtual ~CPngBitmap();
    CPngBitmap(const CPngBitmap&) = delete;
    CPngBitmap& operator=(const CPngBitmap&) = delete;

    // Drops the picture.
    void Empty();
    // The picture, or null.
    CImage* GetBitmap() const { return m_pBitmap; }
    operator CImage*() const { return m_pBitmap; }

protected:
    CImage* m_pBitmap = nullptr;  // owned
};

class CPngResourceBitmap : public CPngBitmap {
public:
    // The resource nID of type lpType (the program's own resources; hModule is accepted and must
    // be null or the program's module). TRUE when a picture was decoded; otherwise the holder
    // is empty.
    BOOL Load(UINT nID, LPCTSTR lpType = "PNG", HINSTANCE hModule = nullptr);
};
