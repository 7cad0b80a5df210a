// The output page and its channel strips in windows, without the device: the strips' titles
// and red frame, channel selection by click and by message, the reload of every band control,
// values outside a control's range, the strip messages reaching the model, the strip's own
// buttons, the graph's point message, and pictures of the page in both languages.
#include "../controls/ControlTestKit.h"
#include "OutputPageRig.h"

#include "AppMessages.h"
#include "CFilter.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "COutputDlg.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "ModelUi.h"
#include "SpeakerTable.h"
#include "SpeakerTypeMenus.h"
#include "SpeakerTypes.h"

#include <QDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr COLORREF kFrame = RGB(238, 49, 64);

bool Near(COLORREF a, COLORREF b, int tol = 10)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tol && std::abs(GetGValue(a) - GetGValue(b)) <= tol &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tol;
}

class OutputPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_bOnline = 1;
        g_nCurOutput = 0;
        g_bChinese = 0;
        // The default speaker map: a type on each of the first outputs.
        ResetSpeakerTypes();
        const int types[10] = {SPK_FL_TWEETER, SPK_FL_WOOFER, SPK_FR_TWEETER, SPK_FR_WOOFER, SPK_RL_FULL,
                               SPK_RR_FULL,    SPK_L_SUBWOOFER, SPK_R_SUBWOOFER, 0, 0};
        for (int ch = 0; ch < 10; ++ch)
            SpeakerTypeOf(g_bySpeakerType, ch) = BYTE(types[ch]);
        ApplyChannelSpeakerTypes();
        ASSERT_TRUE(rig.MakePage());
    }
    void TearDown() override
    {
        page.reset();
        g_bOnline = 0;
        g_nCurOutput = 0;
        g_bChinese = 0;
    }
    CKTV_OutData* Out(int ch) { return scene.GetOutData(ch); }
    COutRoute_Dlg& Strip(int i) { return page->m_strip[i]; }
    QImage Picture() { return GrabOf(*page).convertToFormat(QImage::Format_RGB32); }
    void Save(const QImage& img, const char* name)
    {
        const QString dir = QStringLiteral(ORVANE_BINARY_DIR "/screens");
        QDir().mkpath(dir);
        EXPECT_TRUE(img.save(dir + "/" + name));
    }

    OutputPageRig rig;
    CKTV_Data& scene = rig.scene;
    std::unique_ptr<COutputDlg>& page = rig.page;
};

TEST_F(OutputPageTest, StripsSitInARowTitledByTheSpeakerMap)
{
    const int x[10] = {115, 224, 333, 442, 552, 661, 770, 880, 989, 1098};
    for (int i = 0; i < 10; ++i) {
        CRect rc;
        Strip(i).GetWindowRect(&rc);
        page->ScreenToClient(&rc);
        EXPECT_EQ(rc, CRect(x[i], 413, x[i] + 100, 413 + 254)) << i;
        EXPECT_EQ(Strip(i).m_nChannel, i);
        EXPECT_EQ(Strip(i).m_nLinkMask, 1 << i);
    }
    const struct {
        int ch;
        const char* en;
        const char* cn;
    } titles[] = {{0, "FL-Tweeter", "前置左高频"}, {3, "FR-Woofer", "前置右低频"}, {7, "R-Subwoofer", "右超低频"},
                  {9, "NULL", "空"}};
    for (const auto& t : titles) {
        CString s;
        Strip(t.ch).m_btnSpeakerType.GetWindowText(s);
        EXPECT_EQ(s, t.en) << t.ch;
    }
    g_bChinese = 1;
    page->SetLanguageTexts();
    for (const auto& t : titles) {
        CString s;
        Strip(t.ch).m_btnSpeakerType.GetWindowText(s);
        EXPECT_EQ(s, t.cn) << t.ch;
    }
    CRect rc;
    page->m_graph.GetWindowRect(&rc);
    EXPECT_EQ(rc.Size(), CSize(947, 215));
}

TEST_F(OutputPageTest, SelectingAStripMovesTheFrameAndReloadsEveryBand)
{
    // Channel 6 gets values of its own on a few bands.
    Out(6)->GetFilter(4)->SetFreq(77, 0);
    Out(6)->GetFilter(4)->SetGainIndex(260);
    Out(6)->GetFilter(30)->SetBandwidthIndex(150);
    Out(6)->SetGain(420);
    ASSERT_TRUE(Strip(0).IsSelected());

    // A click on strip 6's select button posts the message; the page handles it.
    Click(Strip(6).m_btnSelect, CPoint(10, 10));
    Pump();
    EXPECT_EQ(g_nCurOutput, 6);
    EXPECT_TRUE(Strip(6).IsSelected());
    EXPECT_FALSE(Strip(0).IsSelected());
    EXPECT_EQ(Strip(6).GetStripState(), 1);
    EXPECT_EQ(Strip(0).GetStripState(), 0);
    EXPECT_EQ(page->m_spinBandFreq[4].GetPos(), 77);
    EXPECT_EQ(page->m_spinBandGain[4].GetPos(), 260);
    EXPECT_EQ(page->m_sliderBandGain[4].GetValue(), 260);
    EXPECT_FALSE(page->m_btnBypass[4].GetCheck());
    EXPECT_EQ(page->m_spinBandQ[30].GetPos(), 150);
    EXPECT_TRUE(page->m_btnBypass[5].GetCheck());
    EXPECT_EQ(page->m_spinGain.GetPos(), 420);
    EXPECT_EQ(page->m_graph.GetCurOutput(), 6);
    EXPECT_EQ(Out(6)->GetFilter(4)->GetLinkedCtrl(), &page->m_sliderBandGain[4]);

    // The red frame is drawn on strip 6 only.
    QImage img = GrabOf(Strip(6)).convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(Near(PixelOf(img, 0, 40), kFrame));
    img = GrabOf(Strip(0)).convertToFormat(QImage::Format_RGB32);
    EXPECT_FALSE(Near(PixelOf(img, 0, 40), kFrame));

    // The message selects as well; a channel outside 0..9 changes nothing.
    page->SendMessage(WM_STRIP_SELECT, 2, 0);
    EXPECT_EQ(g_nCurOutput, 2);
    EXPECT_EQ(page->m_spinBandFreq[4].GetPos(), Out(2)->GetFilter(4)->GetFreq());
    for (WPARAM bad : {WPARAM(10), WPARAM(255), WPARAM(-1)}) {
        page->SendMessage(WM_STRIP_SELECT, bad, 0);
        EXPECT_EQ(g_nCurOutput, 2);
    }
}

TEST_F(OutputPageTest, ValuesOutsideTheControlsRangesAreShownAtTheirEndsWithoutABox)
{
    CModelUiRecorder ui;
    CFilter* f = Out(3)->GetFilter(2);
    f->SetFreq(25000, 0);
    f->SetGainIndex(20);  // -18 dB: beyond the -12 dB the field offers
    f->SetBandwidthIndex(400);
    Out(3)->GetFilter(3)->SetFreq(5, 0);
    Out(3)->GetFilter(9)->SetGainIndex(390);
    page->SelectChannel(3);
    EXPECT_TRUE(ui.m_messages.empty());
    EXPECT_EQ(page->m_spinBandFreq[2].GetPos(), 20000);
    EXPECT_EQ(page->m_spinBandGain[2].GetPos(), 80);
    EXPECT_EQ(page->m_spinBandQ[2].GetPos(), 295);
    EXPECT_EQ(page->m_spinBandFreq[3].GetPos(), 20);
    EXPECT_EQ(page->m_spinBandGain[9].GetPos(), 320);
    EXPECT_EQ(page->m_sliderBandGain[2].GetPos(), 240);  // the bottom of the track
    EXPECT_EQ(page->m_sliderBandGain[9].GetPos(), 0);    // the top
    // The model keeps what it was given.
    EXPECT_EQ(f->GetFreq(), 25000);
    EXPECT_EQ(f->GetGainIndex(), 20);
}

TEST_F(OutputPageTest, StripMessagesReachTheChannel)
{
    struct Case {
        UINT msg;
        int ch;
        LPARAM value;
    } cases[] = {
        {WM_STRIP_OUTPUT_ON, 4, 0},
        {WM_STRIP_GAIN, 5, 480},
        {WM_STRIP_POLARITY, 7, 1},
    };
    for (const Case& c : cases) {
        scene.ClearAllModified(0);
        page->SendMessage(c.msg, WPARAM(c.ch), c.value);
        EXPECT_NE(Out(c.ch)->IsLevelModified(), 0) << c.msg;
    }
    EXPECT_EQ(Out(4)->GetOn(), 0);
    EXPECT_EQ(Out(5)->GetGain(), 480);
    EXPECT_EQ(Out(5)->GetOn(), 1);
    EXPECT_EQ(Out(7)->GetPolarity(), 1);
    // Channels from a message outside 0..9 are dropped.
    page->SendMessage(WM_STRIP_GAIN, 10, 100);
    page->SendMessage(WM_STRIP_OUTPUT_ON, WPARAM(-3), 0);
}

TEST_F(OutputPageTest, StripButtonsPostTheirChannelAndNewState)
{
    CStage target;
    ASSERT_TRUE(target.Make(0, 700, 50, 50));
    COutRoute_Dlg& s = Strip(3);
    s.m_pOutputDlg = &target;
    Click(s.m_btnOn, CPoint(5, 5));
    Click(s.m_btnOn, CPoint(5, 5));
    Click(s.m_btnPolarity, CPoint(5, 5));
    Click(s.m_btnFlag[2], CPoint(5, 5));
    Pump();
    const auto on = target.All(WM_STRIP_OUTPUT_ON);
    ASSERT_EQ(on.size(), 2u);
    EXPECT_EQ(on[0].wParam, 3u);
    EXPECT_EQ(on[0].lParam, 0);
    EXPECT_EQ(on[1].lParam, 1);
    ASSERT_EQ(target.Count(WM_STRIP_POLARITY), 1);
    EXPECT_EQ(target.All(WM_STRIP_POLARITY)[0].lParam, 1);
    ASSERT_EQ(target.Count(WM_STRIP_FLAG_BIT0), 1);
    EXPECT_FALSE(s.m_btnFlag[3].IsWindowEnabled());  // 2821 on disables 2822
    // The speaker-type menu: choosing the channel's own type posts nothing, another type does.
    s.SendMessage(WM_COMMAND, ID_SPEAKER_TYPE_BASE + SPK_FR_WOOFER, 0);
    s.SendMessage(WM_COMMAND, ID_SPEAKER_TYPE_BASE + SPK_C_FULL, 0);
    Pump();
    ASSERT_EQ(target.Count(WM_STRIP_SPEAKER_TYPE), 1);
    EXPECT_EQ(target.All(WM_STRIP_SPEAKER_TYPE)[0].lParam, SPK_C_FULL);
    s.m_pOutputDlg = page.get();
}

TEST_F(OutputPageTest, GraphPointMessageReloadsTheBandAndEndsTheDrag)
{
    CFilter* f = Out(0)->GetFilter(12);
    f->SetFreq(400, 0);
    f->SetGainIndex(250);
    page->m_graph.m_bMouseReleased = TRUE;
    page->SendMessage(WM_EQ_POINT_CHANGED, 12, 768);
    EXPECT_EQ(page->m_spinBandFreq[12].GetPos(), 400);
    EXPECT_EQ(page->m_spinBandGain[12].GetPos(), 250);
    EXPECT_EQ(page->m_sliderBandGain[12].GetValue(), 250);
    EXPECT_FALSE(page->m_graph.IsMouseReleased());
    EXPECT_EQ(page->m_pFocusEdit, &page->m_editBandGain[12]);
    // Another channel's id, or an element past the list, is ignored.
    f->SetGainIndex(150);
    page->SendMessage(WM_EQ_POINT_CHANGED, 12, 768 + 4);
    page->SendMessage(WM_EQ_POINT_CHANGED, 40, 768);
    EXPECT_EQ(page->m_spinBandGain[12].GetPos(), 250);
}

TEST_F(OutputPageTest, PicturesOfThePageInBothLanguages)
{
    for (int cn : {0, 1}) {
        g_bChinese = cn;
        page->SetLanguageTexts();
        page->UpdateChannelView();
        Pump();
        const QImage img = Picture();
        Save(img, cn ? "output_page_cn.png" : "output_page_en.png");
        // Strip 1's frame, the graph's margin colour.
        EXPECT_TRUE(Near(PixelOf(img, 115, 413 + 40), kFrame));
        EXPECT_TRUE(Near(PixelOf(img, 212 + 20, 4 + 60), RGB(56, 55, 55), 3));
    }
}

}  // namespace
