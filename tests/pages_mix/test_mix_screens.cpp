// Pictures of the mixer page (outputs 9 and 10 paired, so pair panel 4 stands in place of CH10)
// and of the system and advanced settings dialogs, in both languages, written to
// <build>/screens/mixer/ for people to look at; with checks that the skin, the red frame and the
// texts are really drawn where they belong.
#include "MixTestRig.h"

#include "AppMessages.h"
#include "CCurSYSDlg.h"
#include "CInputNoise.h"
#include "CMixInPutCom.h"

#include <QDir>
#include <QImage>
#include <QWidget>

using namespace mixtest;

namespace {

QImage Grab(CWnd& wnd)
{
    Pump();
    return wnd.GetWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void Save(const QImage& img, const char* name, bool chinese)
{
    const QString dir = QStringLiteral(ORVANE_BINARY_DIR "/screens/mixer");
    QDir().mkpath(dir);
    EXPECT_TRUE(img.save(QStringLiteral("%1/%2_%3.png").arg(dir, name, chinese ? "cn" : "en")));
}

bool IsFrameRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 90; }
bool IsBright(QRgb c) { return qRed(c) > 150 && qGreen(c) > 150 && qBlue(c) > 150; }

int Count(const QImage& img, const CRect& rc, bool (*pass)(QRgb))
{
    int n = 0;
    for (int y = std::max(0, int(rc.top)); y < std::min(img.height(), int(rc.bottom)); ++y)
        for (int x = std::max(0, int(rc.left)); x < std::min(img.width(), int(rc.right)); ++x)
            n += pass(img.pixel(x, y)) ? 1 : 0;
    return n;
}

class MixScreens : public MixRig {};

}  // namespace

TEST_F(MixScreens, MixerWithOutputs9And10Paired)
{
    host.m_pairs[8] = host.m_pairs[9] = 1;
    Out(2).SetMixA3(35);
    Out(8).SetMixB5(64);
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        CMixInPutCom page;
        page.m_pView = &host;
        page.m_pScene = scene.get();
        ASSERT_TRUE(page.Create(IDD_MIXER_PAGE, nullptr));
        EXPECT_EQ(page.GetWindowText(), chinese ? "输入信号" : "Input Signal");
        // The tips name the source of the row in the language of this opening.
        EXPECT_EQ(page.m_Columns[0].m_editLevel[8].GetWidget()->toolTip().toStdString(),
                  chinese ? "蓝牙左" : "Bluetooth-L");
        EXPECT_EQ(page.m_Columns[5].m_sliderLevel[10].GetWidget()->toolTip().toStdString(),
                  chinese ? "数字左" : "SPDIF-L");
        page.SendMessage(WM_MIX_COLUMN_FOCUS, 2, 0);
        const QImage img = Grab(page);
        Save(img, "mixer", chinese);
        ASSERT_GE(img.width(), MIXER_BACK_WIDTH);
        ASSERT_GE(img.height(), MIXER_BACK_HEIGHT);
        // The red frame is around CH3 only.
        const CRect frame = MixFrameRect(2);
        EXPECT_GT(Count(img, CRect(frame.left, frame.top, frame.right, frame.top + 1), IsFrameRed), 90);
        EXPECT_EQ(Count(img, CRect(MixFrameRect(0).left, 10, MixFrameRect(0).right, 11), IsFrameRed), 0);
        // Row names at the left and channel names at the bottom are drawn.
        EXPECT_GT(Count(img, CRect(0, 16, 64, 586), IsBright), 100);
        EXPECT_GT(Count(img, CRect(68, 588, 1120, 616), IsBright), 60);
        // Panel 4 shows CH9's SPDIF-L level in place of CH10.
        EXPECT_EQ(page.m_PairPanels[4].GetRowText(11), "64");
        EXPECT_FALSE(page.m_Columns[9].IsWindowVisible());
        page.DestroyWindow();
    }
}

TEST_F(MixScreens, SystemDialog)
{
    Out(1).SetLimitThreshold(300);
    Out(1).SetCompThreshold(200);
    Out(1).SetCompRatio(31);
    scene->GetMusicData(0)->SetNoiseGate(40);
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        CCurSYSDlg dlg;
        dlg.m_pScene = scene.get();
        ASSERT_TRUE(dlg.Create(IDD_SYSTEM, nullptr));
        EXPECT_EQ(dlg.GetWindowText(), chinese ? "系统" : "System");
        const QImage img = Grab(dlg);
        Save(img, "system", chinese);
        // The field texts are drawn in white on the dark face.
        CRect rc;
        dlg.m_edit[SYS_COMP_RATIO][1].GetWindowRect(&rc);
        dlg.ScreenToClient(&rc);
        EXPECT_GT(Count(img, rc, IsBright), 10);
        dlg.DestroyWindow();
    }
}

TEST_F(MixScreens, AdvancedSettingsDialog)
{
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        CInputNoise dlg;
        dlg.m_pView = &host;
        ASSERT_TRUE(dlg.Create(IDD_ADVANCED_SETTINGS, nullptr));
        EXPECT_EQ(dlg.GetWindowText(), chinese ? "高级设置" : "Advanced settings");
        Save(Grab(dlg), "advanced", chinese);
        dlg.DestroyWindow();
    }
}
