// Painting: windows over their parents, memory contexts, shapes, clipping and saved states.
#include "TestWindows.h"

#include "GdiData.h"

#include <QTest>

#include <gtest/gtest.h>

#include <ostream>

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Paints only the left half of its client area.
class CHalfWnd : public CRecordingWnd {
protected:
    void OnPaint() override
    {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(0, 0, rc.Width() / 2, rc.Height(), kRed);
    }
};

// Copies what lies under it into an off-screen bitmap, draws a mark and copies it back: the
// way the skinned controls draw over their parent's picture.
class COverlayWnd : public CRecordingWnd {
protected:
    void OnPaint() override
    {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        CDC mem;
        mem.CreateCompatibleDC(&dc);
        CBitmap bmp;
        bmp.CreateCompatibleBitmap(&dc, rc.Width(), rc.Height());
        CBitmap* old = mem.SelectObject(&bmp);
        mem.BitBlt(0, 0, rc.Width(), rc.Height(), &dc, 0, 0, SRCCOPY);
        mem.FillSolidRect(2, 2, 3, 3, kGreen);
        dc.BitBlt(0, 0, rc.Width(), rc.Height(), &mem, 0, 0, SRCCOPY);
        mem.SelectObject(old);
    }
};

CRect Box(int x, int y, int w, int h) { return CRect(x, y, x + w, y + h); }

// A memory context over a fresh white bitmap.
struct MemSurface {
    CDC dc;
    CBitmap bmp;
    explicit MemSurface(int w = 16, int h = 16)
    {
        dc.CreateCompatibleDC(nullptr);
        bmp.CreateCompatibleBitmap(&dc, w, h);
        dc.SelectObject(&bmp);
        dc.FillSolidRect(0, 0, w, h, kWhite);
    }
};

}  // namespace

TEST(Paint, ChildPaintsOverItsParentAndLeavesTheRestShowingThrough)
{
    CSolidWnd parent(kBlue);
    CHalfWnd child;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "p", WS_POPUP | WS_VISIBLE, Box(0, 0, 60, 40), nullptr, 0));
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, Box(10, 10, 20, 20), &parent, 1));
    const QImage img = Grab(parent);
    EXPECT_EQ(PixelOf(img, 5, 5), kBlue);    // parent only
    EXPECT_EQ(PixelOf(img, 12, 15), kRed);   // child's painted half
    EXPECT_EQ(PixelOf(img, 25, 15), kBlue);  // child's unpainted half: the parent shows
    EXPECT_EQ(PixelOf(img, 35, 15), kBlue);
    EXPECT_GE(child.Count(WM_PAINT), 1);
}

TEST(Paint, ChildCopiesTheParentsPixelsFromItsPaintContext)
{
    CSolidWnd parent(kBlue);
    COverlayWnd child;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "p", WS_POPUP | WS_VISIBLE, Box(0, 0, 60, 40), nullptr, 0));
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, Box(20, 10, 10, 10), &parent, 1));
    const QImage img = Grab(parent);
    EXPECT_EQ(PixelOf(img, 21, 11), kBlue);   // copied from under the child, not black
    EXPECT_EQ(PixelOf(img, 23, 13), kGreen);  // the mark at (2..4, 2..4) of the child
    EXPECT_EQ(PixelOf(img, 25, 15), kBlue);
}

TEST(Paint, EraseUsesTheBackgroundColourUnlessInvalidateSaysNot)
{
    class CCounting : public CRecordingWnd {
    protected:
        void OnPaint() override { CPaintDC dc(this); }
    };
    CCounting wnd;
    wnd.SetBackgroundColor(kGreen);
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "e", WS_POPUP | WS_VISIBLE, Box(0, 0, 20, 20), nullptr, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(wnd.GetWidget()));
    EXPECT_EQ(PixelOf(Grab(wnd), 10, 10), kGreen);
    ASSERT_TRUE(WaitUntil([&] { return wnd.Count(WM_PAINT) > 0; }));
    const int erases = wnd.Count(WM_ERASEBKGND);
    const int paints = wnd.Count(WM_PAINT);
    wnd.Invalidate(FALSE);
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.Count(WM_PAINT), paints + 1);  // painted at once
    EXPECT_EQ(wnd.Count(WM_ERASEBKGND), erases);
    wnd.Invalidate(TRUE);
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.Count(WM_ERASEBKGND), erases + 1);
}

TEST(Paint, ChildUpdatesInsideABatchArePaintedOnceWhenTheLastBatchEnds)
{
    CSolidWnd parent(kBlue);
    CHalfWnd child;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "p", WS_POPUP | WS_VISIBLE, Box(0, 0, 60, 40), nullptr, 0));
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, Box(10, 10, 20, 20), &parent, 1));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(parent.GetWidget()));
    ASSERT_TRUE(WaitUntil([&] { return child.Count(WM_PAINT) > 0; }));
    const int paints = child.Count(WM_PAINT);
    {
        const CPaintBatch outer;
        {
            const CPaintBatch inner;
            for (int i = 0; i < 3; ++i) {
                child.Invalidate(FALSE);
                child.UpdateWindow();
            }
        }
        EXPECT_EQ(child.Count(WM_PAINT), paints);  // still pending: the outer batch lives
    }
    EXPECT_EQ(child.Count(WM_PAINT), paints + 1);
    // Outside a batch the update is painted at once again.
    child.Invalidate(FALSE);
    child.UpdateWindow();
    EXPECT_EQ(child.Count(WM_PAINT), paints + 2);
}

TEST(MemoryDC, BitBltCopiesBetweenMemoryContexts)
{
    MemSurface src(8, 8), dst(16, 16);
    src.dc.FillSolidRect(0, 0, 8, 8, kRed);
    src.dc.SetPixel(1, 1, kGreen);
    EXPECT_TRUE(dst.dc.BitBlt(4, 5, 8, 8, &src.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(dst.dc.GetPixel(3, 5), kWhite);
    EXPECT_EQ(dst.dc.GetPixel(4, 5), kRed);
    EXPECT_EQ(dst.dc.GetPixel(5, 6), kGreen);
    EXPECT_EQ(dst.dc.GetPixel(11, 12), kRed);
    EXPECT_EQ(dst.dc.GetPixel(12, 13), kWhite);
    EXPECT_EQ(dst.dc.GetPixel(16, 0), CLR_INVALID);

    // A shifted source and a copy onto itself (overlapping).
    EXPECT_TRUE(dst.dc.BitBlt(0, 0, 2, 2, &dst.dc, 5, 6, SRCCOPY));
    EXPECT_EQ(dst.dc.GetPixel(0, 0), kGreen);

    // Raster operations other than a plain copy.
    MemSurface a(2, 1), b(2, 1);
    a.dc.SetPixel(0, 0, RGB(0xF0, 0x0F, 0xFF));
    a.dc.SetPixel(1, 0, RGB(0x0F, 0xF0, 0x00));
    b.dc.FillSolidRect(0, 0, 2, 1, RGB(0x3C, 0x3C, 0x3C));
    b.dc.BitBlt(0, 0, 2, 1, &a.dc, 0, 0, SRCAND);
    EXPECT_EQ(b.dc.GetPixel(0, 0), RGB(0x30, 0x0C, 0x3C));
    b.dc.BitBlt(0, 0, 2, 1, &a.dc, 0, 0, SRCINVERT);
    EXPECT_EQ(b.dc.GetPixel(0, 0), RGB(0xC0, 0x03, 0xC3));
}

TEST(MemoryDC, StretchBltScalesAndMirrors)
{
    MemSurface src(2, 1), dst(8, 4);
    src.dc.SetPixel(0, 0, kRed);
    src.dc.SetPixel(1, 0, kBlue);
    dst.dc.StretchBlt(0, 0, 4, 2, &src.dc, 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(dst.dc.GetPixel(1, 1), kRed);
    EXPECT_EQ(dst.dc.GetPixel(2, 0), kBlue);
    dst.dc.StretchBlt(4, 2, 4, 2, &src.dc, 1, 0, -2, 1, SRCCOPY);  // mirrored
    EXPECT_EQ(dst.dc.GetPixel(4, 2), kBlue);
    EXPECT_EQ(dst.dc.GetPixel(7, 3), kRed);
}

TEST(MemoryDC, ABitmapGoesIntoOneContextAtATimeAndSurvivesBeingDeletedWhileSelected)
{
    const int objects = GdiTable::Count();
    {
        CDC one, two;
        one.CreateCompatibleDC(nullptr);
        two.CreateCompatibleDC(nullptr);
        auto bmp = std::make_unique<CBitmap>();
        bmp->CreateCompatibleBitmap(&one, 4, 4);
        CBitmap* first = one.SelectObject(bmp.get());
        EXPECT_NE(first, nullptr);
        EXPECT_EQ(two.SelectObject(bmp.get()), nullptr);
        bmp.reset();  // deleted while selected
        one.FillSolidRect(0, 0, 4, 4, kGreen);
        EXPECT_EQ(one.GetPixel(3, 3), kGreen);
        one.SelectObject(first);  // back to no bitmap
        EXPECT_EQ(one.GetPixel(0, 0), CLR_INVALID);
    }
    EXPECT_EQ(GdiTable::Count(), objects);
}

struct ShapeCase {
    const char* name;
    void (*draw)(CDC&);
    CPoint at;
    COLORREF expected;
};

const ShapeCase kShapes[] = {
    {"RectangleOutlineTopLeft", [](CDC& dc) { dc.Rectangle(2, 2, 7, 7); }, CPoint(2, 2), kBlack},
    {"RectangleOutlineLastInside", [](CDC& dc) { dc.Rectangle(2, 2, 7, 7); }, CPoint(6, 6), kBlack},
    {"RectangleRightEdgeExcluded", [](CDC& dc) { dc.Rectangle(2, 2, 7, 7); }, CPoint(7, 4), kWhite},
    {"RectangleInteriorBrush",
     [](CDC& dc) {
         CBrush br(kGreen);
         dc.SelectObject(&br);
         dc.Rectangle(2, 2, 7, 7);
         dc.SelectStockObject(WHITE_BRUSH);
     },
     CPoint(4, 4), kGreen},
    {"LineLeavesOutItsLastPoint",
     [](CDC& dc) {
         dc.MoveTo(1, 1);
         dc.LineTo(5, 1);
     },
     CPoint(5, 1), kWhite},
    {"LineDrawsItsFirstPoint",
     [](CDC& dc) {
         dc.MoveTo(1, 1);
         dc.LineTo(5, 1);
     },
     CPoint(1, 1), kBlack},
    {"PenColourAndWidth",
     [](CDC& dc) {
         CPen pen(PS_SOLID, 1, kRed);
         CPen* old = dc.SelectObject(&pen);
         dc.MoveTo(0, 8);
         dc.LineTo(8, 8);
         dc.SelectObject(old);
     },
     CPoint(4, 8), kRed},
    {"NullPenNoOutline",
     [](CDC& dc) {
         dc.SelectStockObject(NULL_PEN);
         dc.SelectStockObject(BLACK_BRUSH);
         dc.Rectangle(2, 2, 7, 7);
     },
     CPoint(6, 6), kWhite},
    {"EllipseCornerEmpty", [](CDC& dc) { dc.Ellipse(0, 0, 11, 11); }, CPoint(0, 0), kWhite},
    {"EllipseLeftmostPoint", [](CDC& dc) { dc.Ellipse(0, 0, 11, 11); }, CPoint(0, 5), kBlack},
    {"FillSolidRectExclusive", [](CDC& dc) { dc.FillSolidRect(CRect(2, 2, 5, 5), kRed); }, CPoint(5, 5), kWhite},
    {"Draw3dRectBottomRight", [](CDC& dc) { dc.Draw3dRect(CRect(1, 1, 9, 9), kRed, kBlue); }, CPoint(8, 8), kBlue},
    {"Draw3dRectTopLeft", [](CDC& dc) { dc.Draw3dRect(CRect(1, 1, 9, 9), kRed, kBlue); }, CPoint(1, 7), kRed},
    {"WindowOriginShiftsDrawing",
     [](CDC& dc) {
         dc.SetWindowOrg(10, 10);
         dc.SetPixel(12, 13, kRed);
         dc.SetWindowOrg(0, 0);
     },
     CPoint(2, 3), kRed},
    {"ClipRectLimitsDrawing",
     [](CDC& dc) {
         dc.IntersectClipRect(4, 4, 8, 8);
         dc.FillSolidRect(0, 0, 16, 16, kRed);
     },
     CPoint(3, 3), kWhite},
    {"ExcludedRectStaysUntouched",
     [](CDC& dc) {
         dc.ExcludeClipRect(4, 4, 8, 8);
         dc.FillSolidRect(0, 0, 16, 16, kRed);
     },
     CPoint(5, 5), kWhite},
    {"RestoreDCUndoesTheClip",
     [](CDC& dc) {
         const int level = dc.SaveDC();
         dc.IntersectClipRect(0, 0, 1, 1);
         dc.RestoreDC(level);
         dc.FillSolidRect(0, 0, 16, 16, kRed);
     },
     CPoint(9, 9), kRed},
};

void PrintTo(const ShapeCase& c, std::ostream* os) { *os << c.name; }

class Shapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(Shapes, PixelAsOnWindows)
{
    MemSurface s;
    GetParam().draw(s.dc);
    EXPECT_EQ(s.dc.GetPixel(GetParam().at), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Gdi, Shapes, ::testing::ValuesIn(kShapes),
                         [](const ::testing::TestParamInfo<ShapeCase>& i) { return std::string(i.param.name); });

TEST(MemoryDC, SavedStatesRestoreObjectsColoursAndLevels)
{
    MemSurface s;
    CPen red(PS_SOLID, 1, kRed);
    s.dc.SetTextColor(kBlue);
    const int one = s.dc.SaveDC();
    s.dc.SelectObject(&red);
    s.dc.SetTextColor(kGreen);
    const int two = s.dc.SaveDC();
    s.dc.SetTextColor(kRed);
    EXPECT_EQ(two, one + 1);
    EXPECT_TRUE(s.dc.RestoreDC(-1));
    EXPECT_EQ(s.dc.GetTextColor(), kGreen);
    EXPECT_TRUE(s.dc.RestoreDC(one));
    EXPECT_EQ(s.dc.GetTextColor(), kBlue);
    EXPECT_FALSE(s.dc.RestoreDC(one));  // dropped with the restore
    s.dc.MoveTo(0, 0);
    s.dc.LineTo(4, 0);
    EXPECT_EQ(s.dc.GetPixel(1, 0), kBlack);  // the pen of the first level again
    CRect box;
    EXPECT_EQ(s.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(0, 0, 16, 16));
}
