// The tab strip: colour arithmetic, the main view's look (gradients, captions, frames, tab 3),
// draw modes, the hand cursor over tabs that may be chosen, and the selection notices.
#include "ControlTestKit.h"

#include "CDC.h"
#include "CEnTabCtrl.h"
#include "Cursor.h"
#include "SkinHabits.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kId = 1300;
constexpr COLORREF kBack = 0xEEE4E3;

// The colour of the gradient band that holds row y of a tab h rows tall.
COLORREF Band(COLORREF from, COLORREF to, int h, int y)
{
    y &= ~1;
    auto ch = [&](int a, int b) { return a + y * (b - a) / h; };
    return RGB(ch(GetRValue(from), GetRValue(to)), ch(GetGValue(from), GetGValue(to)),
               ch(GetBValue(from), GetBValue(to)));
}

// Records the tab notices; refuses a change while told to.
class CTabsPage : public CStage {
public:
    std::vector<UINT> m_codes;
    bool m_bRefuse = false;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override
    {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        m_codes.push_back(hdr->code);
        *pResult = hdr->code == TCN_SELCHANGING && m_bRefuse ? 1 : 0;
        return TRUE;
    }
};

class TabStripTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureSharedGdiObjects();
        ASSERT_TRUE(stage.Make(50, 50, 700, 120));
        // The main view's configuration: after the window, colour, mode, then the flags.
        ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 700, 100), &stage, kId));
        tabs.SetFont(&g_fontArial14);
        const char* const names[] = {"Input", "Output", "Mixer", "Blank", "System", "Presets"};
        for (int i = 0; i < 6; ++i)
            tabs.InsertItem(i, names[i]);
        tabs.SetTabBkColor(kBack);
        EXPECT_TRUE(tabs.SetDrawType(TAB_DRAW_SELF));
        CEnTabCtrl::SetLookFlags(TRUE, 0x1F);
        tabs.SetCurSel(1);
        Pump();
        stage.Forget();
    }
    void TearDown() override { CEnTabCtrl::SetLookFlags(FALSE, 0); }
    CRect Tab(int i)
    {
        CRect rc;
        tabs.GetItemRect(i, &rc);
        return rc;
    }
    CTabsPage stage;
    CEnTabCtrl tabs;
};

}  // namespace

TEST(TabColours, DarkerAndLighterScaleEachChannelAndTruncate)
{
    const struct {
        COLORREF in;
        float factor;
        bool lighter;
        COLORREF out;
    } cases[] = {
        {0x00007F, 0.9f, false, 0x000072}, {0xDEA87F, 0.9f, false, RGB(114, 151, 199)},
        {0xEEE4E3, 0.7f, false, RGB(158, 159, 166)}, {0x0000FF, 0.9f, false, 0x0000E5},
        {0xFFFFFF, 1.7f, false, 0xFFFFFF},  // factors above 1 are held at 1
        {0x808080, -1.0f, false, 0x000000}, {0xC0C0C0, 1.5f, true, 0xFFFFFF}, {0x000000, 1.9f, true, 0x000000},
        {0x404040, 0.5f, true, 0x404040},  // factors below 1 are held at 1
        {0x102030, 2.0f, true, 0x204060},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.lighter ? Lighter(c.in, c.factor) : Darker(c.in, c.factor), c.out) << std::hex << c.in;
}

TEST(TabColours, LongCaptionsEndInAnEllipsis)
{
    EnsureSharedGdiObjects();
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&g_fontArial14);
    CString text = "Short";
    EXPECT_EQ(FitTextToWidth(text, &dc, 200).cx, dc.GetTextExtent("Short").cx);
    EXPECT_EQ(text, "Short");
    text = "A much longer caption than fits";
    const CSize size = FitTextToWidth(text, &dc, 60);
    EXPECT_LE(size.cx, 60);
    EXPECT_EQ(text.substr(text.size() - 3), "...");
    CString chinese = "输出通道均衡器设置";
    FitTextToWidth(chinese, &dc, 50);
    EXPECT_EQ(chinese.substr(chinese.size() - 3), "...");
    EXPECT_EQ((chinese.size() - 3) % 3, 0u);  // whole characters only
}

TEST_F(TabStripTest, MainViewLookColoursTheTabsAsItsScheme)
{
    EXPECT_EQ(tabs.TabColor(TRUE), 0x000000u);
    EXPECT_EQ(tabs.TabTextColor(TRUE), 0x0000E5u);
    EXPECT_EQ(tabs.TabTextColor(FALSE), 0xE5E5E5u);
    const QImage shot = GrabOf(tabs);
    // The selected tab (2 pixels taller at the top) starts black and runs to the button face
    // (read beside the caption).
    const CRect sel = Tab(1);
    const int selH = sel.Height() + 4 - 1;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(PixelOf(shot, sel.left + 5, sel.top - 2 + 2), Band(0x000000, face, selH, 2));
    EXPECT_EQ(PixelOf(shot, sel.left + 5, sel.top - 2 + 10), Band(0x000000, face, selH, 10));
    // Other tabs run from Darker(0xDEA87F, 0.9) to Darker(0xEEE4E3, 0.7).
    const CRect other = Tab(2);
    const int h = other.Height();
    const COLORREF from = RGB(114, 151, 199), to = RGB(158, 159, 166);
    EXPECT_EQ(PixelOf(shot, other.left + 8, other.top + 2), Band(from, to, h, 2));
    const int last = (h - 1) & ~1;
    EXPECT_EQ(PixelOf(shot, other.left + 8, other.top + last), Band(from, to, h, last));
    // Tab 3 starts at the background colour and has no frame at its left edge.
    const CRect inert = Tab(3);
    EXPECT_EQ(PixelOf(shot, inert.left + 8, inert.top), kBack);
    EXPECT_EQ(PixelOf(shot, inert.left, inert.top + 4), Band(kBack, to, h, 4));
    // Around the tabs: the background colour.
    EXPECT_EQ(PixelOf(shot, 690, 1), kBack);
    EXPECT_EQ(PixelOf(shot, 690, Tab(0).bottom - 4), kBack);
}

TEST_F(TabStripTest, FramesFollowTheTabIndex)
{
    const QImage shot = GrabOf(tabs);
    // The selected tab 1: frame of its own base, black (lighter and darker black stay black).
    const CRect sel = Tab(1);
    EXPECT_EQ(PixelOf(shot, sel.left + 1, sel.top + 6), 0x000000u);
    EXPECT_EQ(PixelOf(shot, sel.right - 2, sel.top + 6), 0x000000u);
    // Unselected tab 0 (with the back-tab look): dark edges of Darker(0xDEA87F, 0.9).
    const COLORREF dark0 = Darker(Darker(0xDEA87F, 0.9f), 0.75f);
    EXPECT_EQ(PixelOf(shot, Tab(0).left + 1, Tab(0).top + 5), dark0);
    // Unselected tab 2: light left edge, dark right edge.
    const COLORREF base = Darker(0xDEA87F, 0.9f);
    EXPECT_EQ(PixelOf(shot, Tab(2).left + 1, Tab(2).top + 5), Lighter(base, 1.5f));
    EXPECT_EQ(PixelOf(shot, Tab(2).right - 2, Tab(2).top + 5), Darker(base, 0.75f));
}

TEST_F(TabStripTest, HandOnlyOverTabsThatMayBeChosen)
{
    MoveTo(tabs, Tab(2).CenterPoint());
    EXPECT_TRUE(tabs.IsHot());
    tabs.SendMessage(WM_SETCURSOR, WPARAM(tabs.GetSafeHwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_FALSE(tabs.IsHot());  // the cursor request used it
    MoveTo(tabs, Tab(1).CenterPoint());  // the selected tab
    EXPECT_FALSE(tabs.IsHot());
    MoveTo(tabs, Tab(3).CenterPoint());  // tab 3
    EXPECT_FALSE(tabs.IsHot());
    MoveTo(tabs, Tab(4).CenterPoint());
    EXPECT_TRUE(tabs.IsHot());
    MoveTo(tabs, CPoint(650, 60));  // no tab
    EXPECT_FALSE(tabs.IsHot());
}

TEST_F(TabStripTest, ClickSelectsATabAndTellsTheParent)
{
    Click(tabs, Tab(4).CenterPoint());
    EXPECT_EQ(tabs.GetCurSel(), 4);
    EXPECT_EQ(stage.m_codes, (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE}));
    stage.m_codes.clear();
    stage.m_bRefuse = true;
    Click(tabs, Tab(0).CenterPoint());
    EXPECT_EQ(tabs.GetCurSel(), 4);
    EXPECT_EQ(stage.m_codes, (std::vector<UINT>{TCN_SELCHANGING}));
    stage.m_codes.clear();
    Click(tabs, Tab(4).CenterPoint());  // the selected tab: nothing
    EXPECT_TRUE(stage.m_codes.empty());
}

TEST_F(TabStripTest, DrawModeOutsideTheRangeIsRefused)
{
    EXPECT_FALSE(tabs.SetDrawType(3));
    EXPECT_EQ(tabs.GetDrawType(), TAB_DRAW_SELF);
    EXPECT_TRUE(tabs.SetDrawType(TAB_DRAW_SYSTEM));
    EXPECT_FALSE(tabs.GetStyle() & TCS_OWNERDRAWFIXED);
    EXPECT_TRUE(tabs.SetDrawType(TAB_DRAW_OWNERDRAW));
    EXPECT_TRUE(tabs.GetStyle() & TCS_OWNERDRAWFIXED);
}

TEST_F(TabStripTest, WithoutTabsOnlyTheBodyFrameIsDrawn)
{
    tabs.DeleteAllItems();
    const QImage shot = GrabOf(tabs);
    CRect body(0, 0, 700, 100);
    tabs.AdjustRect(FALSE, &body);
    const COLORREF base = Darker(0xDEA87F, 0.9f);  // the last drawing index was a coloured tab
    EXPECT_EQ(PixelOf(shot, 300, body.top - 2), Lighter(base, 1.5f));
    EXPECT_EQ(PixelOf(shot, 699, 60), Darker(base, 0.75f));
}
