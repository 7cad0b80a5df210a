// Copies a bitmap onto a device context at (0, 0) in the bitmap's own size: the whole painting
// of the windows that show one picture. Nothing is drawn without a bitmap. User-interface thread.
#pragma once

class CDC;
class CBitmap;

void PaintBitmapAtOrigin(CDC& dc, CBitmap& bitmap);
