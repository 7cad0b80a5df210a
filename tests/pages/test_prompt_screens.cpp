// Pictures of the output prompts in both languages under <build>/screens/output_prompts*, with
// checks that the texts really were drawn and differ by language.
#include "../controls/ScreenSheet.h"

#include "CAll_Link_Dlg.h"
#include "CCH_Link_Dlg.h"
#include "CDelayDlg.h"
#include "CReMap_Dlg.h"
#include "Globals.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>

namespace {

QImage GrabDialog(CWnd& wnd)
{
    Pump();
    return wnd.GetWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int ColourCount(const QImage& img)
{
    std::set<QRgb> colours;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            colours.insert(img.pixel(x, y));
    return int(colours.size());
}

}  // namespace

TEST(PromptScreens, PromptsInBothLanguages)
{
    EnsureSharedGdiObjects();
    struct Case {
        const char* state;
        std::function<std::unique_ptr<CDialog>()> open;
    };
    const Case cases[] = {
        {"L/R link", [] {
             auto d = std::make_unique<CAll_Link_Dlg>();
             d->Create(IDD_ALL_LINK);
             return std::unique_ptr<CDialog>(std::move(d));
         }},
        {"speaker map reset", [] {
             auto d = std::make_unique<CReMap_Dlg>();
             d->Create(IDD_REMAP);
             return std::unique_ptr<CDialog>(std::move(d));
         }},
        {"pair link CH3/CH4", [] {
             auto d = std::make_unique<CCH_Link_Dlg>();
             d->m_nPair = 1;
             d->Create(IDD_CH_LINK);
             return std::unique_ptr<CDialog>(std::move(d));
         }},
    };
    Sheet sheet("output_prompts");
    for (const Case& c : cases) {
        QImage shots[2];
        for (int lang = 0; lang < 2; ++lang) {
            SCOPED_TRACE(testing::Message() << c.state << " " << screens::kLanguages[lang]);
            g_bChinese = lang;
            std::unique_ptr<CDialog> dlg = c.open();
            ASSERT_TRUE(dlg->GetSafeHwnd());
            dlg->ShowWindow(SW_SHOW);
            shots[lang] = GrabDialog(*dlg);
            EXPECT_GT(ColourCount(shots[lang]), 8);  // texts and button edges, not a bare panel
            sheet.Add(c.state, lang, shots[lang]);
            dlg->DestroyWindow();
        }
        if (std::string(c.state) != "pair link CH3/CH4") {
            EXPECT_NE(shots[0], shots[1]) << c.state;
        } else {
            EXPECT_EQ(shots[0], shots[1]) << "the pair prompt is English only";
        }
    }
    g_bChinese = 0;
}

TEST(PromptScreens, DelayPanelOnAStage)
{
    EnsureSharedGdiObjects();
    CStage stage;
    ASSERT_TRUE(stage.Make(30, 30, 480, 460));
    Sheet sheet("output_delay_panel");
    for (int lang = 0; lang < 2; ++lang) {
        g_bChinese = lang;
        CDelayDlg dlg;
        ASSERT_TRUE(dlg.CreatePanel(&stage));
        dlg.ShowWindow(SW_SHOW);
        for (int c = 0; c < DELAY_DLG_CHANNELS; ++c)
            dlg.m_spinDelay[c].SetPos(c * 120);
        dlg.SetButtonSelected(2, TRUE);
        sheet.Add("delay panel", lang, GrabDialog(stage));
        dlg.DestroyWindow();
    }
    g_bChinese = 0;
}
