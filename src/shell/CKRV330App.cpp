#include "CKRV330App.h"

#include "CChildFrame.h"
#include "CKRV330Doc.h"
#include "CMainFrame.h"
#include "CMessageBox.h"
#include "Clock.h"
#include "Cursor.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "MessageBox.h"
#include "Reachability.h"
#include "SceneImage.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

int g_bLinkGroupUsed[10];
int g_nLinkGroupCount[10];
int g_nLinkGroupMask[10];
LinkOfChannel g_LinkOfChannel[10];
LCID g_nSystemLcid = 0;

CKRV330App theApp;

namespace {

constexpr UINT IDI_SMALL_ICON = 273;

bool EqualNoCase(const CString& a, const char* b)
{
    const size_t n = std::strlen(b);
    if (a.size() != n)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

CKRV330App::CKRV330App() : CWinApp("Orvane") {}

CKRV330App::~CKRV330App() = default;

RegistrationWord CKRV330App::FindRegistrationWord(const CString& cmdLine)
{
    // '-' and '/' are single bytes that never occur inside a UTF-8 sequence.
    for (size_t at = cmdLine.find_first_of("-/"); at != CString::npos; at = cmdLine.find_first_of("-/", at + 1)) {
        const CString rest = cmdLine.substr(at + 1);
        if (EqualNoCase(rest, "UnregServer"))
            return RegistrationWord::UnregServer;
        if (EqualNoCase(rest, "RegServer"))
            return RegistrationWord::RegServer;
    }
    return RegistrationWord::None;
}

BOOL CKRV330App::InitATL()
{
    m_bATLInited = TRUE;
    if (FindRegistrationWord(m_lpCmdLine) != RegistrationWord::None) {
        // Nothing to register: the program offers no COM classes. It ends without a window.
        m_bATLInited = FALSE;
        return FALSE;
    }
    return TRUE;
}

BOOL CKRV330App::ParseDeviceAddress(const CString& text, CString& ip, int& port)
{
    const size_t colon = text.rfind(':');
    if (colon == CString::npos)
        return FALSE;
    const CString host = text.substr(0, colon);
    const CString digits = text.substr(colon + 1);
    if (!IsDottedIpv4(host) || digits.empty() || digits.size() > 5 ||
        !std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); }))
        return FALSE;
    const int value = std::atoi(digits.c_str());
    if (value < 1 || value > 65535)
        return FALSE;
    ip = host;
    port = value;
    return TRUE;
}

void CKRV330App::ApplyDeviceAddressFromEnvironment()
{
    const char* value = std::getenv("ORVANE_DEVICE_ADDRESS");
    if (!value || !*value)
        return;
    if (!ParseDeviceAddress(value, g_strDeviceIp, g_nDevicePort))
        std::fprintf(stderr, "ORVANE_DEVICE_ADDRESS=\"%s\" is not address:port (such as 127.0.0.1:8899); ignored\n",
                     value);
}

int CKRV330App::GetFreeLinkGroup()
{
    for (int i = 0; i < 10; ++i)
        if (g_bLinkGroupUsed[i] == 0)
            return i;
    return 0;
}

BOOL CKRV330App::InitInstance()
{
    if (!InitATL())
        return FALSE;
    SetRegistryKey("Local AppWizard-Generated Applications");

    int64_t freq = 0;
    QueryPerformanceFrequency(&freq);
    g_liPerfFreq = freq;
    std::fill(std::begin(g_nLinkMark), std::end(g_nLinkMark), 0);
    std::fill(std::begin(g_bLinkGroupUsed), std::end(g_bLinkGroupUsed), 0);
    std::fill(std::begin(g_bStereoPair), std::end(g_bStereoPair), 0);
    std::fill(std::begin(g_nLinkGroupCount), std::end(g_nLinkGroupCount), 0);
    std::fill(std::begin(g_nLinkGroupMask), std::end(g_nLinkGroupMask), 0);

    InitAllData();
    ApplyDeviceAddressFromEnvironment();
    // Fonts, brush and the speaker-type menu (106); the language does not matter to them.
    CreateSharedGdiObjects();
    g_nSystemLcid = GetSystemDefaultLCID();
    g_bChinese = g_nSystemLcid == LOCALE_ZH_CN ? 1 : 0;
    m_prevMessageBoxHandler = SetMessageBoxHandler(
        [this](const CString& text, UINT nType, int nSelector) { return DoMessageBox(text, nType, nSelector); });
    m_bMessageBoxHandler = TRUE;
    m_pPrevModelUi = ModelUi::Install(&m_modelUi);
    m_bModelUiInstalled = TRUE;

    m_pDocTemplate = new CMultiDocTemplate(
        IDR_KRV330TYPE, [] { return std::make_unique<CKRV330Doc>(); }, [] { return std::make_unique<CChildFrame>(); });
    AddDocTemplate(m_pDocTemplate);

    m_pMainFrame = std::make_unique<CMainFrame>();
    if (!m_pMainFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
        return FALSE;
    m_pMainWnd = m_pMainFrame.get();
    m_hSmallIcon = LoadIcon(AfxGetInstanceHandle(), IDI_SMALL_ICON);
    m_pMainFrame->SetIcon(m_hSmallIcon, FALSE);

    // The view's initial update runs in here and posts the first connect.
    if (!m_pDocTemplate->OpenDocumentFile(nullptr))
        return FALSE;
    m_pMainFrame->ShowWindow(m_nCmdShow);
    m_pMainFrame->UpdateWindow();
    return TRUE;
}

int CKRV330App::DoMessageBox(const CString& text, UINT nType, int nSelector)
{
    return RunMessageBox(AfxGetMainWnd(), text, nType, nSelector);
}

int CKRV330App::ExitInstance()
{
    m_bATLInited = FALSE;
    if (m_pMainWnd == m_pMainFrame.get())
        m_pMainWnd = nullptr;
    // Frames, views and the document go with the templates, before the main frame object.
    const int code = CWinApp::ExitInstance();
    m_pDocTemplate = nullptr;
    m_pMainFrame.reset();
    if (m_hSmallIcon) {
        DestroyIcon(m_hSmallIcon);
        m_hSmallIcon = nullptr;
    }
    if (m_bModelUiInstalled) {
        ModelUi::Install(m_pPrevModelUi);
        m_pPrevModelUi = nullptr;
        m_bModelUiInstalled = FALSE;
    }
    if (m_bMessageBoxHandler) {
        SetMessageBoxHandler(std::move(m_prevMessageBoxHandler));
        m_prevMessageBoxHandler = nullptr;
        m_bMessageBoxHandler = FALSE;
    }
    return code;
}
