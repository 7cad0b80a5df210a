// The main view's form in both languages, linked to the emulator, written to
// <build>/screens/view_cn.png and view_en.png for people to look at. The checks: the form has
// its pixel size, every command button shows a picture, the pictures change with the language
// where their text does, the page area is the output page, and the hidden controls stay hidden.
#include "E2eRig.h"

#include "Globals.h"

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

using namespace e2e;

namespace {

QImage Grab(CWnd& wnd) { return wnd.GetWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

QImage Part(const QImage& img, CWnd& child, CWnd& parent)
{
    CRect rc;
    child.GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    return img.copy(rc.left, rc.top, rc.Width(), rc.Height());
}

// More than one colour: something was drawn there.
bool HasPicture(const QImage& img)
{
    if (img.isNull())
        return false;
    const QRgb first = img.pixel(0, 0);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != first)
                return true;
    return false;
}

}  // namespace

TEST(ViewScreens, FormInBothLanguages)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    CKRV330View& view = *rig.view;

    const UINT languageButtons[] = {IDC_SCENE_MENU, IDC_SETTINGS_MENU, IDC_CONNECT, IDC_MIXER, IDC_EQ_MODE,
                                    IDC_BYPASS_ALL, IDC_RESET_ALL_EQ, IDC_RESET_MAP, IDC_LINK_LR};
    const UINT sameButtons[] = {IDC_MINIMIZE, IDC_EXIT, IDC_INPUT_TYPE, IDC_AUDIO_SOURCE};
    const UINT hidden[] = {IDC_PAGE_OUTPUT,  IDC_PAGE_OUTPUT + 1, IDC_PAGE_OUTPUT + 2, IDC_MODE_FIRST,
                           IDC_SYSTEM,       IDC_FUNCTION_8804,   IDC_SPARE,           IDC_SOURCE_ON,
                           IDC_PERCENT,      IDC_SCENE_NAME_EDIT, IDC_VIEW_PROGRESS,   IDC_LINK_STATE};

    QImage shots[2];
    const char* const names[2] = {"view_en.png", "view_cn.png"};
    for (int cn = 0; cn < 2; ++cn) {
        SCOPED_TRACE(names[cn]);
        g_bChinese = cn;
        view.SwitchLanguage(FALSE);
        PumpFor(100);
        shots[cn] = Grab(view);
        ASSERT_EQ(shots[cn].width(), VIEW_FORM_WIDTH);
        ASSERT_EQ(shots[cn].height(), VIEW_FORM_HEIGHT);
        const QString dir = QStringLiteral(ORVANE_BINARY_DIR "/screens");
        QDir().mkpath(dir);
        EXPECT_TRUE(shots[cn].save(dir + "/" + names[cn]));

        for (UINT id : languageButtons) {
            CWnd* b = view.GetDlgItem(int(id));
            ASSERT_NE(b, nullptr) << id;
            EXPECT_TRUE(b->GetStyle() & WS_VISIBLE) << id;
            EXPECT_TRUE(HasPicture(Part(shots[cn], *b, view))) << id;
        }
        for (UINT id : hidden) {
            CWnd* w = view.GetDlgItem(int(id));
            ASSERT_NE(w, nullptr) << id;
            EXPECT_FALSE(w->GetStyle() & WS_VISIBLE) << id;
        }
        EXPECT_TRUE(view.GetOutputPage().GetStyle() & WS_VISIBLE);
        EXPECT_EQ(view.GetViewProgress().GetBkColor(), COLORREF(0x808080));
        EXPECT_EQ(view.GetSceneNameButton().GetWindowText(), "Live One");
    }
    // Texts in the pictures follow the language; the symbols and selector faces do not change.
    for (UINT id : languageButtons) {
        CWnd* b = view.GetDlgItem(int(id));
        EXPECT_NE(Part(shots[0], *b, view), Part(shots[1], *b, view)) << id;
    }
    for (UINT id : {IDC_MINIMIZE, IDC_EXIT}) {
        CWnd* b = view.GetDlgItem(int(id));
        EXPECT_EQ(Part(shots[0], *b, view), Part(shots[1], *b, view)) << id;
    }
    for (UINT id : sameButtons)
        EXPECT_TRUE(HasPicture(Part(shots[0], *view.GetDlgItem(int(id)), view))) << id;
    // The selectors carry the source names of the language.
    EXPECT_EQ(view.GetAudioSourceSelector().GetCount(), 4);
    // The self-closing box's helper window exists and is never seen.
    ASSERT_TRUE(view.GetMsgBox().GetSafeHwnd());
    EXPECT_FALSE(view.GetMsgBox().GetStyle() & WS_VISIBLE);
}
