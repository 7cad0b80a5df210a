#include "CWinApp.h"

#include "CMultiDocTemplate.h"

#include <QCoreApplication>

#include <utility>

namespace {
CWinApp* g_pApp = nullptr;  // user-interface thread
}

CWinApp::CWinApp(LPCTSTR lpszAppName) : m_pszAppName(lpszAppName ? lpszAppName : ""), m_pPrevApp(g_pApp)
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    m_templates.clear();
    if (g_pApp == this)
        g_pApp = m_pPrevApp;
}

CWinApp* AfxGetApp() { return g_pApp; }

CWnd* AfxGetMainWnd() { return g_pApp ? g_pApp->m_pMainWnd : nullptr; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance()
{
    CloseAllDocuments();
    m_templates.clear();
    return m_nExitCode;
}

int CWinApp::Run()
{
    m_nExitCode = QCoreApplication::exec();
    return Shutdown();
}

int CWinApp::Shutdown()
{
    // Forgotten first, so its WM_DESTROY does not ask a loop that has ended to end.
    CWnd* pMain = std::exchange(m_pMainWnd, nullptr);
    if (pMain && pMain->GetSafeHwnd())
        pMain->DestroyWindow();
    return ExitInstance();
}

int CWinApp::RunProgram()
{
    if (!InitInstance())
        return Shutdown();
    return Run();
}

void CWinApp::SetCommandLine(int argc, char** argv)
{
    m_lpCmdLine.clear();
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            m_lpCmdLine += ' ';
        m_lpCmdLine += argv[i];
    }
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) { m_pszRegistryKey = lpszRegistryKey ? lpszRegistryKey : ""; }

void CWinApp::AddDocTemplate(CMultiDocTemplate* pTemplate)
{
    if (pTemplate)
        m_templates.emplace_back(pTemplate);
}

void CWinApp::CloseAllDocuments()
{
    for (auto& t : m_templates)
        t->CloseAllDocuments();
}
