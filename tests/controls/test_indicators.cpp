// Status indicators: the blinking link field, the lamp row and the on/off field.
#include "ControlTestKit.h"

#include "CMuteStatic.h"
#include "CSLamp.h"
#include "CShow_Link.h"
#include "Globals.h"
#include "ModelUi.h"
#include "Texts.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

bool HasColour(const QImage& img, COLORREF clr)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (PixelOf(img, x, y) == clr)
                return true;
    return false;
}

template <class Base>
class CPaintCounter : public Base {
public:
    int m_nPaints = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT)
            ++m_nPaints;
        return Base::WindowProc(message, wParam, lParam);
    }
};

}  // namespace

TEST(ShowLink, KindFromTheStyle)
{
    CStage stage;
    ASSERT_TRUE(stage.Make(0, 0, 100, 40));
    struct Case {
        DWORD style;
        int kind;
        DWORD type;
    };
    const Case cases[] = {{BS_PUSHBUTTON, 0, BS_OWNERDRAW},
                          {BS_AUTOCHECKBOX, 2, BS_AUTOCHECKBOX},
                          {BS_AUTORADIOBUTTON, 4, BS_AUTORADIOBUTTON},
                          {BS_CHECKBOX, 0, BS_OWNERDRAW}};
    for (const Case& c : cases) {
        CShow_Link link;
        ASSERT_TRUE(link.Create("", WS_CHILD | c.style, CRect(0, 0, 10, 10), &stage, 2776));
        EXPECT_EQ(link.GetKind(), c.kind) << c.style;
        EXPECT_EQ(link.GetStyle() & BS_TYPEMASK, c.type) << c.style;
    }
}

TEST(ShowLink, BlinksRedAndNearWhiteWhileUnlinkedAndStaysNearWhiteWhenLinked)
{
    CStage stage;
    ASSERT_TRUE(stage.Make(100, 100, 200, 40));
    CPaintCounter<CShow_Link> link;
    ASSERT_TRUE(link.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 180, 30), &stage, 2776));
    g_bChinese = 0;
    link.SetText(g_strNotConnectedEn.c_str());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(stage.GetWidget()));

    link.StartBlink();
    EXPECT_TRUE(link.IsBlinking());
    EXPECT_FALSE(link.GetPhase());
    EXPECT_EQ(link.CurrentTextColor(), RGB(250, 250, 250));
    // The blink timer's own tick turns the text red and paints at once.
    const int paints = link.m_nPaints;
    link.SendMessage(WM_TIMER, SHOWLINK_BLINK_TIMER);
    EXPECT_TRUE(link.GetPhase());
    EXPECT_GT(link.m_nPaints, paints);
    EXPECT_EQ(link.CurrentTextColor(), RGB(255, 0, 0));
    const QImage red = GrabOf(link);
    EXPECT_EQ(PixelOf(red, 1, 1), RGB(76, 76, 76));
    EXPECT_TRUE(HasColour(red, RGB(255, 0, 0)));
    // Another timer does not toggle.
    link.SendMessage(WM_TIMER, 999);
    EXPECT_TRUE(link.GetPhase());
    // The real timer keeps it going.
    ASSERT_TRUE(WaitUntil([&] { return !link.GetPhase(); }));

    link.StopBlink();
    EXPECT_FALSE(link.IsBlinking());
    EXPECT_FALSE(link.GetPhase());
    link.SetText(g_strConnectedEn.c_str());
    const QImage steady = GrabOf(link);
    EXPECT_FALSE(HasColour(steady, RGB(255, 0, 0)));
    EXPECT_TRUE(HasColour(steady, RGB(250, 250, 250)));
    // Stopping a steady field repaints it and changes nothing else.
    const int before = link.m_nPaints;
    link.StopBlink();
    EXPECT_GT(link.m_nPaints, before);
    EXPECT_FALSE(link.IsBlinking());
    const int ticks = link.m_nPaints;
    Pump();
    QElapsedTimer t;
    t.start();
    WaitUntil([&] { return t.elapsed() > 1100; });
    EXPECT_FALSE(link.GetPhase());  // the timer is gone
    EXPECT_GE(link.m_nPaints, ticks);
}

TEST(SLamp, StatusByteLightsTheSegments)
{
    struct Step {
        BYTE status;
        const char* lit;  // segments 0..11
    };
    // One lamp, one status after the other: counts of 10..15 keep the level segments.
    const Step steps[] = {
        {0x49, "111111111100"}, {0x0C, "111111111000"}, {0x05, "111110000000"}, {0x30, "000000000011"},
        {0x89, "111111111000"}, {0x5F, "111111111101"}, {0x70, "000000000111"},
    };
    BOOL lit[CSLamp::kSegments];
    for (BOOL& b : lit)
        b = TRUE;
    for (const Step& s : steps) {
        CSLamp::LevelToLit(s.status, lit);
        std::string got;
        for (BOOL b : lit)
            got += b ? '1' : '0';
        EXPECT_EQ(got, s.lit) << std::hex << int(s.status);
    }
}

TEST(SLamp, RepaintsOnlyWhenASegmentChangesAndAfterClear)
{
    CStage stage;
    ASSERT_TRUE(stage.Make(100, 100, 200, 40));
    CPaintCounter<CSLamp> lamp;
    ASSERT_TRUE(lamp.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 131, 12), &stage, 1));
    lamp.CalcLayout();
    EXPECT_EQ(lamp.GetSegmentWidth(), 10);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(stage.GetWidget()));
    Pump();

    int paints = lamp.m_nPaints;
    lamp.SetLevel(0x49);  // a new lamp is all lit: three segments change
    EXPECT_EQ(lamp.m_nPaints, paints + 1);
    paints = lamp.m_nPaints;
    lamp.SetLevel(0x49);
    EXPECT_EQ(lamp.m_nPaints, paints);
    lamp.SetLevel(0x0C);
    EXPECT_EQ(lamp.m_nPaints, paints + 1);
    EXPECT_FALSE(lamp.IsLit(9));
    EXPECT_TRUE(lamp.IsLit(8));

    lamp.Clear();
    EXPECT_TRUE(lamp.IsRepaintPending());
    paints = lamp.m_nPaints;
    lamp.SetLevel(0x00);  // nothing changes, but the clear asked for a paint
    EXPECT_EQ(lamp.m_nPaints, paints + 1);
    EXPECT_FALSE(lamp.IsRepaintPending());

    lamp.SetLevel(0x13);
    const QImage img = GrabOf(lamp);
    EXPECT_EQ(PixelOf(img, 5, 0), RGB(127, 127, 127));  // the strip above the segments
    EXPECT_EQ(PixelOf(img, 5, 5), RGB(0, 200, 51));     // segment 0
    EXPECT_EQ(PixelOf(img, 10, 5), RGB(127, 127, 127)); // the gap after it
    EXPECT_EQ(PixelOf(img, 3 * 11 + 5, 5), RGB(102, 102, 102));  // segment 3, unlit
    EXPECT_EQ(PixelOf(img, 11 * 11 + 5, 5), RGB(237, 0, 0));     // segment 11, red
}

TEST(SLamp, NarrowerThanThirteenPixelsShowsOnlyTheBackground)
{
    CStage stage;
    ASSERT_TRUE(stage.Make(100, 100, 40, 40));
    CSLamp lamp;
    ASSERT_TRUE(lamp.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 12, 10), &stage, 1));
    lamp.CalcLayout();
    EXPECT_EQ(lamp.GetSegmentWidth(), 0);
    const QImage img = GrabOf(lamp);
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(PixelOf(img, x, 5), RGB(127, 127, 127)) << x;
}

TEST(MuteStatic, ShowsItsStateInItsColoursWithTheHandCursor)
{
    CStage stage;
    ASSERT_TRUE(stage.Make(100, 100, 100, 40));
    CMuteStatic mute;
    ASSERT_TRUE(mute.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 60, 24), &stage, 1));
    EXPECT_TRUE(mute.GetStyle() & SS_NOTIFY);
    QImage img = GrabOf(mute);
    EXPECT_EQ(PixelOf(img, 1, 1), RGB(100, 105, 109));
    EXPECT_TRUE(HasColour(img, RGB(255, 255, 255)));
    mute.SetState(0);
    img = GrabOf(mute);
    EXPECT_EQ(PixelOf(img, 1, 1), RGB(200, 201, 205));
    EXPECT_TRUE(HasColour(img, RGB(255, 0, 0)));
    mute.SetTexts("", "");
    EXPECT_FALSE(HasColour(GrabOf(mute), RGB(255, 0, 0)));
    mute.ResetTexts(0);
    EXPECT_EQ(mute.GetState(), 0);
    MoveTo(mute, CPoint(3, 3));
    EXPECT_EQ(mute.GetWidget()->cursor().shape(), Qt::BitmapCursor);
}
