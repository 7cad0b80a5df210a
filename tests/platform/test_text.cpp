// Fonts and text.
#include "TestWindows.h"

#include "GdiGlobals.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

struct TextSurface {
    CDC dc;
    CBitmap bmp;
    int w, h;
    TextSurface(int width, int height) : w(width), h(height)
    {
        dc.CreateCompatibleDC(nullptr);
        bmp.CreateCompatibleBitmap(&dc, w, h);
        dc.SelectObject(&bmp);
        dc.FillSolidRect(0, 0, w, h, kWhite);
        dc.SetBkMode(TRANSPARENT);
    }
    const QImage& Image() const { return *bmp.GetImage(); }
    // Bounding box of the pixels that are not white; empty when none.
    CRect Ink() const
    {
        CRect box(w, h, 0, 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (dc.GetPixel(x, y) != kWhite) {
                    box.left = std::min(box.left, x);
                    box.top = std::min(box.top, y);
                    box.right = std::max(box.right, x + 1);
                    box.bottom = std::max(box.bottom, y + 1);
                }
        return box.IsRectEmpty() ? CRect() : box;
    }
    int InkCount() const
    {
        int n = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                n += dc.GetPixel(x, y) != kWhite ? 1 : 0;
        return n;
    }
};

CFont& SimSun16()
{
    static bool made = false;
    if (!made) {
        CreateSharedGdiObjects();
        made = true;
    }
    return g_fontListSimSun16;
}

}  // namespace

TEST(Text, DifferentChineseCharactersRenderDifferently)
{
    // Without a Chinese font every character becomes the same empty box.
    const char* chars[] = {"中", "文", "高", "低"};
    std::vector<QImage> pictures;
    for (const char* c : chars) {
        TextSurface s(24, 24);
        s.dc.SelectObject(&SimSun16());
        s.dc.TextOut(2, 2, c);
        EXPECT_GT(s.InkCount(), 20) << c;
        pictures.push_back(s.Image().copy());
    }
    for (size_t i = 0; i < pictures.size(); ++i)
        for (size_t j = i + 1; j < pictures.size(); ++j)
            EXPECT_NE(pictures[i], pictures[j]) << chars[i] << " and " << chars[j] << " look the same";
}

TEST(Text, LatinFontsShowChineseToo)
{
    CFont arial;
    arial.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS, "Arial");
    TextSurface a(24, 24), b(24, 24);
    a.dc.SelectObject(&arial);
    b.dc.SelectObject(&arial);
    a.dc.TextOut(2, 2, "中");
    b.dc.TextOut(2, 2, "文");
    EXPECT_GT(a.InkCount(), 20);
    EXPECT_NE(a.Image(), b.Image());
}

struct HeightCase {
    int lfHeight;
    int minCell;
    int maxCell;
};

void PrintTo(const HeightCase& c, std::ostream* os) { *os << "lfHeight " << c.lfHeight; }

class FontHeights : public ::testing::TestWithParam<HeightCase> {};

TEST_P(FontHeights, CellHeightFollowsTheRequest)
{
    const HeightCase& c = GetParam();
    CFont f;
    ASSERT_TRUE(f.CreateFont(c.lfHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, FF_SWISS, "Arial"));
    TextSurface s(4, 4);
    s.dc.SelectObject(&f);
    TEXTMETRIC tm{};
    ASSERT_TRUE(s.dc.GetTextMetrics(&tm));
    EXPECT_GE(tm.tmHeight, c.minCell);
    EXPECT_LE(tm.tmHeight, c.maxCell);
    EXPECT_EQ(s.dc.GetTextExtent("Ag").cy, tm.tmHeight);
}

// Positive: the cell never exceeds the request and misses it by little. Negative: the em is
// the request, so the cell is taller.
INSTANTIATE_TEST_SUITE_P(Heights, FontHeights,
                         ::testing::Values(HeightCase{12, 10, 12}, HeightCase{14, 12, 14}, HeightCase{16, 14, 16},
                                           HeightCase{108, 104, 108}, HeightCase{-16, 17, 22}),
                         [](const ::testing::TestParamInfo<HeightCase>& i) {
                             return (i.param.lfHeight < 0 ? "Em" : "Cell") + std::to_string(std::abs(i.param.lfHeight));
                         });

TEST(Text, WeightAbove900IsDrawnHeaviest)
{
    CreateSharedGdiObjects();
    LOGFONT lf{};
    ASSERT_TRUE(g_fontArialHeavy16.GetLogFont(&lf));
    EXPECT_EQ(lf.lfWeight, 1200);
    TextSurface normal(120, 24), heavy(120, 24);
    normal.dc.SelectObject(&g_fontArial16);
    heavy.dc.SelectObject(&g_fontArialHeavy16);
    normal.dc.TextOut(2, 2, "Weight 1200");
    heavy.dc.TextOut(2, 2, "Weight 1200");
    EXPECT_GT(heavy.InkCount(), normal.InkCount() * 11 / 10);
}

TEST(Text, DrawTextPlacesAndMeasures)
{
    CFont f;
    f.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, FF_SWISS, "Arial");

    TextSurface centered(100, 40);
    centered.dc.SelectObject(&f);
    CRect r(0, 0, 100, 40);
    centered.dc.DrawText("Hi", &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const CRect ink = centered.Ink();
    ASSERT_FALSE(ink.IsRectEmpty());
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 50, 3);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 20, 4);

    TextSurface right(100, 20);
    right.dc.SelectObject(&f);
    CRect rr(0, 0, 100, 20);
    right.dc.DrawText("Hi", &rr, DT_RIGHT | DT_SINGLELINE);
    EXPECT_GE(right.Ink().right, 96);

    TextSurface m(10, 10);
    m.dc.SelectObject(&f);
    const CSize extent = m.dc.GetTextExtent("Hello world");
    CRect calc(5, 5, 6, 6);
    const int hOne = m.dc.DrawText("Hello world", &calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(calc, CRect(5, 5, 5 + extent.cx, 5 + extent.cy));
    EXPECT_EQ(hOne, extent.cy);
    EXPECT_EQ(m.Ink(), CRect());  // measuring draws nothing

    CRect wrapped(0, 0, extent.cx * 2 / 3, 0);
    const int hWrap = m.dc.DrawText("Hello world", &wrapped, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(hWrap, 2 * extent.cy);
    EXPECT_LE(wrapped.Width(), extent.cx * 2 / 3);
}

TEST(Text, OpaqueModeFillsTheTextBackground)
{
    for (int mode : {OPAQUE, TRANSPARENT}) {
        TextSurface s(60, 30);
        s.dc.SetBkMode(mode);
        s.dc.SetBkColor(RGB(0, 255, 0));
        s.dc.SetTextColor(RGB(255, 0, 0));
        s.dc.TextOut(5, 5, "  ");  // blanks: only the background can show
        EXPECT_EQ(s.dc.GetPixel(6, 8), mode == OPAQUE ? RGB(0, 255, 0) : kWhite) << mode;
    }
}

TEST(Text, DrawTextUsesTheTextColour)
{
    TextSurface s(60, 30);
    s.dc.SelectObject(&SimSun16());
    s.dc.SetTextColor(RGB(255, 0, 0));
    CRect r(0, 0, 60, 30);
    s.dc.DrawText("中文", &r, DT_LEFT | DT_TOP | DT_NOPREFIX);
    bool red = false;
    for (int y = 0; y < 30 && !red; ++y)
        for (int x = 0; x < 60 && !red; ++x)
            red = s.dc.GetPixel(x, y) == RGB(255, 0, 0);
    EXPECT_TRUE(red);
}
