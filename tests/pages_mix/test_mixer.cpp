// The mixer page and its columns: the row map into the output records, the three change paths
// and their messages, the stereo-pair copy and panels, the frame of the last touched column, and
// what reaches the device through the change scanner.
#include "MixTestRig.h"

#include "AppMessages.h"
#include "CKTV_OutData.h"
#include "CMixInPutCom.h"

#include <QTest>
#include <QWidget>

#include <algorithm>
#include <string>

using namespace mixtest;

namespace {

std::string Hex(const BYTE* p, int n)
{
    std::string s;
    char b[4];
    for (int i = 0; i < n; ++i) {
        std::snprintf(b, sizeof b, i ? " %02X" : "%02X", p[i]);
        s += b;
    }
    return s;
}

// The sixteen mix bytes (record 33 then record 34) of an output.
std::vector<BYTE> MixBytes(const CKTV_OutData& o)
{
    std::vector<BYTE> v(16);
    o.GetMixARecord(v.data());
    o.GetMixBRecord(v.data() + 8);
    return v;
}

class MixerTest : public MixRig {
protected:
    void Open()
    {
        page.m_pView = &host;
        page.m_pScene = scene.get();
        ASSERT_TRUE(page.Create(IDD_MIXER_PAGE, nullptr));
        Pump();
        host.m_wnd.m_got.clear();
    }
    void TearDown() override
    {
        if (page.GetSafeHwnd())
            page.DestroyWindow();
        MixRig::TearDown();
    }
    // Posts the page received from its columns, in order.
    std::vector<Received> Forwarded() const { return host.m_wnd.m_got; }

    CMixInPutCom page;
};

}  // namespace

TEST_F(MixerTest, EachRowIsOneByteOfOneRecord)
{
    // Row n -> (record, byte): LINE1..8 record 33 bytes 0..7; BT-L, BT-R record 34 bytes 6, 7;
    // SPDIF-L, SPDIF-R record 34 bytes 4, 5.
    const struct {
        int row, record, byte;
    } cases[] = {{1, 33, 0}, {2, 33, 1}, {3, 33, 2}, {4, 33, 3}, {5, 33, 4},  {6, 33, 5},
                 {7, 33, 6}, {8, 33, 7}, {9, 34, 6}, {10, 34, 7}, {11, 34, 4}, {12, 34, 5}};
    g_bOnline = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        CKTV_Data fresh;
        CKTV_OutData& o = *fresh.GetOutData(5);
        const std::vector<BYTE> before = MixBytes(o);
        SetMixRowLevel(o, c.row, 37);
        std::vector<BYTE> expected = before;
        expected[(c.record - 33) * 8 + c.byte] = 37;
        EXPECT_EQ(MixBytes(o), expected);
        EXPECT_EQ(GetMixRowLevel(o, c.row), 37);
        EXPECT_EQ(o.IsMixAModified(), c.record == 33 ? 1 : 0);
        EXPECT_EQ(o.IsMixBModified(), c.record == 34 ? 1 : 0);
        EXPECT_EQ(o.GetMixA9(), 100);
    }
}

TEST_F(MixerTest, DraggedLine3ChangesOneImageByteAndSendsItsRecord)
{
    // LINE3 of CH4 starts at 0 in the model and in the device image.
    Out(3).SetMixA3(0);
    Out(3).PutMixARecord(FALSE);
    g_bOnline = 1;
    Open();
    std::vector<BYTE> image(g_Scene, g_Scene + SCENE_IMAGE_SIZE);

    CBitmapSlider& slider = page.m_Columns[3].m_sliderLevel[2];
    ASSERT_EQ(slider.GetPos(), 0);
    QWidget* w = slider.GetWidget();
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, QPoint(slider.PosToPixel(0) + 1, 10));
    QTest::mouseMove(w, QPoint(w->width() + 40, 10));
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, QPoint(w->width() + 40, 10));
    Pump();

    EXPECT_EQ(slider.GetPos(), 100);
    EXPECT_EQ(page.m_Columns[3].m_editLevel[2].GetWindowText(), "100");
    EXPECT_EQ(Out(3).GetMixA3(), 100);
    // The next scanner pass packs the record: one byte of the image changes, 3178.
    const auto frame = scene->GetNextSendData();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(Hex(frame->GetData(), int(frame->GetLength())),
              "91 91 91 EE A1 01 00 04 03 21 00 00 08 00 64 64 64 64 64 64 64 64 8E AA");
    int changed = 0;
    for (int k = 0; k < SCENE_IMAGE_SIZE; ++k)
        if (g_Scene[k] != image[k]) {
            ++changed;
            EXPECT_EQ(k, 3178);
        }
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(g_Scene[3178], 100);
    // Nothing else was pending.
    for (int i = 0; i < 10; ++i) {
        if (i != 3) {
            EXPECT_EQ(Out(i).IsMixAModified() + Out(i).IsMixBModified(), 0) << i;
        }
    }

    // The view heard of the cell by value: column 3, row 3, and the final level.
    const auto got = Forwarded();
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.back().msg, WM_MIX_MATRIX_CHANGED);
    EXPECT_EQ(got.back().wParam, MixCellParam(3, 3));
    EXPECT_EQ(got.back().lParam, 100);
    EXPECT_EQ(page.m_nHighlight, 3);
}

TEST_F(MixerTest, TypedLevelIsClampedStoredAndReportedThenFocused)
{
    Out(6).SetMixB5(30);
    g_bOnline = 1;
    Open();
    page.ShowWindow(SW_SHOW);
    QWidget* top = page.GetWidget();
    top->activateWindow();
    CNumEdit& field = page.m_Columns[6].m_editLevel[10];  // SPDIF-L of CH7
    ASSERT_EQ(field.GetWindowText(), "30");

    field.SetFocus();
    Pump();
    QWidget* w = field.GetWidget();
    QTest::keyClick(w, Qt::Key_End);
    QTest::keyClick(w, Qt::Key_Backspace);
    QTest::keyClick(w, Qt::Key_Backspace);
    QTest::keyClicks(w, "150");
    QTest::keyClick(w, Qt::Key_Return);
    Pump();

    EXPECT_EQ(field.GetWindowText(), "100");
    EXPECT_EQ(page.m_Columns[6].m_sliderLevel[10].GetPos(), 100);
    EXPECT_EQ(Out(6).GetMixB5(), 100);
    BYTE rec[8];
    Out(6).GetMixBRecord(rec);
    EXPECT_EQ(rec[4], 100);
    EXPECT_EQ(rec[0], 100);  // bytes 0..3 are not the mixer's
    EXPECT_EQ(Out(6).IsMixBModified(), 1);
    EXPECT_EQ(Out(6).IsMixAModified(), 0);
    // Forwarded once, row 11 by value; the focus moved the frame to CH7; the page stays open.
    const auto got = Forwarded();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].msg, WM_MIX_MATRIX_CHANGED);
    EXPECT_EQ(MixCellColumn(got[0].wParam), 6);
    EXPECT_EQ(MixCellRow(got[0].wParam), 11);
    EXPECT_EQ(got[0].lParam, 100);
    EXPECT_EQ(page.m_nHighlight, 6);
    EXPECT_TRUE(page.GetSafeHwnd() && page.IsWindowVisible());
}

TEST_F(MixerTest, ColumnPostsChangedThenFocusForATypedValue)
{
    // The order of the column's own two posts, seen by a page that records before it handles.
    struct RecordingPage : CMixInPutCom {
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_MIX_COLUMN_CHANGED || message == WM_MIX_COLUMN_FOCUS)
                got.push_back({message, wParam, lParam});
            return CMixInPutCom::WindowProc(message, wParam, lParam);
        }
        std::vector<Received> got;
    } rec;
    g_bOnline = 1;
    rec.m_pView = &host;
    rec.m_pScene = scene.get();
    ASSERT_TRUE(rec.Create(IDD_MIXER_PAGE, nullptr));
    Pump();
    rec.got.clear();
    CRouteMixCom& col = rec.m_Columns[4];
    col.m_editLevel[10].SetWindowText("150");
    col.m_editLevel[10].SetModified(1);
    col.SendMessage(WM_COMMAND, MAKEWPARAM(2828, 0), 0);
    Pump();
    ASSERT_EQ(rec.got.size(), 2u);
    EXPECT_EQ(rec.got[0].msg, WM_MIX_COLUMN_CHANGED);
    EXPECT_EQ(rec.got[0].wParam, MixCellParam(4, 11));
    EXPECT_EQ(rec.got[0].lParam, 100);
    EXPECT_EQ(rec.got[1].msg, WM_MIX_COLUMN_FOCUS);
    EXPECT_EQ(rec.got[1].wParam, WPARAM(4));
    EXPECT_EQ(Out(4).GetMixB5(), 100);
    rec.DestroyWindow();
}

TEST_F(MixerTest, ArrowKeysStepAndReportEvenAtTheEnds)
{
    struct Case {
        int start;
        int key;
        int expected;
    };
    const Case cases[] = {{100, Qt::Key_Up, 100}, {0, Qt::Key_Down, 0}, {40, Qt::Key_Up, 41}, {40, Qt::Key_Down, 39}};
    g_bOnline = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        Out(0).SetMixA1(BYTE(c.start));
        Open();
        CNumEdit& field = page.m_Columns[0].m_editLevel[0];
        QTest::keyClick(field.GetWidget(), Qt::Key(c.key));
        Pump();
        EXPECT_EQ(Out(0).GetMixA1(), c.expected);
        EXPECT_EQ(field.GetWindowText(), std::to_string(c.expected));
        EXPECT_EQ(page.m_Columns[0].m_sliderLevel[0].GetPos(), c.expected);
        const auto got = Forwarded();
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].wParam, MixCellParam(0, 1));
        EXPECT_EQ(got[0].lParam, c.expected);
        page.DestroyWindow();
    }
}

TEST_F(MixerTest, PairedColumnWritesBothOutputsAndItsPanel)
{
    struct Pairing {
        int first;          // first output of the pair
        CPoint panelAt;     // where its panel stands
    };
    const Pairing cases[] = {{8, CPoint(1010, 10)}, {2, CPoint(380, 10)}};
    g_bOnline = 1;
    for (const Pairing& c : cases) {
        SCOPED_TRACE(c.first);
        scene = std::make_unique<CKTV_Data>();
        std::fill(std::begin(host.m_pairs), std::end(host.m_pairs), 0);
        host.m_pairs[c.first] = host.m_pairs[c.first + 1] = 1;
        Open();
        const int p = c.first / 2;
        EXPECT_FALSE(page.m_Columns[c.first + 1].IsWindowVisible());
        for (int q = 0; q < MIX_PAGE_PANELS; ++q)
            EXPECT_EQ(page.m_PairPanels[q].IsWindowVisible(), q == p) << q;
        CRect rc;
        page.m_PairPanels[p].GetWindowRect(&rc);
        page.ScreenToClient(&rc);
        EXPECT_EQ(rc.TopLeft(), c.panelAt);
        EXPECT_EQ(rc.Size(), CSize(96, 570));

        // Row 11 (SPDIF-L) of the first column: both outputs, the panel mirrors it.
        CRouteMixCom& col = page.m_Columns[c.first];
        col.m_sliderLevel[10].SetPos(64);
        col.SendMessage(WM_SLIDER_MOVED, 2868, 64);
        Pump();
        EXPECT_EQ(Out(c.first).GetMixB5(), 64);
        EXPECT_EQ(Out(c.first + 1).GetMixB5(), 64);
        for (int i = 0; i < 10; ++i) {
            if (i != c.first && i != c.first + 1) {
                EXPECT_EQ(Out(i).GetMixB5(), 100) << i;
            }
        }
        EXPECT_EQ(page.m_PairPanels[p].GetRowText(11), "64");
        EXPECT_EQ(page.m_PairPanels[p].GetRowPos(11), 64);
        page.DestroyWindow();
    }
}

TEST_F(MixerTest, UnpairedColumnTouchesNoPanelAndNoOtherOutput)
{
    g_bOnline = 1;
    Open();
    for (int q = 0; q < MIX_PAGE_PANELS; ++q)
        EXPECT_FALSE(page.m_PairPanels[q].IsWindowVisible()) << q;
    for (int i = 0; i < MIX_PAGE_COLUMNS; ++i)
        EXPECT_TRUE(page.m_Columns[i].IsWindowVisible()) << i;
    const CString panelBefore = page.m_PairPanels[1].GetRowText(9);
    CRouteMixCom& col = page.m_Columns[2];
    col.m_sliderLevel[8].SetPos(12);
    col.SendMessage(WM_SLIDER_MOVED, 2864, 12);
    Pump();
    EXPECT_EQ(Out(2).GetMixB7(), 12);
    EXPECT_EQ(Out(3).GetMixB7(), 100);
    EXPECT_EQ(page.m_PairPanels[1].GetRowText(9), panelBefore);
    const auto got = Forwarded();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].wParam, MixCellParam(2, 9));
    EXPECT_EQ(page.m_nHighlight, 2);
}

TEST_F(MixerTest, UnknownSliderOnlyMovesTheFrame)
{
    g_bOnline = 1;
    Open();
    page.m_Columns[5].SendMessage(WM_SLIDER_MOVED, 9999, 50);
    Pump();
    EXPECT_TRUE(Forwarded().empty());
    EXPECT_EQ(page.m_nHighlight, 5);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(Out(i).IsMixAModified() + Out(i).IsMixBModified(), 0) << i;
}

TEST_F(MixerTest, ModelLevelAboveRangeShowsAtTheEndWithoutAMessage)
{
    BYTE rec[8] = {200, 100, 100, 100, 100, 100, 100, 100};
    Out(1).SetMixARecord(rec);
    Open();
    EXPECT_EQ(page.m_Columns[1].m_editLevel[0].GetWindowText(), "100");
    EXPECT_EQ(page.m_Columns[1].m_sliderLevel[0].GetPos(), 100);
    EXPECT_EQ(Out(1).GetMixA1(), 200);  // kept until the user changes it
    EXPECT_TRUE(ui.m_messages.empty());
}

TEST_F(MixerTest, EnterAndEscapeLeaveThePageOpen)
{
    Open();
    page.ShowWindow(SW_SHOW);
    for (Qt::Key k : {Qt::Key_Return, Qt::Key_Escape}) {
        QTest::keyClick(page.m_Columns[0].m_editLevel[0].GetWidget(), k);
        Pump();
        EXPECT_TRUE(page.GetSafeHwnd() && page.IsWindowVisible()) << k;
    }
}

TEST_F(MixerTest, PressInAColumnFramesItAndStoresNothing)
{
    g_bOnline = 1;
    Open();
    page.ShowWindow(SW_SHOW);
    ASSERT_EQ(page.m_nHighlight, 0);
    // A press on the column's own background, between two rows.
    QTest::mousePress(page.m_Columns[7].GetWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 5));
    QTest::mouseRelease(page.m_Columns[7].GetWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 5));
    Pump();
    EXPECT_EQ(page.m_nHighlight, 7);
    EXPECT_TRUE(Forwarded().empty());
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(Out(i).IsMixAModified() + Out(i).IsMixBModified(), 0) << i;
}
