// Pictures of the input page under <build>/screens/input_page_*.png, in both languages, locked
// and in AUX mode 2; and a few pixels that tell the states apart.
#include "InputPageRig.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace input_test;

namespace {

QImage Grab(CInPutDlg& page)
{
    page.ShowWindow(SW_SHOW);
    page.Invalidate();
    QApplication::processEvents();
    return page.GetWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void Save(const QImage& img, const char* name)
{
    const QString dir = QString(ORVANE_BINARY_DIR) + "/screens";
    QDir().mkpath(dir);
    ASSERT_TRUE(img.save(dir + "/input_page_" + name + ".png"));
}

// Differing pixels inside a rectangle of two pictures.
int Diff(const QImage& a, const QImage& b, const CRect& rc)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            n += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    return n;
}

CRect RectIn(CInPutDlg& page, CWnd& w)
{
    CRect rc;
    w.GetWindowRect(&rc);
    page.ScreenToClient(&rc);
    return rc;
}

}  // namespace

TEST_F(InputPageTest, Screens)
{
    // A curve worth looking at on input 0.
    Music(0).GetFilter(3)->SetGainIndex(290);
    Music(0).GetFilter(9)->SetGainIndex(120);
    Music(0).GetFilter(9)->SetBandwidthIndex(120);
    page->UpdateInputButtons();
    const QImage en = Grab(*page);
    Save(en, "en");
    EXPECT_EQ(en.width(), INPUT_PAGE_WIDTH);
    EXPECT_EQ(en.height(), INPUT_PAGE_HEIGHT);

    g_bChinese = 1;
    page->ApplyLanguage();
    page->UpdateInputButtons();
    const QImage cn = Grab(*page);
    Save(cn, "cn");
    // The selectors and the display read in the other language.
    EXPECT_GT(Diff(en, cn, RectIn(*page, page->GetSelector(1))), 50);
    EXPECT_GT(Diff(en, cn, RectIn(*page, page->GetShownDisplay())), 50);

    g_bySysParams[2] = 1;
    page->ApplyEqEnable();
    const QImage lockedCn = Grab(*page);
    Save(lockedCn, "cn_locked");
    // The shown selector turns dark; the faders show their disabled look.
    EXPECT_GT(Diff(cn, lockedCn, RectIn(*page, page->GetSelector(0))), 50);
    g_bChinese = 0;
    page->ApplyLanguage();
    page->ApplyEqEnable();
    Save(Grab(*page), "en_locked");
    g_bySysParams[2] = 0;
    page->ApplyEqEnable();

    g_nShownInput = 5;
    g_byInputSource = 5;
    page->UpdateInputButtons();
    Click(IDC_IN_KIND + 2);
    const QImage aux2 = Grab(*page);
    Save(aux2, "en_aux2");
    // AUX4 and AUX5 selectors are gone: their slots show the background only.
    EXPECT_GT(Diff(en, aux2, page->GetSelectorRect(5)), 50);
    g_bChinese = 1;
    page->ApplyLanguage();
    page->UpdateInputButtons();
    Save(Grab(*page), "cn_aux2");
}
