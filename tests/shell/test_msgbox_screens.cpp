// Pictures of the message box and the transfer popup in both languages, written to
// <build>/screens/ for people to look at (each window under a drawn title strip that shows its
// caption, since a window grab holds only the client area), with checks that the texts really
// were drawn where the layout puts them.
#include "CDisplayDlg.h"
#include "CMessageBox.h"
#include "DialogScreens.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "ShellGlobals.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace dialogscreens;

namespace {

const char* const kLang[2] = {"en", "cn"};

// One picture per state and language, and a sheet with states down and languages across.
class Sheet {
public:
    explicit Sheet(std::string name) : m_name(std::move(name)) {}
    ~Sheet()
    {
        const QString dir = QStringLiteral(ORVANE_BINARY_DIR "/screens/") + QString::fromStdString(m_name);
        QDir().mkpath(dir);
        int cellW = 0, cellH = 0;
        for (const Cell& c : m_cells) {
            EXPECT_TRUE(c.img.save(QStringLiteral("%1/%2_%3.png").arg(dir, QString::fromStdString(c.state),
                                                                        kLang[c.lang])));
            cellW = std::max(cellW, c.img.width());
            cellH = std::max(cellH, c.img.height());
        }
        const int pad = 10;
        const int rows = int(m_cells.size() + 1) / 2;
        QImage sheet(2 * (cellW + pad) + pad, rows * (cellH + pad) + pad, QImage::Format_RGB32);
        sheet.fill(QColor(60, 64, 70));
        QPainter p(&sheet);
        for (size_t i = 0; i < m_cells.size(); ++i)
            p.drawImage(pad + m_cells[i].lang * (cellW + pad), pad + int(i / 2) * (cellH + pad), m_cells[i].img);
        p.end();
        EXPECT_TRUE(sheet.save(dir + ".png"));
    }
    // Add both languages of a state one after the other (English first).
    void Add(const std::string& state, int lang, const QImage& img) { m_cells.push_back({state, lang, img}); }

private:
    struct Cell {
        std::string state;
        int lang;
        QImage img;
    };
    std::string m_name;
    std::vector<Cell> m_cells;
};

// Pixels of the rectangle (client coordinates) that are far from the colour.
int PixelsUnlike(const QImage& img, const CRect& rc, QColor colour)
{
    int n = 0;
    for (int y = std::max(0, int(rc.top)); y < std::min(img.height(), int(rc.bottom)); ++y)
        for (int x = std::max(0, int(rc.left)); x < std::min(img.width(), int(rc.right)); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                    std::abs(c.blue() - colour.blue()) > 150)
                ++n;
        }
    return n;
}

CRect RectIn(CWnd& parent, CWnd& child)
{
    CRect rc;
    child.GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    return rc;
}

class ScreensOfBoxes : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!g_fontArial16.GetSafeHandle())
            CreateSharedGdiObjects();
    }
    void TearDown() override
    {
        g_bChinese = 0;
        g_bTransferBusy = 0;
    }
};

}  // namespace

TEST_F(ScreensOfBoxes, MessageBoxes)
{
    struct Kind {
        const char* state;
        UINT type;
        int selector[2];  // English, Chinese
        const char* text[2];
    };
    const Kind kinds[] = {
        {"prompt", MB_OK, {TIMED_PROMPT, TIMED_PROMPT}, {"Scene saved to the device.", "场景已保存到设备。"}},
        {"warning", MB_OK, {CAPTION_WARNING_EN, CAPTION_WARNING_CN},
         {"Connection failure! Please check the USB cable.", "连接失败！请检查USB线。"}},
        {"yes_no", MB_YESNO, {CAPTION_PROMPT_EN, CAPTION_PROMPT_CN}, {"Delete scene 3?", "删除场景3?"}},
    };
    Sheet sheet("message_box");
    std::vector<QImage> texts;
    for (const Kind& k : kinds) {
        for (int lang = 0; lang < 2; ++lang) {
            SCOPED_TRACE(testing::Message() << k.state << " " << kLang[lang]);
            g_bChinese = lang;
            CMessageBox box(k.text[lang], k.type, "Orvane", k.selector[lang]);
            ASSERT_TRUE(box.Create(IDD_MESSAGEBOX, nullptr));
            box.KillTimer(MESSAGEBOX_CLOSE_TIMER);
            const QImage img = Grab(box);
            sheet.Add(k.state, lang, Framed(img, box.GetWindowText()));
            const CRect text = RectIn(box, box.m_stText);
            const CRect ok = RectIn(box, box.m_btnOK);
            const QColor face = img.pixelColor(2, 2);
            EXPECT_GT(PixelsUnlike(img, text, face), 20);  // the message was drawn
            EXPECT_GT(PixelsUnlike(img, ok, face), 20);    // and the OK (Yes) button
            texts.push_back(img.copy(text.left, text.top, text.Width(), text.Height()));
            box.DestroyWindow();
        }
    }
    // Every text drew differently (Chinese glyphs included: no empty boxes for missing fonts).
    for (size_t i = 0; i < texts.size(); ++i)
        for (size_t j = i + 1; j < texts.size(); ++j)
            EXPECT_NE(texts[i], texts[j]) << i << " " << j;
}

TEST_F(ScreensOfBoxes, TransferPopup)
{
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0));
    Sheet sheet("transfer_popup");
    struct Kind {
        const char* state;
        bool factory;
        int ticks;  // blink ticks before the picture: 1 navy, 2 red
    };
    const Kind kinds[] = {{"transfer_navy", false, 1}, {"transfer_red", false, 2}, {"factory_reset", true, 30}};
    for (const Kind& k : kinds) {
        for (int lang = 0; lang < 2; ++lang) {
            SCOPED_TRACE(testing::Message() << k.state << " " << kLang[lang]);
            g_bChinese = lang;
            CDisplayDlg popup(&frame);
            ASSERT_TRUE(popup.CreatePopup());
            if (k.factory)
                popup.SetFactoryMode();
            else
                popup.m_progress.SetPos(40);
            g_bTransferBusy = 1;
            popup.ShowProgress(0);
            popup.KillTimer(DISPLAY_TIMER);
            for (int i = 0; i < k.ticks; ++i)
                popup.SendMessage(WM_TIMER, DISPLAY_TIMER);
            const QImage img = Grab(popup);
            sheet.Add(k.state, lang, Framed(img, popup.GetWindowText()));
            EXPECT_EQ(img.pixelColor(2, 2), QColor(229, 229, 229));  // the popup's own grey
            const CRect text = RectIn(popup, popup.m_stText);
            const QColor ink = popup.m_stText.GetTextColor() == DISPLAY_TEXT_RED ? QColor(255, 0, 0) : QColor(0, 0, 128);
            int inked = 0;
            for (int y = text.top; y < text.bottom; ++y)
                for (int x = text.left; x < text.right; ++x)
                    inked += img.pixelColor(x, y) == ink;
            EXPECT_GT(inked, 10);  // the text line in its blink colour
            popup.HideProgress();
        }
    }
}
