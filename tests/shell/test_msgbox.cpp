// The program's message box, opened modeless so each rule can be looked at and each ending
// pressed directly: captions by selector and language, buttons and their texts by type, the
// centred single button, and the answer of every ending.
#include "CMessageBox.h"
#include "Globals.h"
#include "Texts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace {

enum class End { OkButton, Enter, CancelButton, Escape, CloseBox, Timeout };

const char* NameOf(End e)
{
    switch (e) {
    case End::OkButton: return "OK button";
    case End::Enter: return "Enter";
    case End::CancelButton: return "Cancel button";
    case End::Escape: return "Esc";
    case End::CloseBox: return "close box";
    case End::Timeout: return "time-out";
    }
    return "";
}

void PressKey(CWnd& box, Qt::Key key)
{
    QWidget* w = box.GetWidget();
    QWidget* target = w->focusWidget() ? w->focusWidget() : w;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

void Finish(CMessageBox& box, End e)
{
    switch (e) {
    case End::OkButton: box.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(box.m_btnOK.m_hWnd)); break;
    case End::Enter: PressKey(box, Qt::Key_Return); break;
    case End::CancelButton:
        box.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), LPARAM(box.m_btnCancel.m_hWnd));
        break;
    case End::Escape: PressKey(box, Qt::Key_Escape); break;
    case End::CloseBox: box.SendMessage(WM_CLOSE); break;
    case End::Timeout: box.SendMessage(WM_TIMER, MESSAGEBOX_CLOSE_TIMER); break;
    }
}

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previousHook = SetTimedMessageHook({});
        m_previousHandler = SetMessageBoxHandler({});
    }
    void TearDown() override
    {
        g_bChinese = 0;
        SetMessageBoxHandler(m_previousHandler);
        SetTimedMessageHook(m_previousHook);
    }
    // A box opened without its modal loop: OnInitDialog has run and it is on screen.
    std::unique_ptr<CMessageBox> Open(const CString& text, UINT nType, int nSelector, BOOL bChinese)
    {
        g_bChinese = bChinese;
        auto box = std::make_unique<CMessageBox>(text, nType, "Caption given", nSelector);
        EXPECT_TRUE(box->Create(IDD_MESSAGEBOX, nullptr));
        return box;
    }
    static CString Text(const CWnd& w) { return w.GetWindowText(); }
    static bool Shown(const CWnd& w) { return (w.GetStyle() & WS_VISIBLE) != 0; }

    TimedMessageHook m_previousHook;
    MessageBoxHandler m_previousHandler;
};

}  // namespace

TEST_F(MessageBoxTest, CaptionAndAutomaticCloseFollowTheSelector)
{
    struct Case {
        int selector;
        BOOL chinese;
        const char* caption;
        int closeMs;
    };
    const Case cases[] = {
        {0, FALSE, "Caption given", 0},   {0, TRUE, "Caption given", 0},   {2000, TRUE, "提示", 2000},
        {2000, FALSE, "Prompting", 2000}, {2001, TRUE, "警告", 2001},      {2001, FALSE, "Warning", 2001},
        {-2, FALSE, "提示", 0},           {-3, TRUE, "Prompting", 0},      {-4, FALSE, "警告", 0},
        {-5, TRUE, "Warning", 0},         {1500, TRUE, "Caption given", 1500}, {-7, FALSE, "Caption given", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "selector " << c.selector << " chinese " << c.chinese);
        auto box = Open("text", MB_OK, c.selector, c.chinese);
        EXPECT_EQ(Text(*box), c.caption);
        EXPECT_EQ(CMessageBox::SelectorCloseMs(c.selector), c.closeMs);
        // The shared caption texts, whatever the language of the box's buttons.
        EXPECT_EQ(CMessageBox::SelectorCaption(c.selector, c.chinese, "Caption given"), c.caption);
    }
    EXPECT_EQ(g_strPromptCn, "提示");
    EXPECT_EQ(g_strWarnEn, "Warning");
}

TEST_F(MessageBoxTest, ButtonsAndTheirTextsFollowTheTypeAndLanguage)
{
    struct Case {
        UINT type;
        BOOL chinese;
        bool okShown;
        const char* ok;
        bool cancelShown;
        const char* cancel;
    };
    const Case cases[] = {
        {MB_OK, TRUE, true, "确定", false, nullptr},
        {MB_OK, FALSE, true, "OK", false, nullptr},
        {MB_OKCANCEL, TRUE, true, "确定", true, "取消"},
        {MB_OKCANCEL, FALSE, true, "OK", true, "Cancel"},
        {MB_YESNO, TRUE, true, "是", true, "否"},
        {MB_YESNO, FALSE, true, "YES", true, "NO"},
        {MB_CANCELTRYCONTINUE, TRUE, false, nullptr, true, "退出"},
        {MB_CANCELTRYCONTINUE, FALSE, false, nullptr, true, "Quit"},
        // Types without rules of their own, and any icon bit, keep the template's buttons.
        {MB_YESNOCANCEL, TRUE, true, "OK", true, "Cancel"},
        {MB_YESNO | MB_ICONQUESTION, TRUE, true, "OK", true, "Cancel"},
        {MB_OK | MB_ICONERROR, FALSE, true, "OK", true, "Cancel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " chinese " << c.chinese);
        auto box = Open("Delete the scene?", c.type, -3, c.chinese);
        EXPECT_EQ(Shown(box->m_btnOK), c.okShown);
        EXPECT_EQ(Shown(box->m_btnCancel), c.cancelShown);
        if (c.ok) {
            EXPECT_EQ(Text(box->m_btnOK), c.ok);
        }
        if (c.cancel) {
            EXPECT_EQ(Text(box->m_btnCancel), c.cancel);
        }
        EXPECT_EQ(box->m_btnOK.GetDlgCtrlID(), IDOK);
        EXPECT_EQ(box->m_btnCancel.GetDlgCtrlID(), IDCANCEL);
        EXPECT_EQ(box->m_stText.GetDlgCtrlID(), int(IDC_MESSAGEBOX_TEXT));
    }
}

TEST_F(MessageBoxTest, TheOnlyButtonIsCentredAndTwoButtonsStandApart)
{
    for (UINT type : {MB_OK, MB_CANCELTRYCONTINUE, MB_OKCANCEL}) {
        SCOPED_TRACE(type);
        auto box = Open("text", type, 0, FALSE);
        CRect client, ok, cancel;
        box->GetClientRect(&client);
        box->m_btnOK.GetWindowRect(&ok);
        box->m_btnCancel.GetWindowRect(&cancel);
        box->ScreenToClient(&ok);
        box->ScreenToClient(&cancel);
        EXPECT_EQ(ok.top, cancel.top);
        EXPECT_EQ(ok.Size(), cancel.Size());
        EXPECT_GT(ok.Width(), 0);
        if (type == MB_OKCANCEL) {
            EXPECT_LT(ok.right, cancel.left);  // template places: OK left of centre, Cancel right
            EXPECT_LT(ok.left + ok.right, client.Width());
            EXPECT_GT(cancel.left + cancel.right, client.Width());
        } else {
            const CRect& only = type == MB_OK ? ok : cancel;
            EXPECT_LE(std::abs(only.left + only.right - client.Width()), 1) << only.left << " " << only.right;
        }
        // The text sits above the buttons, across the whole box.
        CRect text;
        box->m_stText.GetWindowRect(&text);
        box->ScreenToClient(&text);
        EXPECT_LE(text.bottom, ok.top);
        EXPECT_GE(text.Width(), client.Width());
    }
}

TEST_F(MessageBoxTest, TextIsShownCentredAndCopied)
{
    CString text = "Scene 3 saved.";
    auto box = Open(text, MB_OK, -3, FALSE);
    text = "changed after the box was made";
    EXPECT_EQ(Text(box->m_stText), "Scene 3 saved.");
    EXPECT_EQ(box->m_stText.GetStyle() & SS_TYPEMASK, SS_CENTER);
}

TEST_F(MessageBoxTest, EveryEndingGivesTheAnswerOfItsType)
{
    struct Case {
        UINT type;
        End end;
        int answer;
    };
    const Case cases[] = {
        {MB_OK, End::OkButton, IDOK},
        {MB_OK, End::Enter, IDOK},
        {MB_OK, End::Escape, IDOK},
        {MB_OK, End::CloseBox, IDOK},
        {MB_OK, End::Timeout, IDOK},
        {MB_OKCANCEL, End::OkButton, IDOK},
        {MB_OKCANCEL, End::Enter, IDOK},
        {MB_OKCANCEL, End::CancelButton, IDCANCEL},
        {MB_OKCANCEL, End::Escape, IDCANCEL},
        {MB_OKCANCEL, End::CloseBox, IDCANCEL},
        {MB_OKCANCEL, End::Timeout, IDCANCEL},
        {MB_YESNO, End::OkButton, IDYES},
        {MB_YESNO, End::Enter, IDYES},
        {MB_YESNO, End::CancelButton, IDNO},
        {MB_YESNO, End::Escape, IDNO},
        {MB_YESNO, End::CloseBox, IDNO},
        {MB_YESNO, End::Timeout, IDNO},
        {MB_CANCELTRYCONTINUE, End::CancelButton, IDCANCEL},
        {MB_CANCELTRYCONTINUE, End::Escape, IDCANCEL},
        {MB_CANCELTRYCONTINUE, End::Enter, IDCANCEL},
        {MB_CANCELTRYCONTINUE, End::Timeout, IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, End::OkButton, IDOK},
        {MB_YESNO | MB_ICONQUESTION, End::Escape, IDCANCEL},
        {MB_RETRYCANCEL, End::CancelButton, IDCANCEL},
    };
    for (const Case& c : cases) {
        for (BOOL chinese : {FALSE, TRUE}) {
            SCOPED_TRACE(testing::Message() << "type " << c.type << " by " << NameOf(c.end) << " chinese " << chinese);
            auto box = Open("Continue?", c.type, 2000, chinese);
            Finish(*box, c.end);
            EXPECT_EQ(box->m_nResult, c.answer);
            EXPECT_FALSE(box->IsWindowVisible());  // the ending really ended the box
        }
    }
}

TEST_F(MessageBoxTest, OtherTimersDoNotEndTheBox)
{
    auto box = Open("Continue?", MB_YESNO, 0, FALSE);
    box->SendMessage(WM_TIMER, MESSAGEBOX_CLOSE_TIMER + 1);
    EXPECT_TRUE(box->IsWindowVisible());
    Finish(*box, End::OkButton);
    EXPECT_EQ(box->m_nResult, IDYES);
}

TEST_F(MessageBoxTest, APageBuiltBoxTakesTheProductNameAsCaption)
{
    CWnd page;
    ASSERT_TRUE(page.CreateEx(0, nullptr, "page", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    struct Case {
        int selector;
        BOOL chinese;
        const char* caption;
    };
    for (const Case& c : {Case{0, FALSE, "Orvane"}, Case{-2, FALSE, "提示"}, Case{-3, TRUE, "Prompting"}}) {
        SCOPED_TRACE(c.selector);
        g_bChinese = c.chinese;
        CMessageBox box(&page);
        box.Init("Reset the input?", MB_YESNO, "ignored caption", c.selector);
        ASSERT_TRUE(box.Create(IDD_MESSAGEBOX, &page));
        EXPECT_EQ(Text(box), c.caption);
        Finish(box, End::Escape);
        EXPECT_EQ(box.m_nResult, IDNO);
    }
    EXPECT_EQ(g_strProductName, "Orvane");
}
