// The shell's small dialogs: their texts in both languages, the answer of every way out of the
// exit question and the factory-reset warning, the versions of the About box, and the help
// link, whose click must reach the desktop opener (replaced here, so nothing ever opens).
#include "CHelpDlg.h"
#include "CHiLevelSourceDlg.h"
#include "CINIT.h"
#include "CSaveData_Dlg.h"
#include "CVersionDlg.h"
#include "Cursor.h"
#include "FirmwareState.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "KeyStroke.h"
#include "LinkGlobals.h"
#include "WinApi.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// Runs the action once the dialog's modal loop is up; a dialog still up after a generous
// limit is closed with Esc and reported as hung.
INT_PTR RunModal(CDialog& dlg, const std::function<void()>& action, bool* pHung = nullptr)
{
    bool acted = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (acted || !dlg.GetSafeHwnd() || QApplication::activeModalWidget() != dlg.GetWidget())
            return;
        acted = true;
        action();
    });
    poll.start(10);
    bool hung = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        hung = true;
        if (dlg.GetSafeHwnd())
            dlg.SendMessage(WM_CLOSE);
    });
    guard.start(15000);
    const INT_PTR result = dlg.DoModal();
    EXPECT_TRUE(acted) << "the dialog never came up";
    if (pHung)
        *pHung = hung;
    else
        EXPECT_FALSE(hung) << "the dialog did not end by itself";
    return result;
}

void Click(CButton& button) { button.SendMessage(BM_CLICK); }

void LeftClick(CWnd& wnd)
{
    QWidget* w = wnd.GetWidget();
    const QPointF local(4, 4);
    const QPointF global = w->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

// The close box of the window manager.
void CloseBox(CDialog& dlg) { dlg.GetWidget()->close(); }

enum class Way { Button1, Button2, Button3, Enter, Esc, CloseBox };

const char* WayName(Way w)
{
    switch (w) {
    case Way::Button1:
        return "first button";
    case Way::Button2:
        return "second button";
    case Way::Button3:
        return "third button";
    case Way::Enter:
        return "Enter";
    case Way::Esc:
        return "Esc";
    case Way::CloseBox:
        return "close box";
    }
    return "?";
}

class SmallDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!g_fontArial16.GetSafeHandle())
            CreateSharedGdiObjects();
        std::memset(g_szDeviceVersion, 0, sizeof(g_szDeviceVersion));
    }
    void TearDown() override
    {
        g_bChinese = 0;
        g_bUpdating = 0;
        std::memset(g_szDeviceVersion, 0, sizeof(g_szDeviceVersion));
    }
};

}  // namespace

TEST_F(SmallDialogsTest, ExitQuestionAnswersEveryWayOut)
{
    struct Case {
        Way way;
        INT_PTR ending;
        int answer;
    };
    const Case cases[] = {
        {Way::Button1, IDOK, IDYES},        {Way::Button2, IDCANCEL, IDNO},  {Way::Button3, IDCANCEL, IDCANCEL},
        {Way::Enter, IDOK, IDYES},          {Way::Esc, IDCANCEL, IDCANCEL},  {Way::CloseBox, IDCANCEL, IDCANCEL},
    };
    for (int lang : {0, 1}) {
        g_bChinese = lang;
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << WayName(c.way) << " chinese " << lang);
            CSaveData_Dlg dlg;
            int resultWhileUp = 0;
            const INT_PTR ending = RunModal(dlg, [&] {
                resultWhileUp = dlg.m_nResult;
                switch (c.way) {
                case Way::Button1:
                    Click(dlg.m_btnYes);
                    break;
                case Way::Button2:
                    Click(dlg.m_btnNo);
                    break;
                case Way::Button3:
                    Click(dlg.m_btnCancel);
                    break;
                case Way::Enter:
                    PressKeyInFocusWindow(VK_RETURN);
                    break;
                case Way::Esc:
                    PressKeyInFocusWindow(VK_ESCAPE);
                    break;
                case Way::CloseBox:
                    CloseBox(dlg);
                    break;
                }
            });
            EXPECT_EQ(resultWhileUp, 1);
            EXPECT_EQ(ending, c.ending);
            EXPECT_EQ(dlg.m_nResult, c.answer);
        }
    }
}

TEST_F(SmallDialogsTest, ExitQuestionNeverRunKeepsTheProgramGoing)
{
    const CSaveData_Dlg dlg;
    EXPECT_EQ(dlg.m_nResult, IDCANCEL);
}

TEST_F(SmallDialogsTest, FactoryResetWarningEndsWithOkOnlyWhenConfirmed)
{
    struct Case {
        Way way;
        INT_PTR ending;
    };
    const Case cases[] = {{Way::Button1, IDOK}, {Way::Button2, IDCANCEL}, {Way::Enter, IDOK},
                          {Way::Esc, IDCANCEL},  {Way::CloseBox, IDCANCEL}};
    for (const Case& c : cases) {
        SCOPED_TRACE(WayName(c.way));
        CINIT dlg;
        const INT_PTR ending = RunModal(dlg, [&] {
            switch (c.way) {
            case Way::Button1:
                Click(dlg.m_btnOK);
                break;
            case Way::Button2:
                Click(dlg.m_btnCancel);
                break;
            case Way::Enter:
                // Even with the focus on Cancel, Enter confirms.
                dlg.m_btnCancel.SetFocus();
                PressKeyInFocusWindow(VK_RETURN);
                break;
            case Way::Esc:
                PressKeyInFocusWindow(VK_ESCAPE);
                break;
            default:
                CloseBox(dlg);
                break;
            }
        });
        EXPECT_EQ(ending, c.ending);
    }
}

TEST_F(SmallDialogsTest, AboutBoxQuitsWithOkAndItsHelpButtonDoesNothing)
{
    CVersionDlg dlg;
    bool helpLeftItOpen = false;
    const INT_PTR ending = RunModal(dlg, [&] {
        Click(dlg.m_btnHelp);
        helpLeftItOpen = dlg.GetSafeHwnd() && dlg.IsWindowVisible();
        Click(dlg.m_btnQuit);
    });
    EXPECT_TRUE(helpLeftItOpen);
    EXPECT_EQ(ending, IDOK);
}

TEST_F(SmallDialogsTest, DeviceVersionIsShownWithTheProgramsPrefix)
{
    struct Case {
        const char* raw;  // up to 12 bytes as the version reply leaves them
        const char* shown;
    };
    const Case cases[] = {
        {"", ""},
        {"MPEK-QK1.00", "MPVORN-QK1.00"},
        {"  QK1.00   ", "MPVORN-QK1.00"},
        {"MPEK-QK1.0 ", "MPVORN--QK1.0"},
        {"AB", "MPVORN-AB"},                      // shorter than the tail: all of it
        {"ABCDEFGHIJKL", "MPVORN-FGHIJK"},        // no terminator: the 12th byte is not text
        {"       ", ""},                           // blanks only: nothing to show
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.raw);
        char field[12] = {};
        std::memcpy(field, c.raw, std::min<size_t>(std::strlen(c.raw), sizeof(field)));
        EXPECT_EQ(CVersionDlg::DeviceVersionText(field), c.shown);
    }
}

TEST_F(SmallDialogsTest, AboutBoxShowsBothVersionsAndLeavesFirmwareMode)
{
    struct Case {
        int chinese;
        const char* device;
        const char* deviceLine;
        const char* softwareLine;
    };
    const Case cases[] = {
        {0, "MPEK-QK1.00", "Device version MPVORN-QK1.00", "Software version VORN-QK1.01"},
        {1, "MPEK-QK1.00", "设备版本 MPVORN-QK1.00", "软件版本 VORN-QK1.01"},
        {0, "", "Device version ", "Software version VORN-QK1.01"},
        {1, "", "设备版本 ", "软件版本 VORN-QK1.01"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.device << " chinese " << c.chinese);
        g_bChinese = c.chinese;
        std::memset(g_szDeviceVersion, 0, sizeof(g_szDeviceVersion));
        std::memcpy(g_szDeviceVersion, c.device, std::strlen(c.device));
        g_bUpdating = 1;
        CVersionDlg dlg;
        CString device, software, caption;
        RunModal(dlg, [&] {
            device = dlg.GetDlgItem(IDC_VERSION_DEVICE)->GetWindowText();
            software = dlg.GetDlgItem(IDC_VERSION_SOFTWARE)->GetWindowText();
            caption = dlg.GetWindowText();
            PressKeyInFocusWindow(VK_ESCAPE);
        });
        EXPECT_EQ(device, c.deviceLine);
        EXPECT_EQ(software, c.softwareLine);
        EXPECT_EQ(caption, c.chinese ? "关于" : "About");
        EXPECT_EQ(g_bUpdating.load(), 0);
    }
}

TEST_F(SmallDialogsTest, TextsFollowTheLanguage)
{
    // Control id (0: the caption) and its text, English then Chinese.
    struct Text {
        int id;
        const char* en;
        const char* cn;
    };
    struct DialogCase {
        const char* name;
        std::function<CDialog*()> make;
        std::vector<Text> texts;
    };
    const DialogCase dialogs[] = {
        {"about",
         [] { return new CVersionDlg; },
         {{0, "About", "关于"}, {IDC_VERSION_QUIT, "Quit", "退出"}, {IDC_VERSION_HELP, "Help", "帮助"},
          {IDC_VERSION_SOFTWARE, "Software version VORN-QK1.01", "软件版本 VORN-QK1.01"},
          {IDC_VERSION_LINE, "", ""}}},
        {"help",
         [] { return new CHelpDlg; },
         {{0, "Help", "帮助"},
          {IDC_HELP_HINT,
           "Please go to Vorns official website - commercial customization - car audio to download related "
           "files by model.",
           "请进入沃恩官网-商用定制-汽车音响\n按型号下载相关文件。"},
          {IDC_HELP_LINK, HELP_SITE_TEXT, HELP_SITE_TEXT}}},
        {"factory reset",
         [] { return new CINIT; },
         {{0, "Warning!", "恢复出厂设置"},
          {IDC_INIT_TITLE, "Warning! ", "警告!"},
          {IDC_INIT_MESSAGE, "   This operation will restore factory Settings", "   该操作将引起设备重启并恢复到出厂时的状态"},
          {IDOK, "OK", "确定"},
          {IDCANCEL, "Quit", "取消"}}},
        {"exit question",
         [] { return new CSaveData_Dlg; },
         {{0, "Prompting", "提示"},
          {IDC_SAVEDATA_QUESTION, "Whether to save the current Presets file?", "是否保存当前场景文件?"},
          {IDOK, "YES", "是"},
          {IDC_SAVEDATA_NO, "NO", "否"},
          {IDCANCEL, "Cancel", "取消"}}},
    };
    for (const DialogCase& d : dialogs) {
        for (int lang : {0, 1}) {
            SCOPED_TRACE(testing::Message() << d.name << " chinese " << lang);
            g_bChinese = lang;
            std::unique_ptr<CDialog> dlg(d.make());
            std::vector<CString> seen;
            RunModal(*dlg, [&] {
                for (const Text& t : d.texts) {
                    CWnd* w = t.id ? dlg->GetDlgItem(t.id) : dlg.get();
                    seen.push_back(w ? w->GetWindowText() : CString("<no control>"));
                }
                PressKeyInFocusWindow(VK_ESCAPE);
            });
            ASSERT_EQ(seen.size(), d.texts.size());
            for (size_t i = 0; i < seen.size(); ++i)
                EXPECT_EQ(seen[i], lang ? d.texts[i].cn : d.texts[i].en) << "control " << d.texts[i].id;
        }
    }
}

TEST_F(SmallDialogsTest, AboutBoxShowsOnlyItsTemplatesVisibleControls)
{
    struct Case {
        UINT id;
        bool visible;
    };
    const Case cases[] = {{IDC_VERSION_PICTURE, true}, {IDC_VERSION_LINE, true},  {IDC_VERSION_DEVICE, true},
                          {IDC_VERSION_SOFTWARE, true}, {IDC_VERSION_NOTICE, true}, {IDC_VERSION_LINK, false},
                          {IDC_VERSION_QUIT, true},    {IDC_VERSION_HELP, false}};
    CVersionDlg dlg;
    std::vector<int> visible;
    RunModal(dlg, [&] {
        for (const Case& c : cases) {
            CWnd* w = dlg.GetDlgItem(int(c.id));
            visible.push_back(w ? int(w->IsWindowVisible() != FALSE) : -1);
        }
        PressKeyInFocusWindow(VK_ESCAPE);
    });
    ASSERT_EQ(visible.size(), std::size(cases));
    for (size_t i = 0; i < visible.size(); ++i)
        EXPECT_EQ(visible[i], int(cases[i].visible)) << "control " << cases[i].id;
}

TEST_F(SmallDialogsTest, HelpLinkClickGoesToTheOpenerAndTheHintDoesNot)
{
    std::vector<std::pair<CString, CString>> opened;
    const ShellOpener previous = SetShellOpener([&](const CString& verb, const CString& file) {
        opened.emplace_back(verb, file);
        return true;
    });
    CHelpDlg dlg;
    size_t afterHint = 99;
    RunModal(dlg, [&] {
        LeftClick(dlg.m_stHint);
        afterHint = opened.size();
        LeftClick(dlg.m_stLink);
        PressKeyInFocusWindow(VK_ESCAPE);
    });
    SetShellOpener(previous);
    EXPECT_EQ(afterHint, 0u);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].first, "open");
    EXPECT_EQ(opened[0].second, HELP_SITE_URL);
}

TEST_F(SmallDialogsTest, HelpLinkHoverTurnsOnOverTheLinkAndOffOutsideIt)
{
    CHelpDlg dlg;
    std::vector<int> hover;
    bool handCursor = false;
    RunModal(dlg, [&] {
        hover.push_back(dlg.m_bHover);
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        // The pointer over the link: the link leaves the cursor to its parent.
        dlg.m_stLink.SendMessage(WM_SETCURSOR, WPARAM(dlg.m_stLink.GetSafeHwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        hover.push_back(dlg.m_bHover);
        handCursor = GetCursor() != nullptr && GetCursor() != LoadCursor(nullptr, IDC_ARROW);
        // Inside the link's rectangle the dialog keeps the hover.
        CRect rc;
        dlg.m_stLink.GetWindowRect(&rc);
        dlg.ScreenToClient(&rc);
        dlg.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rc.left + 2, rc.top + 2));
        hover.push_back(dlg.m_bHover);
        dlg.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        hover.push_back(dlg.m_bHover);
        PressKeyInFocusWindow(VK_ESCAPE);
    });
    EXPECT_EQ(hover, (std::vector<int>{0, 1, 1, 0}));
    EXPECT_TRUE(handCursor);
}

TEST_F(SmallDialogsTest, UnshownSourceDialogHoldsNoWindowAndKeysDoNotEndIt)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 600, 400), nullptr, 0));
    CHiLevelSourceDlg dlg(&owner);
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    for (const CBitmap& bmp : dlg.m_bmpSource)
        EXPECT_EQ(bmp.GetSafeHandle(), nullptr);
    // Were its window ever made, Enter and Esc would not end it.
    ASSERT_TRUE(dlg.Create(IDD_HILEVEL_SOURCE, &owner));
    dlg.ShowWindow(SW_SHOW);
    for (UINT vk : {VK_RETURN, VK_ESCAPE}) {
        MSG msg{};
        msg.hwnd = dlg.GetSafeHwnd();
        msg.message = WM_KEYDOWN;
        msg.wParam = vk;
        EXPECT_FALSE(dlg.PreTranslateMessage(&msg)) << vk;
        EXPECT_TRUE(dlg.IsWindowVisible()) << vk;
    }
}
