// Frame windows, documents, document templates and the application object: creation records,
// frame styles on top-level windows, the client window of a multi-document frame, the order in
// which a template closes, the loop's start and end, window-state and display-change messages.
#include "CDocument.h"
#include "CFrameWnd.h"
#include "CMultiDocTemplate.h"
#include "CWinApp.h"
#include "DisplayChange.h"
#include "TestWindows.h"
#include "WinApi.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_events;  // what the fixtures below did, in order

// A top-level frame that records its messages and lets a test adjust the creation record.
class CTestFrame : public CMDIFrameWnd {
public:
    std::vector<RecordedMessage> m_log;
    std::function<void(CREATESTRUCT&)> m_adjust;
    BOOL m_bRefuse = FALSE;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_log.push_back({message, wParam, lParam, true});
        return CMDIFrameWnd::WindowProc(message, wParam, lParam);
    }
    int Count(UINT message) const
    {
        int n = 0;
        for (const auto& m : m_log)
            n += m.message == message ? 1 : 0;
        return n;
    }
    const RecordedMessage* Last(UINT message) const
    {
        for (auto it = m_log.rbegin(); it != m_log.rend(); ++it)
            if (it->message == message)
                return &*it;
        return nullptr;
    }

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        if (m_adjust)
            m_adjust(cs);
        return !m_bRefuse && CMDIFrameWnd::PreCreateWindow(cs);
    }
    void OnDestroy() override
    {
        g_events.push_back("main frame destroyed");
        CMDIFrameWnd::OnDestroy();
    }
};

class CTestDoc : public CDocument {
public:
    explicit CTestDoc(BOOL bNewOk = TRUE) : m_bNewOk(bNewOk) {}
    ~CTestDoc() override { g_events.push_back("document deleted"); }
    BOOL OnNewDocument() override { return m_bNewOk && CDocument::OnNewDocument(); }

private:
    BOOL m_bNewOk;
};

// A document frame with one view window that fills it.
class CTestChildFrame : public CMDIChildWnd {
public:
    CWnd m_view;
    CDocument* m_pContextDoc = nullptr;
    CDocument* m_pUpdatedDoc = nullptr;
    int m_nUpdates = 0;

    ~CTestChildFrame() override { g_events.push_back("frame deleted"); }
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) override
    {
        m_pUpdatedDoc = pDoc;
        ++m_nUpdates;
        CMDIChildWnd::InitialUpdateFrame(pDoc, bMakeVisible);
    }

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        cs.x = 0;
        cs.y = 0;
        cs.cx = 300;
        cs.cy = 200;
        return CMDIChildWnd::PreCreateWindow(cs);
    }
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        m_pContextDoc = pContext ? pContext->m_pCurrentDoc : nullptr;
        CRect rc;
        GetClientRect(&rc);
        return m_view.Create(nullptr, "", WS_CHILD | WS_VISIBLE, rc, this, 1);
    }
    void OnDestroy() override
    {
        g_events.push_back("frame destroyed");
        CMDIChildWnd::OnDestroy();
    }
};

// An application whose start-up the test chooses.
class CTestApp : public CWinApp {
public:
    std::function<BOOL(CTestApp&)> m_init;
    int m_nExitCalls = 0;
    std::unique_ptr<CTestFrame> m_pFrame;

    BOOL InitInstance() override { return m_init ? m_init(*this) : TRUE; }
    int ExitInstance() override
    {
        ++m_nExitCalls;
        g_events.push_back("exit instance");
        return CWinApp::ExitInstance();
    }
    BOOL MakeMainFrame()
    {
        m_pFrame = std::make_unique<CTestFrame>();
        if (!m_pFrame->LoadFrame(128, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
            return FALSE;
        m_pMainWnd = m_pFrame.get();
        return TRUE;
    }
};

// True when a loop started now runs until something ends it, i.e. no quit request is left
// over from an earlier loop.
bool FreshLoopRuns()
{
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&loop] { loop.exit(7); });
    return loop.exec() == 7;
}

}  // namespace

TEST(FrameWnd, CreationRecordAsPreCreateWindowLeavesIt)
{
    CTestFrame frame;
    frame.SetTitle("Frame title");
    frame.m_adjust = [](CREATESTRUCT& cs) {
        EXPECT_EQ(cs.style, DWORD(WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE | FWS_PREFIXTITLE));
        cs.x = 10;
        cs.y = 20;
        cs.cx = 333;
        cs.cy = 222;
        cs.style &= ~(FWS_PREFIXTITLE | WS_THICKFRAME);
        cs.dwExStyle |= WS_EX_TOOLWINDOW;
    };
    ASSERT_TRUE(frame.LoadFrame(128, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE | FWS_PREFIXTITLE));
    CRect rc;
    frame.GetWindowRect(&rc);
    EXPECT_EQ(rc, CRect(10, 20, 343, 242));
    EXPECT_EQ(frame.GetWindowText(), "Frame title");
    EXPECT_EQ(frame.GetResourceId(), 128u);
    EXPECT_EQ(frame.GetCreateStyle(), DWORD(WS_CAPTION | WS_SYSMENU | FWS_ADDTOTITLE));
    // The frame bits stay out of the window's own style.
    EXPECT_EQ(frame.GetStyle() & (FWS_ADDTOTITLE | FWS_PREFIXTITLE | WS_THICKFRAME), 0u);
    EXPECT_EQ(frame.GetExStyle(), DWORD(WS_EX_TOOLWINDOW));
}

TEST(FrameWnd, RefusedCreationRecordMakesNoWindow)
{
    CTestFrame frame;
    frame.m_bRefuse = TRUE;
    EXPECT_FALSE(frame.LoadFrame(128, WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(frame.GetSafeHwnd(), nullptr);
}

TEST(FrameWnd, CaptionStyleDecidesTheDesktopFrame)
{
    CTestFrame frame;
    frame.m_adjust = [](CREATESTRUCT& cs) {
        cs.x = 40;
        cs.y = 30;
        cs.cx = 200;
        cs.cy = 100;
    };
    ASSERT_TRUE(frame.LoadFrame(128, WS_OVERLAPPEDWINDOW));
    frame.ShowWindow(SW_SHOW);
    QWidget* w = frame.GetWidget();
    EXPECT_FALSE(w->windowFlags() & Qt::FramelessWindowHint);

    frame.ModifyStyle(WS_CAPTION | WS_BORDER | WS_THICKFRAME, 0);
    EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(frame.GetStyle() & (WS_CAPTION | WS_BORDER | WS_THICKFRAME), 0u);
    // Still shown, still where it was.
    EXPECT_TRUE(frame.IsWindowVisible());
    CRect rc;
    frame.GetWindowRect(&rc);
    EXPECT_EQ(rc, CRect(40, 30, 240, 130));

    frame.ModifyStyle(0, WS_CAPTION);
    EXPECT_FALSE(w->windowFlags() & Qt::FramelessWindowHint);
    // A child window's caption bit is only stored.
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_CAPTION, CRect(0, 0, 10, 10), &frame, 5));
    child.ModifyStyle(WS_CAPTION, 0);
    EXPECT_EQ(child.GetStyle() & WS_CAPTION, 0u);
    EXPECT_FALSE(child.GetWidget()->windowFlags() & Qt::FramelessWindowHint);
}

TEST(FrameWnd, ClientWindowFillsTheFrameAndFollowsItsSize)
{
    CTestFrame frame;
    frame.m_adjust = [](CREATESTRUCT& cs) {
        cs.cx = 500;
        cs.cy = 300;
    };
    ASSERT_TRUE(frame.LoadFrame(128, WS_OVERLAPPEDWINDOW));
    CWnd* client = frame.GetMDIClient();
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->GetDlgCtrlID(), int(CMDIFrameWnd::ID_MDICLIENT));
    CRect rc;
    client->GetClientRect(&rc);
    EXPECT_EQ(rc, CRect(0, 0, 500, 300));
    frame.MoveWindow(0, 0, 640, 410);
    client->GetClientRect(&rc);
    EXPECT_EQ(rc, CRect(0, 0, 640, 410));
}

TEST(FrameWnd, SystemCommandsOfATopLevelWindow)
{
    CTestFrame frame;
    ASSERT_TRUE(frame.LoadFrame(128, WS_OVERLAPPEDWINDOW));
    frame.ShowWindow(SW_SHOW);

    frame.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_TRUE(frame.GetWidget()->isMinimized());
    ASSERT_NE(frame.Last(WM_SIZE), nullptr);
    EXPECT_EQ(frame.Last(WM_SIZE)->wParam, WPARAM(SIZE_MINIMIZED));

    // Restoring reports a restored size although the size did not change.
    const int sizesBefore = frame.Count(WM_SIZE);
    frame.SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    EXPECT_FALSE(frame.GetWidget()->isMinimized());
    EXPECT_EQ(frame.Count(WM_SIZE), sizesBefore + 1);
    EXPECT_EQ(frame.Last(WM_SIZE)->wParam, WPARAM(SIZE_RESTORED));

    frame.SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    EXPECT_EQ(frame.Count(WM_CLOSE), 1);
    EXPECT_EQ(frame.GetSafeHwnd(), nullptr);
}

TEST(DisplayChange, EveryTopLevelWindowHearsThePrimaryScreensSize)
{
    CTestFrame a, b;
    ASSERT_TRUE(a.LoadFrame(128, WS_OVERLAPPEDWINDOW));
    ASSERT_TRUE(b.LoadFrame(128, WS_OVERLAPPEDWINDOW));
    CRecordingWnd child;
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &a, 3));

    BroadcastDisplayChange();

    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    for (CTestFrame* f : {&a, &b}) {
        ASSERT_EQ(f->Count(WM_DISPLAYCHANGE), 1);
        const RecordedMessage* m = f->Last(WM_DISPLAYCHANGE);
        EXPECT_EQ(GET_X_LPARAM(m->lParam), screen->geometry().width());
        EXPECT_EQ(GET_Y_LPARAM(m->lParam), screen->geometry().height());
        EXPECT_EQ(m->wParam, WPARAM(screen->depth()));
    }
    EXPECT_EQ(child.Count(WM_DISPLAYCHANGE), 0);
}

TEST(DocTemplate, OpensADocumentInAFrameInsideTheMainFramesClient)
{
    CTestApp app;
    ASSERT_TRUE(app.MakeMainFrame());
    auto* pTemplate = new CMultiDocTemplate(
        129, [] { return std::make_unique<CTestDoc>(); }, [] { return std::make_unique<CTestChildFrame>(); });
    app.AddDocTemplate(pTemplate);

    CDocument* pDoc = pTemplate->OpenDocumentFile(nullptr);
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(pDoc->GetDocTemplate(), pTemplate);
    ASSERT_EQ(pTemplate->GetDocumentCount(), 1);
    auto* pFrame = dynamic_cast<CTestChildFrame*>(pTemplate->GetFrame(0));
    ASSERT_NE(pFrame, nullptr);
    EXPECT_EQ(pFrame->m_pContextDoc, pDoc);
    EXPECT_EQ(pFrame->m_pUpdatedDoc, pDoc);
    EXPECT_EQ(pFrame->m_nUpdates, 1);
    EXPECT_EQ(pFrame->GetResourceId(), 129u);
    EXPECT_EQ(pFrame->GetParent(), app.m_pFrame->GetMDIClient());
    EXPECT_TRUE(pFrame->GetStyle() & WS_CHILD);
    EXPECT_TRUE(pFrame->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(pFrame->m_view.GetParent(), pFrame);

    // A file path is not opened.
    EXPECT_EQ(pTemplate->OpenDocumentFile("/tmp/x.ekds"), nullptr);
    EXPECT_EQ(pTemplate->GetDocumentCount(), 1);

    g_events.clear();
    app.CloseAllDocuments();
    EXPECT_EQ(pTemplate->GetDocumentCount(), 0);
    EXPECT_EQ(g_events, (std::vector<std::string>{"frame destroyed", "frame deleted", "document deleted"}));
    app.m_pMainWnd = nullptr;
}

TEST(DocTemplate, DocumentThatCannotStartGetsNoFrame)
{
    int frames = 0;
    CMultiDocTemplate tmpl(
        129, [] { return std::make_unique<CTestDoc>(FALSE); },
        [&frames] {
            ++frames;
            return std::make_unique<CTestChildFrame>();
        });
    EXPECT_EQ(tmpl.OpenDocumentFile(nullptr), nullptr);
    EXPECT_EQ(frames, 0);
    EXPECT_EQ(tmpl.GetDocumentCount(), 0);
}

TEST(WinApp, ClosingTheMainWindowEndsTheLoopThenTheProgram)
{
    CTestApp app;
    app.m_init = [](CTestApp& a) {
        if (!a.MakeMainFrame())
            return FALSE;
        a.m_pFrame->PostMessage(WM_CLOSE);
        return TRUE;
    };
    g_events.clear();
    EXPECT_EQ(app.RunProgram(), 0);
    EXPECT_EQ(g_events, (std::vector<std::string>{"main frame destroyed", "exit instance"}));
    EXPECT_EQ(app.m_nExitCalls, 1);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    EXPECT_TRUE(FreshLoopRuns());
}

TEST(WinApp, QuitWithTheMainWindowOpenDestroysItAndKeepsTheExitCode)
{
    CTestApp app;
    app.m_init = [](CTestApp& a) {
        if (!a.MakeMainFrame())
            return FALSE;
        PostQuitMessage(3);
        return TRUE;
    };
    g_events.clear();
    EXPECT_EQ(app.RunProgram(), 3);
    EXPECT_EQ(g_events, (std::vector<std::string>{"main frame destroyed", "exit instance"}));
    EXPECT_EQ(app.m_pFrame->GetSafeHwnd(), nullptr);
    EXPECT_EQ(app.m_pFrame->Count(WM_DESTROY), 1);
    // The destroyed main window asked no ended loop to end: the next loop runs.
    EXPECT_TRUE(FreshLoopRuns());
}

TEST(WinApp, FailedStartRunsNoLoopAndCleansUp)
{
    CTestApp app;
    app.m_init = [](CTestApp& a) {
        a.MakeMainFrame();
        return FALSE;
    };
    g_events.clear();
    EXPECT_EQ(app.RunProgram(), 0);
    EXPECT_EQ(app.m_nExitCalls, 1);
    EXPECT_EQ(g_events, (std::vector<std::string>{"main frame destroyed", "exit instance"}));
    EXPECT_TRUE(FreshLoopRuns());
}

TEST(WinApp, NewestApplicationIsTheCurrentOneUntilItGoes)
{
    CWinApp* before = AfxGetApp();
    {
        CTestApp app;
        EXPECT_EQ(AfxGetApp(), &app);
        char prog[] = "orvane", a1[] = "-x", a2[] = "/RegServer";
        char* argv[] = {prog, a1, a2};
        app.SetCommandLine(3, argv);
        EXPECT_EQ(app.m_lpCmdLine, "-x /RegServer");
        app.SetCommandLine(1, argv);
        EXPECT_EQ(app.m_lpCmdLine, "");
    }
    EXPECT_EQ(AfxGetApp(), before);
}

namespace {
struct LocaleCase {
    const char* name;
    LCID lcid;
};
}  // namespace

TEST(Locale, NamesToIdentifiers)
{
    const LocaleCase cases[] = {
        {"zh_CN", 0x0804},        {"zh_CN.UTF-8", 0x0804}, {"zh-CN", 0x0804},       {"zh_cn.gb2312", 0x0804},
        {"zh_TW", 0x0404},        {"zh_HK.UTF-8", 0x0C04}, {"en_US", 0x0409},       {"en_US.UTF-8", 0x0409},
        {"en_GB", 0x0809},        {"de_DE", 0x0407},       {"de_DE@euro", 0x0407},  {"ja_JP", 0x0411},
        {"C", LOCALE_UNKNOWN},    {"POSIX", LOCALE_UNKNOWN}, {"", LOCALE_UNKNOWN}, {"zh", LOCALE_UNKNOWN},
        {"xx_YY", LOCALE_UNKNOWN},
    };
    for (const LocaleCase& c : cases)
        EXPECT_EQ(LcidFromLocaleName(c.name), c.lcid) << c.name;
}
