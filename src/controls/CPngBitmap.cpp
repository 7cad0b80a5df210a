#include "CPngBitmap.h"

#include "Cursor.h"
#include "Resources.h"

#include <vector>

CPngBitmap::~CPngBitmap() { Empty(); }

void CPngBitmap::Empty()
{
    delete m_pBitmap;
    m_pBitmap = nullptr;
}

BOOL CPngResourceBitmap::Load(UINT nID, LPCTSTR lpType, HINSTANCE hModule)
{
    Empty();
    if (hModule && hModule != AfxGetResourceHandle())
        return FALSE;
    std::vector<BYTE> bytes;
    if (!LoadResourceData(nID, lpType, bytes) || bytes.empty())
        return FALSE;
    auto* img = new CImage;
    if (!img->LoadFromMemory(bytes.data(), bytes.size()) || img->GetLastStatus() != CImage::Ok) {
        delete img;
        return FALSE;
    }
    m_pBitmap = img;
    return TRUE;
}
