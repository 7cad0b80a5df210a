// Pictures of the output page's speaker positions after a type change, under <build>/screens/.
#include "../controls/ScreenSheet.h"
#include "PageHostRecorder.h"

#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "COutputDlg.h"
#include "Globals.h"
#include "SceneImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

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
