// Pictures of the output page: the speaker positions after a type change, and the response
// graph overlaying other outputs' curves, under <build>/screens/.
#include "../controls/ScreenSheet.h"
#include "PageHostRecorder.h"

#include "CFilter.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "COutputDlg.h"
#include "Globals.h"
#include "SceneImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

int CountChanged(const QImage& a, const QImage& b, const CRect& rc)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom && y < a.height(); ++y)
        for (int x = rc.left; x < rc.right && x < a.width(); ++x)
            n += PixelOf(a, x, y) != PixelOf(b, x, y);
    return n;
}

class PageScreens : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        InitAllData();
        g_nCurOutput = 0;
        g_pPageHost = &host;
        std::fill(std::begin(g_bShowCurve), std::end(g_bShowCurve), 0);
        scene = std::make_unique<CKTV_Data>();
    }
    void TearDown() override
    {
        page.reset();
        g_pPageHost = nullptr;
        scene.reset();
        std::fill(std::begin(g_bShowCurve), std::end(g_bShowCurve), 0);
        ScreensTest::TearDown();
    }
    QImage MakePage(CStage& stage)
    {
        page = std::make_unique<COutputDlg>();
        EXPECT_TRUE(page->CreatePage(&stage));
        page->AttachScene(scene.get());
        page->SetLanguageTexts();
        page->ShowPage(SW_SHOW);
        page->LoadRoutingFromImage();
        return Grab();
    }
    QImage Grab()
    {
        Pump();
        return page->GetWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    PageHostRecorder host;
    std::unique_ptr<CKTV_Data> scene;
    std::unique_ptr<COutputDlg> page;
};

}  // namespace

TEST_F(PageScreens, TypeThreeOnChannelTenShowsPositionThree)
{
    Sheet sheet("output_page_positions");
    for (int lang = 0; lang < 2; ++lang) {
        g_bChinese = lang;
        InitAllData();
        scene = std::make_unique<CKTV_Data>();
        CStage stage;
        ASSERT_TRUE(stage.Make(0, 0, OUTPUT_PAGE_WIDTH, OUTPUT_PAGE_HEIGHT));
        sheet.Add("default map", lang, MakePage(stage));
        // Channel 5 gives up its front-left woofer, channel 10 takes it.
        page->OnStripSpeakerType(4, 0);
        page->OnStripSpeakerType(9, 3);
        const QImage img = Grab();
        EXPECT_TRUE(page->m_btnPosition[3].IsWindowVisible());
        EXPECT_EQ(page->m_btnPosition[3].GetTag(), 9);
        EXPECT_FALSE(page->m_btnPosition[22].IsWindowVisible());
        EXPECT_EQ(page->m_strip[9].GetTitle(), lang ? "前置左低频" : "FL-Woofer");
        sheet.Add("type 3 (front-left woofer) on channel 10", lang, img);
        page.reset();
    }
}

TEST_F(PageScreens, GraphOverlaysOutputsOneAndFour)
{
    Sheet sheet("output_page_overlay");
    // Output 4 boosts its band 11 and output 1 cuts its band 21, so their curves stand apart
    // from the flat curve of the current output 2.
    scene->GetOutData(3)->GetFilter(10)->SetGainIndex(320);
    scene->GetOutData(0)->GetFilter(20)->SetGainIndex(100);
    g_nCurOutput = 1;
    CStage stage;
    ASSERT_TRUE(stage.Make(0, 0, OUTPUT_PAGE_WIDTH, OUTPUT_PAGE_HEIGHT));
    MakePage(stage);
    CRect graph;
    page->m_graph.GetWindowRect(&graph);
    page->ScreenToClient(&graph);
    const QImage alone = Grab();
    sheet.Add("output 2 alone", 0, alone);

    // The user turns on the overlays of outputs 1 and 4 in the curve strip.
    auto Toggle = [this](int ch) {
        CBitButton& btn = page->m_dlgChannels.m_btnChannel[ch];
        CRect rc;
        btn.GetClientRect(&rc);
        Click(btn, rc.CenterPoint());
    };
    Toggle(0);
    Toggle(3);
    const QImage overlaid = Grab();
    EXPECT_EQ(g_bShowCurve[0], 1);
    EXPECT_EQ(g_bShowCurve[3], 1);
    EXPECT_EQ(g_bShowCurve[1], 0);
    EXPECT_GT(CountChanged(alone, overlaid, graph), 300);
    // Above the 0 dB line at 200 Hz only output 4's boost is drawn; below it at 2 kHz only
    // output 1's cut.
    EXPECT_GT(CountChanged(alone, overlaid, CRect(graph.left, graph.top, graph.left + graph.Width() / 2,
                                                  graph.top + graph.Height() / 3)), 20);
    EXPECT_GT(CountChanged(alone, overlaid, CRect(graph.left + graph.Width() / 2, graph.top + graph.Height() / 2,
                                                  graph.right, graph.bottom)), 20);
    sheet.Add("outputs 1 and 4 overlaid", 0, overlaid);

    // Off again: the graph is as it was.
    Toggle(0);
    Toggle(3);
    EXPECT_EQ(CountChanged(alone, Grab(), graph), 0);
}
