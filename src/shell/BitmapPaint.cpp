#include "BitmapPaint.h"

#include "CDC.h"
#include "GdiObjects.h"

void PaintBitmapAtOrigin(CDC& dc, CBitmap& bitmap)
{
    if (!bitmap.GetSafeHandle())
        return;
    CDC mem;
    mem.CreateCompatibleDC(&dc);
    CBitmap* old = mem.SelectObject(&bitmap);
    const CSize size = bitmap.GetSize();
    dc.BitBlt(0, 0, size.cx, size.cy, &mem, 0, 0, SRCCOPY);
    mem.SelectObject(old);
}
