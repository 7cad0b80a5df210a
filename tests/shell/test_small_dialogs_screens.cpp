// Pictures of the shell's small dialogs in both languages, written to <build>/screens/ for
// people to look at (each under a drawn title strip with its caption, as a grab holds only the
// client area), with checks that the coloured texts and the skinned background really are drawn.
#include "CHelpDlg.h"
#include "CINIT.h"
#include "CSaveData_Dlg.h"
#include "CVersionDlg.h"
#include "DialogScreens.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "LinkGlobals.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace dialogscreens;

namespace {

// Pixels of the rectangle that pass the test.
int CountPixels(const QImage& img, const CRect& rc, const std::function<bool(QRgb)>& pass)
{
    int n = 0;
    for (int y = std::max(0, int(rc.top)); y < std::min(img.height(), int(rc.bottom)); ++y)
        for (int x = std::max(0, int(rc.left)); x < std::min(img.width(), int(rc.right)); ++x)
            n += pass(img.pixel(x, y)) ? 1 : 0;
    return n;
}

bool IsPureBlue(QRgb c) { return qRed(c) < 60 && qGreen(c) < 60 && qBlue(c) > 200; }
bool IsPureRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60; }
bool IsDark(QRgb c) { return qRed(c) < 100 && qGreen(c) < 100 && qBlue(c) < 100; }

CRect ChildRect(CWnd& parent, CWnd& child)
{
    CRect rc;
    child.GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    return rc;
}

// One row per dialog, languages across; every picture also on its own.
class Sheet {
public:
    ~Sheet()
    {
        const QString dir = QStringLiteral(ORVANE_BINARY_DIR "/screens/small_dialogs");
        QDir().mkpath(dir);
        int cellW = 0, cellH = 0;
        for (const Cell& c : m_cells) {
            EXPECT_TRUE(c.img.save(QStringLiteral("%1/%2_%3.png").arg(dir, QString::fromStdString(c.name),
                                                                        c.lang ? "cn" : "en")));
            cellW = std::max(cellW, c.img.width());
            cellH = std::max(cellH, c.img.height());
        }
        const int pad = 10;
        std::vector<std::string> rowNames;
        for (const Cell& c : m_cells)
            if (std::find(rowNames.begin(), rowNames.end(), c.name) == rowNames.end())
                rowNames.push_back(c.name);
        const int rows = int(rowNames.size());
        QImage sheet(2 * (cellW + pad) + pad, rows * (cellH + pad) + pad, QImage::Format_RGB32);
        sheet.fill(QColor(60, 64, 70));
        QPainter p(&sheet);
        for (const Cell& c : m_cells) {
            const int row = int(std::find(rowNames.begin(), rowNames.end(), c.name) - rowNames.begin());
            p.drawImage(pad + c.lang * (cellW + pad), pad + row * (cellH + pad), c.img);
        }
        p.end();
        EXPECT_TRUE(sheet.save(dir + ".png"));
    }
    // One row per name, English left and Chinese right.
    void Add(const std::string& name, int lang, const QImage& img) { m_cells.push_back({name, lang, img}); }

private:
    struct Cell {
        std::string name;
        int lang;
        QImage img;
    };
    std::vector<Cell> m_cells;
};

class SmallDialogScreens : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!g_fontArial16.GetSafeHandle())
            CreateSharedGdiObjects();
        std::memcpy(g_szDeviceVersion, "MPEK-QK1.00", DEVICE_VERSION_LENGTH);
    }
    void TearDown() override
    {
        g_bChinese = 0;
        std::memset(g_szDeviceVersion, 0, sizeof(g_szDeviceVersion));
    }
};

}  // namespace

TEST_F(SmallDialogScreens, SheetOfAllDialogsInBothLanguages)
{
    Sheet sheet;
    for (int lang : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "chinese " << lang);
        g_bChinese = lang;
        {
            CVersionDlg dlg;
            ASSERT_TRUE(dlg.Create(IDD_VERSION));
            const QImage img = Grab(dlg);
            // The skinned background shows right of the picture and above the texts.
            const QRgb back = img.pixel(img.width() - 3, 3);
            EXPECT_EQ(qRgb(qRed(back), qGreen(back), qBlue(back)),
                      qRgb(GetRValue(CLR_DLG_BACK), GetGValue(CLR_DLG_BACK), GetBValue(CLR_DLG_BACK)));
            EXPECT_GT(CountPixels(img, ChildRect(dlg, dlg.m_stDevVersion), IsDark), 20);
            EXPECT_GT(CountPixels(img, ChildRect(dlg, dlg.m_stSoftVersion), IsDark), 20);
            sheet.Add("about", lang, Framed(img, dlg.GetWindowText()));
        }
        {
            CHelpDlg dlg;
            ASSERT_TRUE(dlg.Create(IDD_HELP));
            const QImage img = Grab(dlg);
            EXPECT_GT(CountPixels(img, ChildRect(dlg, dlg.m_stLink), IsPureBlue), 50);
            EXPECT_EQ(CountPixels(img, ChildRect(dlg, dlg.m_stHint), IsPureBlue), 0);
            EXPECT_GT(CountPixels(img, ChildRect(dlg, dlg.m_stHint), IsDark), 50);
            sheet.Add("help", lang, Framed(img, dlg.GetWindowText()));
        }
        {
            CINIT dlg;
            ASSERT_TRUE(dlg.Create(IDD_INIT));
            const QImage img = Grab(dlg);
            EXPECT_GT(CountPixels(img, ChildRect(dlg, dlg.m_stTitle), IsPureRed), 20);
            EXPECT_EQ(CountPixels(img, ChildRect(dlg, dlg.m_stMessage), IsPureRed), 0);
            EXPECT_GT(CountPixels(img, ChildRect(dlg, dlg.m_stMessage), IsDark), 50);
            sheet.Add("factory_reset", lang, Framed(img, dlg.GetWindowText()));
        }
        {
            CSaveData_Dlg dlg;
            ASSERT_TRUE(dlg.Create(IDD_SAVEDATA));
            const QImage img = Grab(dlg);
            EXPECT_GT(CountPixels(img, ChildRect(dlg, dlg.m_stQuestion), IsDark), 50);
            sheet.Add("exit_question", lang, Framed(img, dlg.GetWindowText()));
        }
    }
}

TEST_F(SmallDialogScreens, TwoChineseCaptionsDrawDifferently)
{
    // Without a Chinese font the captions of the Yes and No buttons would draw as the same
    // empty box.
    g_bChinese = 1;
    CSaveData_Dlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_SAVEDATA));
    const CRect yesRect = ChildRect(dlg, dlg.m_btnYes);
    const CRect noRect = ChildRect(dlg, dlg.m_btnNo);
    // Edges are rounded one by one, so the two may differ by a pixel: compare the common part.
    const int w = std::min(yesRect.Width(), noRect.Width());
    const int h = std::min(yesRect.Height(), noRect.Height());
    const QImage img = Grab(dlg);
    const QImage yes = img.copy(yesRect.left, yesRect.top, w, h);
    const QImage no = img.copy(noRect.left, noRect.top, w, h);
    EXPECT_NE(yes, no) << "是 and 否 rendered the same";
}
