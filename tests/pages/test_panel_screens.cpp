// Pictures of the output page's panels and of the channel link dialog in both languages under
// <build>/screens/, with checks that the faces and texts really were drawn.
#include "../controls/ScreenSheet.h"

#include "CBTLRouteDlg.h"
#include "CChangnal_Line.h"
#include "CGainDlg.h"
#include "CLink_Dlg.h"
#include "Globals.h"
#include "SceneImage.h"

#include <gtest/gtest.h>

namespace {

int CountNot(const QImage& img, const CRect& rc, COLORREF clr)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom && y < img.height(); ++y)
        for (int x = rc.left; x < rc.right && x < img.width(); ++x)
            n += PixelOf(img, x, y) != clr;
    return n;
}

class PanelScreens : public ScreensTest {};

}  // namespace

TEST_F(PanelScreens, LinkDialogInBothModesAndLanguages)
{
    Sheet sheet("output_link_dialog");
    int masks[LINK_DLG_CHANNELS];
    int* ptrs[LINK_DLG_CHANNELS];
    for (int lang = 0; lang < 2; ++lang) {
        g_bChinese = lang;
        for (int mode : {1, 0}) {
            for (int i = 0; i < LINK_DLG_CHANNELS; ++i) {
                masks[i] = 1 << i;
                ptrs[i] = &masks[i];
            }
            masks[2] = masks[3] = 0x0C;  // CH3 + CH4
            masks[6] = masks[7] = 0xC0;  // CH7 + CH8
            CLink_Dlg dlg;
            dlg.m_bNewGroup = mode;
            dlg.m_nChannel = 2;
            dlg.AttachMasks(ptrs, nullptr);
            ASSERT_TRUE(dlg.Create(IDD_LINK));
            Pump();
            const QImage img = dlg.GetWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
            // Rows were drawn in both lists and the OK face carries its text.
            CRect ok;
            dlg.m_btnOK.GetWindowRect(&ok);
            dlg.ScreenToClient(&ok);
            EXPECT_GT(ok.Width(), 40);
            EXPECT_GT(CountNot(img, ok, PixelOf(img, ok.left + 2, ok.top + ok.Height() / 2)), 20);
            EXPECT_EQ(dlg.m_listRight.GetCount(), mode ? 2 : 2);
            sheet.Add(mode ? "new link group, CH3 of CH3+CH4" : "join a group, CH3 of CH3+CH4", lang, img);
            dlg.DestroyWindow();
        }
    }
}

TEST_F(PanelScreens, MasterPanelCurveStripAndPairPanel)
{
    Sheet sheet("output_panels");
    for (int lang = 0; lang < 2; ++lang) {
        g_bChinese = lang;
        g_bySysParams[4] = 1;
        CStage stage;
        ASSERT_TRUE(stage.Make(10, 10, 420, 300));
        CGainDlg gain;
        gain.SetBackgroundBitmap(lang ? IDB_GAIN_BACK_CN : IDB_GAIN_BACK_EN);
        ASSERT_TRUE(gain.CreatePanel(&stage));
        gain.SetFaderChannelBitmaps(357, 0, FALSE, SLIDER_KEY_FROM_PIXEL, 0, 0);
        gain.SetFaderThumbBitmaps(358, 0, TRUE, SLIDER_KEY_FROM_PIXEL, 0, 0);
        gain.SetFaderRange(0, MASTER_LEVEL_MAX, FALSE);
        gain.m_btnOn.SetBitmaps(882, 883, 884, 884, 885, 882);
        gain.MoveWindow(3, 40, 100, 216);
        gain.ShowWindow(SW_SHOWNORMAL);
        gain.SetLevel(50);

        CChangnal_Line strip;
        ASSERT_TRUE(strip.CreatePanel(&stage));
        strip.MoveWindow(120, 40, 38, 210);
        strip.ShowWindow(SW_SHOW);
        g_bShowCurve[3] = 0;
        strip.m_btnChannel[3].SetCheck(TRUE);

        CBTLRouteDlg pair;
        ASSERT_TRUE(pair.CreatePanel(&stage, 1));
        pair.MoveWindow(180, 20, 110, 250);
        pair.SetLanguageTexts();
        pair.m_stcGain.SetText("0.0dB");
        pair.m_stcDelay.SetText("0.000ms");
        pair.m_sliderGain.SetValue(600);
        pair.ShowWindow(SW_SHOW);
        Pump();

        const QImage img = stage.GetWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(gain.m_editLevel.GetWindowText(), "-10.0dB");
        // The panels' backgrounds were painted over the stage.
        EXPECT_NE(PixelOf(img, 50, 250), kStageColour);
        EXPECT_NE(PixelOf(img, 138, 240), kStageColour);
        EXPECT_NE(PixelOf(img, 280, 260), kStageColour);
        sheet.Add("master level -10 dB, overlay CH4 on, pair CH3/CH4", lang, img);
    }
    g_bShowCurve[3] = 0;
}
