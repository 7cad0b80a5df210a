// Message boxes in their modal loop: boxes that close themselves, answers given from the
// keyboard, the owner, the helper window that presses Enter, and the test hook that must catch
// every kind of box before it blocks.
#include "CMessageBox.h"
#include "CMsgBox.h"
#include "Globals.h"
#include "KeyStroke.h"
#include "ShowTimedMessage.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

// Calls the action once, as soon as a modal box is up (a generous limit ends a hung test by
// pressing Esc, which the test then sees as a wrong answer).
class WhenBoxIsUp {
public:
    explicit WhenBoxIsUp(std::function<void(QWidget*)> action) : m_action(std::move(action))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box)
                return;
            m_timer.stop();
            m_seen = box;
            m_action(box);
        });
        m_timer.start(10);
    }
    QWidget* Seen() const { return m_seen; }

private:
    std::function<void(QWidget*)> m_action;
    QTimer m_timer;
    QWidget* m_seen = nullptr;
};

struct Shown {
    CString text;
    int selector;
};

class MessageBoxModalTest : public ::testing::Test {
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
    TimedMessageHook m_previousHook;
    MessageBoxHandler m_previousHandler;
};

// A modal box anywhere in the program fails the test instead of hanging it.
class NoBoxMayShow {
public:
    NoBoxMayShow()
        : m_watch([this](QWidget*) {
              ++m_shown;
              PressKeyInFocusWindow(VK_ESCAPE);
          })
    {
    }
    int m_shown = 0;

private:
    WhenBoxIsUp m_watch;
};

}  // namespace

TEST_F(MessageBoxModalTest, TimedBoxesCloseThemselvesWithTheirTimeoutAnswer)
{
    struct Case {
        UINT type;
        int selector;
        int answer;
    };
    // 2000 is the program's own prompt time; small selectors close the same way, sooner.
    const Case cases[] = {
        {MB_YESNO, TIMED_PROMPT, IDNO},
        {MB_OK, 40, IDOK},
        {MB_OKCANCEL, 40, IDCANCEL},
        {MB_YESNO, 40, IDNO},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " selector " << c.selector);
        // A box that never closes itself would hang the test: after a generous limit it is
        // closed from here and the test fails.
        bool hung = false;
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&] {
            hung = true;
            PressKeyInFocusWindow(VK_ESCAPE);
        });
        guard.start(15000);
        EXPECT_EQ(RunMessageBox(nullptr, "Nobody answers", c.type, c.selector), c.answer);
        EXPECT_FALSE(hung);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST_F(MessageBoxModalTest, QuestionsAreAnsweredFromTheKeyboard)
{
    struct Case {
        UINT vk;
        int answer;
    };
    for (const Case& c : {Case{VK_RETURN, IDYES}, Case{VK_ESCAPE, IDNO}}) {
        for (int selector : {CAPTION_PROMPT_CN, CAPTION_PROMPT_EN}) {
            SCOPED_TRACE(testing::Message() << "key " << c.vk << " selector " << selector);
            g_bChinese = selector == CAPTION_PROMPT_CN;
            WhenBoxIsUp press([&](QWidget*) { PressKeyInFocusWindow(c.vk); });
            EXPECT_EQ(RunMessageBox(nullptr, "Delete the scene?", MB_YESNO, selector), c.answer);
            EXPECT_NE(press.Seen(), nullptr);
        }
    }
}

TEST_F(MessageBoxModalTest, BoxIsModalOverItsOwnerAndCentredOnIt)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(100, 80, 900, 680), nullptr, 0));
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, "view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 800, 600), &owner, 1));
    QWidget* parent = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
    QRect geometry;
    WhenBoxIsUp look([&](QWidget* box) {
        parent = box->parentWidget();
        modality = box->windowModality();
        geometry = box->geometry();
        PressKeyInFocusWindow(VK_ESCAPE);
    });
    EXPECT_EQ(RunMessageBox(&child, "Saved", MB_OK, -3), IDOK);
    EXPECT_EQ(parent, owner.GetWidget());  // owned by the child's top-level window
    EXPECT_EQ(modality, Qt::ApplicationModal);
    EXPECT_LE(std::abs(geometry.center().x() - 500), 1);
    EXPECT_LE(std::abs(geometry.center().y() - 380), 1);
}

TEST_F(MessageBoxModalTest, ShowTimedMessageRunsTheBoxWithoutAnApplication)
{
    EXPECT_EQ(ShowTimedMessage(nullptr, "Link lost", "Orvane", MB_YESNO, FALSE, 30), IDNO);
}

TEST_F(MessageBoxModalTest, ShowTimedMessageGoesThroughTheApplicationsHandler)
{
    std::vector<Shown> viaHandler;
    SetMessageBoxHandler([&](const CString& text, UINT type, int selector) {
        viaHandler.push_back({text, selector});
        return RunMessageBox(nullptr, text, type, selector);
    });
    EXPECT_EQ(ShowTimedMessage(nullptr, "设备已连接", "Orvane", MB_OK, TRUE, 30), IDOK);
    ASSERT_EQ(viaHandler.size(), 1u);
    EXPECT_EQ(viaHandler[0].text, "设备已连接");
    EXPECT_EQ(viaHandler[0].selector, 30);
}

TEST_F(MessageBoxModalTest, HookCatchesEveryKindOfBox)
{
    CWnd view;
    ASSERT_TRUE(view.CreateEx(0, nullptr, "view", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    CMsgBox helper;
    ASSERT_TRUE(helper.CreateHidden(&view));
    struct Case {
        const char* name;
        std::function<int()> show;
        int selector;
    };
    const Case cases[] = {
        {"RunMessageBox", [&] { return RunMessageBox(&view, "a", MB_YESNO, -2); }, -2},
        {"AfxMessageBox", [] { return AfxMessageBox("a", MB_YESNO, -3); }, -3},
        {"ShowTimedMessage", [&] { return ShowTimedMessage(&view, "a", "Orvane", MB_OK, FALSE, 2000); }, 2000},
        {"CMessageBox::DoModal",
         [&] {
             CMessageBox box(&view);
             box.Init("a", MB_YESNO, "", -4);
             box.DoModal();
             return box.m_nResult;
         },
         -4},
        {"CMsgBox::ShowAutoClose", [&] { return helper.ShowAutoClose("a"); }, 0},
    };
    // With no application handler, and with one installed before or after the hook.
    for (int order = 0; order < 3; ++order) {
        std::vector<Shown> hooked;
        int handled = 0;
        const MessageBoxHandler appHandler = [&](const CString& text, UINT type, int selector) {
            ++handled;
            return RunMessageBox(&view, text, type, selector);
        };
        if (order == 1)
            SetMessageBoxHandler(appHandler);
        SetTimedMessageHook([&](const CString& text, int selector) {
            hooked.push_back({text, selector});
            return IDYES;
        });
        if (order == 2)
            SetMessageBoxHandler(appHandler);
        NoBoxMayShow guard;
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << " order " << order);
            hooked.clear();
            EXPECT_EQ(c.show(), IDYES);
            ASSERT_EQ(hooked.size(), 1u);
            EXPECT_EQ(hooked[0].text, "a");
            EXPECT_EQ(hooked[0].selector, c.selector);
        }
        EXPECT_EQ(guard.m_shown, 0);
        // A handler installed before the hook is bypassed; one installed after it leads to the hook.
        EXPECT_EQ(handled, order == 2 ? 3 : 0);
        SetTimedMessageHook({});
        SetMessageBoxHandler({});
    }
}

TEST_F(MessageBoxModalTest, RemovingTheHookPutsTheHandlerBack)
{
    int before = 0, after = 0;
    SetMessageBoxHandler([&](const CString&, UINT, int) { return ++before, IDNO; });
    SetTimedMessageHook([](const CString&, int) { return IDYES; });
    EXPECT_EQ(AfxMessageBox("q", MB_YESNO), IDYES);
    EXPECT_TRUE(SetTimedMessageHook({}));
    EXPECT_EQ(AfxMessageBox("q", MB_YESNO), IDNO);
    EXPECT_EQ(before, 1);

    // A handler that came while the hook was up is newer and stays.
    SetTimedMessageHook([](const CString&, int) { return IDYES; });
    SetMessageBoxHandler([&](const CString&, UINT, int) { return ++after, IDCANCEL; });
    SetTimedMessageHook({});
    EXPECT_EQ(AfxMessageBox("q", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(after, 1);
    EXPECT_EQ(before, 1);
}

TEST_F(MessageBoxModalTest, HelperWindowPressesEnterInTheBoxAfterASecond)
{
    CWnd view;
    ASSERT_TRUE(view.CreateEx(0, nullptr, "view", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    CMsgBox helper;
    ASSERT_TRUE(helper.CreateHidden(&view));
    EXPECT_EQ(helper.m_bCreated, 1);
    const HWND first = helper.GetSafeHwnd();
    EXPECT_TRUE(helper.CreateHidden(&view));  // once only
    EXPECT_EQ(helper.GetSafeHwnd(), first);
    EXPECT_EQ(helper.GetDlgCtrlID(), int(CMSGBOX_ID));
    EXPECT_FALSE(helper.IsWindowVisible());
    EXPECT_EQ(helper.GetParent(), &view);

    std::vector<Shown> shown;
    SetMessageBoxHandler([&](const CString& text, UINT type, int selector) {
        shown.push_back({text, selector});
        return RunMessageBox(&view, text, type, selector);
    });
    // A YES/NO box would answer IDNO to anything but Enter; the helper's box is an OK box, so
    // check that Enter arrived by the box ending at all, with no other way to end it.
    EXPECT_EQ(helper.ShowAutoClose("Updated"), IDOK);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].selector, 0);
    EXPECT_FALSE(helper.KillTimer(CMSGBOX_TIMER));  // the timer went with the box
}

TEST_F(MessageBoxModalTest, HelperLeavesNoKeyPressBehindWhenTheBoxIsAnsweredFirst)
{
    CWnd view;
    ASSERT_TRUE(view.CreateEx(0, nullptr, "view", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    CMsgBox helper;
    ASSERT_TRUE(helper.CreateHidden(&view));
    SetTimedMessageHook([](const CString&, int) { return IDOK; });
    EXPECT_EQ(helper.ShowAutoClose("Updated"), IDOK);
    // Its one-second Enter would otherwise land in whatever window has the focus next.
    EXPECT_FALSE(helper.KillTimer(CMSGBOX_TIMER));
}
