// The application object in this process: the command-line words, the device address from the
// environment, the free link group, and a whole start-up and shut-down of the program's windows
// (main frame, child frame, view) against the emulator behind the fake HID backend.
#include "CChildFrame.h"
#include "CKRV330App.h"
#include "CKRV330Doc.h"
#include "CKRV330View.h"
#include "CMainFrame.h"
#include "DeviceEmulator.h"
#include "DisplayChange.h"
#include "EmuHidDevice.h"
#include "FakeHidBackend.h"
#include "GdiObjects.h"
#include "MessageBox.h"
#include "ModelUi.h"
#include "Globals.h"
#include "HidBackend.h"
#include "SettingsStore.h"
#include "ShellGlobals.h"
#include "ShowTimedMessage.h"
#include "Texts.h"
#include "UsbInUseList.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char* const kDspMcuKey = "Software\\ZQ-ORVANE-GV1.00_GB2312.exe\\DspMcu";

bool PumpUntil(const std::function<bool()>& done, int limitMs = 30000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > limitMs)
            return done();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

CRect WindowRect(CWnd& wnd)
{
    CRect rc;
    wnd.GetWindowRect(&rc);
    return rc;
}

CRect RegionBox(CWnd& wnd)
{
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    if (wnd.GetWindowRgn(rgn) == RGN_ERROR)
        return CRect();
    CRect box;
    rgn.GetRgnBox(&box);
    return box;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Command line, device address, link groups

namespace {
struct WordCase {
    const char* cmdLine;
    RegistrationWord word;
};
}  // namespace

TEST(AppCommandLine, RegistrationWordOnlyWhenItEndsTheLine)
{
    const WordCase cases[] = {
        {"/RegServer", RegistrationWord::RegServer},
        {"-regserver", RegistrationWord::RegServer},
        {"/REGSERVER", RegistrationWord::RegServer},
        {"/UnregServer", RegistrationWord::UnregServer},
        {"-unregSERVER", RegistrationWord::UnregServer},
        {"file.ekds /x -UnregServer", RegistrationWord::UnregServer},
        {"--RegServer", RegistrationWord::RegServer},  // the second '-' is tried too
        {"path/RegServer", RegistrationWord::RegServer},
        {"/RegServer more", RegistrationWord::None},
        {"/RegServer ", RegistrationWord::None},
        {"/RegServerX", RegistrationWord::None},
        {"/Reg Server", RegistrationWord::None},
        {"RegServer", RegistrationWord::None},
        {"/", RegistrationWord::None},
        {"", RegistrationWord::None},
    };
    for (const WordCase& c : cases)
        EXPECT_EQ(int(CKRV330App::FindRegistrationWord(c.cmdLine)), int(c.word)) << '"' << c.cmdLine << '"';
}

namespace {
struct AddressCase {
    const char* text;
    BOOL ok;
    const char* ip;
    int port;
};
}  // namespace

TEST(AppDeviceAddress, HostAndPortOrNothingChanges)
{
    const AddressCase cases[] = {
        {"127.0.0.1:8899", TRUE, "127.0.0.1", 8899},
        {"127.0.0.1:1", TRUE, "127.0.0.1", 1},
        {"127.0.0.1:65535", TRUE, "127.0.0.1", 65535},
        {"127.0.0.2:23", TRUE, "127.0.0.2", 23},
        {"127.0.0.1:0", FALSE, "", 0},
        {"127.0.0.1:65536", FALSE, "", 0},
        {"127.0.0.1:", FALSE, "", 0},
        {"127.0.0.1", FALSE, "", 0},
        {":8899", FALSE, "", 0},
        {"127.0.0.1:88a9", FALSE, "", 0},
        {"127.0.0.1:-5", FALSE, "", 0},
        {"127.0.0.1:123456", FALSE, "", 0},
        {"localhost:8899", FALSE, "", 0},
        {"127.0.0:8899", FALSE, "", 0},
        {"", FALSE, "", 0},
    };
    for (const AddressCase& c : cases) {
        CString ip = "unchanged";
        int port = -7;
        EXPECT_EQ(CKRV330App::ParseDeviceAddress(c.text, ip, port), c.ok) << c.text;
        EXPECT_EQ(ip, c.ok ? CString(c.ip) : CString("unchanged")) << c.text;
        EXPECT_EQ(port, c.ok ? c.port : -7) << c.text;
    }
}

TEST(AppDeviceAddress, EnvironmentSetsTheLinkAddressOnlyWhenValid)
{
    const CString savedIp = g_strDeviceIp;
    const int savedPort = g_nDevicePort;
    g_strDeviceIp = "127.0.0.9";  // any start value; the parse alone is under test
    g_nDevicePort = 8899;

    setenv("ORVANE_DEVICE_ADDRESS", "127.0.0.1:9123", 1);
    CKRV330App::ApplyDeviceAddressFromEnvironment();
    EXPECT_EQ(g_strDeviceIp, "127.0.0.1");
    EXPECT_EQ(g_nDevicePort, 9123);

    setenv("ORVANE_DEVICE_ADDRESS", "nonsense", 1);
    CKRV330App::ApplyDeviceAddressFromEnvironment();
    EXPECT_EQ(g_strDeviceIp, "127.0.0.1");
    EXPECT_EQ(g_nDevicePort, 9123);

    unsetenv("ORVANE_DEVICE_ADDRESS");
    g_strDeviceIp = savedIp;
    g_nDevicePort = savedPort;
}

namespace {
struct GroupCase {
    std::vector<int> used;
    int expected;
};
}  // namespace

TEST(AppLinkGroups, FirstFreeGroupOrZeroWhenAllAreUsed)
{
    const GroupCase cases[] = {
        {{}, 0},
        {{0}, 1},
        {{0, 1, 2}, 3},
        {{0, 1, 3}, 2},
        {{1, 2}, 0},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8}, 9},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 0},
    };
    for (const GroupCase& c : cases) {
        std::fill(std::begin(g_bLinkGroupUsed), std::end(g_bLinkGroupUsed), 0);
        for (int g : c.used)
            g_bLinkGroupUsed[g] = 1;
        EXPECT_EQ(CKRV330App::GetFreeLinkGroup(), c.expected) << "groups in use: " << c.used.size();
    }
    std::fill(std::begin(g_bLinkGroupUsed), std::end(g_bLinkGroupUsed), 0);
}

// ---------------------------------------------------------------------------------------------
// Display scaling: the layout is in pixels at 96 DPI whatever the display reports

TEST(AppDisplayScale, LayoutStaysInPixelsAt96DpiOnAScaledDisplay)
{
    // In this process (and in the copies below, started as if on displays of 120, 144 and 192 DPI):
    // no scale between the program's pixels and the screen's.
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->devicePixelRatio(), 1.0);
    EXPECT_EQ(screen->logicalDotsPerInch(), 96.0);
    QWidget frame;
    frame.setFixedSize(CMainFrame::FRAME_CX, CMainFrame::FRAME_CY);
    const QImage shot = frame.grab().toImage();
    EXPECT_EQ(shot.size(), QSize(1204, 699));
    if (qEnvironmentVariableIsSet("ORVANE_SCALED_COPY"))
        return;

    struct Case {
        const char* scale;
        const char* fontDpi;
    };
    for (const Case& c : {Case{"1.25", "120"}, Case{"1.5", "144"}, Case{"2", "192"}}) {
        QProcess copy;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ORVANE_SCALED_COPY", "1");
        env.insert("QT_SCALE_FACTOR", c.scale);
        env.insert("QT_SCREEN_SCALE_FACTORS", c.scale);
        env.insert("QT_FONT_DPI", c.fontDpi);
        env.insert("QT_ENABLE_HIGHDPI_SCALING", "1");
        copy.setProcessEnvironment(env);
        copy.setProcessChannelMode(QProcess::MergedChannels);
        copy.start(QCoreApplication::applicationFilePath(),
                   {"--gtest_filter=AppDisplayScale.LayoutStaysInPixelsAt96DpiOnAScaledDisplay"});
        ASSERT_TRUE(copy.waitForFinished(60000)) << c.scale;
        EXPECT_EQ(copy.exitStatus(), QProcess::NormalExit) << c.scale;
        EXPECT_EQ(copy.exitCode(), 0) << c.scale << "\n" << copy.readAll().toStdString();
    }
}

// ---------------------------------------------------------------------------------------------
// The program's windows, started and ended in this process

namespace {

class AppWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("ORVANE_DEVICE_ADDRESS", "127.0.0.1:1", 1);  // nothing listens there
        SetTimedMessageHook([this](const CString& text, int nSelector) {
            m_shown.push_back(text);
            m_selectors.push_back(nSelector);
            return m_nAnswer;
        });
        m_hid = std::make_unique<CEmuHidDevice>(m_emu);
        m_backend.AddDevice(*m_hid);
        HidBackend::Set(&m_backend);
        SettingsStore::DeleteKey("Software\\ZQ-ORVANE-GV1.00_GB2312.exe");
    }
    void TearDown() override
    {
        if (m_bStarted)
            theApp.Shutdown();
        HidBackend::Set(nullptr);
        SetTimedMessageHook({});
        unsetenv("ORVANE_DEVICE_ADDRESS");
    }
    // The start-up with a saved language ("Chinese", "English").
    void Start(const char* language)
    {
        SettingsStore::SetString(kDspMcuKey, "Language", language);
        theApp.SetCommandLine("");
        ASSERT_TRUE(theApp.InitInstance());
        m_bStarted = true;
        m_pFrame = theApp.GetMainFrame();
        ASSERT_NE(m_pFrame, nullptr);
        ASSERT_EQ(theApp.m_pDocTemplate->GetDocumentCount(), 1);
        m_pChild = dynamic_cast<CChildFrame*>(theApp.m_pDocTemplate->GetFrame(0));
        ASSERT_NE(m_pChild, nullptr);
        m_pDoc = dynamic_cast<CKRV330Doc*>(theApp.m_pDocTemplate->GetDocument(0));
        ASSERT_NE(m_pDoc, nullptr);
    }
    // Both sides of the screen shot, visible part only (the region's box).
    void SaveScreen(const char* name)
    {
        const QImage all = m_pFrame->GetWidget()->grab().toImage();
        const CRect box = RegionBox(*m_pFrame);
        const QImage shown = all.copy(box.left, box.top, box.Width(), box.Height());
        QDir().mkpath(QStringLiteral(ORVANE_BINARY_DIR "/screens"));
        EXPECT_TRUE(shown.save(QStringLiteral(ORVANE_BINARY_DIR "/screens/") + name));
    }

    CDeviceEmulator m_emu;
    std::unique_ptr<CEmuHidDevice> m_hid;
    CFakeHidBackend m_backend;
    std::vector<CString> m_shown;
    std::vector<int> m_selectors;
    int m_nAnswer = IDOK;
    bool m_bStarted = false;
    CMainFrame* m_pFrame = nullptr;
    CChildFrame* m_pChild = nullptr;
    CKRV330Doc* m_pDoc = nullptr;
};

}  // namespace

TEST_F(AppWindows, MainFrameIsCaptionlessCentredAndShowsTwoPixelsLessOnEachEdge)
{
    Start("English");
    CMainFrame& frame = *m_pFrame;
    EXPECT_EQ(AfxGetMainWnd(), &frame);
    EXPECT_TRUE(frame.IsWindowVisible());
    EXPECT_EQ(frame.GetStyle() & (WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_CHILD), 0u);
    EXPECT_EQ(frame.GetExStyle() & WS_EX_CLIENTEDGE, 0u);
    EXPECT_TRUE(frame.GetWidget()->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(frame.GetWindowText(), g_strProductName);

    const CRect rc = WindowRect(frame);
    EXPECT_EQ(rc.Width(), 1204);
    EXPECT_EQ(rc.Height(), 699);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(rc.left, area.x() + (area.width() - 1204) / 2);
    EXPECT_EQ(rc.top, area.y() + (area.height() - 699) / 2);
    EXPECT_EQ(RegionBox(frame), CRect(2, 2, 1202, 697));  // 1200 x 695 shown
    EXPECT_EQ(frame.GetWidget()->mask().boundingRect(), QRect(2, 2, 1200, 695));
}

TEST_F(AppWindows, ChildFrameAtTheClientsCornerHoldsTheViewOnTheDocumentsScene)
{
    Start("English");
    CWnd* client = m_pFrame->GetMDIClient();
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(m_pChild->GetParent(), client);
    EXPECT_EQ(m_pChild->GetStyle() & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_SYSMENU), 0u);
    EXPECT_TRUE(m_pChild->GetStyle() & WS_CHILD);
    EXPECT_TRUE(m_pChild->IsWindowVisible());
    CRect clientRc = WindowRect(*client);
    CRect childRc = WindowRect(*m_pChild);
    EXPECT_EQ(childRc.TopLeft(), clientRc.TopLeft());
    // Made at 1254 x 775, then shrunk to the form by the view's initial update.
    EXPECT_EQ(CChildFrame::FRAME_CX, 1254);
    EXPECT_EQ(CChildFrame::FRAME_CY, 775);
    EXPECT_EQ(childRc.Width(), VIEW_FORM_WIDTH);
    EXPECT_EQ(childRc.Height(), VIEW_FORM_HEIGHT);

    CKRV330View* view = m_pChild->GetView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetParent(), m_pChild);
    EXPECT_EQ(WindowRect(*view).TopLeft(), childRc.TopLeft());
    EXPECT_EQ(view->GetSceneData(), &m_pDoc->GetSceneData());
    EXPECT_EQ(g_pMainView, view);
}

TEST_F(AppWindows, RestoringSetsTheTitleAgainAndADisplayChangeMovesAndResizes)
{
    Start("English");
    CMainFrame& frame = *m_pFrame;
    frame.SetWindowText("something else");
    frame.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_EQ(frame.GetWindowText(), "something else");
    frame.SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    EXPECT_EQ(frame.GetWindowText(), g_strProductName);

    frame.ShowWindow(SW_HIDE);
    BroadcastDisplayChange();
    EXPECT_TRUE(frame.IsWindowVisible());
    EXPECT_EQ(WindowRect(frame), CRect(0, 0, 1254, 706));
    EXPECT_EQ(RegionBox(frame), CRect(2, 2, 1252, 704));
}

TEST_F(AppWindows, ShutDownReleasesTheUsbClaimAndEveryWindow)
{
    Start("English");
    CKRV330View* view = m_pChild->GetView();
    ASSERT_TRUE(PumpUntil([&] { return view->IsLinked() != 0; }));
    const std::vector<std::string> claimed = SettingsStore::ValueNames(g_pszUsbKey);
    ASSERT_EQ(claimed.size(), 1u);
    EXPECT_EQ(claimed[0], m_hid->GetPath());

    m_bStarted = false;
    EXPECT_EQ(theApp.Shutdown(), 0);
    EXPECT_TRUE(SettingsStore::KeyExists(g_pszUsbKey));
    EXPECT_TRUE(SettingsStore::ValueNames(g_pszUsbKey).empty());
    EXPECT_EQ(g_pMainView, nullptr);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    EXPECT_EQ(theApp.GetMainFrame(), nullptr);
    EXPECT_EQ(theApp.GetDocTemplateCount(), 0);
}

TEST_F(AppWindows, StartsInTheSavedLanguageAndShowsItsMainWindow)
{
    struct Case {
        const char* language;
        int chinese;
        const char* file;
    };
    for (const Case& c : {Case{"Chinese", 1, "main_cn.png"}, Case{"English", 0, "main_en.png"}}) {
        Start(c.language);
        EXPECT_EQ(g_bChinese, c.chinese) << c.language;
        CKRV330View* view = m_pChild->GetView();
        EXPECT_TRUE(PumpUntil([&] { return view->IsLinked() != 0; })) << c.language;
        QCoreApplication::processEvents();
        SaveScreen(c.file);
        m_bStarted = false;
        theApp.Shutdown();
    }
}

TEST_F(AppWindows, EveryMessageBoxGoesToTheProgramsDialogWhileItRuns)
{
    int beforeCalls = 0;
    const MessageBoxHandler outer = SetMessageBoxHandler([&](const CString&, UINT, int) {
        ++beforeCalls;
        return IDCANCEL;
    });
    Start("English");
    m_shown.clear();
    m_selectors.clear();
    m_nAnswer = IDNO;
    EXPECT_EQ(AfxMessageBox("Keep it?", MB_YESNO, -3), IDNO);
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0], "Keep it?");
    EXPECT_EQ(m_selectors[0], -3);
    EXPECT_EQ(beforeCalls, 0);
    // The model's own boxes (a name too long for its field) take the same road.
    ModelUi::Get().MessageBoxOk("Char len error!", -3);
    ASSERT_EQ(m_shown.size(), 2u);
    EXPECT_EQ(m_shown[1], "Char len error!");
    EXPECT_EQ(m_selectors[1], -3);

    m_bStarted = false;
    theApp.Shutdown();
    // The handler from before the start is back once the program has ended.
    EXPECT_EQ(AfxMessageBox("After the end", MB_YESNO, -3), IDCANCEL);
    EXPECT_EQ(beforeCalls, 1);
    EXPECT_EQ(m_shown.size(), 2u);
    SetMessageBoxHandler(outer);
}
