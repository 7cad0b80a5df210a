// Resources by id, images and bitmaps.
#include "TestWindows.h"

#include "CImage.h"
#include "Resources.h"

#include <QBuffer>
#include <QByteArray>

#include <gtest/gtest.h>

namespace {

constexpr UINT kPng = 60001;           // 4 x 2: left half opaque red, right half blue at alpha 128
constexpr UINT kBitmap = 60002;        // 3 x 3 green with a white centre
constexpr UINT kNotAnImage = 60003;    // bytes that are no image
constexpr UINT kMissing = 59999;
constexpr COLORREF kWhite = RGB(255, 255, 255);

struct Surface {
    CDC dc;
    CBitmap bmp;
    Surface(int w, int h)
    {
        dc.CreateCompatibleDC(nullptr);
        bmp.CreateCompatibleBitmap(&dc, w, h);
        dc.SelectObject(&bmp);
        dc.FillSolidRect(0, 0, w, h, kWhite);
    }
};

}  // namespace

TEST(Resources, MissingIdLoadsNothingAndLeavesTheOutputAlone)
{
    CImage sentinel;
    CImage* out = &sentinel;
    EXPECT_FALSE(LoadImageFromResource(kMissing, "png", out));
    EXPECT_EQ(out, &sentinel);
    EXPECT_FALSE(LoadImageFromResource(kPng, "NOSUCHTYPE", out));
    EXPECT_EQ(out, &sentinel);

    CBitmap bmp;
    EXPECT_FALSE(bmp.LoadBitmap(kMissing));
    EXPECT_EQ(bmp.GetSafeHandle(), nullptr);

    Surface s(8, 8);
    EXPECT_FALSE(s.dc.SelectObject(&bmp));  // nothing to select
    CImage empty;
    EXPECT_FALSE(empty.LoadFromResource(kMissing, RT_PNG));
    EXPECT_FALSE(s.dc.DrawImage(&empty, 0, 0));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(s.dc.GetPixel(x, y), kWhite);
}

TEST(Resources, PngKeepsItsAlphaAndBlendsWhenDrawn)
{
    CImage* img = nullptr;
    ASSERT_TRUE(LoadImageFromResource(kPng, "png", img));  // type names ignore case
    std::unique_ptr<CImage> owned(img);
    EXPECT_EQ(img->GetLastStatus(), CImage::Ok);
    EXPECT_EQ(img->GetWidth(), 4);
    EXPECT_EQ(img->GetHeight(), 2);
    EXPECT_EQ(img->GetPixelARGB(0, 0), 0xFFFF0000u);
    EXPECT_EQ(img->GetPixelARGB(3, 1) >> 24, 128u);

    Surface s(10, 10);
    EXPECT_TRUE(s.dc.DrawImage(img, 2, 3));
    EXPECT_EQ(s.dc.GetPixel(2, 3), RGB(255, 0, 0));
    const COLORREF blended = s.dc.GetPixel(5, 4);
    EXPECT_NEAR(GetRValue(blended), 127, 2);
    EXPECT_NEAR(GetGValue(blended), 127, 2);
    EXPECT_EQ(GetBValue(blended), 255);
    EXPECT_EQ(s.dc.GetPixel(6, 3), kWhite);
    // Scaled to twice the size.
    EXPECT_TRUE(s.dc.DrawImage(img, 0, 6, 8, 4));
    EXPECT_EQ(s.dc.GetPixel(0, 9), RGB(255, 0, 0));
}

TEST(Resources, UndecodableBytesGiveAnImageThatSaysSoAndDrawsNothing)
{
    CImage* img = nullptr;
    ASSERT_TRUE(LoadImageFromResource(kNotAnImage, "PNG", img));
    std::unique_ptr<CImage> owned(img);
    EXPECT_NE(img->GetLastStatus(), CImage::Ok);
    EXPECT_TRUE(img->IsNull());
    Surface s(4, 4);
    EXPECT_FALSE(s.dc.DrawImage(img, 0, 0));
    EXPECT_EQ(s.dc.GetPixel(0, 0), kWhite);
}

TEST(Resources, ImageOwnsItsPixels)
{
    QByteArray png;
    {
        QImage src(2, 2, QImage::Format_ARGB32);
        src.fill(QColor(10, 20, 30));
        QBuffer buf(&png);
        buf.open(QIODevice::WriteOnly);
        ASSERT_TRUE(src.save(&buf, "PNG"));
    }
    CImage img;
    ASSERT_TRUE(img.LoadFromMemory(png.constData(), size_t(png.size())));
    png.fill('\0');  // the caller's bytes go; the picture must not
    png.clear();
    EXPECT_EQ(img.GetPixelARGB(1, 1), 0xFF0A141Eu);
}

TEST(Resources, BitmapResourceLoadsAndCopies)
{
    CBitmap bmp;
    ASSERT_TRUE(bmp.LoadBitmap(kBitmap));
    BITMAP info{};
    ASSERT_TRUE(bmp.GetBitmap(&info));
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(info.bmHeight, 3);

    CDC src;
    src.CreateCompatibleDC(nullptr);
    CBitmap* old = src.SelectObject(&bmp);
    Surface dst(5, 5);
    dst.dc.BitBlt(1, 1, 3, 3, &src, 0, 0, SRCCOPY);
    EXPECT_EQ(dst.dc.GetPixel(1, 1), RGB(0, 200, 0));
    EXPECT_EQ(dst.dc.GetPixel(2, 2), kWhite);
    EXPECT_EQ(dst.dc.GetPixel(0, 0), kWhite);
    src.SelectObject(old);

    EXPECT_FALSE(FindResourcePath(kBitmap, RT_BITMAP).empty());
    EXPECT_TRUE(FindResourcePath(kBitmap, RT_PNG).empty());
}
